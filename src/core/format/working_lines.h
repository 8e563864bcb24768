#pragma once
// The working line of each sound: the sound lines of sounds.txt as read,
// shared with the file's text, and apart only the lines that were changed.
// A catalogue of 100,000 sounds costs its text once and four bytes a line
// once a line is changed.

#include "format/sounds_text.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class WorkingLines {
public:
    WorkingLines() = default;
    // Every sound line of `text`, as loaded.
    explicit WorkingLines(std::shared_ptr<const SoundsText> text);
    // Lines of their own, over no text.
    explicit WorkingLines(const std::vector<std::string>& lines);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Valid until the line is changed or the lines are replaced. Const, so
    // that assigning to it, which would change nothing, does not compile.
    const std::string_view operator[](std::size_t i) const {
        const std::uint32_t slot = slots_.empty() ? 0 : slots_[i];
        return slot == 0 ? text_->sound(i) : std::string_view(own_[slot - 1]);
    }
    // The line, to be changed in place; valid until another line is changed.
    std::string& edit(std::size_t i);
    void set(std::size_t i, std::string line);
    // Lines added at the end are empty.
    void resize(std::size_t count);
    void clear() { *this = {}; }

    std::vector<std::string> strings() const;
    bool operator==(const WorkingLines& other) const;

private:
    std::shared_ptr<const SoundsText> text_;
    std::size_t size_ = 0;
    // By line: 0 for the text's line, n for own_[n - 1]. Empty while every
    // line is the text's.
    std::vector<std::uint32_t> slots_;
    std::vector<std::string> own_;

    std::uint32_t& slotOf(std::size_t i);
    std::uint32_t addOwn(std::string line);
};

} // namespace kestrel
