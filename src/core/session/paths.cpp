#include "session/paths.h"

#include "format/ansi.h"

namespace kestrel {

std::string soundsPath(const MainState& state) {
    return state.dirs.sfxDir + "Sounds.txt";
}
std::string soundsBackupPath(const MainState& state) {
    return state.dirs.sfxDir + "Orig_Sounds.txt";
}

std::string defaultLinesPath(const MainState& state) {
    return state.dirs.appDir + "Kestrel.tos";
}
std::string wadTablePath(const MainState& state) {
    return state.dirs.appDir + "Kestrel.tow";
}
std::string doublesPath(const MainState& state) {
    return state.dirs.appDir + "Kestrel.tod";
}
std::string objectListPath(const MainState& state) {
    return state.dirs.appDir + "Kestrel.too";
}
std::string settingsPath(const MainState& state) {
    return state.dirs.appDir + "Kestrel.par";
}
std::string windowStatePath(const MainState& state) {
    return state.dirs.appDir + "Kestrel.ini";
}
std::string helpFilePath(const MainState& state) {
    return state.dirs.appDir +
           (state.language == Language::English ? "Kestrel_Eng1.txt" : "Kestrel_Fra1.txt");
}
std::string oldHelpPath(const MainState& state) {
    return state.dirs.appDir + "Kestrel1.txt";
}
std::string customLinesDir(const MainState& state) {
    return state.dirs.appDir + "sounds" + kDirSep;
}
std::string customLinesPath(const MainState& state) {
    return customLinesDir(state) + utf8FromAnsi(state.choice.txWad) + ".tor";
}
std::string historyFolder(const MainState& state) {
    return state.dirs.appDir + "history" + kDirSep;
}

std::string wadFilePath(const MainState& state, const std::string& wadName,
                        const std::string& extension) {
    return state.dirs.wadDir + utf8FromAnsi(wadName) + extension;
}

std::string wavPath(const MainState& state, const std::string& sample) {
    return state.dirs.sampleDir + utf8FromAnsi(sample) + ".wav";
}

} // namespace kestrel
