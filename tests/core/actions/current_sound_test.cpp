#include "format/sound_line.h"
#include "actions/current_sound.h"
#include "format/field_view.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

struct RuleCase {
    const char *typed, *shown, *field;
};

void expectRule(const RuleCase& c, const ValueEdit& e, const std::string& field) {
    EXPECT_EQ(e.text, c.shown) << '"' << c.typed << '"';
    EXPECT_EQ(e.field, field) << '"' << c.typed << '"';
}

// Sound 1 of three is current.
MainState showing(const std::string& line) {
    MainState state;
    state.liText = {"ZERO:\t\t\tz\t\t\t\tVOL01", line, "TWO:\t\t\tt\t\t\t\tVOL02"};
    state.currentRow = 1;
    state.wads.titles = {"Harbour", "Bridge", "Abbey"};
    state.wads.letters = {"a", "b", "ab"};
    state.cur = parseSoundLine(line);
    return state;
}

} // namespace

TEST(ValueRules, Vol) {
    const RuleCase cases[] = {
        // clang-format off
        {"0", "1", "VOL01"},     {"-5", "1", "VOL01"},     {"-", "1", "VOL01"},
        {"ab", "1", "VOL01"},    {"7", "7", "VOL07"},      {"99", "99", "VOL99"},
        {"7x", "7x", "VOL07"},   {"", "", ""},             {" 5", "", ""},
        {" 0", "1", "VOL01"},    {".5", ".5", "VOL00"},    {".4", ".4", "VOL00"},
        {"2.5", "2.5", "VOL02"}, {"1.5", "1.5", "VOL02"},  {"&H10", "&H10", "VOL16"},
        {"&O17", "&O17", "VOL15"}, {"1e1", "1e1", "VOL10"},
        // clang-format on
    };
    for (const auto& c : cases) expectRule(c, volRule(c.typed), c.field);
}

TEST(ValueRules, ChAndRad) {
    const RuleCase cases[] = {
        {"0", "", ""},      {"-3", "", ""},     {"ab", "", ""},         {"", "", ""},
        {"&HG", "", ""},    {"3", "3", "03"},   {" 5", " 5", "05"},     {".4", ".4", "00"},
        {".5", ".5", "00"}, {"99", "99", "99"}, {"&H10", "&H10", "16"},
    };
    for (const std::string prefix : {"CH", "RAD"})
        for (const auto& c : cases)
            expectRule(c, chRadRule(c.typed, prefix), *c.field ? prefix + c.field : "");
}

TEST(ValueRules, Pit) {
    const RuleCase cases[] = {
        // clang-format off
        {"0", "", ""},          {"-0", "", ""},           {"ab", "", ""},
        {"", "", ""},           {"150", "99", "PIT99"},   {"1e2", "99", "PIT99"},
        {"99", "99", "PIT99"},  {"12", "12", "PIT12"},    {"-5", "-5", "PIT-05"},
        {"-99", "-99", "PIT-99"}, {" -7", " -7", "PIT-07"}, {".4", ".4", "PIT00"},
        {"&H10", "&H10", "PIT16"},
        // clang-format on
    };
    for (const auto& c : cases) expectRule(c, pitRule(c.typed), c.field);
}

TEST(FlagBoxes, RAndNExcludeEachOther) {
    MainState state = showing("ONE:\t\t\to\t\t\t\tVOL05");
    setFlagBox(state, FlagBox::P, true);
    setFlagBox(state, FlagBox::L, true);
    EXPECT_EQ(state.cur.p + state.cur.l, "PL");
    setFlagBox(state, FlagBox::R, true);
    setFlagBox(state, FlagBox::N, true);
    EXPECT_TRUE(state.ed.ckN);
    EXPECT_FALSE(state.ed.ckR);
    EXPECT_EQ(state.cur.rn, "N");
    setFlagBox(state, FlagBox::R, true);
    EXPECT_FALSE(state.ed.ckN);
    EXPECT_EQ(state.cur.rn, "R");
    setFlagBox(state, FlagBox::R, false);
    EXPECT_FALSE(state.ed.ckR || state.ed.ckN);
    EXPECT_EQ(state.cur.rn, "");
}

TEST(ShowSoundFields, ValueBoxesFlagsAndSamples) {
    MainState state = showing("ONE:\t\t\to1 o2\t\t\tVOL08\tP   N\t\tPIT-10\tRAD05\t#a");
    showSoundFields(state);
    const SoundEditors& ed = state.ed;
    EXPECT_EQ(ed.txVol + "|" + ed.txCh + "|" + ed.txPit + "|" + ed.txRad, "08||-10|05");
    EXPECT_TRUE(ed.ckP && ed.ckN && !ed.ckV && !ed.ckR && !ed.ckL);
    EXPECT_EQ(ed.curSample, "o1");

    state = showing("ONE:"); // no samples: nothing to play or rename
    showSoundFields(state);
    EXPECT_FALSE(state.ed.txSampEnabled || state.buttons.play || state.buttons.rename);
}

TEST(ShowSoundFields, LettersListSelectsExactlyTheCurrentLetter) {
    const struct {
        const char *wad, *letter, *wadName;
        std::vector<std::string> items;
        int selected;
        const char* wadNameAfter;
    } cases[] = {
        {"#a #zz", "b", "BRIDGE", {"#a - Harbour", "#zz - ??"}, -1, "BRIDGE"},
        {"#b", "b", "BRIDGE", {"#b - Bridge"}, 0, "BRIDGE"},
        {"#q", "q", "", {"#q - ??"}, 0, "??"},
        {"#q", "q", "MYWAD", {"#q - MYWAD"}, 0, "MYWAD"},
        {"#q", "r", "", {"#q - ??"}, -1, ""},
        {"#ab #a", "a", "HARBOUR", {"#ab - Abbey", "#a - Harbour"}, 1, "HARBOUR"},
        {"#ab", "a", "HARBOUR", {"#ab - Abbey"}, -1, "HARBOUR"},
        {"#a", "", "", {"#a - Harbour"}, -1, ""},
    };
    for (const auto& c : cases) {
        MainState state = showing(std::string("ONE:\t\t\to\t\t\t\tVOL05\t\t\t\t\t") + c.wad);
        state.txLett = c.letter;
        state.txWad = c.wadName;
        showSoundFields(state);
        EXPECT_EQ(state.ed.liWad, c.items) << c.wad << " / " << c.letter;
        EXPECT_EQ(state.ed.liWadSel, c.selected) << c.wad << " / " << c.letter;
        EXPECT_EQ(state.txWad, c.wadNameAfter) << c.wad << " / " << c.letter;
    }
}

TEST(AcceptValues, WritesOnlyTheCurrentLine) {
    MainState state = showing("ONE:\t\t\to\t\t\t\tVOL05\t\t\t\t\t#a");
    const auto before = state.liText;
    state.ed.txPit = "150";
    leaveValueBox(state, ValueBox::Pit);
    setFlagBox(state, FlagBox::L, true);
    EXPECT_EQ(state.ed.txPit, "99");
    EXPECT_EQ(state.liText, before); // nothing until accepted
    acceptValues(state);
    EXPECT_EQ(state.liText[1], "ONE:\t\t\to\t\t\t\tVOL05\t      L\t\tPIT99\t\t#a");
    EXPECT_EQ(state.liText[0], before[0]);
    EXPECT_EQ(state.liText[2], before[2]);
    EXPECT_EQ(state.txModif, fieldView(state.cur));

    state.currentRow = -1; // no current sound: nothing to write
    const auto accepted = state.liText;
    acceptValues(state);
    EXPECT_EQ(state.liText, accepted);
}
