#include "platform/launch.h"

#include "format/batch.h"
#include "format/sound_line.h"

namespace kestrel {

namespace {

std::string baseName(const std::string& program) {
    return program.substr(program.find_last_of("/\\") + 1);
}

bool isGraphicalEditor(const std::string& program) {
    const std::string name = baseName(program);
    for (const char* known : kGraphicalEditors)
        if (name == known) return true;
    return false;
}

} // namespace

CommandLine runnerCommand(const std::string& runner, const BatchLaunch& batch,
                          const std::string& terminal) {
    const std::vector<std::string> runnerArgs = {"--root", batch.installRoot, "--status",
                                                 batch.statusPath, batch.batchPath};
    if (terminal.empty()) return {runner, runnerArgs};
    const std::string name = terminal.substr(terminal.find_last_of("/\\") + 1);
    std::vector<std::string> args;
    if (name == "konsole")
        args = {"--nofork", "-e"};
    else if (name == "gnome-terminal")
        args = {"--wait", "--"};
    else if (name == "xfce4-terminal")
        args = {"--disable-server", "-x"};
    else
        args = {"-T", kBatchName, "-e"};
    args.push_back(runner);
    args.insert(args.end(), runnerArgs.begin(), runnerArgs.end());
    return {terminal, args};
}

CommandLine textEditorCommand(
    const std::string& path, const std::string& visual, const std::string& editor,
    const std::function<std::optional<std::string>(const std::string&)>& findProgram) {
    for (const std::string* chosen : {&visual, &editor}) {
        std::vector<std::string> command = wordsOf(*chosen);
        if (command.empty() || !isGraphicalEditor(command[0])) continue;
        const auto found = findProgram(command[0]);
        if (!found) continue;
        command.push_back(path);
        return {*found, {command.begin() + 1, command.end()}};
    }
    for (const char* name : kGraphicalEditors)
        if (const auto found = findProgram(name)) return {*found, {path}};
    return {"xdg-open", {path}};
}

} // namespace kestrel
