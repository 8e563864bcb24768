#include "actions/current_sound.h"
#include "actions/sound_list.h"
#include "format/field_view.h"
#include "format/sound_line.h"
#include "installation.h"

#include <cctype>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

using Args = std::vector<std::string>;

// Sound 1 of three is open in the editors and the .wav of each of its samples exists.
struct SoundOpen : Loaded {
    explicit SoundOpen(const std::string& line)
        : Loaded([&] {
              Installation inst;
              inst.sounds = {"ZERO:\t\t\tz\t\t\t\tVOL01", line, "TWO:\t\t\tt\t\t\t\tVOL02"};
              inst.wadTable += "\"Abbey\",\"ab\",\"ABBEY\"\r\n";
              return inst;
          }()) {
        makeRowCurrent(state, fake.ports, 1);
        for (const auto& name : state.cur.samples) addWav(name);
    }
    void addWav(std::string name) { // in capitals: the lookup ignores case
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        fake.files.files[state.dirs.sampleDir + name + ".WAV"] = "RIFF";
    }
    void rename(int k, const std::string& typed) {
        selectSample(state, k);
        state.ed.txSamp = typed;
        renameSample(state, fake.ports);
    }
    std::optional<Msg> firstMessage() const {
        if (fake.dialogs.shown.empty()) return std::nullopt;
        return fake.dialogs.shown[0].id;
    }
};

// The ticked flag boxes, then the flag fields of the current sound.
std::string flags(const MainState& s) {
    std::string out;
    const bool ticked[] = {s.ed.ckP, s.ed.ckV, s.ed.ckR, s.ed.ckN, s.ed.ckL};
    for (int i = 0; i < 5; ++i)
        if (ticked[i]) out += "PVRNL"[i];
    return out + "|" + s.cur.p + s.cur.v + s.cur.rn + s.cur.l;
}

} // namespace

TEST(ValueRules, EachBoxKeepsEmptiesOrBoundsWhatIsTyped) {
    const auto ch = +[](std::string_view t) { return chRadRule(t, "CH"); };
    const auto rad = +[](std::string_view t) { return chRadRule(t, "RAD"); };
    using Rule = ValueEdit (*)(std::string_view);
    for (const auto& [rule, typed, shown, field] :
         std::initializer_list<std::tuple<Rule, std::string_view, std::string, std::string>>{
             // clang-format off
             {volRule, "0", "1", "VOL01"},     {volRule, "-5", "1", "VOL01"},  {volRule, "ab", "1", "VOL01"},
             {volRule, "7x", "7x", "VOL07"},   {volRule, "", "", ""},          {volRule, " 5", "", ""},
             {volRule, " 0", "1", "VOL01"},    {volRule, ".5", ".5", "VOL00"}, {volRule, "1.5", "1.5", "VOL02"},
             {volRule, "&H10", "&H10", "VOL16"},
             {ch, "0", "", ""},  {ch, "-3", "", ""},  {ch, " 5", " 5", "CH05"}, {ch, ".4", ".4", "CH00"},
             {rad, "", "", ""},  {rad, "99", "99", "RAD99"},
             {pitRule, "0", "", ""},         {pitRule, "ab", "", ""},         {pitRule, "150", "99", "PIT99"},
             {pitRule, "1e2", "99", "PIT99"}, {pitRule, "-5", "-5", "PIT-05"}, {pitRule, ".4", ".4", "PIT00"},
             // clang-format on
         }) {
        const ValueEdit e = rule(typed);
        EXPECT_EQ(e.text + "|" + e.field, shown + "|" + field) << '"' << typed << '"';
    }
}

TEST(ShowSoundFields, ValueBoxesSamplesAndFlagsWhereRAndNExcludeEachOther) {
    SoundOpen l("ONE:\t\t\to1 o2\t\t\tVOL08\tP   N\t\tPIT-10\tRAD05\t#a");
    const SoundEditors& ed = l.state.ed;
    EXPECT_EQ(ed.txVol + "|" + ed.txCh + "|" + ed.txPit + "|" + ed.txRad + "|" + ed.curSample,
              "08||-10|05|o1");
    EXPECT_EQ(flags(l.state), "PN|PN");
    const std::tuple<FlagBox, bool, const char*> steps[] = {
        // clang-format off
        {FlagBox::R, true, "PR|PR"},     {FlagBox::R, false, "P|P"},      {FlagBox::N, true, "PN|PN"},
        {FlagBox::R, true, "PR|PR"},     {FlagBox::N, true, "PN|PN"},     {FlagBox::L, true, "PNL|PNL"},
        {FlagBox::V, true, "PVNL|PVNL"}, {FlagBox::P, false, "VNL|VNL"},
        // clang-format on
    };
    for (const auto& [box, on, after] : steps) {
        setFlagBox(l.state, box, on);
        EXPECT_EQ(flags(l.state), after);
    }

    SoundOpen m("ONE:"); // no samples: nothing to play or rename
    EXPECT_FALSE(m.state.ed.txSampEnabled || m.state.buttons.play || m.state.buttons.rename);
    m.state.currentRow = m.state.soundCount(); // past the last sound: nothing shown
    m.state.buttons.setAll(false);
    showCurrentSound(m.state);
    EXPECT_FALSE(m.state.buttons.majVal);
}

