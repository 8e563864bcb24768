#pragma once
// The versions of sounds.txt the program replaced: each Apply, Restore
// defaults or restore of a kept version first keeps the file as it is on disk
// in the program folder's "history", under the time it was kept. The newest
// are kept; the one-time backup Orig_Sounds.txt is a separate matter.

#include "actions/undo.h"
#include "session/main_state.h"
#include "session/paths.h"
#include "session/ports.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

inline constexpr std::size_t kKeptVersions = 30;

// Replaces sounds.txt with `bytes`, first keeping it as it is on disk now as
// history/Sounds-<local time>.txt ("-2", "-3"… before ".txt" when that name is
// taken); once the new bytes are written, removes the oldest versions beyond
// kKeptVersions, never the one just kept (a removal that fails is left for
// the next time). When the version cannot be kept, sounds.txt is not
// replaced; when sounds.txt cannot be written, the version just kept goes.
// Either failure is shown as Msg::FileNotWritten {path, reason}. True when
// sounds.txt was written.
bool replaceSoundsFile(const MainState& state, Ports& ports, std::string_view bytes);

struct KeptVersion {
    std::string path; // full path
    std::string time; // "2026-12-08 10:15:00", from the name
    std::uint64_t size = 0;
    int differing = 0;    // sounds whose line differs from sounds.txt as last read or written;
                          // a sound present in only one of them counts
    bool readable = true; // false when it could not be read (then size and differing are 0)
};

// The kept versions, newest first: by the time in the name, and of the same
// second "-2" as kept after the plain name. Files of other names are ignored.
std::vector<KeptVersion> keptVersions(const MainState& state, Ports& ports);

// The sounds of a kept version whose lines differ from sounds.txt as last
// read or written, by ID: the kept line above, the current one below.
std::vector<LinePair> keptDifferences(const MainState& state, Ports& ports,
                                      const KeptVersion& version);

// After an OK, sounds.txt becomes the kept version: only a readable catalogue
// is put in its place, pending changes are settled first, and the file
// replaced is kept in the history before it goes. The catalogue is then read
// again. Any failure is reported and leaves sounds.txt as it was. True when
// sounds.txt was replaced.
bool restoreKeptVersion(MainState& state, Ports& ports, const KeptVersion& version);

} // namespace kestrel
