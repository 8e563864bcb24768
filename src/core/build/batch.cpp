#include "build/batch.h"

namespace kestrel {

std::string batchText(std::string_view wadName, std::string_view letter) {
    std::string text = "sndpack ";
    text.append(wadName).append(" ").append(letter).append("\r\n");
    text += "copy *.sam ..\\..\\graphics\\wads\r\n"
            "copy *.sfx ..\\..\\graphics\\wads\r\n"
            "del *.sam\r\n"
            "del *.sfx\r\n"
            "pause\r\n";
    return text;
}

CommandLine runnerCommand(const std::string& runner, const std::string& batchPath,
                          const std::string& terminal) {
    if (terminal.empty()) return {runner, {batchPath}};
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
    args.push_back(batchPath);
    return {terminal, args};
}

} // namespace kestrel
