#pragma once
// Kestrel's own record files (comma-separated fields, strings between double
// quotes, one record a line ended by CR LF) and plain text files read line by
// line.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kestrel {

// Splits a file's bytes into lines. CR LF, LF and a lone CR all end a line; a
// missing line end after the last line is accepted, and a final line end does
// not make an extra empty line.
std::vector<std::string> splitLines(std::string_view bytes);

// The same lines, each handed to `line` as a view into `bytes`, and how many
// there are: no line is copied.
template <class Line> std::size_t forEachLine(std::string_view bytes, Line line) {
    std::size_t start = 0, count = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r') continue;
        line(bytes.substr(start, i - start));
        ++count;
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) {
        line(bytes.substr(start));
        ++count;
    }
    return count;
}

// Joins lines, each followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

// The fields of one record line. A quoted field keeps its inner spaces and
// commas (two double quotes inside it stand for one); an unquoted field starts
// at its first non-blank character and ends at the next comma with its
// trailing blanks removed. An empty line has no field. Only the first
// `most` fields are read.
std::vector<std::string> parseRecordLine(std::string_view line,
                                         std::size_t most = static_cast<std::size_t>(-1));

// A field that holds a bare decimal number (leading digits count, as in the
// files Kestrel writes); nothing when it starts with none.
std::optional<long> readRecordNumber(const std::string& field);

// One field to write: a string is quoted (a double quote inside it is
// doubled so that it reads back whole), a number is written bare.
using RecordField = std::variant<std::string, long>;

// One record line without its line end.
std::string formatRecordLine(const std::vector<RecordField>& fields);

} // namespace kestrel
