#include "platform/launch.h"

#include "format/batch.h"
#include "format/sound_line.h"

namespace kestrel {

namespace {

std::string baseName(const std::string& program) {
    return program.substr(program.find_last_of("/\\") + 1);
}

bool isKnownTerminal(const std::string& name) {
    for (const char* known : kTerminals)
        if (name == known) return true;
    return false;
}

bool isGraphicalEditor(const std::string& program) {
    const std::string name = baseName(program);
    for (const char* known : kGraphicalEditors)
        if (name == known) return true;
    return false;
}

} // namespace

std::string chooseTerminal(const std::string& terminalVariable, const ProgramFinder& findProgram,
                           const std::function<std::string(const std::string&)>& realPath) {
    const std::vector<std::string> chosen = wordsOf(terminalVariable);
    for (const std::string& choice :
         {chosen.empty() ? std::string() : chosen[0], std::string("x-terminal-emulator")}) {
        if (choice.empty()) continue;
        const auto found = findProgram(choice);
        if (!found) continue;
        std::string real = baseName(realPath(*found));
        if (real.ends_with(".wrapper")) real.resize(real.size() - 8);
        if (isKnownTerminal(real))
            if (const auto itself = findProgram(real)) return *itself;
        return *found;
    }
    for (const char* name : kTerminals)
        if (const auto found = findProgram(name)) return *found;
    return {};
}

CommandLine runnerCommand(const std::string& runner, const BatchLaunch& batch,
                          const std::string& terminal) {
    const std::vector<std::string> runnerArgs = {"--root", batch.installRoot, "--status",
                                                 batch.statusPath, batch.batchPath};
    if (terminal.empty()) return {runner, runnerArgs};
    const std::string name = baseName(terminal);
    // What each terminal is told so that it stays until the batch has ended
    // and runs the rest of its command line.
    std::vector<std::string> args;
    if (name == "konsole")
        args = {"--nofork", "-e"};
    else if (name == "gnome-terminal")
        args = {"--wait", "--"};
    else if (name == "xfce4-terminal")
        args = {"--disable-server", "-x"};
    else if (name == "mate-terminal")
        args = {"--disable-factory", "-x"};
    else if (name == "tilix")
        args = {"--new-process", "-e"};
    else if (name == "kitty" || name == "foot")
        args = {"--title", kBatchName};
    else if (name == "xterm")
        args = {"-T", kBatchName, "-e"};
    else
        args = {"-e"};
    args.push_back(runner);
    args.insert(args.end(), runnerArgs.begin(), runnerArgs.end());
    return {terminal, args};
}

CommandLine textEditorCommand(const std::string& path, const std::string& visual,
                              const std::string& editor, const ProgramFinder& findProgram) {
    for (const std::string* chosen : {&visual, &editor}) {
        std::vector<std::string> command = wordsOf(*chosen);
        if (command.empty() || !isGraphicalEditor(command[0])) continue;
        const auto found = findProgram(command[0]);
        if (!found) continue;
        command.push_back(path);
        return {*found, {command.begin() + 1, command.end()}};
    }
    // The desktop's own choice for text files, then one that is there.
    if (const auto opener = findProgram("xdg-open")) return {*opener, {path}};
    for (const char* name : kGraphicalEditors)
        if (const auto found = findProgram(name)) return {*found, {path}};
    return {"xdg-open", {path}};
}

} // namespace kestrel
