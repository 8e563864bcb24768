#pragma once
// Writing a sound line again from its record, in the tab-aligned layout of
// sounds.txt, and replacing the WAD letters of a line.

#include "format/sound_line.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The line text of a record: name part, tabs up to the sample column, the
// samples, tabs up to the value column, then VOL, flags, CH, PIT, RAD and the
// WAD letters, each closed by a tab but the last. The whole name and every
// sample are written, however long or many.
std::string rebuildLine(const SoundRecord& rec);

// The letter tag of an item of the WAD letters list: from its first '#' up to
// " - ", or the two characters from the '#' when there is no " - ". Empty
// when the item holds no '#'.
std::string letterTagOfItem(std::string_view item);

// `line` with its letter tags replaced by `tags` (each "#x"), separated by
// single spaces. Only the run of tags is replaced: a flag or value written
// after the letters stays. A first tag is always parted from the text before
// it by a blank, so that it can never be read as part of a sample name or a
// flag.
std::string replaceLetterTags(std::string_view line, const std::vector<std::string>& tags);

// The blank that must precede a letter tag appended at the end of `line`: a
// tab when the sample list runs to the end of the line, or to a single space
// that ends the line (after a space the tag would read as one more sample), a
// space when the line ends with something else, nothing when it already ends
// with a blank that closes the sample list.
std::string blankBeforeTagAtEnd(std::string_view line);

} // namespace kestrel
