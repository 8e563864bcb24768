#pragma once
// What a catalogue file must be before Kestrel reads lines from it or puts
// it in place of sounds.txt: 8-bit text, not a binary or UTF-16/32 file whose
// lines would be rewritten into a corrupt mix.

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// Why the bytes are not 8-bit text (NUL bytes, a UTF-16 or UTF-32 byte-order
// mark); nothing when they are. A UTF-8 byte-order mark is text.
std::optional<std::string> whyNotText(std::string_view bytes);

// Why the bytes cannot replace a sounds.txt that holds `soundsNow` sounds:
// not text, no sound line at all, or fewer than half as many sound lines.
std::optional<std::string> whyNotCatalogue(std::string_view bytes, int soundsNow);

} // namespace kestrel
