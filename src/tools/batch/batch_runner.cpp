#include "batch_runner.h"

#include "format/batch.h"
#include "platform/os_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace batch {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<fs::path> findEntry(const fs::path& dir, std::string_view name) {
    const auto found = kestrel::OsFiles().find(kestrel::utf8Of(dir) + '/' + std::string(name));
    return found ? std::optional<fs::path>(kestrel::pathOf(*found)) : std::nullopt;
}

// The folder part and the file pattern of "sub\*.sam".
std::pair<std::string, std::string> splitPattern(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) return {"", std::string(path)};
    return {std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

std::string slashed(std::string_view path) {
    std::string s(path);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

bool isAbsoluteOrDrive(std::string_view path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
           path.find(':') != std::string_view::npos;
}

// Whether `path`, after ".." and links, lies in `root` (or is it); a path
// that cannot be made real is not.
bool isInside(const fs::path& path, const fs::path& root) {
    std::error_code ec, rootEc;
    const fs::path real = fs::weakly_canonical(path, ec);
    const fs::path realRoot = fs::weakly_canonical(root, rootEc);
    if (ec || rootEc) return false;
    const fs::path rel = real.lexically_relative(realRoot);
    return !rel.empty() && *rel.begin() != "..";
}

// A copy writes through a link at its target, even one that names nothing
// yet: such a link is taken as leading out.
bool writesInside(const fs::path& target, const fs::path& root) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec)) && !fs::exists(target, ec)) return false;
    return isInside(target, root);
}

const fs::path& rootOf(const Context& ctx) {
    return ctx.root.empty() ? ctx.dir : ctx.root;
}

// The folder part of a copy or del argument, as written and as found in
// any case, stays inside the root.
bool folderStaysInside(std::string_view folder, const Context& ctx) {
    if (!isInside(ctx.dir / slashed(folder), rootOf(ctx))) return false;
    const auto found =
        folder.empty() ? std::optional<fs::path>(ctx.dir) : resolvePath(ctx.dir, folder);
    return !found || isInside(*found, rootOf(ctx));
}

bool refusedOutside(std::string_view arg, std::string_view folder, Context& ctx) {
    if (!isAbsoluteOrDrive(arg) && folderStaysInside(folder, ctx)) return false;
    ctx.err << "line " << ctx.line << ": " << arg << " is outside the level editor's folder\n";
    return true;
}

std::vector<fs::path> matchingFiles(const fs::path& dir, std::string_view path) {
    const auto [folder, pattern] = splitPattern(path);
    std::vector<fs::path> found;
    const auto where = folder.empty() ? std::optional<fs::path>(dir) : resolvePath(dir, folder);
    if (!where) return found;
    std::error_code ec;
    for (fs::directory_iterator it(*where, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) &&
            kestrel::matchesPattern(it->path().filename().string(), pattern))
            found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

bool copyFiles(const Command& c, Context& ctx) {
    if (c.args.size() != 2) {
        ctx.err << "copy: expected a file pattern and a folder\n";
        return false;
    }
    if (refusedOutside(c.args[0], splitPattern(c.args[0]).first, ctx) ||
        refusedOutside(c.args[1], c.args[1], ctx))
        return false;
    const auto target = resolvePath(ctx.dir, c.args[1]);
    std::error_code ec;
    if (!target || !fs::is_directory(*target, ec)) {
        ctx.err << "copy: the folder " << c.args[1] << " does not exist\n";
        return false;
    }
    const std::vector<fs::path> files = matchingFiles(ctx.dir, c.args[0]);
    if (files.empty()) {
        ctx.err << "copy: no file matches " << c.args[0] << "\n";
        ctx.out << "        0 file(s) copied.\n";
        return false;
    }
    // A file of the same name in another case is replaced, not doubled.
    std::vector<std::pair<fs::path, fs::path>> copies;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        copies.emplace_back(file, findEntry(*target, name).value_or(*target / name));
    }
    // A link among them must not lead out either.
    for (const auto& [from, to] : copies) {
        if (isInside(from, rootOf(ctx)) && writesInside(to, rootOf(ctx))) continue;
        ctx.err << "line " << ctx.line << ": " << from.filename().string()
                << " leads outside the level editor's folder\n";
        return false;
    }
    int copied = 0;
    bool ok = true;
    for (const auto& [file, to] : copies) {
        const std::string name = file.filename().string();
        // The program's safe write: the old file stays whole until the new
        // one replaces it, and keeps its name.
        const kestrel::Status copiedOne =
            kestrel::OsFiles().copy(kestrel::utf8Of(file), kestrel::utf8Of(to));
        if (!copiedOne) {
            ctx.err << "copy: " << name << ": " << copiedOne.error << "\n";
            ok = false;
            continue;
        }
        ctx.out << name << "\n";
        ++copied;
    }
    ctx.out << "        " << copied << " file(s) copied.\n";
    return ok;
}

