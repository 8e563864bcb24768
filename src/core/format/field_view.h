#pragma once
// The field view: a sound record as fixed-width text, so that the default
// line and the current line can be compared column by column.

#include "format/sound_line.h"

#include <string>
#include <vector>

namespace kestrel {

// Samples (32), VOL (8), P, V, R/N, L (2 each), CH, PIT, RAD (8 each), then
// the WAD letters at their own length: the first 72 characters always stand
// at fixed columns.
std::string fieldView(const SoundRecord& rec);

// A run of columns of a field view.
struct ColumnSpan {
    std::size_t start = 0, length = 0;
};

// The fields in which two records differ, as the columns they take in the
// field view of `rec` (the samples field counts as different when any name
// differs, even beyond the 32 shown).
std::vector<ColumnSpan> differingFields(const SoundRecord& rec, const SoundRecord& other);

} // namespace kestrel
