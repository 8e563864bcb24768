#include "format/names.h"

#include <string>

namespace kestrel {

namespace {

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows' device names: "CON.SAM" is the console, whatever the extension.
bool namesADevice(std::string_view name) {
    std::string base(name.substr(0, name.find('.')));
    for (char& c : base) c = upper(c);
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (base == device) return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

} // namespace

bool isSafeWadName(std::string_view name) {
    if (name.empty() || namesADevice(name)) return false;
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
