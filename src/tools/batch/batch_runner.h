#pragma once
// kestrel-batch: runs the build's batch file where the Windows command
// interpreter is not at hand.
//
//     kestrel-batch [--root DIR] [--status FILE] FILE.bat
//
// run in the folder the batch works in (the batch's folder). It knows
// exactly what that batch says, and refuses anything else:
//   copy PATTERN FOLDER   copies the matching files into an existing folder
//   del PATTERN           deletes the matching files
//   pause                 waits for a key when a terminal is attached
//   PROGRAM ARGS...       runs a program that lies in the batch's folder
// Patterns take "*" and "?"; paths use "\" (or "/") and are relative to the
// batch's folder; every name is matched without regard to case. A line that
// holds a character the command interpreter treats specially (& | < > ^ % ")
// is an error, as is an unknown command. As with the command interpreter, a
// failed line is reported and the next one runs.
//
// Confinement, so that a batch file can do no more than the build's:
// - PROGRAM is a bare name (no "/", "\", ":" or ".."), found in the batch's
//   folder, and must be a regular file whose real path (links followed) is
//   still inside that folder.
// - copy and del take relative paths only: the pattern's folder part and the
//   target folder must stay inside the root (DIR, the level editor's folder;
//   without --root, the batch's folder) after ".." and after links, and so
//   must each file copied and each file copied over. An absolute path ("/x",
//   "\x") or a drive (any ":") is refused.
// A refused line is reported with its line number, and nothing of it runs.
//
// Status: each line has one. A program line's is its exit status (128 + the
// signal when a signal ended it, 127 when it was refused or could not run);
// a failed copy, del or pause line, or an unreadable line, counts 1. The
// batch's status is that of the first program line that failed (the
// compiler's, which the copy lines failing after it do not hide); else 1
// when any other line failed; else 0. With --status, the runner writes
// "status N" CR LF to FILE (through the program's safe write) when it
// reaches the first pause, before waiting for the key, or at the end of a
// batch without one; lines after that pause do not change it. The exit
// status is the batch's status over every line (2 for a bad command line
// or an unreadable batch).

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
    std::filesystem::path dir; // the batch's folder, where its lines run
    std::ostream& out;
    std::ostream& err;
    bool interactive = false;         // pause waits for a key
    std::filesystem::path root;       // copy and del stay inside it; empty: dir
    std::filesystem::path statusFile; // where the batch's status goes; empty: nowhere
    int line = 0;                     // the line being run, for messages
};

// A program's status when it was refused or could not run.
inline constexpr int kNotRun = 127;

// Runs a program in `dir` and waits for it: its exit status (128 + the
// signal when a signal ended it), or kNotRun when it could not be started.
// Arguments are UTF-8, each one argument, blanks and all; on Windows the
// program reads nothing (its input is the null device).
int runAndWait(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::filesystem::path& dir);

// Runs one command; its status (see above), 0 when it succeeded. The reason
// of a failure is on ctx.err.
int runCommand(const Command& command, Context& ctx);

// Runs every line of the batch's bytes and writes the status file; returns
// the batch's status.
int runBatch(std::string_view bytes, Context& ctx);

} // namespace batch
