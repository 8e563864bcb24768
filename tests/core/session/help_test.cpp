#include "installation.h"
#include "session/help.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

TEST(Help, TheFileOfTheLanguageInForceIsShownLineByLineAndTheOldFileGoes) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(2);
    Loaded l(inst);
    l.fake.files.files["/app/Kestrel_Eng1.txt"] = "Kestrel help\r\nlast line without end";
    l.fake.files.files["/app/Kestrel_Fra1.txt"] = "Aide de Kestrel\nsuite\r\n";
    l.fake.files.files["/app/KESTREL1.TXT"] = "old";
    EXPECT_EQ(openHelp(l.state, l.fake.ports), "Kestrel help\r\nlast line without end\r\n");
    EXPECT_FALSE(l.fake.files.find("/app/Kestrel1.txt"));
    l.state.language = Language::French;
    EXPECT_EQ(openHelp(l.state, l.fake.ports), "Aide de Kestrel\r\nsuite\r\n");
    l.fake.files.files.erase("/app/Kestrel_Fra1.txt");
    EXPECT_FALSE(openHelp(l.state, l.fake.ports));
    EXPECT_TRUE(l.fake.dialogs.shown.empty());
}

TEST(Help, SoundsTxtOpensInTheEditorAndAFailureIsReported) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(2);
    Loaded l(inst);
    openSoundsInEditor(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.programs.opened,
              std::vector<std::string>{"/games/lvedit/sound/LevelSFX Creator/Sounds.txt"});
    l.fake.programs.failOpen = true;
    openSoundsInEditor(l.state, l.fake.ports);
    ASSERT_EQ(l.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(l.fake.dialogs.shown[0].id, Msg::EditorNotStarted);
}

TEST(Help, TheEditorIsTheUsersGraphicalOneElseOneFoundElseTheOpener) {
    const std::string file = "/e/LevelSFX Creator/Sounds.txt";
    const auto finds = [](std::vector<std::string> present) {
        return [present](const std::string& name) -> std::optional<std::string> {
            for (const std::string& p : present)
                if (p == name || p.ends_with("/" + name)) return "/usr/bin/" + name.substr(name.find_last_of('/') + 1);
            return std::nullopt;
        };
    };
    auto c = textEditorCommand(file, "code -w", "vi", finds({"code", "gedit"}));
    EXPECT_EQ(c.program, "/usr/bin/code");
    EXPECT_EQ(c.args, (std::vector<std::string>{"-w", file}));
    c = textEditorCommand(file, "", "vim", finds({"vim", "mousepad"})); // a terminal editor is passed over
    EXPECT_EQ(c.program, "/usr/bin/mousepad");
    EXPECT_EQ(c.args, std::vector<std::string>{file});
    c = textEditorCommand(file, "", "/opt/kate", finds({"/opt/kate"}));
    EXPECT_EQ(c.program, "/usr/bin/kate");
    c = textEditorCommand(file, "", "", finds({}));
    EXPECT_EQ(c.program, "xdg-open");
    EXPECT_EQ(c.args, std::vector<std::string>{file});
}

} // namespace
