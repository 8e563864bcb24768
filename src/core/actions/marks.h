#pragma once
// The letter marks of the sound list: a row whose line carries the current
// letter ends with "    :[OK]" and is selected.

#include "session/main_state.h"

#include <string>
#include <vector>

namespace kestrel {

inline constexpr const char* kLetterMark = "    :[OK]";

// "#" and the current letter; "##" when there is no letter.
std::string letterKey(const std::string& letter);

// The text of row `i`: its sound's row text, and the mark when it carries
// the letter. `appendRowText` adds it to `out`, for a caller that reads many.
std::string rowText(const MainState& state, std::size_t i);
void appendRowText(std::string& out, const MainState& state, std::size_t i);

// Recomputes the mark and the selection of one row, or of every row when
// `row` is -1. A protected sound whose line carries the letter is never
// marked; its line loses its WAD letters instead.
void markSoundList(MainState& state, int row);

// The marks of those rows as their lines stand, taking no letter away: the
// lines were put back by Undo or Redo exactly as they were.
void showMarks(MainState& state, const std::vector<int>& ids);

} // namespace kestrel
