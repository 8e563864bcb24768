#pragma once
// The doubles file Kestrel.tod: which sounds sharing a sample with another may
// receive a letter from a .SAM import.

#include "session/main_state.h"
#include "session/ports.h"

namespace kestrel {

inline constexpr const char* kDoubleSelected = "OK ";
inline constexpr const char* kDoubleUnselected = "   ";

// Fills state.doubleMarks: "OK " for every sound, then each record's mark,
// then three spaces for the protected sounds. A missing file reads as empty.
// The table covers at least the 370 catalogue places and every loaded sound.
void loadDoubleMarks(MainState& state, Files& files);

} // namespace kestrel
