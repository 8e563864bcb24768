#include "format/sound_line.h"
#include "format/field_view.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrel;

TEST(ParseSoundLine, ReadsValuesOnlyFromTheTail) {
    const struct {
        const char *line, *vol, *ch, *pit, *rad;
    } cases[] = {
        {"A:\ts1\tVOL80\t", "VOL80", "", "", ""},
        {"A:\ts1\tVOL5 ", "VOL05", "", "", ""},
        {"A:\ts1\tPIT-5 ", "", "", "PIT-05", ""},
        {"A:\ts1\tPIT-12", "", "", "PIT-12", ""},
        {"A:\ts1\tPIT12", "", "", "PIT12", ""},
        {"A:\ts1\tVOL", "VOL00", "", "", ""},            // characters past the end are absent
        {"A:\ts1\tVOLxy CH1", "VOL00", "CH01", "", ""},  // no digits give 0
        {"A:\ts1\tRAD.9\t", "", "", "", "RAD01"},        // rounding to the nearest
        {"A:\ts1\tRAD.5\t", "", "", "", "RAD00"},        // a half goes to the even neighbour
        {"A:\ts1\tCH 3\t", "", "CH03", "", ""},          // blanks inside are ignored
        {"A:\tVOL99 pit\tCH02", "", "CH02", "", ""},     // VOL99 is a sample name here
        {"A:\ts1 s2", "", "", "", ""},                   // the list runs to the end: no tail
    };
    for (const auto& c : cases) {
        const SoundRecord r = parseSoundLine(c.line);
        EXPECT_EQ(r.vol + "|" + r.ch + "|" + r.pit + "|" + r.rad,
                  std::string(c.vol) + "|" + c.ch + "|" + c.pit + "|" + c.rad)
            << c.line;
    }
}

TEST(ParseSoundLine, SplitsTheSampleList) {
    SoundRecord r = parseSoundLine("DOOR:\t\tab cd  VOL08");
    EXPECT_EQ(r.samples, (std::vector<std::string>{"ab", "cd"}));
    EXPECT_EQ(r.samplesText(), "ab cd ");
    EXPECT_EQ(r.vol, "VOL08");

    r = parseSoundLine("DOOR: ab cd");
    EXPECT_EQ(r.samples, (std::vector<std::string>{"ab", "cd"}));
    EXPECT_TRUE(r.vol.empty());
    EXPECT_TRUE(r.p.empty());

    // The list starts at the first non-blank character after the colon.
    r = parseSoundLine("X:\tVOL80\t");
    EXPECT_EQ(r.samples, (std::vector<std::string>{"VOL80"}));
    EXPECT_TRUE(r.vol.empty());

    // A line without a colon has no name and is read from its first non-blank character.
    r = parseSoundLine("  s1\tVOL10");
    EXPECT_EQ(r.name, "");
    EXPECT_EQ(r.nameField(), std::string(24, ' '));
    EXPECT_EQ(r.samples, (std::vector<std::string>{"s1"}));
    EXPECT_EQ(r.vol, "VOL10");
}

TEST(ParseSoundLine, KeepsLongNamesAndEverySample) {
    const std::string longName = "A_VERY_LONG_SOUND_NAME_OF_30:";
    SoundRecord r = parseSoundLine(longName + "\ta b c d e f g h i j k l\tVOL01");
    EXPECT_EQ(r.name, longName);
    EXPECT_EQ(r.nameField(), longName.substr(0, 24));
    EXPECT_EQ(r.samples.size(), 12u);
    EXPECT_EQ(r.sample(11), "l");
    EXPECT_EQ(r.sample(12), "");
    EXPECT_EQ(r.samplesField().size(), 32u);
    EXPECT_EQ(r.vol, "VOL01");

    // 23 characters and the colon still fit the shown field.
    const std::string fits = std::string(23, 'N') + ":";
    EXPECT_EQ(parseSoundLine(fits + "\ts").nameField(), fits);
}

TEST(ParseSoundLine, ReadsFlags) {
    const struct {
        const char *line, *p, *v, *rn, *l;
    } cases[] = {
        {"A:\ts\tVOL08\tP V\tCH01", "P", "V", "", ""},
        {"A:\ts\tVOL08\tR N\t", "", "", "N", ""},   // both: N wins
        {"A:\ts\tVOL08\tR\t", "", "", "R", ""},
        {"A:\ts\tVOL08\t#P P ", "", "", "", ""},    // only the first occurrence is judged
        {"A:\ts\tVOL08\t#a L", "", "", "", "L"},    // a flag that ends the line counts
        {"A:\ts\tVOL08\t#L", "", "", "", ""},       // ...but not a letter code
        {"A:\ts\tCH01\tVOL", "", "", "", ""},       // ...nor the end of a keyword
        {"A:\ts\tVOL08\t#aL", "", "", "", ""},      // ...nor of a tag
        {"A:\tPs\tVOL08", "", "", "", ""},          // samples are never flags
        {"A:\tP V", "", "", "", ""},                // no tail, no flags
    };
    for (const auto& c : cases) {
        const SoundRecord r = parseSoundLine(c.line);
        EXPECT_EQ(r.p + "|" + r.v + "|" + r.rn + "|" + r.l,
                  std::string(c.p) + "|" + c.v + "|" + c.rn + "|" + c.l)
            << c.line;
    }
}

