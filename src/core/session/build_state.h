#pragma once
// Where a build of the WAD's sound files stands: the batch started in the
// sound compiler folder, and what Kestrel watches until it is over.

#include "session/ports.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kestrel {

enum class BuildPhase {
    Idle,
    Waiting,  // the window waits for the WAD's files; it is disabled
    Released, // the window is back; the batch still runs and its file stays
};

// The WAD's .SAM and .SFX files in the wads folder, as last seen.
struct WadFileStamps {
    std::optional<FileStamp> sam;
    std::optional<FileStamp> sfx;
};

struct BuildState {
    BuildPhase phase = BuildPhase::Idle;
    ProcessId process = 0;
    std::string wadName;
    std::string batchPath;
    std::string statusPath;
    bool statusExpected = false; // the batch's runner writes statusPath when done
    WadFileStamps before;        // the WAD's files when the build started
    std::int64_t startedAt = 0;  // ms, by the clock the window gives
    std::int64_t elapsed = 0;    // ms since the start, at the last check
    bool canStopWaiting = false; // the wait has gone on long enough to offer a way out
    bool justBuilt = false;      // the last build put the WAD's files in the wads folder
    bool buildOver = false;      // the last build succeeded, but its WAD's files did not arrive
    bool checkAsked = false;     // instead of building, the check's findings are to be shown

    bool windowDisabled() const { return phase == BuildPhase::Waiting; }
    bool watching() const { return phase != BuildPhase::Idle; }
};

} // namespace kestrel
