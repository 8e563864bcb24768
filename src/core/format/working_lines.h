#pragma once
// The working line of each sound: the sound lines of sounds.txt as read,
// shared with the file's text, and apart only the lines that were changed,
// one after the other in one buffer. A catalogue of 100,000 sounds costs its
// text once, and eight bytes a line once a line is changed; changing a line
// allocates nothing most of the time.

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
    // Valid until a line is changed or the lines are replaced. Const, so
    // that assigning to it, which would change nothing, does not compile.
    // The byte after it ends a word: a nul, a line end or a blank.
    const std::string_view operator[](std::size_t i) const {
        if (places_.empty() || places_[i].start == kText) return text_->sound(i);
        return {own_.data() + places_[i].start, places_[i].size};
    }
    // Whether line `i` is still the line of `text` (the text these lines
    // were made from), read there rather than changed.
    bool isLineOf(const SoundsText& text, std::size_t i) const {
        return text_.get() == &text && (places_.empty() || places_[i].start == kText);
    }
    // `line` may be one of these lines. A line set back to the text's
    // shares the text again.
    void set(std::size_t i, std::string_view line);
    // Lines added at the end are empty.
    void resize(std::size_t count);
    void clear() { *this = {}; }

    std::vector<std::string> strings() const;
    bool operator==(const WorkingLines& other) const;

private:
    static constexpr std::uint32_t kText = UINT32_MAX;
    struct Place {
        std::uint32_t start = kText; // in own_, or kText for the text's line
        std::uint32_t size = 0;
    };
    std::shared_ptr<const SoundsText> text_;
    std::size_t size_ = 0;
    std::vector<Place> places_; // by line; empty while every line is the text's
    std::string own_;           // the changed lines, each followed by a nul
    std::size_t unused_ = 0;    // bytes of own_ that no line holds any more

    Place addOwn(std::string_view line);
    void compact();
};

} // namespace kestrel
