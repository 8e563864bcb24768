#pragma once
// Giving the current letter to every sound a WAD needs, from the WAD's .SAM
// list (the samples it plays) or its .WAS list (the objects it holds).

#include "session/main_state.h"
#include "session/ports.h"

#include <string>
#include <string_view>

namespace kestrel {

// Whether `sample` stands in `line` between blanks (space or tab), the start
// and the end of the line counting as blanks. Every occurrence is judged.
bool holdsSample(std::string_view line, std::string_view sample);

// `line` with the letter tag `tag` ("#a") added, or `line` itself when it
// carries "#g" or the tag already (whole tags only). The tag is parted from
// the text before it by a blank, as the line rebuilding does.
std::string withLetterGiven(std::string_view line, std::string_view tag);

// The WAD name of a chosen .SAM path: its file name without the extension
// (of any case); empty when the file name does not end with ".sam".
std::string wadNameOfPath(std::string_view path);

// The current letter goes to the working line of sound `id`.
void giveLetter(MainState& state, int id);

// The import proper: the WAD's custom lines go back into the working lines
// (a record naming no sound, or holding no sound line, is skipped), then the
// letter goes to the sounds the chosen list implies.
void importWadList(MainState& state, Ports& ports);

// "Load SAM file" / "Load WAS file": checks, asks (also whether to apply
// changes not applied, which the reload would drop), reloads the catalogue
// and imports.
void loadWadList(MainState& state, Ports& ports);

} // namespace kestrel
