#include "format/working_lines.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace kestrel {

namespace {

// Lines given up are kept until they are half the buffer and this many bytes.
constexpr std::size_t kUnusedKept = 64 * 1024;

} // namespace

WorkingLines::WorkingLines(std::shared_ptr<const SoundsText> text)
    : text_(std::move(text)), size_(text_ ? text_->soundCount() : 0) {}

WorkingLines::WorkingLines(const std::vector<std::string>& lines) : size_(lines.size()) {
    places_.reserve(lines.size());
    for (const std::string& line : lines) places_.push_back(addOwn(line));
}

WorkingLines::Place WorkingLines::addOwn(std::string_view line) {
    const Place place{static_cast<std::uint32_t>(own_.size()),
                      static_cast<std::uint32_t>(line.size())};
    own_.append(line);
    own_.push_back('\0');
    return place;
}

void WorkingLines::set(std::size_t i, std::string_view line) {
    // A line of this buffer would move as the buffer grows or is compacted.
    const std::less<const char*> before;
    if (!before(line.data(), own_.data()) && before(line.data(), own_.data() + own_.size())) {
        set(i, std::string(line));
        return;
    }
    if (places_.empty()) places_.resize(size_);
    Place& place = places_[i];
    if (place.start != kText) unused_ += place.size + 1;
    if (text_ && i < text_->soundCount() && line == text_->sound(i)) {
        place = {};
        return;
    }
    if (unused_ >= kUnusedKept && unused_ * 2 >= own_.size()) compact();
    places_[i] = addOwn(line);
}

void WorkingLines::compact() {
    std::string kept;
    kept.reserve(own_.size() - unused_);
    for (Place& place : places_) {
        if (place.start == kText) continue;
        const std::string_view line(own_.data() + place.start, place.size);
        place.start = static_cast<std::uint32_t>(kept.size());
        kept.append(line);
        kept.push_back('\0');
    }
    own_ = std::move(kept);
    unused_ = 0;
}

void WorkingLines::resize(std::size_t count) {
    if (count <= size_) {
        for (std::size_t i = count; i < places_.size(); ++i)
            if (places_[i].start != kText) unused_ += places_[i].size + 1;
        if (!places_.empty()) places_.resize(count);
    } else {
        // The lines so far keep their places, the text's included.
        places_.resize(size_);
        while (places_.size() < count) places_.push_back(addOwn({}));
    }
    size_ = count;
}

std::vector<std::string> WorkingLines::strings() const {
    std::vector<std::string> lines;
    lines.reserve(size_);
    for (std::size_t i = 0; i < size_; ++i) lines.emplace_back((*this)[i]);
    return lines;
}

bool WorkingLines::operator==(const WorkingLines& other) const {
    if (size_ != other.size_) return false;
    for (std::size_t i = 0; i < size_; ++i)
        if ((*this)[i] != other[i]) return false;
    return true;
}

} // namespace kestrel
