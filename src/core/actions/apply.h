#pragma once
// Where the working lines meet the disk: Apply, and the two ways back to the
// default lines.

#include "session/main_state.h"
#include "session/paths.h"
#include "session/ports.h"

#include <string>

namespace kestrel {

// The bytes Apply writes to sounds.txt: the working lines in place of the
// sound lines of the file as it was read, its other lines where they stood,
// every line ended by CR LF.
std::string soundsFileBytes(const MainState& state);

// The custom-lines records: every sound whose sample names differ from its
// default line, as its ID and its quoted line. Empty when there is none.
std::string customLinesBytes(const MainState& state);

// Apply: after a Yes, backs sounds.txt up once to Orig_Sounds.txt and keeps
// it in the history (history.h), writes the working lines to
// sounds.txt and the current WAD's custom lines, then shows the current
// sound again. A partial catalogue is never written; a file
// changed on disk since it was read is only overwritten after a second Yes.
// Any failure is reported and leaves sounds.txt as it was. True when
// sounds.txt was written.
bool applyChanges(MainState& state, Ports& ports);

// Before the working lines are dropped: when sounds carry changes not
// applied, asks whether to apply them first. True to go on (nothing
// pending, Discard, or an Apply that wrote sounds.txt).
bool settlePendingChanges(MainState& state, Ports& ports);

// After an OK, sounds.txt becomes the default lines file (backed up first
// when no backup exists yet, and kept in the history) and the catalogue is
// read again. A failure to back it up or keep it leaves it as it was.
void restoreDefaults(MainState& state, Ports& ports);

} // namespace kestrel
