#pragma once
// The two ways out of the editor proper: the help text, and sounds.txt in
// the desktop's text editor.

#include "session/main_state.h"
#include "session/ports.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrel {

// The help file of the language in force, in the program folder.
std::string helpFilePath(const MainState& state);

// Opening the help window: the old single help file goes, then every line
// of the help file, each followed by CR LF. Nothing when the file is
// missing or unreadable.
std::optional<std::string> openHelp(const MainState& state, Ports& ports);

// "Open Sounds.txt file": the editor is started on sounds.txt without
// waiting; a failure to start it is reported.
void openSoundsInEditor(const MainState& state, Ports& ports);

// Text editors with a window of their own, by program name.
inline constexpr const char* kGraphicalEditors[] = {
    "gnome-text-editor", "gedit", "kate",  "kwrite", "mousepad", "xed",
    "pluma",             "featherpad", "leafpad", "geany", "code",  "gvim"};

// The editor for `path` off Windows: the user's VISUAL, else EDITOR, when it
// names a graphical editor (a terminal editor would have no window to run
// in); else the first graphical editor `findProgram` finds; else the
// desktop's default opener. The path stays one argument.
CommandLine textEditorCommand(const std::string& path, const std::string& visual,
                              const std::string& editor,
                              const std::function<std::optional<std::string>(const std::string&)>& findProgram);

} // namespace kestrel
