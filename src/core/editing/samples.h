#pragma once
// The samples of the current sound: choosing one, playing it, renaming it.

#include "session/main_state.h"
#include "session/ports.h"

#include <string_view>

namespace kestrel {

// The samples list's selection becomes `k` (-1: none).
void selectSample(MainState& state, int k);

// Plays the chosen sample from the level editor's samples folder, or says
// that its file is missing.
void playSample(MainState& state, Ports& ports);

// Puts the name typed in the sample box in place of the selected sample and
// writes the line again. Refuses a name with a blank or a control character,
// a name that leads out of the samples folder, and names that no longer fit
// the 32 characters of the sample list.
void renameSample(MainState& state, Ports& ports);

// Whether a sample name may stand in a line: no blank, no control character.
bool isUsableSampleName(std::string_view name);

// Whether a sample name would lead out of the samples folder: a folder
// separator or "..".
bool namesAFolder(std::string_view name);

} // namespace kestrel
