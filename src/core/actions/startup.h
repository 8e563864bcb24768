#pragma once
// Bringing the main window up and down: the settings, the level editor's
// folders, the first catalogue load, and choosing another level editor.

#include "format/settings.h"
#include "session/main_state.h"
#include "session/ports.h"

#include <string>

namespace kestrel {

// `dir` with a folder separator at its end (the one it already uses, if any).
std::string withDirSep(const std::string& dir);

Settings currentSettings(const MainState& state);

// Takes the settings into the state and derives the level editor's
// sub-folders from its folder.
void applySettings(MainState& state, const Settings& settings);

enum class StartOutcome { Ready, Aborted };

// Start-up with state.dirs.appDir set: reads the settings file, or on a first
// start asks for the level editor program (a cancel shows a message and
// aborts), then loads the catalogue, marks the rows and opens row 0.
StartOutcome startMainWindow(MainState& state, Ports& ports);

// The catalogue of the saved settings, loaded without asking anything (for
// the command line): Aborted, after its message, when there are no settings
// yet, they cannot be read, or a file of the catalogue could not be read.
StartOutcome loadSavedCatalogue(MainState& state, Ports& ports);

// Close: writes the settings file. A failure is reported and leaves the old
// file as it was.
Status closeMainWindow(MainState& state, Ports& ports);

// Asks for the level editor program again. A cancel changes nothing and
// returns false; otherwise the settings are saved and everything is loaded
// anew from the chosen folder.
bool chooseEditorAgain(MainState& state, Ports& ports);

} // namespace kestrel
