// Catalogues at and past their limits, read, edited, applied and read again:
// no line is lost and what Apply writes ends every line with CR LF, whatever
// line ends sounds.txt had.

#include "actions/catalogue.h"
#include "actions/marks.h"
#include "format/record_file.h"
#include "actions/sound_list.h"
#include "actions/apply.h"
#include "actions/current_sound.h"
#include "actions/current_sound.h"
#include "installation.h"
#include "actions/doubles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

struct EdgeCase {
    const char* name;
    std::string bytes; // sounds.txt as found on disk
    int sounds;
    int editRow; // -1: nothing to open
};

std::string joined(const std::vector<std::string>& lines, const char* end, bool finalEnd = true) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += lines[i] + (i + 1 < lines.size() || finalEnd ? end : "");
    return out;
}

std::string numbered(int count) { return joinLinesCrLf(Installation::numberedSounds(count)); }

// Every byte from 0x80 to 0xFF in a name and in a sample.
std::string highBytes() {
    std::vector<std::string> lines;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string c(1, static_cast<char>(b)), d(1, static_cast<char>(0x17F - b));
        lines.push_back("N" + c + d + ":\t\t\ts" + c + d + "\t\t\t\tVOL01\t\t\t\t\t#a");
    }
    return joinLinesCrLf(lines);
}

// A sound line of exactly 10,000 characters, then a short one.
std::string longLine() {
    const std::string tail = ":\t" + std::string(4983, 's') + "\tVOL01\tP\t#a";
    return "LONG" + std::string(10000 - 4 - tail.size(), 'N') + tail + "\r\n" +
           "SHORT:\t\t\tx\t\t\t\tVOL02\r\n";
}

const std::vector<std::string> kMixed = {"; heading", "A:\t\t\ta1\t\t\t\tVOL01\t\t\t\t\t#a", "",
                                         "B:\t\t\tb1 b2\t\t\t\tVOL02\tP\tCH01\t\t\t#b"};

std::vector<EdgeCase> edgeCases() {
    return {
        {"NoSoundsAtAll", "", 0, -1},
        {"HeadingsOnly", "; nothing here\r\n\r\n", 0, -1},
        {"ExactlyTheCatalogueSize", numbered(kCatalogueSize), 370, 369},
        {"OneSoundPastIt", numbered(kCatalogueSize + 1), 371, 370},
        {"TenThousandSounds", numbered(10000), 10000, 9999},
        {"ALineOfTenThousandCharacters", longLine(), 2, 0},
        {"BytesFrom0x80To0xFF", highBytes(), 128, 5},
        {"CrLf", joined(kMixed, "\r\n"), 2, 1},
        {"LfOnly", joined(kMixed, "\n"), 2, 1},
        {"NoFinalLineEnd", joined(kMixed, "\r\n", false), 2, 0},
        {"LfOnlyWithoutFinalLineEnd", joined(kMixed, "\n", false), 2, 1},
    };
}

void PrintTo(const EdgeCase& c, std::ostream* os) { *os << c.name; }

class EdgeCatalogue : public ::testing::TestWithParam<EdgeCase> {};

} // namespace

TEST_P(EdgeCatalogue, LoadsEditsAppliesAndReloadsWithoutLoss) {
    const EdgeCase& c = GetParam();
    const std::vector<std::string> lines = splitLines(c.bytes);
    std::vector<std::string> soundLines;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(soundLines),
                 [](const std::string& l) { return l.find(':') != std::string::npos; });

    Installation inst;
    inst.defaults = soundLines;
    // The places on both sides of the catalogue size are marked unselected.
    inst.doubles = "369,\"   \",\"\",\"\",\"\",\"\"\r\n370,\"   \",\"\",\"\",\"\",\"\"\r\n";
    Loaded l(inst);
    const std::string soundsPath = inst.pathOf("Sounds.txt");
    l.fake.files.files[soundsPath] = c.bytes;
    l.fake.dialogs.shown.clear();
    loadCatalogue(l.state, l.fake.ports);
    ASSERT_EQ(l.state.soundCount(), c.sounds);
    ASSERT_EQ(l.state.liText, soundLines);
    markSoundList(l.state, -1); // protected sounds lose the current letter here
    EXPECT_TRUE(l.state.catalogueComplete);
    if (c.sounds > kCatalogueSize) {
        ASSERT_EQ(l.fake.dialogs.shown.size(), 1u);
        EXPECT_EQ(l.fake.dialogs.shown[0].id, Msg::TooManySounds);
        EXPECT_EQ(l.fake.dialogs.shown[0].args, std::vector<std::string>{std::to_string(c.sounds)});
    } else {
        EXPECT_TRUE(l.fake.dialogs.shown.empty());
    }
    const auto& marks = l.state.doubleMarks;
    ASSERT_EQ(marks.size(), static_cast<std::size_t>(std::max(kCatalogueSize, c.sounds)));
    EXPECT_EQ(marks[369], kDoubleUnselected);
    if (c.sounds > kCatalogueSize) {
        EXPECT_EQ(marks[370], kDoubleUnselected);
    }

    if (c.editRow >= 0) {
        const auto row = static_cast<std::size_t>(c.editRow);
        EXPECT_EQ(l.state.rows[row].selected, hasLetterTag(soundLines[row], "#a"));
        makeRowCurrent(l.state, l.fake.ports, c.editRow);
        ASSERT_EQ(l.state.currentRow, c.editRow);
        l.state.ed.txVol = "42";
        leaveValueBox(l.state, ValueBox::Vol);
        acceptValues(l.state);
        l.state.ed.txSamp = "r\xe9\xff";
        renameSample(l.state, l.fake.ports);
        const SoundRecord edited = parseSoundLine(l.state.liText[row]);
        EXPECT_EQ(edited.vol, "VOL42");
        EXPECT_EQ(edited.sample(0), "r\xe9\xff");
        EXPECT_EQ(edited.name, parseSoundLine(soundLines[row]).name);
    }
    const std::vector<std::string> working = l.state.liText;

    l.fake.dialogs.answers = {Answer::Yes};
    l.fake.dialogs.shown.clear();
    applyChanges(l.state, l.fake.ports);
    ASSERT_EQ(l.fake.dialogs.shown.size(), 1u) << "nothing but the question";
    std::vector<std::string> expected = lines;
    for (std::size_t i = 0, next = 0; i < expected.size(); ++i)
        if (expected[i].find(':') != std::string::npos) expected[i] = working[next++];
    EXPECT_EQ(l.fake.files.bytes(soundsPath), joinLinesCrLf(expected));
    // The renamed sample makes the edited sound a custom line.
    EXPECT_EQ(l.fake.files.bytes(inst.appDir + "sounds/HARBOUR.tor"), customLinesBytes(l.state));
    EXPECT_EQ(customLinesBytes(l.state).empty(), c.editRow < 0);

    loadCatalogue(l.state, l.fake.ports);
    EXPECT_EQ(l.state.liText, working);
    EXPECT_EQ(l.state.soundsFile.bytes, joinLinesCrLf(expected));
}

INSTANTIATE_TEST_SUITE_P(Catalogues, EdgeCatalogue, ::testing::ValuesIn(edgeCases()),
                         [](const auto& info) { return std::string(info.param.name); });
