#include "session/help.h"

#include "catalogue/record_file.h"

namespace kestrel {

namespace {

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != std::string::npos) {
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        out.push_back(text.substr(at, end - at));
        at = end;
    }
    return out;
}

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

std::string helpFilePath(const MainState& state) {
    return state.dirs.appDir +
           (state.language == Language::English ? "Kestrel_Eng1.txt" : "Kestrel_Fra1.txt");
}

std::optional<std::string> openHelp(const MainState& state, Ports& ports) {
    if (const auto old = ports.files.find(state.dirs.appDir + "Kestrel1.txt"))
        ports.files.remove(*old);
    const ReadResult file = ports.files.read(helpFilePath(state));
    if (!file.ok) return std::nullopt;
    std::string text;
    for (const std::string& line : splitLines(file.bytes)) text += line + "\r\n";
    return text;
}

void openSoundsInEditor(const MainState& state, Ports& ports) {
    const std::string wanted = state.dirs.sfxDir + "Sounds.txt";
    const std::string path = ports.files.find(wanted).value_or(wanted);
    if (const Status started = ports.programs.openTextFile(path); !started)
        ports.dialogs.message(Msg::EditorNotStarted, {path, started.error});
}

CommandLine textEditorCommand(const std::string& path, const std::string& visual,
                              const std::string& editor,
                              const std::function<std::optional<std::string>(const std::string&)>& findProgram) {
    for (const std::string* chosen : {&visual, &editor}) {
        std::vector<std::string> command = words(*chosen);
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
