#include "format/rebuild.h"
#include "format/sound_line.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

SoundRecord record(std::string name, std::vector<std::string> samples) {
    SoundRecord r;
    r.name = std::move(name), r.samples = std::move(samples);
    return r;
}

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

} // namespace

TEST(RebuildLine, TabsAlignSamplesAndValues) {
    const std::string s7 = "abcdefg", s8 = "abcdefgh";
    // clang-format off
    const struct {
        std::string name; std::vector<std::string> samples; int nameTabs, sampleTabs;
    } cases[] = {
        // The samples' joined length in the comment.
        {"", {"s"}, 3, 4},         {"AB:", {"s"}, 3, 4},             {"ABCDEF:", {"s"}, 3, 4},
        {"ABCDEFG:", {"s"}, 2, 4}, {"ABCDEFGHIJKLMN:", {"s"}, 2, 4},
        {"ABCDEFGHIJKLMNO:", {"s"}, 1, 4},
        {"A:", {}, 3, 4}, {"A:", {s7}, 3, 4}, {"A:", {s8}, 3, 3},
        {"A:", {s7, s8}, 3, 2},           // 16
        {"A:", {s8, s8, "abcde"}, 3, 2},  // 23
        {"A:", {s8, s8, "abcdef"}, 3, 1}, // 24
        {"A:", {s7, s7, s7, s7}, 3, 1},   // 31: the whole sample field
        // clang-format on
    };
    for (const auto& c : cases) {
        // A blank value still closes with its tab.
        EXPECT_EQ(rebuildLine(record(c.name, c.samples)), c.name + std::string(c.nameTabs, '\t') +
                                                              joined(c.samples) +
                                                              std::string(c.sampleTabs + 5, '\t'))
            << c.name << " / " << joined(c.samples);
    }
}

TEST(RebuildLine, BellRingAndOverlongParts) {
    SoundRecord r = record("BELL_RING:", {"bell1", "bell2"});
    r.vol = "VOL08", r.p = "P", r.ch = "CH02", r.rad = "RAD10", r.letters = "#g #a";
    EXPECT_EQ(rebuildLine(r), "BELL_RING:\t\tbell1 bell2\t\t\tVOL08\tP\tCH02\t\tRAD10\t#g #a");
    r.letters.clear(); // no letters: the line ends with the tab closing RAD
    EXPECT_EQ(rebuildLine(r), "BELL_RING:\t\tbell1 bell2\t\t\tVOL08\tP\tCH02\t\tRAD10\t");
    // A name past 23 characters, 11 samples, or samples past 32 are all kept.
    const std::string longName = "A_VERY_LONG_SOUND_NAME_HERE:";
    for (const std::vector<std::string>& samples :
         {std::vector<std::string>{"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9", "a10",
                                   "a11"},
          {"sample_one", "sample_two", "sample_three"}}) {
        SoundRecord big = record(longName, samples);
        big.vol = "VOL12", big.letters = "#a";
        const std::string line = rebuildLine(big);
        EXPECT_EQ(line, longName + "\t" + joined(samples) + "\tVOL12\t\t\t\t\t#a");
        EXPECT_EQ(parseSoundLine(line), big);
    }
}

TEST(LetterTagOfItem, FromHashToDash) {
    const std::pair<const char*, const char*> cases[] = {
        {"#ab - Harbour", "#ab"}, {"#a - ??", "#a"},  {"#a", "#a"},   {"#abc", "#a"},
        {"x#b - Bridge", "#b"},   {"# - Empty", "#"}, {"no tag", ""}, {"", ""},
    };
    for (const auto& [item, tag] : cases) EXPECT_EQ(letterTagOfItem(item), tag) << item;
}

