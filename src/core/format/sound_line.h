#pragma once
// The sounds.txt line format: reading a line into a SoundRecord without
// tokenising it, and the small text helpers every other rule uses.
//
// Text is raw 8-bit (Windows-1252) bytes; a position is a byte index from 0.

#include "format/number.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// Widths at which record fields are shown and compared.
inline constexpr std::size_t kNameWidth = 24;
inline constexpr std::size_t kSamplesWidth = 32;
inline constexpr std::size_t kValueWidth = 8;
inline constexpr std::size_t kFlagWidth = 2;
inline constexpr std::size_t kMaxSamples = 10;

// One parsed sound line. Unlike a fixed-width record it keeps the whole name
// part and every sample name, however long or many, so that nothing is lost
// when a line is written back; the fixed widths apply only where a field is
// shown (see the *Field() accessors).
struct SoundRecord {
    std::string name;                 // up to and including the first ':' ("" without one)
    std::vector<std::string> samples; // every sample name, in order
    std::string vol, ch, pit, rad;    // "VOL08", "CH01", "PIT-05", "RAD10" or ""
    std::string p, v, rn, l;          // "P", "V", "R"/"N", "L" or ""
    std::string letters;              // the WAD letter tags, "#a #f", or ""

    std::string nameField() const;               // name, padded or cut to 24
    std::string samplesText() const;             // each sample followed by one space
    std::string samplesField() const;            // samplesText, padded or cut to 32
    std::string sample(std::size_t index) const; // 0-based; "" beyond the last

    bool operator==(const SoundRecord&) const = default;
};

bool isBlank(char c);

// The words of a text, parted by spaces and tabs.
std::vector<std::string> wordsOf(std::string_view text);

// Pads with spaces on the right or cuts to exactly `width` characters.
std::string fixedWidth(std::string_view text, std::size_t width);

// The text without its trailing spaces (tabs are kept).
std::string trimTrailingSpaces(std::string_view text);

// Where the sample list of a line ends: the 0-based index of the tab or space
// that closed it, the line's length when it runs to the end, or npos when the
// line has no sample at all.
std::size_t sampleListEnd(std::string_view line);

// Where WAD letters may start: just after the first "VOL" of the tail, or the
// end of the sample list when the tail holds no "VOL". Never inside the name
// part or the sample list.
std::size_t letterTailStart(std::string_view line);

// Whether a flag letter is present at or after `start`: the letter followed by
// a space, else by a tab, else standing last on the line; only the first
// occurrence found is judged, and it does not count when a '#' precedes it.
bool hasFlag(std::size_t start, char letter, std::string_view line);

// The position of the first whole occurrence of `tag` ("#a") in `text` at or
// after `from`: the tag followed by a space, a tab, a '#' or the end of the
// text. npos when there is none.
std::size_t findWholeTag(std::string_view text, std::string_view tag, std::size_t from = 0);

// Whether `line` carries the whole tag `tag` ("#a") in its letter tail: the
// tag followed by a space, a tab, a '#' or the end of the line ("#a" is not
// found in "#ab").
bool hasLetterTag(std::string_view line, std::string_view tag);

// Parses one line. Never fails: missing parts leave their fields empty.
SoundRecord parseSoundLine(std::string_view line);

// The sample names of a line alone, as parseSoundLine reads them, as views
// into `line`. No name holds a blank.
std::vector<std::string_view> sampleNames(std::string_view line);

} // namespace kestrel
