#pragma once
// What the core asks of the platform. The application implements these with
// Qt and the operating system; tests use a scripted fake.

#include "session/messages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// Success, or a failure with a text saying why.
struct Status {
    bool ok = true;
    std::string error;

    static Status success() { return {}; }
    static Status failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Far above any catalogue: a larger file is not one of the program's.
inline constexpr std::uint64_t kMaxReadBytes = 256ull << 20;

// What tells one state of a file from the next without reading it: its
// modification time and its size. A write by anyone changes one or both.
struct FileStamp {
    std::int64_t time = 0;
    std::uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

struct ReadResult {
    bool ok = false;
    std::string bytes;
    std::string error;
    bool missing = false; // nothing is there (or a link names nothing)
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows message `id` in the language in force; returns the button pressed.
    virtual Answer message(Msg id, const std::vector<std::string>& args) = 0;
    // Shows a file-open dialog; nothing when it is cancelled.
    virtual std::optional<std::string> openFile(FileDialog which,
                                                const std::string& initialDir) = 0;
    // Moves the keyboard focus to the control of that name.
    virtual void focus(std::string_view control) = 0;
};

// Paths are native texts. Every lookup ignores the letter case of each part of
// the path, so "sounds.txt" finds "Sounds.txt" on any file system.
class Files {
public:
    virtual ~Files() = default;
    // The existing path that matches `path` without regard to case.
    virtual std::optional<std::string> find(const std::string& path) = 0;
    // Reads a regular file (after links) of at most kMaxReadBytes; a folder,
    // a pipe, a device or a larger file is a failure that says so.
    virtual ReadResult read(const std::string& path) = 0;
    // Writes the whole file through a temporary file that is synced and
    // renamed over the target: on failure the old file is left as it was. A
    // link stays a link: the file it names takes the bytes, and a link that
    // cannot be followed is a failure.
    virtual Status write(const std::string& path, std::string_view bytes) = 0;
    virtual Status copy(const std::string& from, const std::string& to) = 0;
    // Keeps the file `from` as it is now under the new name `to`: a second
    // name for the same bytes where the file system allows it, a copy
    // otherwise. The second name keeps the old bytes because write() always
    // puts a new file in place of the old one, never changes it in place.
    virtual Status keepAs(const std::string& from, const std::string& to) = 0;
    virtual Status remove(const std::string& path) = 0;
    virtual Status makeDir(const std::string& path) = 0;
    // Names (not paths) of the files in `dir` matching a "*"/"?" pattern, any case.
    virtual std::vector<std::string> list(const std::string& dir, const std::string& pattern) = 0;
    // The file's stamp; nothing when the file does not exist.
    virtual std::optional<FileStamp> stamp(const std::string& path) = 0;
    // The local date and time now, as "YYYYMMDD-HHMMSS": the name of a file
    // kept by the program tells when it was kept.
    virtual std::string localTime() = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing a .wav file and returns at once; a new play replaces the
    // old. Only a regular file of at most kMaxReadBytes is played: anything
    // else is a failure that says why.
    virtual Status play(const std::string& wavPath) = 0;
    // Whether the machine has an audio output to play on.
    virtual bool hasOutput() = 0;
};

// A program and its arguments, each one argument, blanks and all.
struct CommandLine {
    std::string program;
    std::vector<std::string> args;
};

using ProcessId = std::int64_t;

struct StartedProcess {
    Status status;
    ProcessId id = 0;
    // What runs the batch writes BatchLaunch::statusPath once the batch has
    // done its work (Kestrel's batch runner; not the Windows interpreter).
    bool writesStatus = false;
    // On a desktop, no terminal was found: the batch runs without a window.
    bool withoutWindow = false;
};

// The build's batch file and what its runner is told.
struct BatchLaunch {
    std::string batchPath;
    std::string workingDir;
    std::string installRoot; // the level editor's folder: copy and del stay inside it
    std::string statusPath;  // where the runner says how the batch went
};

class Programs {
public:
    virtual ~Programs() = default;
    // Starts a program without waiting for it.
    virtual Status start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingDir) = 0;
    // Starts a batch file in its working folder in a console window of its
    // own, without waiting; the process can be watched afterwards.
    virtual StartedProcess startBatch(const BatchLaunch& batch) = 0;
    // Whether a process started here is still running.
    virtual bool isRunning(ProcessId id) = 0;
    // Opens a text file in the desktop's text editor, without waiting.
    virtual Status openTextFile(const std::string& path) = 0;
};

struct Ports {
    Dialogs& dialogs;
    Files& files;
    Sound& sound;
    Programs& programs;
};

} // namespace kestrel
