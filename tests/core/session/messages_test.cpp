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
        {"caf\xE9", "caf\xE9"}, // an 8-bit letter is text
        {longName, "head" + std::string(6, 'x') + "\x85" + std::string(5, 'x') + "tail"},
        {std::string(9, '\0'), "\\x00\x85\\x00", 12}, // whole escapes only
    };
    for (const auto& c : cases) EXPECT_EQ(shownArgument(c.text, c.limit), c.shown);
    EXPECT_EQ(shownArgument(longName).size(), 120u);
}
