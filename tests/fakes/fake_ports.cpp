#include "fake_ports.h"

#include "platform/os_files.h"

#include <algorithm>
#include <optional>

namespace kestrel::testing {

namespace {

std::string folded(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
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
    case Buttons::YesNo: return Answer::No;
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

bool FakeFiles::fails(const std::string& path) const {
    return std::any_of(failing.begin(), failing.end(),
                       [&](const std::string& f) { return folded(f) == folded(path); });
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

std::optional<std::int64_t> FakeFiles::stamp(const std::string& path) {
    auto it = lookup(path);
    if (it == files.end()) return std::nullopt;
    const auto s = stamps_.find(it->first);
    return s == stamps_.end() ? 0 : s->second;
}

ReadResult FakeFiles::read(const std::string& path) {
    auto it = lookup(path);
    if (it == files.end()) return {false, {}, "file not found", true};
    if (fails(path)) return {false, {}, "permission denied"};
    return {true, it->second, {}};
}

void FakeFiles::failNth(FileOp op, int n) {
    injectedOp_ = op;
    injectedAt_ = static_cast<std::size_t>(n);
    for (const FileCall& c : calls)
        if (c.op == op) ++injectedAt_;
}

bool FakeFiles::injected(FileOp op, const std::string& path) {
    std::size_t sameKind = 0;
    for (const FileCall& c : calls)
        if (c.op == op) ++sameKind;
    const bool chosen = injectedOp_ == op && sameKind == injectedAt_;
    calls.push_back({op, path, !chosen});
    return chosen;
}

Status FakeFiles::store(const std::string& path, std::string_view bytes) {
    if (fails(path)) return Status::failure("disk full");
    writes.push_back(path);
    auto it = lookup(path);
    if (it != files.end())
        it->second = std::string(bytes);
    else
        it = files.emplace(path, std::string(bytes)).first;
    stamps_[it->first] = nextStamp_++;
    return Status::success();
}

Status FakeFiles::write(const std::string& path, std::string_view bytes) {
    if (injected(FileOp::Write, path)) return Status::failure("injected write failure");
    const Status s = store(path, bytes);
    calls.back().ok = s.ok;
    return s;
}

Status FakeFiles::copy(const std::string& from, const std::string& to) {
    if (injected(FileOp::Copy, to)) return Status::failure("injected copy failure");
    const ReadResult source = read(from);
    const Status s = source.ok ? store(to, source.bytes) : Status::failure(source.error);
    calls.back().ok = s.ok;
    return s;
}

Status FakeFiles::remove(const std::string& path) {
    if (injected(FileOp::Remove, path)) return Status::failure("injected remove failure");
    auto it = lookup(path);
    if (it == files.end() || fails(path)) {
        calls.back().ok = false;
        return Status::failure("file not found");
    }
    stamps_.erase(it->first);
    files.erase(it);
    return Status::success();
}

Status FakeFiles::makeDir(const std::string& path) {
    if (injected(FileOp::MakeDir, path)) return Status::failure("injected makeDir failure");
    if (fails(path)) {
        calls.back().ok = false;
        return Status::failure("permission denied");
    }
    dirs.push_back(path);
    return Status::success();
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
    return {Status::success(), static_cast<ProcessId>(batches.size()), batchWritesStatus};
}

bool FakePrograms::isRunning(ProcessId id) {
    return id > 0 && id <= static_cast<ProcessId>(batches.size()) &&
           std::find(exited.begin(), exited.end(), id) == exited.end();
}

} // namespace kestrel::testing
