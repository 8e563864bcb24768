#include "format/text_lines.h"

namespace kestrel {

void TextLines::add(std::string_view inBytes) {
    places_.push_back({static_cast<std::uint32_t>(inBytes.data() - bytes_.data()),
                       static_cast<std::uint32_t>(inBytes.size())});
}

void TextLines::append(std::string_view line) {
    const std::size_t start = bytes_.size();
    (bytes_ += line) += "\r\n";
    add(std::string_view(bytes_).substr(start, line.size()));
}

void TextLines::reserve(std::size_t lines, std::size_t bytes) {
    places_.reserve(lines);
    bytes_.reserve(bytes);
}

} // namespace kestrel
