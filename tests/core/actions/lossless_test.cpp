// Lines of every shape survive a rebuild without edits: over-long names, 11
// and more samples, tabs and spaces, tags, flags and values in any order.
// (The sound line reader's fuzz target checks the same on every input it
// replays.)

#include "format/rebuild.h"
#include "format/sound_line.h"

#include <gtest/gtest.h>

using namespace kestrel;

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
