#pragma once
// Loading the catalogue: the WAD table, the default lines, the doubles marks
// and sounds.txt, and the rows of the sound list.

#include "session/main_state.h"
#include "session/ports.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// The row of sound `id` in the sound list: its number right-aligned in three
// places, ": " and its name cut or padded to 22; a protected sound shows its
// number and the colon alone.
std::string soundRowText(int id, std::string_view line);
void appendSoundRowText(std::string& out, int id, std::string_view line);

// Rebuilds every catalogue list from the data files and sounds.txt. A file
// that cannot be read is named in a message and leaves its lists empty; the
// state records when sounds.txt or the default lines were not read, which
// Apply needs. More sounds than the catalogue is made for still load, with
// one warning. True when every file was read.
bool loadCatalogue(MainState& state, Ports& ports);

// The same, when the files may not have changed: while every file is as the
// last complete load read it, by time and size, the working lines go back
// to sounds.txt's lines without reading anything, with what a load resets
// reset; the rows keep their marks until they are marked again.
bool readCatalogueAgain(MainState& state, Ports& ports);

} // namespace kestrel
