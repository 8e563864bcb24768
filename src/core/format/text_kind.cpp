#include "format/text_kind.h"

#include "format/record_file.h"

namespace kestrel {

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

int soundLineCount(std::string_view bytes) {
    int count = 0;
    for (const std::string& line : splitLines(bytes)) count += line.find(':') != std::string::npos;
    return count;
}

} // namespace

std::optional<std::string> whyNotText(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (startsWith(bytes, "\xFF\xFE\0\0"sv) || startsWith(bytes, "\0\0\xFE\xFF"sv))
        return "it is UTF-32 text, not 8-bit text";
    if (startsWith(bytes, "\xFF\xFE"sv) || startsWith(bytes, "\xFE\xFF"sv))
        return "it is UTF-16 text, not 8-bit text";
    if (bytes.find('\0') != std::string_view::npos)
        return "it holds NUL bytes: it is a binary file, not 8-bit text";
    return std::nullopt;
}

std::optional<std::string> whyNotCatalogue(std::string_view bytes, int soundsNow) {
    if (auto notText = whyNotText(bytes)) return notText;
    const int sounds = soundLineCount(bytes);
    if (sounds == 0) return "it holds no sound line";
    if (2 * sounds < soundsNow)
        return "it holds only " + std::to_string(sounds) + " sound lines, where sounds.txt holds " +
               std::to_string(soundsNow);
    return std::nullopt;
}

} // namespace kestrel
