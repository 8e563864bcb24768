#pragma once
// How the program starts the desktop's own programs off Windows: the
// terminal the build's batch runs in, and the text editor for sounds.txt.

#include "session/ports.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrel {

// Terminals that stay in the foreground until what they run has ended, so
// that the started process is the batch's, in order of preference.
inline constexpr const char* kTerminals[] = {"xterm", "konsole", "gnome-terminal",
                                             "xfce4-terminal"};

// Off Windows the batch runs with Kestrel's batch runner, confined to the
// installation root and told where to write its status: inside `terminal`
// (a path to one of kTerminals) when there is one, else on its own.
CommandLine runnerCommand(const std::string& runner, const BatchLaunch& batch,
                          const std::string& terminal);

// Text editors with a window of their own, by program name.
inline constexpr const char* kGraphicalEditors[] = {
    "gnome-text-editor", "gedit",   "kate",  "kwrite", "mousepad", "xed", "pluma",
    "featherpad",        "leafpad", "geany", "code",   "gvim"};

// The editor for `path` off Windows: the user's VISUAL, else EDITOR, when it
// names a graphical editor (a terminal editor would have no window to run
// in); else the first graphical editor `findProgram` finds; else the
// desktop's default opener. The path stays one argument.
CommandLine
textEditorCommand(const std::string& path, const std::string& visual, const std::string& editor,
                  const std::function<std::optional<std::string>(const std::string&)>& findProgram);

} // namespace kestrel
