#include "fake_ports.h"

#include "platform/os_files.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace kestrel::testing {

namespace {

// Either slash separates folders, as on Windows, where the program's own
// paths use backslashes and the tests' paths slashes.
std::string slashed(std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

std::string folded(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return slashed(s);
}

bool startsWithFolder(const std::string& path, const std::string& dir) {
    const std::string d = folded(dir);
    return folded(path).compare(0, d.size(), d) == 0;
}

} // namespace

Answer FakeDialogs::message(Msg id, const std::vector<std::string>& args) {
    shown.push_back({id, args});
    if (!answers.empty()) {
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (styleOf(id).buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return Answer::Cancel;
    case Buttons::YesNo:
    case Buttons::YesNoShow: return Answer::No;
    case Buttons::ApplyDiscardCancel: return Answer::Cancel;
    }
    return Answer::Ok;
}

std::optional<std::string> FakeDialogs::openFile(FileDialog which, const std::string&) {
    fileDialogs.push_back(which);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

void FakeDialogs::focus(std::string_view control) {
    focused.emplace_back(control);
}

bool FakeDialogs::showed(Msg id) const {
    return std::any_of(shown.begin(), shown.end(), [id](const auto& m) { return m.id == id; });
}

std::map<std::string, std::string>::iterator FakeFiles::lookup(const std::string& path) {
    const std::string key = folded(path);
    return std::find_if(files.begin(), files.end(),
                        [&](const auto& f) { return folded(f.first) == key; });
}

bool FakeFiles::fails(FileOp op, const std::string& path) const {
    return std::any_of(failing.begin(), failing.end(), [&](const Fault& f) {
        return (!f.op || *f.op == op) && folded(f.path) == folded(path);
    });
}

Status FakeFiles::logged(FileOp op, const std::string& path, Status s) {
    calls.push_back({op, path, s.ok});
    return s;
}

std::size_t FakeFiles::changes() const {
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(), [](const FileCall& c) { return c.ok; }));
}

std::optional<std::string> FakeFiles::find(const std::string& path) {
    auto it = lookup(path);
    if (it != files.end()) return it->first;
    // A folder exists when it was made or holds a file.
    const std::string dir =
        path.empty() || path.back() == '/' || path.back() == '\\' ? path : path + '/';
    const auto holds = [&](const std::string& p) { return startsWithFolder(p, dir); };
    if (std::any_of(dirs.begin(), dirs.end(), holds) ||
        std::any_of(files.begin(), files.end(), [&](const auto& f) { return holds(f.first); }))
        return path;
    return std::nullopt;
}

std::size_t FakeFiles::digestOf(const std::string& bytes) const {
    return watchesBytes ? std::hash<std::string>{}(bytes) : 0;
}

std::optional<FileStamp> FakeFiles::stamp(const std::string& path) {
    auto it = lookup(path);
    if (it == files.end()) return std::nullopt;
    const std::size_t digest = digestOf(it->second);
    Stamped& s = stamps_.try_emplace(it->first, Stamped{0, digest}).first->second;
    if (s.digest != digest) s = {nextStamp_++, digest};
    return FileStamp{s.time, it->second.size()};
}

ReadResult FakeFiles::read(const std::string& path) {
    auto it = lookup(path);
    if (it == files.end()) return {false, {}, "file not found", true};
    if (fails(FileOp::Read, path)) return {false, {}, "permission denied"};
    return {true, it->second, {}};
}

Status FakeFiles::store(const std::string& path, std::string_view bytes) {
    auto it = lookup(path);
    if (it != files.end())
        it->second = std::string(bytes);
    else
        it = files.emplace(path, std::string(bytes)).first;
    stamps_[it->first] = {nextStamp_++, digestOf(it->second)};
    return Status::success();
}

Status FakeFiles::write(const std::string& path, std::string_view bytes) {
    if (fails(FileOp::Write, path))
        return logged(FileOp::Write, path, Status::failure("disk full"));
    return logged(FileOp::Write, path, store(path, bytes));
}

Status FakeFiles::copy(const std::string& from, const std::string& to) {
    if (fails(FileOp::Copy, to)) return logged(FileOp::Copy, to, Status::failure("disk full"));
    const ReadResult source = read(from);
    return logged(FileOp::Copy, to,
                  source.ok ? store(to, source.bytes) : Status::failure(source.error));
}

Status FakeFiles::remove(const std::string& path) {
    auto it = lookup(path);
    if (it == files.end() || fails(FileOp::Remove, path))
        return logged(FileOp::Remove, path, Status::failure("file not found"));
    stamps_.erase(it->first);
    files.erase(it);
    return logged(FileOp::Remove, path, Status::success());
}

Status FakeFiles::makeDir(const std::string& path) {
    if (fails(FileOp::MakeDir, path))
        return logged(FileOp::MakeDir, path, Status::failure("permission denied"));
    dirs.push_back(path);
    return logged(FileOp::MakeDir, path, Status::success());
}

std::vector<std::string> FakeFiles::list(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files) {
        if (!startsWithFolder(path, dir)) continue;
        const std::string name = path.substr(dir.size());
        if (name.find_first_of("/\\") == std::string::npos && matchesPattern(name, pattern))
            names.push_back(name);
    }
    return names;
}

std::string FakeFiles::bytes(const std::string& path) const {
    for (const auto& [p, b] : files)
        if (folded(p) == folded(path)) return b;
    return {};
}

Status FakePrograms::start(const std::string& program, const std::vector<std::string>& args,
                           const std::string& workingDir) {
    started.push_back({program, args, workingDir});
    return fail ? Status::failure("cannot start") : Status::success();
}

StartedProcess FakePrograms::startBatch(const BatchLaunch& batch) {
    batches.push_back(batch);
    if (failBatch) return {Status::failure("cannot start"), 0};
    return {Status::success(), static_cast<ProcessId>(batches.size()), batchWritesStatus,
            batchWithoutWindow};
}

bool FakePrograms::isRunning(ProcessId id) {
    return id > 0 && id <= static_cast<ProcessId>(batches.size()) &&
           std::find(exited.begin(), exited.end(), id) == exited.end();
}

} // namespace kestrel::testing
