#include "actions/catalogue.h"
#include "actions/sound_list.h"
#include "actions/current_sound.h"
#include "actions/current_sound.h"
#include "fake_ports.h"
#include "installation.h"

#include <cctype>
#include <gtest/gtest.h>
#include <optional>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

// Sound 1 is open in the editors and the .wav of each of its samples exists.
struct SoundOpen : kestrel::testing::Loaded {
    explicit SoundOpen(const std::string& line) : kestrel::testing::Loaded(installation(line)) {
        makeRowCurrent(state, fake.ports, 1);
        for (const auto& name : state.cur.samples) addWav(name);
    }
    static Installation installation(const std::string& line) {
        Installation inst;
        inst.sounds = {"ZERO:\t\t\tz\t\t\t\tVOL01", line};
        return inst;
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
    const std::string& line() { return kestrel::testing::Loaded::line(1); }
};

} // namespace

TEST(RenameSample, NamesMustFitInThirtyTwoAndHoldNoBlank) {
    const std::string four7 = "aaaaaaa bbbbbbb ccccccc ddddddd";
    const struct {
        std::string samples, typed;
        int k;
        std::optional<Msg> refusal; // none: accepted
    } cases[] = {
        {"aaaaaaaa bbbbbbbb ccccccc", "dddddddd", 2, {}}, // 27
        {four7, "eeeeeee", 0, {}},                        // 32
        {four7, "eeeeeeee", 0, Msg::SampleTooLong},       // 33
        {"a", std::string(31, 'x'), 0, {}},
        {"a", std::string(32, 'x'), 0, Msg::SampleTooLong},
        {"o1 o2", "ab cd", 1, Msg::SampleHasSpace},
        {"o1 o2", "ab\tcd", 1, Msg::SampleHasSpace},
        {"o1 o2", "ab\x01", 1, Msg::SampleHasSpace},
        {"o1 o2", "ab\x7f", 1, Msg::SampleHasSpace},
        {"o1 o2", "../../ab", 1, Msg::SampleHasFolder},
        {"o1 o2", "sub\\ab", 1, Msg::SampleHasFolder},
        {"o1 o2", "a..b", 1, Msg::SampleHasFolder},
    };
    for (const auto& c : cases) {
        SoundOpen l("ONE:\t\t\t" + c.samples + "\tVOL05");
        l.addWav(c.typed);
        const std::string before = l.line();
        l.rename(c.k, c.typed);
        if (!c.refusal) {
            EXPECT_TRUE(l.fake.dialogs.shown.empty()) << c.typed;
            EXPECT_EQ(l.state.ed.liSamp[static_cast<std::size_t>(c.k)], c.typed);
            EXPECT_EQ(l.state.ed.curSample, c.typed);
            EXPECT_EQ(parseSoundLine(l.line()), l.state.cur) << l.line();
            EXPECT_EQ(l.state.cur.samples, l.state.ed.liSamp);
        } else {
            ASSERT_EQ(l.fake.dialogs.shown.size(), 1u) << c.typed;
            EXPECT_EQ(l.fake.dialogs.shown[0].id, c.refusal) << c.typed;
            EXPECT_EQ(l.fake.dialogs.focused, std::vector<std::string>{"TxSamp"});
            EXPECT_EQ(l.line(), before);
            EXPECT_EQ(l.state.ed.txSamp, c.typed); // the typed text stays to be corrected
        }
    }
}

TEST(RenameSample, EmptyBoxMissingFileAndPendingValues) {
    SoundOpen l("ONE:\t\t\to1 o2\t\t\tVOL05\tP\t\t\t\t#a");
    const std::string before = l.line();
    l.rename(1, ""); // the name comes back, nothing else changes
    EXPECT_EQ(l.state.ed.txSamp, "o2");
    EXPECT_EQ(l.line(), before);
    EXPECT_TRUE(l.fake.dialogs.shown.empty());

    // A value left in its box but not accepted goes into the line with the rename;
    // a missing .wav is only a warning.
    l.state.ed.txVol = "42";
    leaveValueBox(l.state, ValueBox::Vol);
    l.rename(1, "missing");
    ASSERT_EQ(l.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(l.fake.dialogs.shown[0].id, Msg::SampleMissingRename);
    EXPECT_EQ(l.fake.dialogs.shown[0].args,
              (std::vector<std::string>{"missing", l.state.dirs.sampleDir}));
    EXPECT_EQ(l.line(), "ONE:\t\t\to1 missing\t\t\tVOL42\tP\t\t\t\t#a");
    EXPECT_EQ(l.state.ed.curSample, "missing");

    // An overlong name and an eleventh sample survive a rename.
    const std::string longName = "A_SOUND_NAME_LONGER_THAN_THE_FIELD:";
    SoundOpen m(longName + "\ta b c d e f g h i j k\tVOL05");
    m.addWav("z");
    m.rename(10, "z");
    EXPECT_EQ(m.line(), longName + "\ta b c d e f g h i j z\t\tVOL05\t\t\t\t\t");
}

TEST(PlaySample, PlaysTheChosenSampleOrSaysItIsMissing) {
    SoundOpen l("ONE:\t\t\to1 o2\t\t\tVOL05");
    l.addWav("typed");
    l.state.ed.txSamp = "typed"; // typed but not renamed: Play ignores it
    playSample(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.sound.played, std::vector<std::string>{l.state.dirs.sampleDir + "O1.WAV"});

    l.fake.files.files.erase(l.state.dirs.sampleDir + "O2.WAV");
    selectSample(l.state, 1);
    playSample(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.sound.played.size(), 1u);
    ASSERT_EQ(l.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(l.fake.dialogs.shown[0].id, Msg::SampleMissingPlay);
    EXPECT_EQ(l.fake.dialogs.shown[0].args,
              (std::vector<std::string>{"o2", l.state.dirs.sampleDir}));

    l.state.ed.curSample.clear(); // nothing chosen: nothing happens
    playSample(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.sound.played.size() + l.fake.dialogs.shown.size(), 2u);

    // A stored name never leads out of the samples folder, even to a file.
    SoundOpen m("ONE:\t\t\t../escape\t\t\tVOL05");
    m.fake.files.files[m.state.dirs.sampleDir + "../escape.wav"] = "RIFF";
    playSample(m.state, m.fake.ports);
    EXPECT_TRUE(m.fake.sound.played.empty());
    EXPECT_TRUE(m.fake.dialogs.showed(Msg::SampleMissingPlay));
}
