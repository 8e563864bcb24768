#pragma once
// "Generate SFX file": the WAD's .SAM and .SFX files built from sounds.txt
// by the level editor's compiler through a batch file, and the watch that
// gives the window back once they have reached the wads folder.
//
// The window calls checkBuild once per timer interval while a build is
// watched; nothing here waits.

#include "session/main_state.h"
#include "session/ports.h"

#include <cstdint>

namespace kestrel {

// The first check comes after this long, as the level editor's own tool
// did; later checks come more often so that a slow build ends promptly.
inline constexpr int kFirstBuildCheckMs = 3000;
inline constexpr int kBuildCheckMs = 1000;
// After this long the user may stop waiting for the build.
inline constexpr std::int64_t kBuildWayOutMs = 60000;

// The CdCopy click, at time `now` (ms): checks the letter and the WAD name,
// asks, refuses while .sam/.sfx files of an earlier build are in the
// compiler folder (the batch would copy them as this build's), removes an
// old status file, writes the batch file there and starts it.
void startBuild(MainState& state, Ports& ports, std::int64_t now);

// A timer check. Once the runner's status file is there, the batch has done
// its work: the file is deleted, the window comes back and the status says
// whether the compiler failed; a success whose files did not arrive is only
// "over". Where a status is awaited, the runner's exit without one ends the
// wait too. Where none comes (the Windows interpreter), the wait ends once
// the WAD's files are in the wads folder and no .sfx file is left in the
// compiler folder, or once the batch has exited (a failure when the files
// did not arrive). The batch file is deleted once its process has exited.
void checkBuild(MainState& state, Ports& ports, std::int64_t now);

// The way out of a wait that does not end: the window is given back; the
// batch file stays while its process runs.
void stopWaitingForBuild(MainState& state);

// At close: the batch file goes if its process has exited.
void endBuildAtClose(MainState& state, Ports& ports);

} // namespace kestrel
