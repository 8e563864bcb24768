#include "format/working_lines.h"

#include <algorithm>
#include <utility>

namespace kestrel {

WorkingLines::WorkingLines(std::shared_ptr<const SoundsText> text)
    : text_(std::move(text)), size_(text_ ? text_->soundCount() : 0) {}

WorkingLines::WorkingLines(const std::vector<std::string>& lines) : size_(lines.size()) {
    slots_.reserve(lines.size());
    for (const std::string& line : lines) slots_.push_back(addOwn(line));
}

std::uint32_t WorkingLines::addOwn(std::string line) {
    own_.push_back(std::move(line));
    return static_cast<std::uint32_t>(own_.size());
}

std::uint32_t& WorkingLines::slotOf(std::size_t i) {
    if (slots_.empty()) slots_.assign(size_, 0);
    return slots_[i];
}

std::string& WorkingLines::edit(std::size_t i) {
    std::uint32_t& slot = slotOf(i);
    if (slot == 0) {
        // Room for a letter tag or two, which most edits in place add.
        constexpr std::size_t kRoom = 8;
        std::string line;
        line.reserve(text_->sound(i).size() + kRoom);
        line.assign(text_->sound(i));
        slot = addOwn(std::move(line));
    }
    return own_[slot - 1];
}

void WorkingLines::set(std::size_t i, std::string line) {
    std::uint32_t& slot = slotOf(i);
    if (slot == 0)
        slot = addOwn(std::move(line));
    else
        own_[slot - 1] = std::move(line);
}

void WorkingLines::resize(std::size_t count) {
    if (count <= size_) {
        if (!slots_.empty()) slots_.resize(count);
    } else {
        // The lines so far keep their places, the text's included.
        slots_.resize(size_, 0);
        while (slots_.size() < count) slots_.push_back(addOwn({}));
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
