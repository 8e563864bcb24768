#include "platform/launch.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

using Args = std::vector<std::string>;

TEST(Launch, TheRunnerRunsConfinedInATerminalThatStaysInTheForeground) {
    const BatchLaunch sound{"/e/Sound Creator/CreateSFX.bat", "/e/Sound Creator/", "/e/",
                            "/e/Sound Creator/CreateSFX.status"};
    const auto alone = runnerCommand("/k/kestrel-batch", sound, "");
    EXPECT_EQ(alone.program, "/k/kestrel-batch");
    EXPECT_EQ(alone.args, (Args{"--root", "/e/", "--status", "/e/Sound Creator/CreateSFX.status",
                                "/e/Sound Creator/CreateSFX.bat"}));
    const BatchLaunch b{"/b.bat", "/", "/r/", "/s"};
    const auto xterm = runnerCommand("/k/r", b, "/usr/bin/xterm");
    EXPECT_EQ(xterm.program, "/usr/bin/xterm");
    EXPECT_EQ(xterm.args, (Args{"-T", "CreateSFX.bat", "-e", "/k/r", "--root", "/r/", "--status",
                                "/s", "/b.bat"}));
    // Each terminal is told to stay until the batch ends; an unknown one gets "-e".
    const std::pair<const char*, Args> before[] = {
        {"gnome-terminal", {"--wait", "--", "/k/r"}},
        {"konsole", {"--nofork", "-e", "/k/r"}},
        {"mate-terminal", {"--disable-factory", "-x", "/k/r"}},
        {"tilix", {"--new-process", "-e", "/k/r"}},
        {"kitty", {"--title", "CreateSFX.bat", "/k/r"}},
        {"urxvt", {"-e", "/k/r"}}};
    for (const auto& [name, flags] : before) {
        Args args = runnerCommand("/k/r", b, std::string("/usr/bin/") + name).args;
        args.resize(flags.size());
        EXPECT_EQ(args, flags) << name;
    }
}

// A PATH holding `present`, each found in /usr/bin.
ProgramFinder finds(std::vector<std::string> present) {
    return [present](const std::string& name) -> std::optional<std::string> {
        for (const std::string& p : present)
            if (p == name || p.ends_with("/" + name))
                return "/usr/bin/" + name.substr(name.find_last_of('/') + 1);
        return std::nullopt;
    };
}

// The user's terminal, then the system's (by what it really is), then one
// that is there.
TEST(Launch, TheTerminalIsTheUsersElseTheSystemsElseOneFound) {
    const auto realPath = [](const std::string& path) {
        return path == "/usr/bin/x-terminal-emulator" ? "/usr/bin/gnome-terminal.wrapper" : path;
    };
    const struct {
        const char* variable;
        Args present;
        const char* chosen;
    } cases[] = {
        {"kitty -1", {"kitty", "xterm", "x-terminal-emulator"}, "/usr/bin/kitty"},
        {"", {"xterm", "x-terminal-emulator", "gnome-terminal"}, "/usr/bin/gnome-terminal"},
        {"nowhere", {"xterm", "foot"}, "/usr/bin/foot"},
        {"", {"urxvt"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseTerminal(c.variable, finds(c.present), realPath), c.chosen) << c.variable;
}

TEST(Launch, TheEditorIsTheUsersGraphicalOneElseTheDesktopsElseOneFound) {
    const std::string file = "/e/LevelSFX Creator/Sounds.txt";
    auto c = textEditorCommand(file, "code -w", "vi", finds({"code", "gedit"}));
    EXPECT_EQ(c.program, "/usr/bin/code");
    EXPECT_EQ(c.args, (std::vector<std::string>{"-w", file}));
    c = textEditorCommand(file, "", "vim",
                          finds({"vim", "mousepad"})); // a terminal editor is passed over
    EXPECT_EQ(c.program, "/usr/bin/mousepad");
    EXPECT_EQ(c.args, std::vector<std::string>{file});
    c = textEditorCommand(file, "", "/opt/kate", finds({"/opt/kate"}));
    EXPECT_EQ(c.program, "/usr/bin/kate");
    c = textEditorCommand(file, "", "vim", finds({"vim", "mousepad", "xdg-open"}));
    EXPECT_EQ(c.program, "/usr/bin/xdg-open");
    c = textEditorCommand(file, "", "", finds({}));
    EXPECT_EQ(c.program, "xdg-open");
    EXPECT_EQ(c.args, std::vector<std::string>{file});
}

} // namespace
