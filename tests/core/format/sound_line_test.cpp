#include "format/field_view.h"
#include "format/names.h"
#include "format/sound_line.h"

#include <cfenv>
#include <gtest/gtest.h>
#include <limits>

using namespace kestrel;

namespace {

std::string fields(const SoundRecord& r) {
    std::string samples;
    for (const auto& s : r.samples) samples += s + ",";
    return r.name + "|" + samples + "|" + r.vol + "|" + r.p + r.v + r.rn + r.l + "|" + r.ch + "|" +
           r.pit + "|" + r.rad + "|" + r.letters;
}

} // namespace

TEST(ParseSoundLine, ReadsEveryField) {
    const std::pair<const char*, const char*> cases[] = {
        // name | samples | vol | flags | ch | pit | rad | letters
        {"A:\ts1\tVOL80\t", "A:|s1,|VOL80|||||"},
        {"A:\ts1\tVOL5 ", "A:|s1,|VOL05|||||"},
        {"A:\ts1\tVOL123 CH-45 PIT-123",
         "A:|s1,|VOL12||CH-04|PIT-12||"}, // two characters, three for a PIT sign
        {"A:\ts1\tPIT-5 ", "A:|s1,||||PIT-05||"},
        {"A:\ts1\tPIT-12", "A:|s1,||||PIT-12||"},
        {"A:\ts1\tPIT12", "A:|s1,||||PIT12||"},
        {"A:\ts1\tVOL", "A:|s1,|VOL00|||||"},               // characters past the end are absent
        {"A:\ts1\tVOLxy CH1", "A:|s1,|VOL00||CH01|||"},     // no digits give 0
        {"A:\ts1\tRAD.9\t", "A:|s1,|||||RAD01|"},           // rounding to the nearest
        {"A:\ts1\tRAD.5\t", "A:|s1,|||||RAD00|"},           // a half goes to the even neighbour
        {"A:\ts1\tCH 3\t", "A:|s1,|||CH03|||"},             // blanks inside are ignored
        {"A:\tVOL99 pit\tCH02", "A:|VOL99,pit,|||CH02|||"}, // the list starts after the colon
        {"A:\ts1 s2", "A:|s1,s2,||||||"},                   // the list runs to the end: no tail
        {"DOOR:\t\tab cd  VOL08", "DOOR:|ab,cd,|VOL08|||||"},
        {"DOOR: ab cd", "DOOR:|ab,cd,||||||"},
        {"  s1\tVOL10", "|s1,|VOL10|||||"}, // no colon: read from the first non-blank
        {"A#:", "A#:|||||||"},              // no samples: no tail, so no letters
        {"A:\ts\tVOL08\tP V\tCH01", "A:|s,|VOL08|PV|CH01|||"},
        {"A:\ts\tVOL08\tR N\t", "A:|s,|VOL08|N||||"}, // both: N wins
        {"A:\ts\tVOL08\tR\t", "A:|s,|VOL08|R||||"},
        {"A:\ts\tVOL08\t#P P ", "A:|s,|VOL08|||||#P"}, // only the first occurrence is judged
        {"A:\ts\tVOL08\t#a L", "A:|s,|VOL08|L||||#a"}, // a flag that ends the line counts
        {"A:\ts\tVOL08\t#L", "A:|s,|VOL08|||||#L"},    // ...but not a letter code
        {"A:\ts\tCH01\tVOL", "A:|s,|VOL00||CH01|||"},  // ...nor the end of a keyword
        {"A:\ts\tVOL08\t#aL", "A:|s,|VOL08|||||#aL"},  // ...nor of a tag
        {"A:\tPs\tVOL08", "A:|Ps,|VOL08|||||"},        // samples are never flags
        {"A:\tP V", "A:|P,V,||||||"},
        {"X:\tVOL80\t", "X:|VOL80,||||||"},
        {"A:\ts\tVOL08\t#a #f", "A:|s,|VOL08|||||#a #f"},
        {"A:\ts\tVOL08\t##b", "A:|s,|VOL08|||||# #b"},
        {"A:\ts#x\tVOL08\t#c", "A:|s#x,|VOL08|||||#c"},
        {"A#z:\tk#y\t#b\tCH01", "A#z:|k#y,|||CH01|||#b"}, // no VOL: after the sample list
        {"VOLCANO:\tk#y\tVOL01\t#b", "VOLCANO:|k#y,|VOL01|||||#b"},
        {"N\xe9\xff:\ts\x80\tVOL01", "N\xe9\xff:|s\x80,|VOL01|||||"},
    };
    for (const auto& [line, want] : cases) EXPECT_EQ(fields(parseSoundLine(line)), want) << line;
}