TEST(ReplaceLetterTags, ReplacesOnlyTheRunOfTags) {
    // clang-format off
    const struct { std::string line; std::vector<std::string> tags; std::string out; } cases[] = {
        {"A:\ts\tVOL01\t#a", {"#b"}, "A:\ts\tVOL01\t#b"},
        {"A:\ts\tVOL01\t#a", {"#a", "#bc"}, "A:\ts\tVOL01\t#a #bc"},
        {"A:\ts\tVOL01\t#a #b", {}, "A:\ts\tVOL01\t"},
        {"A:\ts\tVOL01\t##b", {"#c"}, "A:\ts\tVOL01\t#c"},
        // What follows the letters stays.
        {"A:\ts\tVOL01\t#a #b\tL", {"#c"}, "A:\ts\tVOL01\t#c\tL"},
        {"A:\ts\tVOL01\t#a L", {"#a", "#b"}, "A:\ts\tVOL01\t#a #b L"},
        {"A:\ts\tVOL01\t#a\tCH02", {}, "A:\ts\tVOL01\tCH02"},
        // A '#' in a sample name is not a letter.
        {"A:\ts#1\tVOL01\t#a", {"#b"}, "A:\ts#1\tVOL01\t#b"},
        {"A:\ts1\t#a", {"#b"}, "A:\ts1\t#b"},
        // The first tag is parted from what stands before it.
        {"A:\ts1 s2", {"#a"}, "A:\ts1 s2\t#a"},
        {"A:\ts1\tVOL01", {"#a"}, "A:\ts1\tVOL01 #a"},
        {"A:\ts1\tVOL01#a", {"#b"}, "A:\ts1\tVOL01 #b"},
        {"A:\ts1\tVOL01\t", {"#a"}, "A:\ts1\tVOL01\t#a"},
        {"A:\ts1\tVOL01 ", {"#a"}, "A:\ts1\tVOL01 #a"},
        {"A:\ts1\tVOL01", {}, "A:\ts1\tVOL01"},
        {"A:\ts\tVOL01\t#a L #b\tCH02", {"#a"}, "A:\ts\tVOL01\t#a L\tCH02"},
        // A single trailing space does not close the sample list: the tag is no sample.
        {"G:\t\tg1 g2 ", {"#d"}, "G:\t\tg1 g2 \t#d"},
        {"G:\t\tg1 ", {"#d"}, "G:\t\tg1 \t#d"},
        {"G:\t\tg1  ", {"#d"}, "G:\t\tg1  #d"},
        {"G:\t\tg1\t", {"#d"}, "G:\t\tg1\t#d"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(replaceLetterTags(c.line, c.tags), c.out);
    }
    // Whatever the line, it reads back with exactly those letters and nothing
    // else changed; "#b" after the flag is one of the sound's letters too (the
    // letters list shows it), so taking it away takes it off the line.
    for (const auto& c : cases)
        for (const std::vector<std::string>& tags : {c.tags, {"#a"}, {"#b"}, {}}) {
            SoundRecord want = parseSoundLine(c.line);
            want.letters = joined(tags);
            EXPECT_EQ(parseSoundLine(replaceLetterTags(c.line, tags)), want) << c.line;
        }
}

// Lines of every shape survive a rebuild without edits: over-long names, 11
// and more samples, tabs and spaces, tags, flags and values in any order.
// (The sound line reader's fuzz target checks the same on every input it
// replays.)
TEST(Lossless, RebuildingAnUneditedLineKeepsEveryField) {
    for (const std::string line : {
             "THE_LONGEST_NAME_OF_ALL_THE_SOUNDS_01 #:\ta b c d e f g h i j k l\tVOL12 \tP\t#a#b\t",
             "N\xe9\"\t9:  x#1 P-_\xe9 longlonglonglong  PIT-5  V\tR N L\t#x9 #\t   ",
             "B:\tb1 b2\tRAD1.  CH 0\tPIT99.\t#z #0#y  ",
             "C:\t\tc\tVOL  \t",
             ":s",
             "A#:",
         }) {
        const SoundRecord rec = parseSoundLine(line);
        const std::string rebuilt = rebuildLine(rec);
        EXPECT_EQ(parseSoundLine(rebuilt), rec) << line << "\n -> " << rebuilt;
        EXPECT_EQ(rebuildLine(parseSoundLine(rebuilt)), rebuilt) << line;
    }
}
