#pragma once
// A text's lines held as the text itself once and the place of each line in
// it: a long file costs its bytes and eight bytes a line, and each line is
// read as a view. Copies stay whole, as places are not addresses.

#include "format/record_file.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class TextLines {
public:
    // The lines of `bytes` as forEachLine splits them, each kept as `keep`
    // gives it back: the line itself or a part of it that starts with it.
    template <class Keep> static TextLines split(std::string bytes, Keep keep);

    // Adds `line` and a CR LF after it to the text.
    void append(std::string_view line);
    void reserve(std::size_t lines, std::size_t bytes);

    std::size_t size() const { return places_.size(); }
    std::string_view operator[](std::size_t i) const {
        return {bytes_.data() + places_[i].start, places_[i].size};
    }
    const std::string& bytes() const { return bytes_; }

private:
    struct Place {
        std::uint32_t start = 0; // a text read is at most kMaxReadBytes
        std::uint32_t size = 0;
    };
    std::string bytes_;
    std::vector<Place> places_;

    void add(std::string_view inBytes);
};

template <class Keep> TextLines TextLines::split(std::string bytes, Keep keep) {
    TextLines text;
    text.bytes_ = std::move(bytes);
    const std::string_view all(text.bytes_);
    text.places_.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 1);
    forEachLine(all, [&](std::string_view line) { text.add(keep(line)); });
    return text;
}

} // namespace kestrel
