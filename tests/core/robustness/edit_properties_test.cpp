// Random edit sequences through the editors, then Apply and a reload: the
// lines no step touched come back byte for byte, and the reloaded catalogue
// is the working one.

#include "actions/catalogue.h"
#include "actions/marks.h"
#include "format/record_file.h"
#include "actions/sound_list.h"
#include "actions/apply.h"
#include "actions/current_sound.h"
#include "actions/current_sound.h"
#include "installation.h"
#include "actions/letters.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

// Sounds of several shapes (letters, "#g", flags after the letters, values
// missing), the protected sound 27 among them, with a heading and a blank
// line that are not sounds.
std::vector<std::string> catalogueLines() {
    const char* const shapes[] = {
        "S%:\t\t\ts%a\t\t\t\tVOL10\t\tCH01\t\t\t#a",
        "S%:\t\t\ts%a s%b\t\t\t\tVOL20\tP V\tCH02\tPIT-05\tRAD10\t#b #a",
        "S%:\t\t\ts%a\t\t\t\tVOL30\t\t\t\t\t#g",
        "S%:\ts%a  VOL08 L #ab",
        "S%:\t\t\ts%a s%b s%c\t\t\t\tVOL40\tR\tCH03",
        "S%:\t\t\ts%a\t\t\t\tVOL05\t\t\t\t\t#a L",
    };
    std::vector<std::string> lines = {"; generated sounds", ""};
    for (int id = 0; id < 36; ++id) {
        std::string line = shapes[id % 6];
        for (std::size_t at = line.find('%'); at != std::string::npos; at = line.find('%'))
            line.replace(at, 1, std::to_string(id));
        lines.push_back(line);
    }
    return lines;
}

// One random step on the current sound, or a click or an opening of a row;
// each step is logged, and the rows it started and ended on are "touched".
class Sequence {
public:
    Sequence(unsigned seed, Loaded& l) : rng_(seed), s_(l.state), ports_(l.fake.ports) {}

    void step() {
        if (s_.currentRow >= 0) touched.insert(s_.currentRow);
        static const char* const values[] = {"", "0", "7", "42", "99", "150", "-5", " 3", "x", "2.5"};
        static const char* const samples[] = {"n1", "x#a", "b\xe9l", "two words", "",
                                              "veryveryverylongsamplename"};
        const int row = pick(0, s_.soundCount() - 1);
        const int a = pick(0, 4), b = pick(0, 9);
        switch (pick(0, 9)) {
        case 0: log("click", row); clickRow(s_, ports_, row); break;
        case 1: log("open", row); makeRowCurrent(s_, ports_, row); break;
        case 2:
        case 3: {
            const auto box = static_cast<ValueBox>(a % 4);
            log("value", a % 4, values[b]);
            (box == ValueBox::Vol ? s_.ed.txVol : box == ValueBox::Ch ? s_.ed.txCh
             : box == ValueBox::Pit ? s_.ed.txPit : s_.ed.txRad) = values[b];
            leaveValueBox(s_, box);
            break;
        }
        case 4:
            log("flag", a, b % 2 ? "on" : "off");
            setFlagBox(s_, static_cast<FlagBox>(a), b % 2 == 1);
            break;
        case 5: log("accept"); acceptValues(s_); break;
        case 6: {
            const int k = pick(-1, static_cast<int>(s_.ed.liSamp.size()) - 1);
            log("rename", k, samples[b % 6]);
            selectSample(s_, k);
            s_.ed.txSamp = samples[b % 6];
            renameSample(s_, ports_);
            break;
        }
        case 7: log("add letter"); addLetter(s_, ports_); break;
        case 8:
            s_.ed.liWadSel = pick(-1, static_cast<int>(s_.ed.liWad.size()) - 1);
            log("remove letter", s_.ed.liWadSel);
            removeLetter(s_, ports_);
            break;
        case 9: log("restore line"); restoreLine(s_); break;
        }
        if (s_.currentRow >= 0) touched.insert(s_.currentRow);
    }

    std::set<int> touched;
    std::string steps;

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    void log(const char* what, int n = -2, const char* text = nullptr) {
        steps += what;
        if (n != -2) steps += " " + std::to_string(n);
        if (text) steps += std::string(" '") + text + "'";
        steps += "; ";
    }

    std::mt19937 rng_;
    MainState& s_;
    Ports& ports_;
};

} // namespace

TEST(EditProperties, ApplyKeepsUntouchedLinesAndReloadsTheWorkingOnes) {
    Installation inst;
    inst.sounds = catalogueLines();
    inst.defaults = {inst.sounds.begin() + 2, inst.sounds.end()};
    const std::vector<std::string>& file = inst.sounds;

    for (unsigned seed = 1; seed <= 300; ++seed) {
        Loaded l(inst);
        ASSERT_EQ(l.state.liText, inst.defaults) << "the catalogue loads as written";
        Sequence seq(seed, l);
        for (int n = 0; n < 25; ++n) seq.step();
        const std::vector<std::string> working = l.state.liText;
        SCOPED_TRACE("seed " + std::to_string(seed) + ": " + seq.steps);

        l.fake.dialogs.answers = {Answer::Yes};
        applyChanges(l.state, l.fake.ports);
        const auto written = splitLines(l.fake.files.bytes(inst.pathOf("Sounds.txt")));
        ASSERT_EQ(written.size(), file.size());
        for (std::size_t i = 0; i < file.size(); ++i) {
            const int id = static_cast<int>(i) - 2;
            const bool edited = id >= 0 && seq.touched.count(id);
            EXPECT_EQ(written[i], edited ? working[static_cast<std::size_t>(id)] : file[i])
                << "line " << i;
        }

        loadCatalogue(l.state, l.fake.ports);
        ASSERT_EQ(l.state.liText, working);
    }
}
