#include "qt_programs.h"

#include "format/batch.h"
#include "platform/launch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>
#endif

namespace kestrel::app {

namespace {

// Paths and arguments are UTF-8, as Qt's standard strings are.
QString native(const std::string& text) {
    return QString::fromStdString(text);
}

StartedProcess startDetached(const CommandLine& command, const std::string& workingDir,
                             bool withInput, [[maybe_unused]] bool newConsole = false) {
    QProcess process;
    process.setProgram(native(command.program));
    QStringList list;
    for (const std::string& a : command.args) list.append(native(a));
    process.setArguments(list);
    if (!workingDir.empty()) process.setWorkingDirectory(native(workingDir));
    // Without a console of its own, nothing may wait for a key.
    if (!withInput) process.setStandardInputFile(QProcess::nullDevice());
#ifdef _WIN32
    // A program without a console starts its children without a window, so
    // the batch's pause could never be answered and the build never end:
    // the batch gets a console window of its own.
    if (newConsole)
        process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
            args->flags &= ~static_cast<DWORD>(CREATE_NO_WINDOW);
            args->flags |= CREATE_NEW_CONSOLE;
        });
#endif
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        return {Status::failure(process.errorString().toStdString()), 0};
    return {Status::success(), pid};
}

#ifndef _WIN32
// A program on the PATH.
std::optional<std::string> findOnPath(const std::string& name) {
    const QString found = QStandardPaths::findExecutable(native(name));
    if (found.isEmpty()) return std::nullopt;
    return found.toStdString();
}

// The terminal to show the batch in (see chooseTerminal).
std::string terminalForBatch() {
    const auto realPath = [](const std::string& path) {
        return QFileInfo(native(path)).canonicalFilePath().toStdString();
    };
    return chooseTerminal(qEnvironmentVariable("TERMINAL").toStdString(), findOnPath, realPath);
}

// Whether there is a desktop to show a window on.
bool onADesktop() {
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal" &&
           !(qEnvironmentVariableIsEmpty("DISPLAY") &&
             qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
}

// A finished child of someone else's is a zombie until it is reaped: it no
// longer runs.
bool isZombie(ProcessId id) {
    std::ifstream stat("/proc/" + std::to_string(id) + "/stat");
    std::string text;
    if (!std::getline(stat, text)) return false;
    const std::size_t close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] == 'Z';
}
#endif

} // namespace

Status QtPrograms::start(const std::string& program, const std::vector<std::string>& args,
                         const std::string& workingDir) {
    return startDetached({program, args}, workingDir, true).status;
}

StartedProcess QtPrograms::startBatch(const BatchLaunch& batch) {
#ifdef _WIN32
    return startDetached({"cmd.exe", {"/c", batch.batchPath}}, batch.workingDir, true, true);
#else
    const QString runner =
        QDir(QCoreApplication::applicationDirPath()).filePath(u"kestrel-batch"_qs);
    const bool desktop = onADesktop();
    const std::string terminal = desktop ? terminalForBatch() : std::string();
    StartedProcess started = startDetached(runnerCommand(runner.toStdString(), batch, terminal),
                                           batch.workingDir, !terminal.empty());
    started.writesStatus = true;
    started.withoutWindow = desktop && terminal.empty();
    return started;
#endif
}

Status QtPrograms::openTextFile(const std::string& path) {
#ifdef _WIN32
    return start("c:\\Windows\\Notepad.exe", {path}, {});
#else
    const auto env = [](const char* name) { return qEnvironmentVariable(name).toStdString(); };
    const CommandLine editor = textEditorCommand(path, env("VISUAL"), env("EDITOR"), findOnPath);
    return start(editor.program, editor.args, {});
#endif
}

bool QtPrograms::isRunning(ProcessId id) {
    if (id <= 0) return false;
#ifdef _WIN32
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process) return false;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    const bool exists = ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
    return exists && !isZombie(id);
#endif
}

} // namespace kestrel::app
