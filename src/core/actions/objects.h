#pragma once
// The object dialog and the object field of the main window: choosing a game
// object whose sounds the letter commands then change all at once.

#include "session/main_state.h"
#include "session/ports.h"

namespace kestrel {

// Start-up: reads the object list for the .WAS import. A missing or
// unreadable file is reported once and leaves the table empty.
void loadImportObjects(MainState& state, Ports& ports);

// "Show/Hide object selection": the first showing loads the dialog.
void toggleObjectDialog(MainState& state, Ports& ports);

// "Erase object name": the letter commands work on the current sound again.
void eraseObjectName(MainState& state);

// The user picks entry `index` of the type box (0 to 7).
void pickObjectType(MainState& state, int index);

// The user highlights object `index` of the object list.
void highlightObject(MainState& state, int index);

// The user clicks entry `index` of the sound IDs: that sound becomes current.
void clickObjectSoundId(MainState& state, Ports& ports, int index);

// "Select object" or a double click: the highlighted object becomes the
// object of the letter commands.
void acceptObject(MainState& state);

// The sound IDs of the accepted object that name an ordinary row of the
// catalogue: protected sounds and IDs beyond the catalogue are left out.
std::vector<int> objectSoundRows(const MainState& state);

} // namespace kestrel
