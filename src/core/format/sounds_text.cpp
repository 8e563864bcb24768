#include "format/sounds_text.h"

#include "format/working_lines.h"

namespace kestrel {

namespace {

bool isSoundLine(std::string_view line) {
    return line.find(':') != std::string_view::npos;
}

} // namespace

std::string_view loadedLine(std::string_view line) {
    if (line.find('#') == std::string_view::npos) return line;
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
}

SoundsText SoundsText::parse(std::string bytes) {
    SoundsText text;
    std::uint32_t index = 0;
    text.lines_ = TextLines::split(std::move(bytes), [&text, &index](std::string_view line) {
        const std::uint32_t at = index++;
        if (!isSoundLine(line)) return line;
        text.soundLines_.push_back(at);
        return loadedLine(line);
    });
    // A long catalogue keeps this list as long as it is open.
    text.soundLines_.shrink_to_fit();
    return text;
}

SoundsText SoundsText::withSounds(const WorkingLines& sounds) const {
    SoundsText text;
    text.lines_.reserve(lines_.size() + sounds.size(), bytes().size() + bytes().size() / 8);
    text.soundLines_.reserve(sounds.size());
    std::size_t next = 0;
    const auto putSound = [&text, &sounds, &next] {
        text.soundLines_.push_back(static_cast<std::uint32_t>(text.lines_.size()));
        text.lines_.append(sounds[next++]);
    };
    std::size_t sound = 0;
    for (std::size_t line = 0; line < lines_.size(); ++line) {
        if (sound < soundLines_.size() && soundLines_[sound] == line) {
            ++sound;
            if (next < sounds.size()) putSound();
        } else {
            text.lines_.append(lines_[line]);
        }
    }
    while (next < sounds.size()) putSound();
    return text;
}

} // namespace kestrel
