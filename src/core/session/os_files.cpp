#include "session/os_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace kestrel {

namespace fs = std::filesystem;

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// The path as it exists on disk, each part matched without regard to case.
std::optional<fs::path> resolve(const fs::path& wanted) {
    std::error_code ec;
    if (fs::exists(wanted, ec)) return wanted;
    fs::path built = wanted.root_path();
    for (const fs::path& part : wanted.relative_path()) {
        const fs::path exact = built / part;
        if (fs::exists(exact, ec)) {
            built = exact;
            continue;
        }
        bool found = false;
        const fs::path dir = built.empty() ? fs::path(".") : built;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (sameIgnoringCase(it->path().filename().string(), part.string())) {
                built = built.empty() ? it->path().filename() : built / it->path().filename();
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return built;
}

// Where a file should be written: the existing file of that name in any
// case, else the name as given inside the folder as it exists.
fs::path targetFor(const std::string& path) {
    const fs::path wanted(path);
    if (auto existing = resolve(wanted)) return *existing;
    if (auto dir = resolve(wanted.parent_path())) return *dir / wanted.filename();
    return fs::path(path);
}

std::string describe(int err) { return std::strerror(err); }

// The reason alone: callers name the file in their own message.
Status failure(const std::string& why) { return Status::failure(why); }

std::string tempNameBeside(const fs::path& target) {
    static std::mt19937 rng(std::random_device{}());
    return target.string() + ".tmp" + std::to_string(rng() % 1000000);
}

} // namespace

bool matchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip)
            if (matchesPattern(name.substr(skip), pattern.substr(1))) return true;
        return false;
    }
    if (name.empty()) return false;
    if (pattern[0] != '?' && lower(pattern[0]) != lower(name[0])) return false;
    return matchesPattern(name.substr(1), pattern.substr(1));
}

std::optional<std::string> OsFiles::find(const std::string& path) {
    auto found = resolve(fs::path(path));
    if (!found) return std::nullopt;
    return found->string();
}

ReadResult OsFiles::read(const std::string& path) {
    ReadResult result;
    const auto found = resolve(fs::path(path));
    std::error_code ec;
    if (!found || fs::is_directory(*found, ec)) {
        result.error = "file not found";
        return result;
    }
    std::FILE* f = std::fopen(found->string().c_str(), "rb");
    if (!f) {
        result.error = describe(errno);
        return result;
    }
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) result.bytes.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        result.error = "read error";
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

Status OsFiles::write(const std::string& path, std::string_view bytes) {
    fs::path target = targetFor(path);
    // A link is written through: the file it names takes the new bytes and
    // the link stays a link (a rename onto it would replace the link alone).
    std::error_code linkErr;
    if (fs::is_symlink(fs::symlink_status(target, linkErr))) {
        fs::path named = fs::canonical(target, linkErr);
        if (!linkErr) target = std::move(named);
    }
    // The rename below would put a new file in place of one marked read-only
    // (a folder's permission is all it needs): such a file is refused as
    // writing into it would be. The new file keeps the old one's permissions.
    std::error_code statErr;
    const fs::file_status old = fs::status(target, statErr);
    const bool replacing = !statErr && fs::is_regular_file(old);
    constexpr fs::perms anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (replacing && (old.permissions() & anyWrite) == fs::perms::none)
        return failure(describe(EACCES));
    const std::string temp = tempNameBeside(target);
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return failure(describe(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const int writeErr = errno;
    const bool flushed = written && std::fflush(f) == 0;
    const int flushErr = errno;
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (!written || !flushed || !closed) {
        fs::remove(temp, ec);
        return failure(describe(!written ? writeErr : !flushed ? flushErr : errno));
    }
    std::error_code modeErr; // a mode that cannot be kept does not undo the write
    if (replacing) fs::permissions(temp, old.permissions(), modeErr);
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return failure(ec.message());
    }
    return Status::success();
}

Status OsFiles::copy(const std::string& from, const std::string& to) {
    const ReadResult source = read(from);
    if (!source.ok) return failure(source.error);
    return write(to, source.bytes);
}

Status OsFiles::remove(const std::string& path) {
    const auto found = resolve(fs::path(path));
    if (!found) return failure("file not found");
    std::error_code ec;
    fs::remove(*found, ec);
    if (ec) return failure(ec.message());
    return Status::success();
}

Status OsFiles::makeDir(const std::string& path) {
    std::error_code ec;
    if (resolve(fs::path(path))) return Status::success();
    fs::create_directories(targetFor(path), ec);
    if (ec) return failure(ec.message());
    return Status::success();
}

std::vector<std::string> OsFiles::list(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    const auto found = resolve(fs::path(dir));
    if (!found) return names;
    std::error_code ec;
    for (fs::directory_iterator it(*found, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(ec) && matchesPattern(name, pattern)) names.push_back(name);
    }
    return names;
}

std::optional<std::int64_t> OsFiles::stamp(const std::string& path) {
    const auto found = resolve(fs::path(path));
    if (!found) return std::nullopt;
    std::error_code ec;
    const auto time = fs::last_write_time(*found, ec);
    if (ec) return std::nullopt;
    return static_cast<std::int64_t>(time.time_since_epoch().count());
}

} // namespace kestrel
