#pragma once
// Finding the next sound whose row, or whose whole line, holds a text.

#include "session/main_state.h"
#include "session/ports.h"

#include <string_view>

namespace kestrel {

// The upper-case form of a Windows-1252 letter: a–z, the accented letters
// à–þ (but ÷), š, œ, ž and ÿ; every other byte is itself.
char upperCase1252(char c);

// Whether `text` holds `part`, letters compared in upper case unless
// `caseSensitive`. An empty part is found in every text.
bool holdsText(std::string_view text, std::string_view part, bool caseSensitive);

// Whether a search text names a sound ID: it begins with a non-zero number,
// read as the value boxes read it. Such a text is looked for in the rows
// only; any other text in the whole lines too.
bool searchesIdsOnly(std::string_view text);

// One step from the current row, down or up, without wrapping round and
// skipping the protected sounds: the first row that matches becomes current.
// Nothing changes when no row matches.
void searchStep(MainState& state, Ports& ports);

// The text that steps through the sounds carrying the current letter.
inline constexpr const char* kLetterMarkSearch = ":[OK]";

} // namespace kestrel
