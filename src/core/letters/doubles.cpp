#include "letters/doubles.h"

#include "catalogue/record_file.h"

#include <algorithm>
#include <cstdlib>

namespace kestrel {

namespace {

// A sound ID written as a bare decimal number; -1 when the field holds none.
long readId(const std::string& field) {
    if (field.empty()) return -1;
    char* end = nullptr;
    const long id = std::strtol(field.c_str(), &end, 10);
    return end == field.c_str() ? -1 : id;
}

} // namespace

void loadDoubleMarks(MainState& state, Files& files) {
    const std::size_t size = std::max<std::size_t>(kCatalogueSize, state.liText.size());
    state.doubleMarks.assign(size, kDoubleSelected);
    const ReadResult file = files.read(state.dirs.appDir + "Kestrel.tod");
    if (file.ok) {
        for (const std::string& line : splitLines(file.bytes)) {
            const auto fields = parseRecordLine(line);
            if (fields.size() < 2) continue;
            const long id = readId(fields[0]);
            if (id < 0 || id >= static_cast<long>(size)) continue;
            state.doubleMarks[id] = fields[1];
        }
    }
    for (int id : kProtectedIds)
        if (id < static_cast<int>(size)) state.doubleMarks[id] = kDoubleUnselected;
}

} // namespace kestrel
