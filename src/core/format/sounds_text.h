#pragma once
// The text of sounds.txt: its sound lines (those holding a ':'), in order,
// and the lines between them (headings, comments, blank lines), which keep
// their places when the file is written again.

#include "format/text_lines.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class WorkingLines;

// Lines carrying WAD letters lose their trailing spaces when loaded.
std::string_view loadedLine(std::string_view line);

class SoundsText {
public:
    static SoundsText parse(std::string bytes);
    // The text with `sounds` in the places of its sound lines, in order:
    // sounds beyond its sound lines follow at the end, and sound lines
    // beyond `sounds` are left out.
    SoundsText withSounds(const WorkingLines& sounds) const;

    const std::string& bytes() const { return lines_.bytes(); }
    std::size_t lineCount() const { return lines_.size(); }
    std::size_t soundCount() const { return soundLines_.size(); }
    // A sound line as loaded. The byte after it is a line end, a blank
    // trimmed off or the nul at the text's end.
    std::string_view sound(std::size_t i) const { return lines_[soundLines_[i]]; }
    // Where the sound stands in the file, from line 1.
    int lineOfSound(std::size_t i) const { return static_cast<int>(soundLines_[i]) + 1; }

private:
    TextLines lines_;
    std::vector<std::uint32_t> soundLines_; // the line of each sound, from 0
};

} // namespace kestrel
