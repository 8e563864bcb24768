#include "format/object_list.h"

#include "format/record_file.h"
#include "format/sound_line.h"

namespace kestrel {

namespace {

constexpr std::size_t kNameColumns = 25;

// Leading spaces, then digits up to the first other character; 0 otherwise.
int decimalPrefix(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    int value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 + (field[i] - '0');
        if (value > 32767) return 32767;
    }
    return value;
}

std::string_view columns(std::string_view text, std::size_t from, std::size_t count) {
    if (from >= text.size()) return {};
    return text.substr(from, count);
}

// A record as the file's reader takes it: up to its first comma, with its
// leading blanks skipped.
std::string_view recordOf(std::string_view line) {
    line = line.substr(0, line.find(','));
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    return line.substr(start);
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

} // namespace

GameObject readObjectRecord(std::string_view record) {
    GameObject object;
    object.name = trimTrailingSpaces(columns(record, 0, kNameColumns));
    const int n = decimalPrefix(columns(record, 25, 2));
    for (int k = 0; k < n; ++k) {
        const int id = decimalPrefix(columns(record, 29 + 4 * static_cast<std::size_t>(k), 3));
        if (id == 0) break;
        object.ids.push_back(id);
    }
    return object;
}

TypeObjectTable readTypeObjects(std::string_view bytes) {
    TypeObjectTable types(1);
    for (const std::string& line : splitLines(bytes)) {
        const std::string_view record = recordOf(line);
        if (startsWith(record, "* ")) {
            types.emplace_back();
            continue;
        }
        if (startsWith(record, "**")) continue;
        types.back().push_back(readObjectRecord(record));
    }
    return types;
}

std::vector<GameObject> readImportObjects(std::string_view bytes) {
    std::vector<GameObject> objects;
    for (const std::string& line : splitLines(bytes)) {
        const std::string_view record = recordOf(line);
        if (startsWith(record, "*")) continue;
        GameObject object = readObjectRecord(record);
        if (object.name.find('(') != std::string::npos ||
            object.name.find("LOOP") != std::string::npos)
            continue;
        objects.push_back(std::move(object));
    }
    return objects;
}

} // namespace kestrel
