#include "format/record_file.h"

#include "format/sound_line.h"

#include <cstdlib>

namespace kestrel {

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
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

std::vector<std::string> parseRecordLine(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    if (line.find_first_not_of(" \t") == std::string_view::npos) return fields;
    while (true) {
        while (i < line.size() && isBlank(line[i])) ++i;
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            // Whatever stands between the closing quote and the next comma is ignored.
            while (i < line.size() && line[i] != ',') ++i;
        } else {
            const std::size_t comma = line.find(',', i);
            const std::size_t stop = comma == std::string_view::npos ? line.size() : comma;
            std::string_view raw = line.substr(i, stop - i);
            while (!raw.empty() && isBlank(raw.back())) raw.remove_suffix(1);
            field = std::string(raw);
            i = stop;
        }
        fields.push_back(std::move(field));
        if (i >= line.size()) break;
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
