#include "actions/search.h"
#include "actions/sound_list.h"
#include "installation.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

// Sounds 0–129, with a few names and samples to find; 27, 59 and 110 are
// protected; 7 and 90 carry the current letter b.
Installation searchable() {
    Installation inst;
    inst.sounds = Installation::numberedSounds(130);
    inst.sounds[5] = "DOOR_OPEN:\t\tDOOR1\t\tVOL10";
    inst.sounds[7] += " #b";
    inst.sounds[20] = "GATE:\t\tsnd12 creak\t\tVOL10";
    inst.sounds[27] = "SECRET:\t\tsecretword\t\tVOL10";
    inst.sounds[40] = "Door_Slam:\t\tslam\t\tVOL10";
    inst.sounds[41] = "BAR:\t\tcaf\xE9\t\tVOL10"; // Windows-1252 é
    inst.sounds[90] += " #b";
    inst.settings.letter = "b";
    return inst;
}

} // namespace

TEST(Search, OneStepGoesOneWayWithoutWrappingRound) {
    Loaded s(searchable());
    const int last = s.state.soundCount() - 1;
    const std::tuple<std::string, int, bool, bool, int> cases[] = {
        {"", -1, false, false, 0},  // no current row: down starts at row 0
        {"", -1, true, false, -1},  // and up finds nothing
        {"", 26, false, false, 28}, // over a protected sound
        {"", 28, true, false, 26},
        {"", last, false, false, last}, // nothing below the last row
        {"", 0, true, false, 0},        // nothing above the first
        {"DOOR", 6, false, false, 40},  // in any case
        {"DOOR", 39, true, false, 5},
        {"DOOR", 41, false, false, 41},     // not found: nothing changes
        {"Door", 0, false, true, 40},       // Door does not match DOOR
        {"secretword", 0, false, false, 0}, // only in a protected sound's line
        {"12", 0, false, false, 12},        // the row of sound 12, not the sample snd12 of sound 20
        {"12", 12, false, false, 112},
        {"0.5", 0, false, false, 0},    // a non-zero number: rows only, none holds it
        {"snd12", 0, false, false, 20}, // not a number: the whole line
        {"0 creak", 0, false, false, 0},
        {"CAF\xC9", 0, false, false, 41}, // É is the upper case of é
        {"CAF\xC9", 0, false, true, 0},
        {kLetterMarkSearch, 0, false, false, 7},
        {kLetterMarkSearch, 7, false, false, 90},
    };
    for (const auto& [text, from, up, exact, found] : cases) {
        s.state.search = {text, up, exact};
        makeRowCurrent(s.state, s.fake.ports, from);
        searchStep(s.state, s.fake.ports);
        EXPECT_EQ(s.state.currentRow, found) << text << " from " << from;
    }
}

TEST(Search, LeadingNumbersNeverOverflowAndReadZeroOnlyForZero) {
    const std::string digits(10000, '9');
    for (const std::string& text :
         {std::string("1e999"), std::string("&HFFFFFFFFFFFFFFFFFFFF"), digits,
          std::string("-1e-999"), "0." + std::string(500, '0') + "1"})
        EXPECT_TRUE(searchesIdsOnly(text)) << text.substr(0, 20);
    for (const char* text : {"", "0", "-0", "0.0", "0e5", "abc", ":[OK]", "&H", "&Q1"})
        EXPECT_FALSE(searchesIdsOnly(text)) << text;
    for (const auto& [c, upper] :
         {std::pair{'\xF7', '\xF7'}, {'\xFF', '\x9F'}, {'\xDF', '\xDF'}, {'\xFE', '\xDE'}})
        EXPECT_EQ(upperCase1252(c), upper) << int(c); // ÷ has no case, ß stays
    EXPECT_TRUE(holdsText("Gaze", "GAZE", false));    // the whole text, z included
}