bool deleteFiles(const Command& c, Context& ctx) {
    if (c.args.size() != 1) {
        ctx.err << "del: expected one file pattern\n";
        return false;
    }
    if (refusedOutside(c.args[0], splitPattern(c.args[0]).first, ctx)) return false;
    const std::vector<fs::path> files = matchingFiles(ctx.dir, c.args[0]);
    if (files.empty()) {
        ctx.err << "del: could not find " << c.args[0] << "\n";
        return false;
    }
    bool ok = true;
    for (const fs::path& file : files) {
        std::error_code ec;
        fs::remove(file, ec);
        if (ec) {
            ctx.err << "del: " << file.filename().string() << ": " << ec.message() << "\n";
            ok = false;
        }
    }
    return ok;
}

void waitForKey() {
#ifndef _WIN32
    termios saved{};
    const bool raw = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (raw) {
        termios keys = saved;
        keys.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        tcsetattr(STDIN_FILENO, TCSANOW, &keys);
    }
    char c = 0;
    [[maybe_unused]] const auto n = read(STDIN_FILENO, &c, 1);
    if (raw) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
#else
    std::getchar();
#endif
}

bool pause(const Command& c, Context& ctx) {
    if (!c.args.empty()) {
        ctx.err << "pause: takes no argument\n";
        return false;
    }
    ctx.out << "Press any key to continue . . ." << std::flush;
    if (ctx.interactive) waitForKey();
    ctx.out << "\n";
    return true;
}

bool isBareName(std::string_view word) {
    return word.find_first_of("/\\:") == std::string_view::npos &&
           word.find("..") == std::string_view::npos;
}

// Only a program that lies in the batch's own folder, as the level editor's
// compiler does, links and all; nothing is looked for on the PATH.
std::optional<fs::path> programInFolder(const std::string& word, const Context& ctx) {
    if (!isBareName(word)) return std::nullopt;
    std::optional<fs::path> program = findEntry(ctx.dir, word);
    if (!program) program = findEntry(ctx.dir, word + ".exe");
    std::error_code ec;
    if (!program || !fs::is_regular_file(*program, ec) || !isInside(*program, ctx.dir))
        return std::nullopt;
    return program;
}

int runProgram(const Command& c, Context& ctx) {
    const std::optional<fs::path> program = programInFolder(c.word, ctx);
    if (!program) {
        ctx.err << "line " << ctx.line << ": '" << c.word
                << "' is not a command of this batch runner, nor a program in " << ctx.dir.string()
                << "\n";
        return kNotRun;
    }
    ctx.out << std::flush;
    const int code = runAndWait(*program, c.args, ctx.dir);
    if (code == kNotRun)
        ctx.err << "'" << c.word << "' could not be run\n";
    else if (code != 0)
        ctx.err << "'" << c.word << "' failed (status " << code << ")\n";
    return code;
}

bool isBuiltIn(std::string_view word) {
    return sameIgnoringCase(word, "copy") || sameIgnoringCase(word, "del") ||
           sameIgnoringCase(word, "pause");
}

// The batch's status as its lines end (see batch_runner.h).
struct BatchStatus {
    int code = 0;
    bool programFailed = false;
    bool reported = false;

    void add(int lineStatus, bool programLine) {
        if (lineStatus == 0) return;
        if (programLine && !programFailed) {
            code = lineStatus;
            programFailed = true;
        } else if (code == 0) {
            code = 1;
        }
    }
};

