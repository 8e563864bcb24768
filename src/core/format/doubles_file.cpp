#include "format/doubles_file.h"

#include "format/record_file.h"
#include "format/sound_line.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace kestrel {

namespace {

// Field `i`, moved out of the record's fields; "" when the record is shorter.
std::string takeField(std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() ? std::move(fields[i]) : std::string();
}

// One line of the file and the line end after it ("" after a last line
// without one): written back as the same bytes.
struct RawLine {
    std::string_view text, end;
};

// The lines as splitLines cuts them, each with its own line end. A line
// ends at its first CR or LF, both found with memchr; the next LF is kept
// while lines end before it, so a file of CRs alone is read once too.
std::vector<RawLine> rawLines(std::string_view bytes) {
    std::vector<RawLine> lines;
    const char* const data = bytes.data();
    const auto find = [&](char c, std::size_t from, std::size_t to) {
        // An empty text may have no bytes at all to point into.
        if (from >= to) return to;
        const void* at = std::memchr(data + from, c, to - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - data) : to;
    };
    std::size_t start = 0, lf = find('\n', 0, bytes.size());
    while (start < bytes.size()) {
        if (lf < start) lf = find('\n', start, bytes.size());
        const std::size_t stop = find('\r', start, lf);
        std::size_t next = std::min(stop + 1, bytes.size());
        if (bytes.substr(stop, 2) == "\r\n") ++next;
        lines.push_back({bytes.substr(start, stop - start), bytes.substr(stop, next - stop)});
        start = next;
    }
    return lines;
}

// A line whose first field is no number is not a record.
std::optional<DoubleRecord> readRecord(std::string_view line) {
    auto fields = parseRecordLine(line);
    if (fields.empty()) return std::nullopt;
    const auto id = readRecordNumber(fields[0]);
    if (!id) return std::nullopt;
    return DoubleRecord{*id,
                        takeField(fields, 1),
                        takeField(fields, 2),
                        takeField(fields, 3),
                        takeField(fields, 4),
                        takeField(fields, 5)};
}

// Where the quote opening at `open` closes (two quotes stand for one
// inside); npos when it runs to the end of the line.
std::size_t closingQuote(std::string_view line, std::size_t open) {
    for (std::size_t i = open + 1; i < line.size(); ++i) {
        if (line[i] != '"') continue;
        if (line.substr(i, 2) != "\"\"") return i;
        ++i;
    }
    return std::string_view::npos;
}

std::size_t firstNonBlank(std::string_view line, std::size_t from) {
    while (from < line.size() && isBlank(line[from])) ++from;
    return from;
}

// Where the field starting at `start` ends: at the comma after it, or at the
// end of the line. As parseRecordLine reads it, a quoted field runs past its
// commas to its closing quote, and what follows that quote up to the next
// comma belongs to it.
std::size_t fieldEnd(std::string_view line, std::size_t start) {
    std::size_t i = firstNonBlank(line, start);
    if (i < line.size() && line[i] == '"') i = std::min(closingQuote(line, i), line.size());
    return std::min(line.find(',', i), line.size());
}

// The record line with its second field replaced by `mark`; the other
// fields keep their bytes.
std::string withMark(std::string_view line, const char* mark) {
    const std::string field = formatRecordLine({std::string(mark)});
    std::string out(line);
    const std::size_t idEnd = fieldEnd(line, 0);
    if (idEnd == line.size()) {
        // A quote left open would take the new field into the ID's.
        const std::size_t idStart = firstNonBlank(line, 0);
        if (line[idStart] == '"' && closingQuote(line, idStart) == std::string_view::npos)
            out += '"';
        return out + "," + field;
    }
    const std::size_t markStart = idEnd + 1;
    return out.replace(markStart, fieldEnd(line, markStart) - markStart, field);
}

} // namespace

std::vector<DoubleRecord> readDoubles(std::string_view bytes) {
    std::vector<DoubleRecord> out;
    const std::vector<RawLine> lines = rawLines(bytes);
    out.reserve(lines.size());
    for (const RawLine& line : lines)
        if (auto record = readRecord(line.text)) out.push_back(std::move(*record));
    return out;
}

std::vector<std::pair<long, std::string>> readDoubleMarks(std::string_view bytes) {
    std::vector<std::pair<long, std::string>> out;
    for (const RawLine& line : rawLines(bytes)) {
        auto fields = parseRecordLine(line.text, 2);
        if (fields.empty()) continue;
        if (const auto id = readRecordNumber(fields[0]))
            out.emplace_back(*id, takeField(fields, 1));
    }
    return out;
}

std::string formatDoubles(const std::vector<DoubleRecord>& records) {
    std::string out;
    for (const DoubleRecord& r : records) {
        out += formatRecordLine({r.id, r.mark, r.gen, r.name, r.samples, r.letters});
        out += "\r\n";
    }
    return out;
}

std::string withDoubleMarks(std::string_view bytes, const std::vector<bool>& selected) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t index = 0;
    for (const RawLine& line : rawLines(bytes)) {
        const auto record = readRecord(line.text);
        if (!record) {
            (out += line.text) += line.end;
            continue;
        }
        const bool on = index < selected.size() && selected[index];
        ++index;
        if (on == record->selected())
            out += line.text;
        else
            out += withMark(line.text, on ? kDoubleSelected : kDoubleUnselected);
        out += line.end;
    }
    return out;
}

std::string doubleRowText(const DoubleRecord& record) {
    return padNumber(static_cast<int>(record.id), 3, ' ') + ": " +
           fixedWidth(record.name, kNameWidth) + " " + fixedWidth(record.samples, kSamplesWidth);
}

} // namespace kestrel
