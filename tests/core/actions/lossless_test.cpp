// Generated lines of every shape survive a rebuild without edits.

#include "format/rebuild.h"
#include "format/sound_line.h"

#include <array>
#include <gtest/gtest.h>
#include <random>

using namespace kestrel;

TEST(Lossless, RebuildingAnUneditedLineKeepsEveryField) {
    std::mt19937 rng(20240611u);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const auto word = [&](int length, std::string_view chars) {
        std::string out;
        while (length-- > 0) out += chars[static_cast<std::size_t>(pick(0, int(chars.size()) - 1))];
        return out;
    };
    // Values hold two characters (only PIT takes a minus sign), then flags and
    // runs of tags; all parted by one or two blanks.
    const auto item = [&] {
        const int kind = pick(0, 9);
        if (kind < 4)
            return std::string(std::array{"VOL", "CH", "PIT", "RAD"}[kind]) +
                   word(kind == 2 ? pick(2, 3) : 2, kind == 2 ? "0123456789 .-" : "0123456789 .");
        if (kind < 6) return word(1, "PVRNL");
        std::string tags;
        for (int n = pick(1, 3); n > 0; --n)
            tags += (tags.empty() || pick(1, 10) <= 3 ? "#" : " #") + word(pick(0, 2), "abxyz09");
        return tags;
    };
    // Over-long names, 11+ samples, tabs and spaces, tags, flags and values in
    // any order; lines without a colon are never rebuilt.
    for (int i = 0; i < 4000; ++i) {
        std::string line = word(pick(0, 40), "ABCDEFGHIJKLMNOPQRSTUVWXYZ_019 #\t\"\xe9") + ":" +
                           word(pick(0, 3), " \t");
        const int samples = pick(1, 10) == 1 ? pick(11, 14) : pick(0, 10);
        for (int n = 0; n < samples; ++n)
            line += (n ? " " : "") + word(pick(1, pick(1, 5) == 1 ? 16 : 8), "abcxyz_019-#PVL\xe9");
        if (pick(1, 4) > 1) {
            line += pick(1, 10) <= 3 ? "  " : "\t";
            for (int n = pick(0, 9); n > 0; --n) line += item() + word(pick(1, 2), " \t");
            if (pick(1, 100) <= 15) line += "   ";
        }
        const SoundRecord rec = parseSoundLine(line);
        const std::string rebuilt = rebuildLine(rec);
        ASSERT_EQ(parseSoundLine(rebuilt), rec) << line << "\n -> " << rebuilt;
        ASSERT_EQ(rebuildLine(parseSoundLine(rebuilt)), rebuilt) << line;
    }
}
