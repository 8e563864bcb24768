#include "session/messages.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(ShownArgument, EscapesWhatIsNotTextAndCutsTheMiddleOfLongTexts) {
    using namespace std::string_literals;
    const std::string longName = "head" + std::string(5'000'000, 'x') + "tail";
    const struct {
        std::string text, shown;
        std::size_t limit = 20;
    } cases[] = {
        {"Sounds.txt", "Sounds.txt"},
        {"ab\0cd\x1F\x7F"s, "ab\\x00cd\\x1F\\x7F"},
        {"caf\xC3\xA9 \xD0\x97", "caf\xC3\xA9 \xD0\x97"}, // UTF-8 letters are text
        {"\xC2\xA9\xE0\xA0\x80\xF0\x90\x80\x80",
         "\xC2\xA9\xE0\xA0\x80\xF0\x90\x80\x80"}, // the first of each length
        {"caf\xE9\xC2\x85\xED\xA0\x80", "caf\\xE9\\xC2\\x85\\xED\\xA0\\x80", 40}, // no UTF-8, or C1
        {longName, "head" + std::string(6, 'x') + "\xE2\x80\xA6" + std::string(5, 'x') + "tail"},
        {std::string(9, '\0'), "\\x00\xE2\x80\xA6\\x00", 12},         // whole escapes only
        {std::string(30, 'a') + std::string(20, '\xD0') + "\xD0\x97", // whole characters
         std::string(10, 'a') + "\xE2\x80\xA6\\xD0\\xD0\xD0\x97"},
    };
    for (const auto& c : cases) EXPECT_EQ(shownArgument(c.text, c.limit), c.shown);
    EXPECT_EQ(shownArgument(longName).size(), 119u + 3u); // the "…" is three bytes
}
