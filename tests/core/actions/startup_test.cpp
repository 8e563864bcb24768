#include "actions/startup.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

// The program folder and the level editor laid out; nothing started yet.
struct Start {
    FakePorts fake;
    MainState state;

    explicit Start(bool withSettings = true) {
        Installation inst;
        inst.sounds = Installation::numberedSounds(280);
        inst.writeFiles(fake.files, withSettings);
        state.dirs.appDir = inst.appDir;
    }
    StartOutcome start() { return startMainWindow(state, fake.ports); }
};

} // namespace

TEST(Startup, WithoutSettingsAsksForTheLevelEditor) {
    using O = StartOutcome;
    // clang-format off
    const struct {
        const char* what; bool settingsUnreadable;
        std::optional<std::string> chosen; // nothing: cancelled
        O outcome; std::optional<Msg> shown; int sounds;
    } cases[] = {
        {"chosen", false, "/games/lvedit/mapforge.exe", O::Ready, std::nullopt, 280},
        {"cancelled", false, std::nullopt, O::Aborted, Msg::NoEditorSelected, 0},
        {"not a path", false, "mapforge.exe", O::Aborted, Msg::NoEditorSelected, 0},
        {"no catalogue there", false, "/elsewhere/mapforge.exe", O::Ready, Msg::FileUnreadable, 0},
        // Starting afresh would replace the settings at close.
        {"settings unreadable", true, std::nullopt, O::Aborted, Msg::SettingsUnreadable, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start s(c.settingsUnreadable);
        if (c.settingsUnreadable)
            s.fake.files.failing = {{"/app/Kestrel.par"}};
        else
            s.fake.dialogs.fileAnswers.push_back(c.chosen);
        EXPECT_EQ(s.start(), c.outcome);
        EXPECT_EQ(s.fake.dialogs.fileDialogs.size(), c.settingsUnreadable ? 0u : 1u);
        EXPECT_EQ(s.state.soundCount(), c.sounds);
        EXPECT_EQ(c.shown ? s.fake.dialogs.showed(*c.shown) : s.fake.dialogs.shown.empty(), true);
        if (c.outcome == O::Aborted) {
            EXPECT_EQ(s.fake.dialogs.shown.size(), 1u);
            EXPECT_TRUE(s.fake.files.calls.empty());
        } else {
            EXPECT_EQ(s.state.currentRow, c.sounds ? 0 : -1);
            EXPECT_EQ(s.state.catalogueComplete, c.sounds != 0);
        }
    }
}

TEST(Startup, ChoosingAnotherEditorSavesTheSettingsAndReloadsFromIt) {
    Start s;
    s.fake.files.files["/other/ed/sound/LevelSFX Creator/Sounds.txt"] =
        joinLinesCrLf({"ONLY:\to1\tVOL01\t#a", "TWO:\to2\tVOL01"});
    s.start();
    s.fake.dialogs.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(chooseEditorAgain(s.state, s.fake.ports));
    EXPECT_EQ(s.state.soundCount(), 280);

    s.state.choice.txWad = "BRIDGE";
    s.state.language = Language::French;
    s.fake.dialogs.fileAnswers.push_back("/other/ed/mapforge.exe");
    EXPECT_TRUE(chooseEditorAgain(s.state, s.fake.ports));
    EXPECT_EQ(s.state.soundCount(), 2);
    EXPECT_TRUE(s.state.rows[0].selected);
    EXPECT_EQ(s.state.choice.txWad, "BRIDGE");
    const Settings saved = parseSettings(s.fake.files.bytes("/app/Kestrel.par"), defaultSettings());
    EXPECT_EQ(saved, (Settings{"/", "/other/ed/", "a", "BRIDGE", Language::French}));

    s.fake.files.failing = {{"/app/Kestrel.par"}};
    s.state.choice.txWad = "HARBOUR";
    EXPECT_FALSE(closeMainWindow(s.state, s.fake.ports));
    EXPECT_TRUE(s.fake.dialogs.showed(Msg::SettingsNotSaved));
    EXPECT_EQ(s.fake.files.bytes("/app/Kestrel.par"), formatSettings(saved));
}

// The command line's check loads what the window would, and asks nothing.
TEST(Startup, TheCheckLoadsTheSavedCatalogueOrSaysWhyNot) {
    Start saved;
    EXPECT_EQ(loadSavedCatalogue(saved.state, saved.fake.ports), StartOutcome::Ready);
    EXPECT_EQ(saved.state.soundCount(), 280);
    Start none(false);
    EXPECT_EQ(loadSavedCatalogue(none.state, none.fake.ports), StartOutcome::Aborted);
    EXPECT_TRUE(none.fake.dialogs.showed(Msg::NoEditorSelected));
    Start unreadable;
    unreadable.fake.files.failing.push_back({"/app/Kestrel.par", FileOp::Read});
    EXPECT_EQ(loadSavedCatalogue(unreadable.state, unreadable.fake.ports), StartOutcome::Aborted);
    EXPECT_TRUE(unreadable.fake.dialogs.showed(Msg::SettingsUnreadable));
    for (const char* dir : {"/app/", "C:\\app\\"}) EXPECT_EQ(withDirSep(dir), dir);
}