TEST(ParseSoundLine, ReadsWadLettersAfterVol) {
    EXPECT_EQ(parseSoundLine("A:\ts\tVOL08\t#a #f").letters, "#a #f");
    EXPECT_EQ(parseSoundLine("A:\ts\tVOL08\t##b").letters, "# #b");
    EXPECT_EQ(parseSoundLine("A:\ts#x\tVOL08\t#c").letters, "#c");
    // Without VOL the letters start after the sample list, never inside it.
    EXPECT_EQ(parseSoundLine("A#z:\tk#y\t#b\tCH01").letters, "#b");
    EXPECT_EQ(parseSoundLine("VOLCANO:\tk#y\tVOL01\t#b").letters, "#b");
    EXPECT_EQ(parseSoundLine("A:\ts\tVOL08\t").letters, "");
}

TEST(ParseSoundLine, SecondParseClearsTheFirst) {
    parseSoundLine("A:\ta b c d\tVOL08\tP\tCH01\tPIT-02\tRAD03\t#a");
    const SoundRecord r = parseSoundLine("B:\tz");
    EXPECT_EQ(r, (SoundRecord{"B:", {"z"}, "", "", "", "", "", "", "", "", ""}));
}

TEST(HasFlag, FirstOccurrenceDecides) {
    EXPECT_TRUE(hasFlag(0, 'P', "x P y"));
    EXPECT_TRUE(hasFlag(0, 'P', "x P\ty"));
    EXPECT_FALSE(hasFlag(0, 'P', "x #P P "));
    EXPECT_FALSE(hasFlag(3, 'P', "xP y"));
    EXPECT_TRUE(hasFlag(0, 'P', "x P"));
    EXPECT_FALSE(hasFlag(5, 'P', "x P"));
    EXPECT_FALSE(hasFlag(0, 'P', ""));
}

TEST(HasLetterTag, MatchesWholeTagsInTheLetterTail) {
    EXPECT_TRUE(hasLetterTag("A:\ts\tVOL08\t#a", "#a"));
    EXPECT_TRUE(hasLetterTag("A:\ts\tVOL08\t#a #b", "#a"));
    EXPECT_TRUE(hasLetterTag("A:\ts\tVOL08\t#b#a\t", "#a"));
    EXPECT_TRUE(hasLetterTag("A:\ts\tVOL08\t#ab #a", "#a"));
    EXPECT_FALSE(hasLetterTag("A:\ts\tVOL08\t#ab", "#a"));
    EXPECT_FALSE(hasLetterTag("A:\ts\tVOL08\t#gx", "#g"));
    EXPECT_FALSE(hasLetterTag("A#a:\ts#a\tVOL08\t", "#a"));
    EXPECT_FALSE(hasLetterTag("A:\ts\tVOL08\t#a", ""));
}

TEST(PadNumber, PadsAndSigns) {
    EXPECT_EQ(padNumber(8, 2, '0'), "08");
    EXPECT_EQ(padNumber(-5, 2, '0'), "-05");
    EXPECT_EQ(padNumber(27, 3, ' '), " 27");
    EXPECT_EQ(padNumber(270, 3, ' '), "270");
    EXPECT_EQ(padNumber(1234, 3, ' '), "1234");
    EXPECT_EQ(padNumber(0, 2, '0'), "00");
}

TEST(ReadLeadingNumber, ReadsLikeTheValueBoxes) {
    const std::pair<const char*, double> cases[] = {
        {"12", 12},   {" 1 2", 12}, {"-5", -5},    {"+7x", 7},  {"3.25", 3.25},
        {".5", 0.5},  {"1e2", 100}, {"2E", 2},     {"&H1F", 31}, {"&o17", 15},
        {"&", 0},     {"abc", 0},   {"", 0},       {"-", 0},    {"4-", 4},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(readLeadingNumber(text), value) << text;
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(1e9), 32767);
    const double inf = std::numeric_limits<double>::infinity(); // clamped, never zeroed
    EXPECT_EQ(roundHalfEven(inf), 32767);
    EXPECT_EQ(roundHalfEven(-inf), -32768);
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(TextHelpers, TrimAndFixedWidth) {
    EXPECT_EQ(trimTrailingSpaces("ab  "), "ab");
    EXPECT_EQ(trimTrailingSpaces("ab\t "), "ab\t");
    EXPECT_EQ(trimTrailingSpaces("   "), "");
    EXPECT_EQ(fixedWidth("abc", 5), "abc  ");
    EXPECT_EQ(fixedWidth("abcdef", 3), "abc");
}

TEST(FieldView, PutsEveryFieldInItsColumn) {
    const SoundRecord r = parseSoundLine("BELL:\t\tb1 b2\t\t\tVOL08\tP     L\tCH02\t\tRAD10\t#g #a");
    const std::string view = fieldView(r);
    EXPECT_EQ(view.substr(0, 32), fixedWidth("b1 b2 ", 32));
    EXPECT_EQ(view.substr(32, 8), "VOL08   ");
    EXPECT_EQ(view.substr(40, 8), "P     L ");
    EXPECT_EQ(view.substr(48, 8), "CH02    ");
    EXPECT_EQ(view.substr(56, 8), std::string(8, ' '));
    EXPECT_EQ(view.substr(64, 8), "RAD10   ");
    EXPECT_EQ(view.substr(72), "#g #a");
}
