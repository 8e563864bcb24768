#include "catalogue/catalogue.h"
#include "catalogue/marks.h"
#include "fake_ports.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

TEST(SoundRowText, NumbersAndNames) {
    EXPECT_EQ(soundRowText(5, "DOOR:\ts"), "  5: DOOR" + std::string(18, ' '));
    EXPECT_EQ(soundRowText(27, "SECRET:\ts"), " 27:");
    EXPECT_EQ(soundRowText(1, "A_NAME_LONGER_THAN_22_CHARS:\ts"), "  1: A_NAME_LONGER_THAN_22_");
    EXPECT_EQ(soundRowText(1000, "X:"), "1000: X" + std::string(21, ' '));
}

TEST(LoadCatalogue, NumbersOnlyLinesWithAColon) {
    Installation inst;
    inst.sounds = {"heading without colon", "ZERO:\ta\tVOL01\t#a  ", "ONE:\tb   ", "-- note",
                   "TWO:\tc"};
    inst.defaults = {"ZERO:\ta\tVOL01\t#a", "ONE:\tb", "TWO:\tc"};
    FakePorts fake;
    MainState state = inst.install(fake.files);
    loadCatalogue(state, fake.ports);

    ASSERT_EQ(state.soundCount(), 3);
    EXPECT_EQ(state.liText[0], "ZERO:\ta\tVOL01\t#a"); // lines with '#' lose trailing spaces
    EXPECT_EQ(state.liText[1], "ONE:\tb   ");          // others keep them
    EXPECT_EQ(state.rows[2].text, "  2: TWO" + std::string(19, ' '));
    EXPECT_EQ(state.wads.letters, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(state.wads.files[1], "BRIDGE");
    EXPECT_TRUE(state.catalogueComplete);
    EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST(LoadCatalogue, ProtectedSoundsShowNoName) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(300);
    FakePorts fake;
    MainState state = inst.install(fake.files);
    loadCatalogue(state, fake.ports);
    EXPECT_EQ(state.rows[27].text, " 27:");
    EXPECT_EQ(state.rows[270].text, "270:");
    EXPECT_EQ(state.liText[27], inst.sounds[27]);
    EXPECT_EQ(state.rows[28].text.substr(0, 12), " 28: SOUND28");
}

TEST(LoadCatalogue, DoubleMarksFromTheDoublesFile) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(300);
    inst.doubles = "3,\"   \",\"GEN\",\"X\",\"y\",\"\"\r\n27,\"OK \",\"   \",\"\",\"\",\"\"\r\n"
                   "4,\"OK\",\"   \",\"\",\"\",\"\"\r\n999,\"   \",\"\",\"\",\"\",\"\"\r\n";
    FakePorts fake;
    MainState state = inst.install(fake.files);
    loadCatalogue(state, fake.ports);
    ASSERT_EQ(state.doubleMarks.size(), 370u);
    EXPECT_EQ(state.doubleMarks[3], "   ");
    EXPECT_EQ(state.doubleMarks[4], "OK"); // not exactly "OK ": an import skips it
    EXPECT_EQ(state.doubleMarks[5], "OK ");
    EXPECT_EQ(state.doubleMarks[27], "   "); // protected, whatever the file says
    EXPECT_EQ(state.doubleMarks[62], "   ");
}

TEST(LoadCatalogue, MissingFilesAreNamedAndMakeItIncomplete) {
    for (const char* missing : {"Kestrel.tow", "Kestrel.tos", "Sounds.txt"}) {
        Installation inst;
        inst.sounds = {"A:\ta", "B:\tb"};
        FakePorts fake;
        MainState state = inst.install(fake.files);
        fake.files.failing.push_back(inst.pathOf(missing));
        loadCatalogue(state, fake.ports);
        ASSERT_EQ(fake.dialogs.shown.size(), 1u) << missing;
        EXPECT_EQ(fake.dialogs.shown[0].id, Msg::FileUnreadable);
        EXPECT_EQ(fake.dialogs.shown[0].args[0], inst.pathOf(missing));
        EXPECT_FALSE(state.catalogueComplete) << missing;
        EXPECT_EQ(state.defaultLine(7), ""); // never out of range
    }
}

TEST(LoadCatalogue, MoreSoundsThanTheCatalogueHoldsStillLoad) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(400);
    inst.defaults = {"ONLY:\tone"};
    FakePorts fake;
    MainState state = inst.install(fake.files);
    loadCatalogue(state, fake.ports);
    EXPECT_EQ(state.soundCount(), 400);
    EXPECT_EQ(state.rows.size(), 400u);
    EXPECT_EQ(state.doubleMarks.size(), 400u);
    ASSERT_EQ(fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(fake.dialogs.shown[0].id, Msg::TooManySounds);
    EXPECT_EQ(fake.dialogs.shown[0].args[0], "400");
    EXPECT_EQ(state.defaultLine(399), "");
    markSoundList(state, -1);
    EXPECT_TRUE(state.rows[399].selected); // every numbered sound carries #a
}

TEST(MarkSoundList, MarksWholeTagsAndSelects) {
    Installation inst;
    inst.sounds = {"A:\ts\tVOL01\t#a", "B:\ts\tVOL01\t#ab", "C:\ts\tVOL01\t#g", "D:\ts\tVOL01\t"};
    FakePorts fake;
    MainState state = inst.install(fake.files);
    loadCatalogue(state, fake.ports);
    state.txLett = "a";
    markSoundList(state, -1);
    EXPECT_TRUE(endsWithMark(state.rows[0].text));
    EXPECT_TRUE(state.rows[0].selected);
    EXPECT_FALSE(state.rows[1].selected);
    EXPECT_FALSE(state.rows[2].selected);

    markSoundList(state, -1); // never marked twice
    EXPECT_EQ(state.rows[0].text, soundRowText(0, state.liText[0]) + kLetterMark);

    state.showG = true;
    markSoundList(state, 2);
    EXPECT_TRUE(state.rows[2].selected);

    state.txLett.clear(); // key "##": only the #g sound stays marked
    markSoundList(state, -1);
    for (int i : {0, 1, 3}) EXPECT_FALSE(endsWithMark(state.rows[i].text)) << i;
    EXPECT_TRUE(state.rows[2].selected);
}

TEST(MarkSoundList, ProtectedSoundsLoseTheirLettersInstead) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(30);
    inst.sounds[27] = "SECRET:\ts#x\tVOL05\tP\t#b #a";
    FakePorts fake;
    MainState state = inst.install(fake.files);
    loadCatalogue(state, fake.ports);
    state.txLett = "a";
    markSoundList(state, -1);
    EXPECT_EQ(state.rows[27].text, " 27:");
    EXPECT_FALSE(state.rows[27].selected);
    EXPECT_EQ(state.liText[27], "SECRET:\ts#x\tVOL05\tP\t");
}
