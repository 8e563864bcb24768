#include "actions/help.h"

#include "format/record_file.h"
#include "session/paths.h"

namespace kestrel {

std::optional<std::string> openHelp(const MainState& state, Ports& ports) {
    if (const auto old = ports.files.find(oldHelpPath(state))) ports.files.remove(*old);
    const ReadResult file = ports.files.read(helpFilePath(state));
    if (!file.ok) return std::nullopt;
    std::string text;
    for (const std::string& line : splitLines(file.bytes)) text += line + "\r\n";
    return text;
}

void openSoundsInEditor(const MainState& state, Ports& ports) {
    const std::string wanted = soundsPath(state);
    const std::string path = ports.files.find(wanted).value_or(wanted);
    if (const Status started = ports.programs.openTextFile(path); !started)
        ports.dialogs.message(Msg::EditorNotStarted, {path, started.error});
}

} // namespace kestrel
