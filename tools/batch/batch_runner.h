#pragma once
// kestrel-batch: runs the build's batch file where the Windows command
// interpreter is not at hand.
//
//     kestrel-batch FILE.bat     (run in the folder the batch works in)
//
// It knows exactly what that batch says, and refuses anything else:
//   copy PATTERN FOLDER   copies the matching files into an existing folder
//   del PATTERN           deletes the matching files
//   pause                 waits for a key when a terminal is attached
//   PROGRAM ARGS...       runs a program that lies in the batch's folder
// Patterns take "*" and "?"; paths use "\" (or "/") and are relative to the
// batch's folder; every name is matched without regard to case. A line that
// holds a character the command interpreter treats specially (& | < > ^ % ")
// is an error, as is an unknown command. As with the command interpreter, a
// failed line is reported and the next one runs; the exit status says
// whether every line succeeded.

#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace batch {

struct Command {
    std::string word; // as written
    std::vector<std::string> args;
};

// Splits a line into blank-separated words; an error text for a line the
// runner will not run. An empty line gives an empty word.
std::optional<Command> parseLine(std::string_view line, std::string& error);

// `relative` ("..\..\graphics\wads") from `dir`, each part found without
// regard to case; nothing when a part does not exist.
std::optional<std::filesystem::path> resolvePath(const std::filesystem::path& dir,
                                                 std::string_view relative);

struct Context {
    std::filesystem::path dir;
    std::ostream& out;
    std::ostream& err;
    bool interactive = false; // pause waits for a key
};

// Runs one command; false when it failed (the reason is on ctx.err).
bool runCommand(const Command& command, Context& ctx);

// Runs every line of the batch's bytes; 0 when all succeeded, else 1.
int runBatch(std::string_view bytes, Context& ctx);

} // namespace batch
