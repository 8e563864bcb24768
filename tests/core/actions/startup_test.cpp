#include "actions/marks.h"
#include "fake_ports.h"
#include "installation.h"
#include "actions/startup.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

Installation demoLike() {
    Installation inst;
    inst.sounds = Installation::numberedSounds(280);
    inst.sounds[0] = "FIRST:\tf1\tVOL02\t#b";
    return inst;
}

// The program folder and the level editor laid out; nothing started yet.
struct Start {
    Installation inst;
    FakePorts fake;
    MainState state;

    explicit Start(Installation i = demoLike(), bool withSettings = true) : inst(std::move(i)) {
        inst.writeFiles(fake.files, withSettings);
        state.dirs.appDir = inst.appDir;
    }
    StartOutcome start() { return startMainWindow(state, fake.ports); }
    Settings saved() const {
        return parseSettings(fake.files.bytes("/app/Kestrel.par"), defaultSettings());
    }
};

} // namespace

TEST(Startup, ReadsTheSettingsAndOpensRowZero) {
    Installation inst = demoLike();
    inst.settings.language = Language::French;
    Start s(inst);
    ASSERT_EQ(s.start(), StartOutcome::Ready);
    const MainState& state = s.state;
    EXPECT_TRUE(s.fake.dialogs.fileDialogs.empty());
    EXPECT_EQ(state.language, Language::French);
    EXPECT_EQ(state.txLett, "a");
    EXPECT_EQ(state.lastLetter, "a");
    EXPECT_EQ(state.txWad, "HARBOUR");
    EXPECT_EQ(state.dirs.sfxDir, "/games/lvedit/sound/LevelSFX Creator/");
    EXPECT_EQ(state.dirs.sampleDir, "/games/lvedit/sound/Samples/");
    EXPECT_EQ(state.dirs.wadDir, "/games/lvedit/graphics/wads/");
    EXPECT_EQ(state.currentRow, 0);
    EXPECT_EQ(state.cur.name, "FIRST:");
    EXPECT_TRUE(state.rows[1].selected);
    EXPECT_FALSE(state.rows[0].selected);
    EXPECT_TRUE(state.catalogueComplete);
}

TEST(Startup, FirstStartAsksForTheLevelEditor) {
    Start s(demoLike(), false);
    s.fake.dialogs.fileAnswers.push_back("/games/lvedit/mapforge.exe");
    ASSERT_EQ(s.start(), StartOutcome::Ready);
    ASSERT_EQ(s.fake.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(s.state.dirs.editorDir, "/games/lvedit/");
    EXPECT_EQ(s.state.soundCount(), 280);
}

TEST(Startup, FirstStartCancelledAborts) {
    for (const std::optional<std::string>& answer :
         {std::optional<std::string>{}, std::optional<std::string>{"mapforge.exe"}}) {
        SCOPED_TRACE(answer.value_or("cancel"));
        Start s(demoLike(), false);
        s.fake.dialogs.fileAnswers.push_back(answer);
        EXPECT_EQ(s.start(), StartOutcome::Aborted);
        ASSERT_EQ(s.fake.dialogs.shown.size(), 1u);
        EXPECT_EQ(s.fake.dialogs.shown[0].id, Msg::NoEditorSelected);
        EXPECT_TRUE(s.fake.files.writes.empty());
    }
}

TEST(Startup, UnreadableSettingsStopBeforeAnythingIsReplaced) {
    Start s;
    s.fake.files.failing = {"/app/Kestrel.par"};
    EXPECT_EQ(s.start(), StartOutcome::Aborted);
    ASSERT_EQ(s.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(s.fake.dialogs.shown[0].id, Msg::SettingsUnreadable);
    EXPECT_EQ(s.fake.dialogs.shown[0].args.at(0), "/app/Kestrel.par");
    EXPECT_TRUE(s.fake.dialogs.fileDialogs.empty());
}

TEST(Startup, FirstStartWithMissingCatalogueStaysUsable) {
    Start s(demoLike(), false);
    s.fake.dialogs.fileAnswers.push_back("/elsewhere/mapforge.exe");
    ASSERT_EQ(s.start(), StartOutcome::Ready);
    EXPECT_FALSE(s.state.catalogueComplete);
    EXPECT_EQ(s.state.soundCount(), 0);
    EXPECT_EQ(s.state.currentRow, -1);
    EXPECT_TRUE(s.fake.dialogs.showed(Msg::FileUnreadable));
}

TEST(Startup, CloseWritesTheSettingsOrReportsAFailedSaveAndKeepsTheOldFile) {
    Start s;
    s.start();
    s.state.txWad = "NEW \"ONE\"";
    s.state.language = Language::French;
    ASSERT_TRUE(closeMainWindow(s.state, s.fake.ports));
    EXPECT_EQ(s.saved(), currentSettings(s.state));

    const std::string before = s.fake.files.bytes("/app/Kestrel.par");
    s.state.txLett = "zz";
    s.fake.files.failing.push_back("/app/Kestrel.par");
    EXPECT_FALSE(closeMainWindow(s.state, s.fake.ports));
    EXPECT_TRUE(s.fake.dialogs.showed(Msg::SettingsNotSaved));
    EXPECT_EQ(s.fake.files.bytes("/app/Kestrel.par"), before);
}

TEST(Startup, ChoosingAnotherEditorReloadsFromIt) {
    Start s;
    const std::vector<std::string> other = {"ONLY:\to1\tVOL01\t#a", "TWO:\to2\tVOL01"};
    s.fake.files.files["/other/ed/sound/LevelSFX Creator/Sounds.txt"] = joinLinesCrLf(other);
    s.start();

    s.fake.dialogs.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(chooseEditorAgain(s.state, s.fake.ports));
    EXPECT_EQ(s.state.soundCount(), 280);

    s.fake.dialogs.fileAnswers.push_back("/other/ed/mapforge.exe");
    EXPECT_TRUE(chooseEditorAgain(s.state, s.fake.ports));
    EXPECT_EQ(s.state.soundCount(), 2);
    EXPECT_EQ(s.state.dirs.sfxDir, "/other/ed/sound/LevelSFX Creator/");
    EXPECT_EQ(s.state.txLett, "a");
    EXPECT_TRUE(s.state.rows[0].selected);
    EXPECT_EQ(s.saved().editorDir, "/other/ed/");
}
