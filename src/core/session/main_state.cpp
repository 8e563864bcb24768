#include "session/main_state.h"

#include <algorithm>
#include <array>

namespace kestrel {

std::string_view MainState::defaultLine(int id) const {
    return id >= 0 && id < static_cast<int>(liOrig.size()) ? liOrig[static_cast<std::size_t>(id)]
                                                           : std::string_view();
}

void MainState::noteChange(std::size_t id) {
    EditHistory& h = history;
    if (h.recording && !h.wholesale) {
        if (h.seen.size() < liText.size()) h.seen.resize(liText.size());
        if (!h.seen[id]) {
            h.seen[id] = true;
            h.touched.push_back({static_cast<int>(id), std::string(liText[id])});
        }
    }
}

void MainState::setWorkingLine(std::size_t id, std::string_view line) {
    noteChange(id);
    liText.set(id, line);
}

void MainState::dropWorkingLines() {
    EditHistory& h = history;
    if (h.recording && !h.wholesale) {
        h.wholesale = true;
        h.allBefore = std::move(liText);
        // Lines the step changed already go in as they were before it.
        for (StepLine& was : h.touched) {
            const auto i = static_cast<std::size_t>(was.id);
            if (i < h.seen.size()) h.seen[i] = false;
            if (i < h.allBefore.size()) h.allBefore.set(i, was.line);
        }
        h.touched.clear();
    }
    liText.clear();
}

// Asked for every row a search passes: one look in a table.
bool isProtected(int id) {
    constexpr int kAbove =
        *std::max_element(std::begin(kProtectedIds), std::end(kProtectedIds)) + 1;
    static constexpr std::array<bool, kAbove> kTable = [] {
        std::array<bool, kAbove> table{};
        for (const int protectedId : kProtectedIds) table[protectedId] = true;
        return table;
    }();
    return id >= 0 && id < kAbove && kTable[static_cast<std::size_t>(id)];
}

} // namespace kestrel
