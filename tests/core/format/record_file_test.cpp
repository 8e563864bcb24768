#include "format/record_file.h"
#include "format/working_lines.h"

#include <gtest/gtest.h>

using namespace kestrel;
using Fields = std::vector<std::string>;

TEST(RecordFile, SplitsEveryLineEndReadsQuotedAndBareFieldsAndWritesWhatReadsBack) {
    // clang-format off
    const std::pair<std::string, Fields> lines[] = {{"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}}, {"a\rb\r", {"a", "b"}}, {"a\r\n\r\nb", {"a", "", "b"}}, {"", {}}};
    // clang-format on
    for (const auto& [bytes, want] : lines) EXPECT_EQ(splitLines(bytes), want) << bytes;
    EXPECT_EQ(joinLinesCrLf({"a", ""}), "a\r\n\r\n");
    const std::pair<std::string, Fields> records[] = {
        {R"("Harbour, old","a","HARB1")", {"Harbour, old", "a", "HARB1"}},
        {R"(12,"OK ","   ","X:  ")", {"12", "OK ", "   ", "X:  "}},
        {"  bare text  , next", {"bare text", "next"}},
        {R"("a" junk ,b)", {"a", "b"}},
        {R"("say ""hi""")", {R"(say "hi")"}},
        {R"("unterminated)", {"unterminated"}},
        {"a,", {"a", ""}},
        {" \t ", {}}};
    for (const auto& [line, want] : records) EXPECT_EQ(parseRecordLine(line), want) << line;
    const std::string line = formatRecordLine({7L, std::string("OK "), std::string(R"(a "b", c)")});
    EXPECT_EQ(line, R"(7,"OK ","a ""b"", c")");
    EXPECT_EQ(parseRecordLine(line), (Fields{"7", "OK ", R"(a "b", c)"}));
}

TEST(WorkingLines, ReadTheTextUntilChangedAndGrowEmpty) {
    auto text =
        std::make_shared<const SoundsText>(SoundsText::parse("# head\r\nA:\ta #b  \r\nB:\tb"));
    WorkingLines lines(text);
    ASSERT_EQ(lines.strings(), (Fields{"A:\ta #b", "B:\tb"})); // trailing blanks trimmed
    lines.set(0, std::string(lines[0]) + " #c");
    lines.set(1, "B:\tz");
    EXPECT_EQ(lines.strings(), (Fields{"A:\ta #b #c", "B:\tz"}));
    EXPECT_EQ(text->sound(0), "A:\ta #b"); // the text read stays as it was
    const WorkingLines copy = lines;
    lines.resize(1);
    lines.resize(3); // lines added again are empty, not the text's
    EXPECT_EQ(lines.strings(), (Fields{"A:\ta #b #c", "", ""}));
    EXPECT_FALSE(lines == copy);
    WorkingLines grown(text); // unchanged, then longer
    grown.resize(3);
    EXPECT_EQ(grown.strings(), (Fields{"A:\ta #b", "B:\tb", ""}));
    WorkingLines none;
    none.resize(2);
    EXPECT_EQ(none.strings(), (Fields{"", ""}));
    EXPECT_TRUE(copy == WorkingLines(Fields{"A:\ta #b #c", "B:\tz"}));
    EXPECT_FALSE(copy == WorkingLines(Fields{"A:\ta #b", "B:\tz"})); // the first line differs
    WorkingLines many(Fields{"keep", "x"});
    for (int k = 0; k < 5000; ++k) many.set(1, std::string(40, char('a' + k % 26))); // compacted
    many.set(0, many[1]); // one line from another
    EXPECT_EQ(many.strings(), Fields(2, std::string(40, char('a' + 4999 % 26))));
    many.resize(1);
    many.set(0, "keep" + std::string(60, 'z'));
    for (int k = 0; k < 2000; ++k) many.set(0, many[0]); // itself, through compactions
    EXPECT_EQ(many.strings(), Fields{"keep" + std::string(60, 'z')});
}
