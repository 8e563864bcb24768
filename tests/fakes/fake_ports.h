#pragma once
// A scripted stand-in for every port: queued answers, recorded calls and an
// in-memory file system, so a test can drive a whole user story.

#include "session/ports.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::testing {

struct ShownMessage {
    Msg id;
    std::vector<std::string> args;
};

class FakeDialogs : public Dialogs {
public:
    std::deque<Answer> answers;                         // next answers; Ok/Yes-less default below
    std::deque<std::optional<std::string>> fileAnswers; // next file dialog results
    std::vector<ShownMessage> shown;
    std::vector<FileDialog> fileDialogs;
    std::vector<std::string> focused;

    Answer message(Msg id, const std::vector<std::string>& args) override;
    std::optional<std::string> openFile(FileDialog which, const std::string& initialDir) override;
    void focus(std::string_view control) override;

    bool showed(Msg id) const;
};

// The kinds of file call, as logged and as a fault picks them.
enum class FileOp { Write, Copy, Remove, MakeDir, Read };

struct FileCall {
    FileOp op;
    std::string path; // the file written, copied to or removed, or the folder made
    bool ok = true;
};

// A call on `path` (any kind when `op` is unset) fails and changes nothing,
// as a full disk or a refused permission would.
struct Fault {
    std::string path;
    std::optional<FileOp> op = std::nullopt;
};

// Files kept in a map; paths compare without regard to case, as on the
// level editor's own machine.
class FakeFiles : public Files {
public:
    std::map<std::string, std::string> files; // key: path as written
    std::vector<std::string> dirs;
    std::vector<Fault> failing;  // the one fault injector
    std::vector<FileCall> calls; // the one call log: every call that changes files
    std::size_t changes() const; // the logged calls that succeeded

    std::optional<std::string> find(const std::string& path) override;
    ReadResult read(const std::string& path) override;
    Status write(const std::string& path, std::string_view bytes) override;
    Status copy(const std::string& from, const std::string& to) override;
    Status keepAs(const std::string& from, const std::string& to) override {
        return copy(from, to);
    }
    Status remove(const std::string& path) override;
    Status makeDir(const std::string& path) override;
    std::vector<std::string> list(const std::string& dir, const std::string& pattern) override;
    // Each write or copy gives the file a new time, and so does a change of
    // its bytes straight in `files`, as a write by another program would,
    // while `watchesBytes` holds.
    std::optional<FileStamp> stamp(const std::string& path) override;
    bool watchesBytes = true;
    // What localTime says; a test moves it on.
    std::string now = "20261208-101500";
    std::string localTime() override { return now; }

    // The bytes of a file, found without regard to case; "" when absent.
    std::string bytes(const std::string& path) const;

private:
    struct Stamped {
        std::int64_t time = 0;
        std::size_t digest = 0; // of the bytes at that time
    };
    std::map<std::string, Stamped> stamps_; // key: path as written
    std::int64_t nextStamp_ = 1;
    std::size_t digestOf(const std::string& bytes) const;
    std::map<std::string, std::string>::iterator lookup(const std::string& path);
    bool fails(FileOp op, const std::string& path) const;
    Status logged(FileOp op, const std::string& path, Status s);
    Status store(const std::string& path, std::string_view bytes);
};

class FakeSound : public Sound {
public:
    std::vector<std::string> played;
    bool output = true;
    std::string failure; // when set, every play fails with it
    Status play(const std::string& wavPath) override {
        played.push_back(wavPath);
        return failure.empty() ? Status::success() : Status::failure(failure);
    }
    bool hasOutput() override { return output; }
};

class FakePrograms : public Programs {
public:
    struct Started {
        std::string program;
        std::vector<std::string> args;
        std::string workingDir;
    };
    std::vector<Started> started;
    bool fail = false;
    Status start(const std::string& program, const std::vector<std::string>& args,
                 const std::string& workingDir) override;

    // Batches started get the IDs 1, 2, …; they run until `exited` is set.
    // By default they are run as the Windows interpreter runs them, without
    // a status file.
    std::vector<BatchLaunch> batches;
    bool failBatch = false;
    bool batchWritesStatus = false;
    bool batchWithoutWindow = false;
    std::vector<ProcessId> exited;
    StartedProcess startBatch(const BatchLaunch& batch) override;
    bool isRunning(ProcessId id) override;

    std::vector<std::string> opened; // text files given to the editor
    bool failOpen = false;
    Status openTextFile(const std::string& path) override {
        opened.push_back(path);
        return failOpen ? Status::failure("no editor") : Status::success();
    }
};

// All four fakes and the Ports that bind them.
struct FakePorts {
    FakeDialogs dialogs;
    FakeFiles files;
    FakeSound sound;
    FakePrograms programs;
    Ports ports{dialogs, files, sound, programs};
};

} // namespace kestrel::testing