void reportStatus(BatchStatus& status, Context& ctx) {
    if (status.reported || ctx.statusFile.empty()) return;
    status.reported = true;
    const kestrel::Status written = kestrel::OsFiles().write(kestrel::utf8Of(ctx.statusFile),
                                                             kestrel::batchStatusText(status.code));
    if (written) return;
    ctx.err << "the status could not be written to " << ctx.statusFile.string() << ": "
            << written.error << "\n";
    status.add(1, false);
}

} // namespace

std::optional<Command> parseLine(std::string_view line, std::string& error) {
    for (const char ch : line) {
        const auto u = static_cast<unsigned char>(ch);
        if (std::string_view("&|<>^%\"").find(ch) != std::string_view::npos ||
            (u < 0x20 && ch != '\t') || u == 0x7F) {
            error = "unsupported character in: " + std::string(line);
            return std::nullopt;
        }
    }
    Command c;
    std::size_t at = 0;
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (at < line.size()) {
        while (at < line.size() && blank(line[at])) ++at;
        std::size_t end = at;
        while (end < line.size() && !blank(line[end])) ++end;
        if (end > at) {
            std::string word(line.substr(at, end - at));
            if (c.word.empty())
                c.word = std::move(word);
            else
                c.args.push_back(std::move(word));
        }
        at = end;
    }
    return c;
}

std::optional<fs::path> resolvePath(const fs::path& dir, std::string_view relative) {
    fs::path wanted = (dir / slashed(relative)).lexically_normal();
    if (!wanted.has_filename()) wanted = wanted.parent_path();
    const auto found = kestrel::OsFiles().find(wanted.string());
    return found ? std::optional<fs::path>(*found) : std::nullopt;
}

#ifdef _WIN32

namespace {

// One argument of a Windows command line, quoted so that the program's
// start-up code splits it back as it was.
std::wstring quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    std::size_t slashes = 0;
    for (const wchar_t ch : arg) {
        if (ch == L'\\') {
            ++slashes;
            continue;
        }
        out.append(ch == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        slashes = 0;
        out += ch;
    }
    out.append(2 * slashes, L'\\');
    return out + L"\"";
}

} // namespace

int runAndWait(const fs::path& program, const std::vector<std::string>& args, const fs::path& dir) {
    std::wstring line = quoted(program.wstring());
    for (const std::string& a : args) line += L' ' + quoted(kestrel::pathOf(a).wstring());
    // Nothing waits for a key: the input is the null device.
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE none = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = none;
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        dir.wstring().c_str(), &start, &process) != 0;
    if (none != INVALID_HANDLE_VALUE) CloseHandle(none);
    if (!started) return kNotRun;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = kNotRun;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

#else

int runAndWait(const fs::path& program, const std::vector<std::string>& args, const fs::path& dir) {
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    raw.reserve(argv.size() + 1);
    for (std::string& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    const std::string folder = dir.string();
    const pid_t pid = fork();
    if (pid < 0) return kNotRun;
    if (pid == 0) {
        if (chdir(folder.c_str()) == 0) execv(raw[0], raw.data());
        _exit(kNotRun);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#endif

int runCommand(const Command& c, Context& ctx) {
    if (sameIgnoringCase(c.word, "copy")) return copyFiles(c, ctx) ? 0 : 1;
    if (sameIgnoringCase(c.word, "del")) return deleteFiles(c, ctx) ? 0 : 1;
    if (sameIgnoringCase(c.word, "pause")) return pause(c, ctx) ? 0 : 1;
    return runProgram(c, ctx);
}

int runBatch(std::string_view bytes, Context& ctx) {
    BatchStatus status;
    ctx.line = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at = end + 1;
        ++ctx.line;
        std::string error;
        const auto command = parseLine(line, error);
        if (!command) {
            ctx.err << "line " << ctx.line << ": " << error << "\n";
            status.add(1, false);
            continue;
        }
        if (command->word.empty()) continue;
        // Kestrel takes the batch's work as done here, while the console
        // still waits for its key.
        if (sameIgnoringCase(command->word, "pause")) reportStatus(status, ctx);
        ctx.out << ctx.dir.string() << "> " << line << "\n";
        status.add(runCommand(*command, ctx), !isBuiltIn(command->word));
    }
    reportStatus(status, ctx);
    return status.code;
}

} // namespace batch
