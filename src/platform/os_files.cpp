#include "platform/os_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kestrel {

namespace fs = std::filesystem;

namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// Windows finds a file by its name in any case, and so would return the
// name as asked: there each part is looked up in its folder, for the name as
// it is on disk (a replaced file keeps it).
#ifdef _WIN32
constexpr bool kCaselessSystem = true;
#else
constexpr bool kCaselessSystem = false;
#endif

// The path as it exists on disk, each part matched without regard to case.
std::optional<fs::path> resolve(const fs::path& wanted) {
    std::error_code ec;
    if (!kCaselessSystem && fs::exists(wanted, ec)) return wanted;
    fs::path built = wanted.root_path();
    for (const fs::path& part : wanted.relative_path()) {
        const fs::path exact = built / part;
        const bool special = part.empty() || part == "." || part == "..";
        if ((!kCaselessSystem || special) && fs::exists(exact, ec)) {
            built = exact;
            continue;
        }
        bool found = false;
        const fs::path dir = built.empty() ? fs::path(".") : built;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (sameIgnoringCase(utf8Of(it->path().filename()), utf8Of(part))) {
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
    fs::path wanted = pathOf(path);
    if (auto existing = resolve(wanted)) return *existing;
    if (auto dir = resolve(wanted.parent_path())) return *dir / wanted.filename();
    return wanted;
}

std::string describe(int err) {
    return std::strerror(err);
}

// The reason alone: callers name the file in their own message.
Status failure(const std::string& why) {
    return Status::failure(why);
}

const std::string kTooLarge = "it is larger than 256 MiB, far more than any file of Kestrel's";
const std::string kNotRegular = "it is not a regular file (a pipe, a device or a socket)";
const std::string kFolder = "it is a folder, not a file";

ReadResult readFailure(std::string why, bool missing = false) {
    ReadResult r;
    r.error = std::move(why);
    r.missing = missing;
    return r;
}

// Every temporary file is the target's name, this mark and digits, so that
// one left by an interrupted save is recognised as Kestrel's own.
constexpr std::string_view kTempMark = ".kestrel-tmp";

fs::path tempNameBeside(const fs::path& target) {
    static std::mt19937 rng(std::random_device{}());
    fs::path temp = target;
    temp += std::string(kTempMark) + std::to_string(rng() % 1000000);
    return temp;
}

bool isTempOf(const std::string& entry, const std::string& targetName) {
    const std::string prefix = targetName + std::string(kTempMark);
    if (entry.size() <= prefix.size() || entry.compare(0, prefix.size(), prefix) != 0) return false;
    return entry.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

// Temporary files of this target that an interrupted save left behind.
void removeStaleTemps(const fs::path& target) {
    const std::string name = utf8Of(target.filename());
    std::error_code ec;
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeErr;
        if (isTempOf(utf8Of(it->path().filename()), name) &&
            fs::is_regular_file(it->symlink_status(typeErr)))
            stale.push_back(it->path());
    }
    for (const fs::path& p : stale) fs::remove(p, ec);
}

#ifdef _WIN32

std::string lastError() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

ReadResult readRegular(const fs::path& file) {
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    if (ec) return readFailure(ec.message(), ec == std::errc::no_such_file_or_directory);
    if (fs::is_directory(st)) return readFailure(kFolder);
    if (!fs::is_regular_file(st)) return readFailure(kNotRegular);
    HANDLE h = CreateFileW(file.wstring().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return readFailure(lastError());
    ReadResult r;
    char buffer[65536];
    DWORD n = 0;
    bool failed = false;
    while (!(failed = !ReadFile(h, buffer, sizeof buffer, &n, nullptr)) && n > 0) {
        if (r.bytes.size() + n > kMaxReadBytes) {
            CloseHandle(h);
            return readFailure(kTooLarge);
        }
        r.bytes.append(buffer, n);
    }
    const std::string why = failed ? lastError() : std::string();
    CloseHandle(h);
    if (failed) return readFailure(why);
    r.ok = true;
    return r;
}

Status writeSynced(const fs::path& temp, std::string_view bytes) {
    HANDLE h = CreateFileW(temp.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return failure(lastError());
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD n = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &n, nullptr) != 0;
        done += n;
    }
    ok = ok && FlushFileBuffers(h) != 0;
    const std::string why = ok ? std::string() : lastError();
    CloseHandle(h);
    std::error_code ec;
    if (!ok) fs::remove(temp, ec);
    return ok ? Status::success() : failure(why);
}

// The file system keeps a new name in its journal.
void syncFolderOf(const fs::path&) {}

Status replaceDurably(const fs::path& temp, const fs::path& target) {
    if (MoveFileExW(temp.wstring().c_str(), target.wstring().c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Status::success();
    return failure(lastError());
}

#else

ReadResult readRegular(const fs::path& file) {
    // Non-blocking, so that a pipe in place of the file cannot hang the
    // program before it is recognised.
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ELOOP) return readFailure("it is a link that cannot be followed (a loop)");
        if (err == ENOENT) return readFailure("file not found", true);
        return readFailure(describe(err));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        return readFailure(folder ? kFolder : kNotRegular);
    }
    if (static_cast<std::uint64_t>(st.st_size) > kMaxReadBytes) {
        ::close(fd);
        return readFailure(kTooLarge);
    }
    ReadResult r;
    r.bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return readFailure(describe(err));
        }
        if (n == 0) break;
        if (r.bytes.size() + static_cast<std::size_t>(n) > kMaxReadBytes) {
            ::close(fd);
            return readFailure(kTooLarge);
        }
        r.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    r.ok = true;
    return r;
}

// The bytes are on the disk, not only in the system's cache, before the
// rename makes them the file: a power cut leaves the old file or the new.
Status writeSynced(const fs::path& temp, std::string_view bytes) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return failure(describe(errno));
    std::size_t done = 0;
    int err = 0;
    while (err == 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) err = errno;
        if (n > 0) done += static_cast<std::size_t>(n);
    }
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0) return Status::success();
    std::error_code ec;
    fs::remove(temp, ec);
    return failure(describe(err));
}

