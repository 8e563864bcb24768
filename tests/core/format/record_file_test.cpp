#include "format/record_file.h"

#include <gtest/gtest.h>

using namespace kestrel;
using Fields = std::vector<std::string>;

TEST(SplitLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (Fields{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb"), (Fields{"a", "b"}));
    EXPECT_EQ(splitLines("a\rb\r"), (Fields{"a", "b"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb"), (Fields{"a", "", "b"}));
    EXPECT_EQ(splitLines(""), Fields{});
    EXPECT_EQ(joinLinesCrLf({"a", ""}), "a\r\n\r\n");
}

TEST(RecordLine, ReadsQuotedAndBareFields) {
    EXPECT_EQ(parseRecordLine(R"("Harbour, old","a","HARB1")"),
              (Fields{"Harbour, old", "a", "HARB1"}));
    EXPECT_EQ(parseRecordLine(R"(12,"OK ","   ","X:  ")"), (Fields{"12", "OK ", "   ", "X:  "}));
    EXPECT_EQ(parseRecordLine("  bare text  , next"), (Fields{"bare text", "next"}));
    EXPECT_EQ(parseRecordLine(R"("a" junk ,b)"), (Fields{"a", "b"}));
    EXPECT_EQ(parseRecordLine(R"("say ""hi""")"), (Fields{R"(say "hi")"}));
    EXPECT_EQ(parseRecordLine(R"("unterminated)"), (Fields{"unterminated"}));
    EXPECT_EQ(parseRecordLine("a,"), (Fields{"a", ""}));
    EXPECT_EQ(parseRecordLine(" \t "), Fields{});
}

TEST(RecordLine, WritesWhatReadsBack) {
    const std::vector<RecordField> fields{7L, std::string("OK "), std::string(R"(a "b", c)")};
    const std::string line = formatRecordLine(fields);
    EXPECT_EQ(line, R"(7,"OK ","a ""b"", c")");
    EXPECT_EQ(parseRecordLine(line), (Fields{"7", "OK ", R"(a "b", c)"}));
}