TEST(ShowSoundFields, LettersListSelectsExactlyTheCurrentLetter) {
    for (const auto& [wad, letter, wadName, items, selected, wadNameAfter] : std::initializer_list<
             std::tuple<std::string, const char*, const char*, Args, int, const char*>>{
             {"#a #zz", "b", "BRIDGE", {"#a - Harbour", "#zz - ??"}, -1, "BRIDGE"},
             {"#b", "b", "BRIDGE", {"#b - Bridge"}, 0, "BRIDGE"},
             {"#q", "q", "", {"#q - ??"}, 0, "??"},
             {"#q", "q", "MYWAD", {"#q - MYWAD"}, 0, "MYWAD"},
             {"#q", "r", "", {"#q - ??"}, -1, ""},
             {"#ab #a", "a", "HARBOUR", {"#ab - Abbey", "#a - Harbour"}, 1, "HARBOUR"},
             {"#ab", "a", "HARBOUR", {"#ab - Abbey"}, -1, "HARBOUR"},
             {"#a", "", "", {"#a - Harbour"}, -1, ""},
         }) {
        SCOPED_TRACE(wad + " / " + letter);
        SoundOpen l("ONE:\t\t\to\t\t\t\tVOL05\t\t\t\t\t" + wad);
        l.state.choice.txLett = letter;
        l.state.choice.txWad = wadName;
        showSoundFields(l.state);
        EXPECT_EQ(l.state.ed.liWad, items);
        EXPECT_EQ(l.state.ed.liWadSel, selected);
        EXPECT_EQ(l.state.choice.txWad, wadNameAfter);
    }
}

TEST(AcceptValues, WritesOnlyTheCurrentLine) {
    SoundOpen l("ONE:\t\t\to\t\t\t\tVOL05\t\t\t\t\t#a");
    const auto before = l.state.liText;
    l.state.ed.txPit = "150";
    leaveValueBox(l.state, ValueBox::Pit);
    setFlagBox(l.state, FlagBox::L, true);
    EXPECT_EQ(l.state.liText, before); // nothing until accepted
    acceptValues(l.state);
    EXPECT_EQ(l.state.liText.strings(),
              (Args{std::string(before[0]), "ONE:\t\t\to\t\t\t\tVOL05\t      L\t\tPIT99\t\t#a",
                    std::string(before[2])}));
    EXPECT_EQ(l.state.txModif, fieldView(l.state.cur));

    l.state.currentRow = -1; // no current sound: nothing to write
    l.state.cur.vol = "VOL77";
    const auto accepted = l.state.liText;
    acceptValues(l.state);
    rebuildWadLetters(l.state);
    EXPECT_EQ(l.state.liText, accepted);

    showRow(l.state, 0); // the first sound is written like any other
    l.state.ed.txVol = "3";
    leaveValueBox(l.state, ValueBox::Vol);
    acceptValues(l.state);
    EXPECT_EQ(l.line(0), "ZERO:\t\t\tz\t\t\t\tVOL03\t\t\t\t\t");
}

TEST(RenameSample, NamesMustFitInThirtyTwoAndHoldNoBlankOrFolder) {
    const std::string four7 = "aaaaaaa bbbbbbb ccccccc ddddddd";
    // No refusal: the name is taken.
    for (const auto& [samples, typed, k, refusal] :
         std::initializer_list<std::tuple<std::string, std::string, int, std::optional<Msg>>>{
             {"aaaaaaaa bbbbbbbb ccccccc", "dddddddd", 2, {}}, // 27
             {four7, "eeeeeee", 0, {}},                        // 32
             {four7, "eeeeeeee", 0, Msg::SampleTooLong},       // 33
             {"a", std::string(31, 'x'), 0, {}},
             {"a", std::string(32, 'x'), 0, Msg::SampleTooLong},
             {"o1 o2", "ab cd", 1, Msg::SampleHasSpace},
             {"o1 o2", "ab\x7f", 1, Msg::SampleHasSpace},
             {"o1 o2", "../../ab", 1, Msg::SampleHasFolder},
             {"o1 o2", "sub\\ab", 1, Msg::SampleHasFolder},
             {"o1 o2", "a..b", 1, Msg::SampleHasFolder},
         }) {
        SCOPED_TRACE(typed);
        SoundOpen l("ONE:\t\t\t" + samples + "\tVOL05");
        l.addWav(typed);
        const std::string before = l.line(1);
        l.rename(k, typed);
        const bool taken = !refusal;
        EXPECT_EQ(l.firstMessage(), refusal);
        EXPECT_EQ(l.fake.dialogs.focused, taken ? Args{} : Args{"TxSamp"});
        EXPECT_EQ(l.state.ed.txSamp, typed); // refused, it stays to be corrected
        EXPECT_EQ(l.state.ed.curSample == typed && l.state.cur.samples[std::size_t(k)] == typed,
                  taken);
        EXPECT_EQ(parseSoundLine(l.line(1)), taken ? l.state.cur : parseSoundLine(before));
    }
}

