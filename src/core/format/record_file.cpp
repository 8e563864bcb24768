#include "format/record_file.h"

#include "format/sound_line.h"

#include <algorithm>
#include <cstdlib>

namespace kestrel {

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    forEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& l : lines) size += l.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> parseRecordLine(std::string_view line, std::size_t most) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    if (line.find_first_not_of(" \t") == std::string_view::npos) return fields;
    // Most records have a few fields: one allocation, not one per doubling.
    constexpr std::size_t kUsualFields = 8;
    fields.reserve(std::min(most, kUsualFields));
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            // The text up to each quote goes in at once; two quotes stand
            // for one, a single one closes the field.
            while (i < line.size()) {
                const std::size_t quote = std::min(line.find('"', i), line.size());
                field.append(line.substr(i, quote - i));
                i = quote;
                if (i == line.size()) break;
                if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            // Whatever stands between the closing quote and the next comma is ignored.
            i = std::min(line.find(',', i), line.size());
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t stop = comma == std::string_view::npos ? line.size() : comma;
            std::string_view raw = line.substr(i, stop - i);
            while (!raw.empty() && isBlank(raw.back())) raw.remove_suffix(1);
            field = std::string(raw);
            i = stop;
        }
        fields.push_back(std::move(field));
        if (i >= line.size() || fields.size() == most) break;
        ++i; // the comma
    }
    return fields;
}

std::string formatRecordLine(const std::vector<RecordField>& fields) {
    std::string out;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) out += ',';
        if (const auto* number = std::get_if<long>(&fields[k])) {
            out += std::to_string(*number);
            continue;
        }
        out += '"';
        for (char c : std::get<std::string>(fields[k])) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

std::optional<long> readRecordNumber(const std::string& field) {
    if (field.empty()) return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(field.c_str(), &end, 10);
    if (end == field.c_str()) return std::nullopt;
    return value;
}

} // namespace kestrel
