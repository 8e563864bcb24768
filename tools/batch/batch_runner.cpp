#include "batch_runner.h"

#include "session/os_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifndef _WIN32
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace batch {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<fs::path> findEntry(const fs::path& dir, std::string_view name) {
    const auto found = kestrel::OsFiles().find((dir / name).string());
    return found ? std::optional<fs::path>(*found) : std::nullopt;
}

// The folder part and the file pattern of "sub\*.sam".
std::pair<std::string, std::string> splitPattern(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) return {"", std::string(path)};
    return {std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

std::vector<fs::path> matchingFiles(const fs::path& dir, std::string_view path) {
    const auto [folder, pattern] = splitPattern(path);
    std::vector<fs::path> found;
    const auto where = folder.empty() ? std::optional<fs::path>(dir) : resolvePath(dir, folder);
    if (!where) return found;
    std::error_code ec;
    for (fs::directory_iterator it(*where, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && kestrel::matchesPattern(it->path().filename().string(), pattern))
            found.push_back(it->path());
    std::sort(found.begin(), found.end());
    return found;
}

bool copyFiles(const Command& c, Context& ctx) {
    if (c.args.size() != 2) {
        ctx.err << "copy: expected a file pattern and a folder\n";
        return false;
    }
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
    int copied = 0;
    bool ok = true;
    for (const fs::path& file : files) {
        // A file of the same name in another case is replaced, not doubled.
        const std::string name = file.filename().string();
        const fs::path to = findEntry(*target, name).value_or(*target / name);
        fs::copy_file(file, to, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            ctx.err << "copy: " << name << ": " << ec.message() << "\n";
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

bool runProgram(const Command& c, Context& ctx) {
    // Only a program that lies in the batch's own folder, as the level
    // editor's compiler does; nothing is looked for on the PATH.
    std::optional<fs::path> program = findEntry(ctx.dir, c.word);
    if (!program) program = findEntry(ctx.dir, c.word + ".exe");
    std::error_code ec;
    if (!program || !fs::is_regular_file(*program, ec)) {
        ctx.err << "'" << c.word << "' is not a command of this batch runner, nor a program in "
                << ctx.dir.string() << "\n";
        return false;
    }
#ifndef _WIN32
    ctx.out << std::flush;
    std::vector<std::string> argv{program->string()};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    std::vector<char*> raw;
    for (std::string& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    // The program runs in the batch's folder, as every line does.
    const std::string dir = ctx.dir.string();
    const pid_t pid = fork();
    if (pid < 0) {
        ctx.err << "'" << c.word << "' could not be started: " << std::strerror(errno) << "\n";
        return false;
    }
    if (pid == 0) {
        if (chdir(dir.c_str()) == 0) execv(raw[0], raw.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        ctx.err << "'" << c.word << "' could not be run\n";
    else
        ctx.err << "'" << c.word << "' failed\n";
    return false;
#else
    ctx.err << "'" << c.word << "': run this batch with the command interpreter\n";
    return false;
#endif
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
    std::string path(relative);
    std::replace(path.begin(), path.end(), '\\', '/');
    fs::path wanted = (dir / path).lexically_normal();
    if (!wanted.has_filename()) wanted = wanted.parent_path();
    const auto found = kestrel::OsFiles().find(wanted.string());
    return found ? std::optional<fs::path>(*found) : std::nullopt;
}

bool runCommand(const Command& c, Context& ctx) {
    if (sameIgnoringCase(c.word, "copy")) return copyFiles(c, ctx);
    if (sameIgnoringCase(c.word, "del")) return deleteFiles(c, ctx);
    if (sameIgnoringCase(c.word, "pause")) return pause(c, ctx);
    return runProgram(c, ctx);
}

int runBatch(std::string_view bytes, Context& ctx) {
    bool allOk = true;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        at = end + 1;
        std::string error;
        const auto command = parseLine(line, error);
        if (!command) {
            ctx.err << error << "\n";
            allOk = false;
            continue;
        }
        if (command->word.empty()) continue;
        ctx.out << ctx.dir.string() << "> " << line << "\n";
        if (!runCommand(*command, ctx)) allOk = false;
    }
    return allOk ? 0 : 1;
}

} // namespace batch