// A new name or a rename is kept by syncing its folder. A folder that cannot
// be synced (some file systems refuse) does not undo what was done.
void syncFolderOf(const fs::path& file) {
    const fs::path dir = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        [[maybe_unused]] const int synced = ::fsync(fd);
        ::close(fd);
    }
}

Status replaceDurably(const fs::path& temp, const fs::path& target) {
    if (::rename(temp.c_str(), target.c_str()) != 0) return failure(describe(errno));
    syncFolderOf(target);
    return Status::success();
}

#endif

} // namespace

std::filesystem::path pathOf(const std::string& utf8) {
#ifdef _WIN32
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
#else
    return fs::path(utf8);
#endif
}

std::string utf8Of(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

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
    auto found = resolve(pathOf(path));
    if (!found) return std::nullopt;
    return utf8Of(*found);
}

ReadResult OsFiles::read(const std::string& path) {
    const auto found = resolve(pathOf(path));
    if (!found) return readFailure("file not found", true);
    return readRegular(*found);
}

Status OsFiles::write(const std::string& path, std::string_view bytes) {
    fs::path target = targetFor(path);
    // A link is written through: the file it names takes the new bytes and
    // the link stays a link (a rename onto it would replace the link alone).
    // A link that leads nowhere is not replaced by a file.
    std::error_code linkErr;
    if (fs::is_symlink(fs::symlink_status(target, linkErr))) {
        fs::path named = fs::canonical(target, linkErr);
        if (linkErr) return failure("it is a link that cannot be followed: " + linkErr.message());
        target = std::move(named);
    }
    // The rename below would put a new file in place of one marked read-only
    // (a folder's permission is all it needs): such a file is refused as
    // writing into it would be. The new file keeps the old one's permissions.
    std::error_code statErr;
    const fs::file_status old = fs::status(target, statErr);
    const bool replacing = !statErr && fs::is_regular_file(old);
    if (!statErr && fs::exists(old) && !replacing)
        return failure(fs::is_directory(old) ? kFolder : kNotRegular);
    constexpr fs::perms anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (replacing && (old.permissions() & anyWrite) == fs::perms::none)
        return failure(describe(EACCES));
    removeStaleTemps(target);
    const fs::path temp = tempNameBeside(target);
    if (Status written = writeSynced(temp, bytes); !written) return written;
    std::error_code modeErr; // a mode that cannot be kept does not undo the write
    if (replacing) fs::permissions(temp, old.permissions(), modeErr);
    Status replaced = replaceDurably(temp, target);
    if (!replaced) {
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return replaced;
}

Status OsFiles::copy(const std::string& from, const std::string& to) {
    const ReadResult source = read(from);
    if (!source.ok) return failure(source.error);
    return write(to, source.bytes);
}

Status OsFiles::keepAs(const std::string& from, const std::string& to) {
    const auto source = resolve(pathOf(from));
    if (!source) return failure("file not found");
    // The file a link names is the one a write replaces.
    std::error_code ec;
    const fs::path file = fs::canonical(*source, ec);
    const fs::path target = targetFor(to);
    std::error_code targetErr; // set for a name not found, too
    const bool free = fs::symlink_status(target, targetErr).type() == fs::file_type::not_found;
    if (!ec && free && fs::is_regular_file(fs::status(file, ec))) {
        // A second name fails across drives and on file systems without
        // them: the copy then does the same work.
        std::error_code linkErr;
        fs::create_hard_link(file, target, linkErr);
        if (!linkErr) {
            syncFolderOf(target);
            return Status::success();
        }
    }
    return copy(from, to);
}

Status OsFiles::remove(const std::string& path) {
    const auto found = resolve(pathOf(path));
    if (!found) return failure("file not found");
    std::error_code ec;
    fs::remove(*found, ec);
    if (ec) return failure(ec.message());
    return Status::success();
}

Status OsFiles::makeDir(const std::string& path) {
    std::error_code ec;
    if (resolve(pathOf(path))) return Status::success();
    fs::create_directories(targetFor(path), ec);
    if (ec) return failure(ec.message());
    return Status::success();
}

std::vector<std::string> OsFiles::list(const std::string& dir, const std::string& pattern) {
    std::vector<std::string> names;
    const auto found = resolve(pathOf(dir));
    if (!found) return names;
    std::error_code ec;
    for (fs::directory_iterator it(*found, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = utf8Of(it->path().filename());
        if (it->is_regular_file(ec) && matchesPattern(name, pattern)) names.push_back(name);
    }
    return names;
}

std::optional<FileStamp> OsFiles::stamp(const std::string& path) {
    const auto found = resolve(pathOf(path));
    if (!found) return std::nullopt;
    std::error_code timeErr;
    std::error_code sizeErr;
    const auto time = fs::last_write_time(*found, timeErr);
    if (timeErr) return std::nullopt;
    const std::uintmax_t size = fs::file_size(*found, sizeErr);
    return FileStamp{static_cast<std::int64_t>(time.time_since_epoch().count()),
                     sizeErr ? 0 : static_cast<std::uint64_t>(size)};
}

std::string OsFiles::localTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace kestrel
