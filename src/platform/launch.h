#pragma once
// How the program starts the desktop's own programs off Windows: the
// terminal the build's batch runs in, and the text editor for sounds.txt.

#include "session/ports.h"

#include <functional>
#include <optional>
#include <string>

namespace kestrel {

// Terminals known to stay in the foreground until what they run has ended
// (told how in runnerCommand), so that the started process is the batch's,
// in order of preference after the user's and the system's own.
inline constexpr const char* kTerminals[] = {"mate-terminal",  "tilix",   "kitty",
                                             "foot",           "konsole", "xfce4-terminal",
                                             "gnome-terminal", "xterm"};

// A program found on the PATH, or nothing.
using ProgramFinder = std::function<std::optional<std::string>(const std::string&)>;

// The terminal the batch is shown in: the user's TERMINAL, then the system's
// default x-terminal-emulator, then the first of kTerminals found; empty when
// there is none. A choice that is a known terminal under another name (a
// link, a ".wrapper" script) is that terminal itself, so that it is started
// its own way. `realPath` follows links.
std::string chooseTerminal(const std::string& terminalVariable, const ProgramFinder& findProgram,
                           const std::function<std::string(const std::string&)>& realPath);

// Off Windows the batch runs with Kestrel's batch runner, confined to the
// installation root and told where to write its status: inside `terminal`
// when there is one (a terminal not in kTerminals is given "-e", as Debian
// asks every terminal to take), else on its own.
CommandLine runnerCommand(const std::string& runner, const BatchLaunch& batch,
                          const std::string& terminal);

// Text editors with a window of their own, by program name.
inline constexpr const char* kGraphicalEditors[] = {
    "gnome-text-editor", "gedit",   "kate",  "kwrite", "mousepad", "xed", "pluma",
    "featherpad",        "leafpad", "geany", "code",   "gvim"};

// The editor for `path` off Windows: the user's VISUAL, else EDITOR, when it
// names a graphical editor (a terminal editor would have no window to run
// in); else the desktop's default application for text files (xdg-open);
// else the first graphical editor `findProgram` finds. The path stays one
// argument.
CommandLine textEditorCommand(const std::string& path, const std::string& visual,
                              const std::string& editor, const ProgramFinder& findProgram);

} // namespace kestrel
