#pragma once
// The command-line forms that need no window: --help, --version and --check.

#include <optional>

namespace kestrel::app {

// Runs a command-line form and gives the exit code; nothing when the command
// line asks for the window.
std::optional<int> runWithoutWindow(int argc, char* argv[]);

} // namespace kestrel::app
