#include "actions/search.h"
#include "actions/sound_list.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

// Sounds 0–129, with a few names and samples to find; 27, 59 and 110 are
// protected.
Installation searchInstallation() {
    Installation inst;
    inst.sounds = Installation::numberedSounds(130);
    inst.sounds[5] = "DOOR_OPEN:\t\tDOOR1\t\tVOL10";
    inst.sounds[20] = "GATE:\t\tsnd12 creak\t\tVOL10";
    inst.sounds[27] = "SECRET:\t\tsecretword\t\tVOL10";
    inst.sounds[40] = "Door_Slam:\t\tslam\t\tVOL10";
    inst.sounds[41] = "BAR:\t\tcaf\xE9\t\tVOL10"; // Windows-1252 é
    return inst;
}

struct Search : Loaded {
    Search() : Loaded(searchInstallation()) {}
    int find(const std::string& text, int from, bool up = false, bool exact = false) {
        state.txSearch = text;
        state.searchUp = up;
        state.caseSensitive = exact;
        makeRowCurrent(state, fake.ports, from);
        searchStep(state, fake.ports);
        return state.currentRow;
    }
};

TEST(Search, OneStepGoesOneWayWithoutWrappingRound) {
    Search s;
    const int last = s.state.soundCount() - 1;
    struct Case {
        const char* text;
        int from;
        bool up;
        int found;
    } cases[] = {
        {"", -1, false, 0},       // no current row: down starts at row 0
        {"", -1, true, -1},       // and up finds nothing
        {"", 3, false, 4},        // an empty text matches the next row
        {"", 26, false, 28},      // over a protected sound
        {"", 28, true, 26},
        {"", last, false, last},  // nothing below the last row
        {"", 0, true, 0},         // nothing above the first
        {"DOOR", 6, false, 40},
        {"DOOR", 39, true, 5},
        {"DOOR", 41, false, 41},  // not found: nothing changes
        {"secretword", 0, false, 0}, // only in a protected sound's line
    };
    for (const Case& c : cases) EXPECT_EQ(s.find(c.text, c.from, c.up), c.found) << c.text << " " << c.from;
}

TEST(Search, ANumberFindsRowsOnlyAndTextFindsWholeLinesInAnyCase) {
    Search s;
    EXPECT_EQ(s.find("12", 0), 12);    // the row of sound 12, not the sample snd12 of sound 20
    EXPECT_EQ(s.find("12", 12), 112);  // then 112
    EXPECT_EQ(s.find("0.5", 0), 0);    // a non-zero number: rows only, none holds it
    EXPECT_EQ(s.find("snd12", 0), 20); // not a number: the whole line
    EXPECT_EQ(s.find("0 creak", 0), 0);
    EXPECT_EQ(s.find("creak", 0), 20);
    EXPECT_EQ(s.find("door1", 0), 5);             // in any case
    EXPECT_EQ(s.find("Door", 0, false, true), 40); // Door does not match DOOR
    EXPECT_EQ(s.find("CAF\xC9", 0), 41); // É is the upper case of é
    EXPECT_EQ(s.find("CAF\xC9", 0, false, true), 0);
}

TEST(Search, TheLetterMarkStepsThroughTheMarkedSounds) {
    Search s;
    s.state.txLett = "b";
    s.line(7) += " #b";
    s.line(90) += " #b";
    markSoundList(s.state, -1);
    EXPECT_EQ(s.find(kLetterMarkSearch, 0), 7);
    EXPECT_EQ(s.find(kLetterMarkSearch, 7), 90);
}

TEST(Search, LeadingNumbersNeverOverflowAndReadZeroOnlyForZero) {
    const std::string digits(10000, '9');
    for (const std::string& text : {std::string("1e999"), std::string("&HFFFFFFFFFFFFFFFFFFFF"), digits,
                                    std::string("1e-999"), std::string("-1e-999"),
                                    "0." + std::string(500, '0') + "1", std::string("0.5")})
        EXPECT_TRUE(searchesIdsOnly(text)) << text.substr(0, 20);
    for (const char* text : {"", "0", "-0", "0.0", "0e5", "abc", ":[OK]", "&H", "&Q1"})
        EXPECT_FALSE(searchesIdsOnly(text)) << text;
    EXPECT_EQ(upperCase1252('\xF7'), '\xF7'); // ÷ has no case
    EXPECT_EQ(upperCase1252('\xFF'), '\x9F');
    EXPECT_EQ(upperCase1252('\xDF'), '\xDF'); // ß stays
}

} // namespace
