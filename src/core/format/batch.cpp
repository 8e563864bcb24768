#include "format/batch.h"

#include <charconv>

namespace kestrel {

std::string batchText(std::string_view wadName, std::string_view letter) {
    std::string text = "sndpack ";
    text.append(wadName).append(" ").append(letter).append("\r\n");
    text += "copy *.sam ..\\..\\graphics\\wads\r\n"
            "copy *.sfx ..\\..\\graphics\\wads\r\n"
            "del *.sam\r\n"
            "del *.sfx\r\n"
            "pause\r\n";
    return text;
}

std::string batchStatusText(int status) {
    return "status " + std::to_string(status) + "\r\n";
}

std::optional<int> parseBatchStatus(std::string_view text) {
    constexpr std::string_view prefix = "status ";
    if (text.substr(0, prefix.size()) != prefix) return std::nullopt;
    text.remove_prefix(prefix.size());
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") text.remove_suffix(2);
    int status = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), status);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return status;
}

} // namespace kestrel
