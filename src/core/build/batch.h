#pragma once
// The batch file that builds a WAD's .SAM and .SFX files with the level
// editor's sound compiler, run in the compiler's folder.

#include "session/ports.h"

#include <string>
#include <string_view>

namespace kestrel {

inline constexpr const char* kBatchName = "CreateSFX.bat";

// The six lines, each ended by CR LF: the compiler run for the WAD, the copy
// of its output to the wads folder, the clean-up, and a pause that keeps the
// console open.
std::string batchText(std::string_view wadName, std::string_view letter);

// Terminals that stay in the foreground until what they run has ended, so
// that the started process is the batch's, in order of preference.
inline constexpr const char* kTerminals[] = {"xterm", "konsole", "gnome-terminal",
                                             "xfce4-terminal"};

// Off Windows the batch runs with Kestrel's batch runner: inside `terminal`
// (a path to one of kTerminals) when there is one, else on its own.
CommandLine runnerCommand(const std::string& runner, const std::string& batchPath,
                          const std::string& terminal);

} // namespace kestrel
