#include "session/main_state.h"

#include <algorithm>

namespace kestrel {

const std::string& MainState::defaultLine(int id) const {
    static const std::string empty;
    return id >= 0 && id < static_cast<int>(liOrig.size()) ? liOrig[id] : empty;
}

bool isProtected(int id) {
    return std::find(std::begin(kProtectedIds), std::end(kProtectedIds), id) !=
           std::end(kProtectedIds);
}

} // namespace kestrel
