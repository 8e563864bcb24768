// Kestrel's record files (the WAD table Kestrel.tow, the lists and the
// default lines) and the plain text files read line by line, such as the
// help texts: splitting never loses or invents a line, and a record's fields
// written out again read back as the same fields.

#include "format/record_file.h"
#include "fuzz_support.h"

#include <string>
#include <vector>

using namespace kestrel;

namespace {

void checkLines(std::string_view bytes, const std::vector<std::string>& lines) {
    std::size_t ends = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++ends;
    }
    const bool openLast = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    FUZZ_CHECK(lines.size() == ends + (openLast ? 1 : 0));
    // Only the line ends are dropped: every other byte is in a line.
    std::size_t kept = 0;
    for (const std::string& line : lines) {
        FUZZ_CHECK(!fuzz::holdsLineEnd(line));
        kept += line.size();
    }
    std::size_t endBytes = 0;
    for (const char c : bytes) endBytes += c == '\r' || c == '\n';
    FUZZ_CHECK(kept + endBytes == bytes.size());
    FUZZ_CHECK(splitLines(joinLinesCrLf(lines)) == lines);
}

void checkRecord(std::string_view line) {
    const std::vector<std::string> fields = parseRecordLine(line);
    FUZZ_CHECK(fields.empty() == (line.find_first_not_of(" \t") == std::string_view::npos));

    std::vector<RecordField> asStrings(fields.begin(), fields.end());
    const std::string written = formatRecordLine(asStrings);
    FUZZ_CHECK(!fuzz::holdsLineEnd(written));
    FUZZ_CHECK(parseRecordLine(written) == fields);

    std::vector<RecordField> withNumbers;
    for (const std::string& field : fields) {
        const auto number = readRecordNumber(field);
        if (!number) {
            // A field that starts with a digit, or a minus and a digit, is a number.
            FUZZ_CHECK(field.empty() || (field[0] != '-' && (field[0] < '0' || field[0] > '9')) ||
                       (field[0] == '-' && (field.size() < 2 || field[1] < '0' || field[1] > '9')));
            withNumbers.emplace_back(field);
            continue;
        }
        FUZZ_CHECK(readRecordNumber(std::to_string(*number)) == number);
        withNumbers.emplace_back(*number);
    }
    // Numbers are written bare and read back as the same numbers.
    const std::vector<std::string> reread = parseRecordLine(formatRecordLine(withNumbers));
    FUZZ_CHECK(reread.size() == withNumbers.size());
    for (std::size_t k = 0; k < reread.size(); ++k) {
        if (const long* number = std::get_if<long>(&withNumbers[k]))
            FUZZ_CHECK(readRecordNumber(reread[k]) == *number);
        else
            FUZZ_CHECK(reread[k] == std::get<std::string>(withNumbers[k]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::vector<std::string> lines = splitLines(bytes);
    checkLines(bytes, lines);
    for (const std::string& line : lines) checkRecord(line);
    return 0;
}
