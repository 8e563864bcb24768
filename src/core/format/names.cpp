#include "format/names.h"

namespace kestrel {

bool isSafeWadName(std::string_view name) {
    if (name.empty()) return false;
    constexpr std::string_view kRefused = "\\/:*?\"<>|&^%";
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F || kRefused.find(c) != std::string_view::npos) return false;
    }
    return true;
}

bool isUsableSampleName(std::string_view name) {
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F) return false;
    }
    return true;
}

bool namesAFileInFolder(std::string_view name) {
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return !name.empty() && !namesAFolder(name);
}

bool namesAFolder(std::string_view name) {
    return name.find_first_of("/\\") != std::string_view::npos ||
           name.find("..") != std::string_view::npos;
}

} // namespace kestrel
