#pragma once
// The two ways out of the editor proper: the help text, and sounds.txt in
// the desktop's text editor.

#include "session/main_state.h"
#include "session/paths.h"
#include "session/ports.h"

#include <optional>
#include <string>

namespace kestrel {

// Opening the help window: the old single help file goes, then every line
// of the help file, each followed by CR LF. Nothing when the file is
// missing or unreadable.
std::optional<std::string> openHelp(const MainState& state, Ports& ports);

// "Open Sounds.txt file": the editor is started on sounds.txt without
// waiting; a failure to start it is reported.
void openSoundsInEditor(const MainState& state, Ports& ports);

} // namespace kestrel
