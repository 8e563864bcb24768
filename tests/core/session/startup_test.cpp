#include "catalogue/marks.h"
#include "fake_ports.h"
#include "installation.h"
#include "session/startup.h"

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

MainState freshState(const Installation& inst) {
    MainState state;
    state.dirs.appDir = inst.appDir;
    return state;
}

} // namespace

TEST(Startup, ReadsTheSettingsAndOpensRowZero) {
    Installation inst = demoLike();
    inst.settings.language = Language::French;
    FakePorts fake;
    inst.writeFiles(fake.files);
    MainState state = freshState(inst);
    ASSERT_EQ(startMainWindow(state, fake.ports), StartOutcome::Ready);
    EXPECT_TRUE(fake.dialogs.fileDialogs.empty());
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
    Installation inst = demoLike();
    FakePorts fake;
    inst.writeFiles(fake.files, false);
    fake.dialogs.fileAnswers.push_back("/games/lvedit/mapforge.exe");
    MainState state = freshState(inst);
    ASSERT_EQ(startMainWindow(state, fake.ports), StartOutcome::Ready);
    ASSERT_EQ(fake.dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(state.dirs.editorDir, "/games/lvedit/");
    EXPECT_EQ(state.soundCount(), 280);
}

TEST(Startup, FirstStartCancelledAborts) {
    for (const std::optional<std::string>& answer :
         {std::optional<std::string>{}, std::optional<std::string>{"mapforge.exe"}}) {
        FakePorts fake;
        demoLike().writeFiles(fake.files, false);
        fake.dialogs.fileAnswers.push_back(answer);
        MainState state = freshState(demoLike());
        EXPECT_EQ(startMainWindow(state, fake.ports), StartOutcome::Aborted);
        ASSERT_EQ(fake.dialogs.shown.size(), 1u);
        EXPECT_EQ(fake.dialogs.shown[0].id, Msg::NoEditorSelected);
        EXPECT_TRUE(fake.files.writes.empty());
    }
}

TEST(Startup, FirstStartWithMissingCatalogueStaysUsable) {
    Installation inst = demoLike();
    FakePorts fake;
    fake.files.files[inst.pathOf("Kestrel.tos")] = joinLinesCrLf(inst.sounds);
    fake.dialogs.fileAnswers.push_back("/elsewhere/mapforge.exe");
    MainState state = freshState(inst);
    ASSERT_EQ(startMainWindow(state, fake.ports), StartOutcome::Ready);
    EXPECT_FALSE(state.catalogueComplete);
    EXPECT_EQ(state.soundCount(), 0);
    EXPECT_EQ(state.currentRow, -1);
    EXPECT_TRUE(fake.dialogs.showed(Msg::FileUnreadable));
}

TEST(Startup, CloseWritesTheSettings) {
    Installation inst = demoLike();
    FakePorts fake;
    inst.writeFiles(fake.files);
    MainState state = freshState(inst);
    startMainWindow(state, fake.ports);
    state.txWad = "NEW \"ONE\"";
    state.language = Language::French;
    ASSERT_TRUE(closeMainWindow(state, fake.ports));
    const Settings saved = parseSettings(fake.files.bytes("/app/Kestrel.par"), defaultSettings());
    EXPECT_EQ(saved, currentSettings(state));
}

TEST(Startup, CloseReportsAFailedSaveAndKeepsTheOldFile) {
    Installation inst = demoLike();
    FakePorts fake;
    inst.writeFiles(fake.files);
    const std::string before = fake.files.bytes("/app/Kestrel.par");
    MainState state = freshState(inst);
    startMainWindow(state, fake.ports);
    state.txLett = "zz";
    fake.files.failing.push_back("/app/Kestrel.par");
    EXPECT_FALSE(closeMainWindow(state, fake.ports));
    EXPECT_TRUE(fake.dialogs.showed(Msg::SettingsNotSaved));
    EXPECT_EQ(fake.files.bytes("/app/Kestrel.par"), before);
}

TEST(Startup, ChoosingAnotherEditorReloadsFromIt) {
    Installation inst = demoLike();
    FakePorts fake;
    inst.writeFiles(fake.files);
    Installation other = inst;
    other.editorDir = "/other/ed/";
    other.sounds = {"ONLY:\to1\tVOL01\t#a", "TWO:\to2\tVOL01"};
    fake.files.files[other.pathOf("Sounds.txt")] = joinLinesCrLf(other.sounds);

    MainState state = freshState(inst);
    startMainWindow(state, fake.ports);

    fake.dialogs.fileAnswers.push_back(std::nullopt);
    EXPECT_FALSE(chooseEditorAgain(state, fake.ports));
    EXPECT_EQ(state.soundCount(), 280);

    fake.dialogs.fileAnswers.push_back("/other/ed/mapforge.exe");
    EXPECT_TRUE(chooseEditorAgain(state, fake.ports));
    EXPECT_EQ(state.soundCount(), 2);
    EXPECT_EQ(state.dirs.sfxDir, "/other/ed/sound/LevelSFX Creator/");
    EXPECT_EQ(state.txLett, "a");
    EXPECT_TRUE(state.rows[0].selected);
    const Settings saved = parseSettings(fake.files.bytes("/app/Kestrel.par"), defaultSettings());
    EXPECT_EQ(saved.editorDir, "/other/ed/");
}