TEST(HasLetterTag, MatchesWholeTagsInTheLetterTail) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"A:\ts\tVOL08\t#a", "#a", true},     {"A:\ts\tVOL08\t#a #b", "#a", true},
        {"A:\ts\tVOL08\t#b#a\t", "#a", true}, {"A:\ts\tVOL08\t#ab #a", "#a", true},
        {"A:\ts\tVOL08\t#ab", "#a", false},   {"A:\ts\tVOL08\t#gx", "#g", false},
        {"A#a:\ts#a\tVOL08\t", "#a", false},  {"A:\ts\tVOL08\t#a", "", false},
    };
    for (const auto& [line, tag, has] : cases) EXPECT_EQ(hasLetterTag(line, tag), has) << line;
}

TEST(Numbers, PadReadAndRound) {
    const std::tuple<int, int, char, const char*> pads[] = {
        {8, 2, '0', "08"},    {-5, 2, '0', "-05"},    {27, 3, ' ', " 27"},
        {270, 3, ' ', "270"}, {1234, 3, ' ', "1234"}, {0, 2, '0', "00"},
    };
    for (const auto& [n, width, fill, text] : pads) EXPECT_EQ(padNumber(n, width, fill), text);
    const std::pair<const char*, double> reads[] = {
        {"12", 12},   {" 1 2", 12}, {"-5", -5},   {"+7x", 7},    {"3.25", 3.25}, {".5", 0.5},
        {"1e2", 100}, {"2E", 2},    {"&H1F", 31}, {"&hff", 255}, {"&o17", 15},   {"&", 0},
        {"abc", 0},   {"", 0},      {"-", 0},     {"4-", 4},     {"&HA", 10},    {"1E1", 10},
        {"1d1", 10},  {"1D1", 10},  {"&ha", 10},  {"&H1!", 1},
    };
    for (const auto& [text, value] : reads)
        EXPECT_DOUBLE_EQ(readLeadingNumber(text), value) << text;
    // Too small for a double, yet not zero, and of its sign.
    const double least = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(std::pair(readLeadingNumber("1e-999"), readLeadingNumber("-1e-999")),
              std::pair(least, -least));
    const double inf = std::numeric_limits<double>::infinity(); // clamped, never zeroed
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, int> rounds[] = {{2.5, 2},     {3.5, 4},       {-0.5, 0}, {1e9, 32767},
                                             {inf, 32767}, {-inf, -32768}, {nan, 0}};
    std::fesetround(FE_UPWARD); // the caller's rounding mode is left as it was
    for (const auto& [value, rounded] : rounds) EXPECT_EQ(roundHalfEven(value), rounded) << value;
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    std::fesetround(FE_TONEAREST);
}

TEST(TextHelpers, TrimKeepsTabs) {
    const std::pair<const char*, const char*> cases[] = {
        {"ab  ", "ab"}, {"ab\t ", "ab\t"}, {"   ", ""}};
    for (const auto& [text, trimmed] : cases) EXPECT_EQ(trimTrailingSpaces(text), trimmed);
}

TEST(FieldView, PutsEveryFieldInItsColumn) {
    const SoundRecord r =
        parseSoundLine("BELL:\t\tb1 b2\t\t\tVOL08\tP     L\tCH02\t\tRAD10\t#g #a");
    EXPECT_EQ(fieldView(r), fixedWidth("b1 b2 ", 32) + "VOL08   P     L CH02    " +
                                std::string(8, ' ') + "RAD10   #g #a");
}

// Windows' device names stand for devices whatever their extension.
TEST(Names, DevicesAreRefusedAsWadNames) {
    const std::pair<const char*, bool> names[] = {
        {"COM1", false}, {"lpt9.sam", false}, {"Nul", false},    {"COM0", true},
        {"ABC1", true},  {"COMA", true},      {"CONSOLE", true}, {"COM10", true}};
    for (const auto& [name, safe] : names) EXPECT_EQ(isSafeWadName(name), safe) << name;
}
