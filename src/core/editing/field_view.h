#pragma once
// The field view: a sound record as fixed-width text, so that the default
// line and the current line can be compared column by column.

#include "catalogue/sound_line.h"

#include <string>

namespace kestrel {

// Samples (32), VOL (8), P, V, R/N, L (2 each), CH, PIT, RAD (8 each), then
// the WAD letters at their own length: the first 72 characters always stand
// at fixed columns.
std::string fieldView(const SoundRecord& rec);

} // namespace kestrel