TEST(RenameSample, EmptyBoxMissingFileAndPendingValues) {
    SoundOpen l("ONE:\t\t\to1 o2\t\t\tVOL05\tP\t\t\t\t#a");
    const std::string before = l.line(1);
    l.rename(1, ""); // the name comes back, nothing else changes
    EXPECT_EQ(l.state.ed.txSamp, "o2");
    EXPECT_EQ(l.line(1), before);

    // A value left in its box but not accepted goes into the line with the rename;
    // a missing .wav is only a warning.
    l.state.ed.txVol = "42";
    leaveValueBox(l.state, ValueBox::Vol);
    l.rename(1, "missing");
    EXPECT_EQ(l.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(l.firstMessage(), Msg::SampleMissingRename);
    EXPECT_EQ(l.fake.dialogs.shown[0].args, (Args{"missing", l.state.dirs.sampleDir}));
    EXPECT_EQ(l.line(1), "ONE:\t\t\to1 missing\t\t\tVOL42\tP\t\t\t\t#a");
    EXPECT_EQ(l.state.txModif, fieldView(parseSoundLine(l.line(1))));

    // An overlong name and an eleventh sample survive a rename.
    const std::string longName = "A_SOUND_NAME_LONGER_THAN_THE_FIELD:";
    SoundOpen m(longName + "\ta b c d e f g h i j k\tVOL05");
    m.addWav("z");
    m.rename(10, "z");
    EXPECT_EQ(m.line(1), longName + "\ta b c d e f g h i j z\t\tVOL05\t\t\t\t\t");
}

TEST(PlaySample, PlaysTheChosenSampleOrSaysItIsMissing) {
    SoundOpen l("ONE:\t\t\to1 o2\t\t\tVOL05");
    l.addWav("typed");
    l.state.ed.txSamp = "typed"; // typed but not renamed: Play ignores it
    playSample(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.sound.played, Args{l.state.dirs.sampleDir + "O1.WAV"});

    l.fake.files.files.erase(l.state.dirs.sampleDir + "O2.WAV");
    selectSample(l.state, 1);
    playSample(l.state, l.fake.ports);
    l.state.ed.curSample.clear(); // nothing chosen: nothing happens
    playSample(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.sound.played.size(), 1u);
    EXPECT_EQ(l.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(l.firstMessage(), Msg::SampleMissingPlay);
    EXPECT_EQ(l.fake.dialogs.shown[0].args, (Args{"o2", l.state.dirs.sampleDir}));

    // A stored name never leads out of the samples folder, even to a file.
    SoundOpen m("ONE:\t\t\t../escape\t\t\tVOL05");
    m.fake.files.files[m.state.dirs.sampleDir + "../escape.wav"] = "RIFF";
    playSample(m.state, m.fake.ports);
    EXPECT_TRUE(m.fake.sound.played.empty());
    EXPECT_EQ(m.firstMessage(), Msg::SampleMissingPlay);

    // A file that cannot be played says why, once.
    selectSample(l.state, 0);
    l.fake.sound.failure = "not a wave file";
    playSample(l.state, l.fake.ports);
    playSample(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.size(), 2u);
    EXPECT_EQ(l.fake.dialogs.shown.back().id, Msg::SampleNotPlayable);
    EXPECT_EQ(l.fake.dialogs.shown.back().args.at(1), "not a wave file");

    // Without an audio output, the first Play says so, and only the first.
    l.fake.sound.output = false;
    playSample(l.state, l.fake.ports);
    playSample(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.sound.played.size(), 3u);
    EXPECT_EQ(l.fake.dialogs.shown.size(), 3u);
    EXPECT_EQ(l.fake.dialogs.shown.back().id, Msg::NoAudioOutput);
}
