#pragma once
// Every file and folder the program reads or writes, named once. Folders end
// with a folder separator; the level editor's files are found whatever the
// case of their names (see Files::find). Paths are UTF-8; a name taken from
// the level editor's files (a WAD, a sample) is converted from its 8-bit text.

#include "session/main_state.h"

#include <string>

namespace kestrel {

// In the level editor's sound folder.
std::string soundsPath(const MainState& state);       // Sounds.txt
std::string soundsBackupPath(const MainState& state); // Orig_Sounds.txt, the first version replaced

// In the program's folder.
std::string defaultLinesPath(const MainState& state); // Kestrel.tos
std::string wadTablePath(const MainState& state);     // Kestrel.tow
std::string doublesPath(const MainState& state);      // Kestrel.tod
std::string objectListPath(const MainState& state);   // Kestrel.too
std::string settingsPath(const MainState& state);     // Kestrel.par
std::string windowStatePath(const MainState& state);  // Kestrel.ini, the window's place and size
std::string helpFilePath(const MainState& state);     // in the language in force
std::string oldHelpPath(const MainState& state);      // Kestrel1.txt, left by old versions
std::string customLinesDir(const MainState& state);   // sounds/
std::string customLinesPath(const MainState& state);  // sounds/<WAD>.tor of the WAD box
std::string historyFolder(const MainState& state);    // history/

// In the level editor's wads folder: <WAD><extension> (".SAM", ".WAS", ".SFX").
std::string wadFilePath(const MainState& state, const std::string& wadName,
                        const std::string& extension);

// A sample's .wav in the level editor's samples folder.
std::string wavPath(const MainState& state, const std::string& sample);

} // namespace kestrel
