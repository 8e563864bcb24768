#include "actions/startup.h"

#include "actions/catalogue.h"
#include "actions/marks.h"
#include "actions/objects.h"
#include "actions/sound_list.h"
#include "session/paths.h"

namespace kestrel {

namespace {

bool endsWithSep(const std::string& dir) {
    return !dir.empty() && (dir.back() == '/' || dir.back() == '\\');
}

std::string subFolder(const std::string& dir, std::initializer_list<const char*> parts) {
    std::string out = withDirSep(dir);
    const char sep = out.back();
    for (const char* part : parts) (out += part) += sep;
    return out;
}

std::optional<Settings> askForEditor(const Settings& base, Ports& ports) {
    const auto path = ports.dialogs.openFile(FileDialog::LevelEditor, base.editorDir);
    if (!path) return std::nullopt;
    return editorFromProgramPath(*path, base);
}

// Everything after the settings are known: the catalogue, the marks, row 0.
void loadEverything(MainState& state, Ports& ports) {
    state.choice.lastLetter = state.choice.txLett;
    loadCatalogue(state, ports);
    loadImportObjects(state, ports);
    markSoundList(state, -1);
    makeRowCurrent(state, ports, 0);
}

} // namespace

std::string withDirSep(const std::string& dir) {
    return endsWithSep(dir) ? dir : dir + kDirSep;
}

Settings currentSettings(const MainState& state) {
    return {state.dirs.editorDrive, state.dirs.editorDir, state.choice.txLett, state.choice.txWad,
            state.language};
}

void applySettings(MainState& state, const Settings& s) {
    state.dirs.editorDrive = s.editorDrive;
    state.dirs.editorDir = withDirSep(s.editorDir);
    state.choice.txLett = s.letter;
    state.choice.txWad = s.wadName;
    state.language = s.language;
    state.dirs.sfxDir = subFolder(state.dirs.editorDir, {"sound", "LevelSFX Creator"});
    state.dirs.sampleDir = subFolder(state.dirs.editorDir, {"sound", "Samples"});
    state.dirs.wadDir = subFolder(state.dirs.editorDir, {"graphics", "wads"});
}

StartOutcome startMainWindow(MainState& state, Ports& ports) {
    state.dirs.appDir = withDirSep(state.dirs.appDir);
    Settings settings = defaultSettings();
    const auto found = ports.files.find(settingsPath(state));
    const ReadResult file = found ? ports.files.read(*found) : ReadResult{};
    if (file.ok) {
        settings = parseSettings(file.bytes, settings);
    } else if (found && !file.missing) {
        // Starting afresh would replace the settings at close: stop instead.
        ports.dialogs.message(Msg::SettingsUnreadable, {*found, file.error});
        return StartOutcome::Aborted;
    } else {
        const auto chosen = askForEditor(settings, ports);
        if (!chosen) {
            ports.dialogs.message(Msg::NoEditorSelected, {});
            return StartOutcome::Aborted;
        }
        settings = *chosen;
    }
    applySettings(state, settings);
    loadEverything(state, ports);
    return StartOutcome::Ready;
}

StartOutcome loadSavedCatalogue(MainState& state, Ports& ports) {
    state.dirs.appDir = withDirSep(state.dirs.appDir);
    const auto found = ports.files.find(settingsPath(state));
    if (!found) {
        ports.dialogs.message(Msg::NoEditorSelected, {});
        return StartOutcome::Aborted;
    }
    const ReadResult file = ports.files.read(*found);
    if (!file.ok) {
        ports.dialogs.message(Msg::SettingsUnreadable, {*found, file.error});
        return StartOutcome::Aborted;
    }
    applySettings(state, parseSettings(file.bytes, defaultSettings()));
    return loadCatalogue(state, ports) ? StartOutcome::Ready : StartOutcome::Aborted;
}

Status closeMainWindow(MainState& state, Ports& ports) {
    const std::string path = settingsPath(state);
    Status written = ports.files.write(path, formatSettings(currentSettings(state)));
    if (!written) ports.dialogs.message(Msg::SettingsNotSaved, {path, written.error});
    return written;
}

bool chooseEditorAgain(MainState& state, Ports& ports) {
    const auto chosen = askForEditor(currentSettings(state), ports);
    if (!chosen) return false;
    applySettings(state, *chosen);
    closeMainWindow(state, ports);
    // The window opens again on the new folder, with what was just saved: a
    // settings file that could not be written does not lose the choice.
    MainState fresh;
    fresh.dirs.appDir = state.dirs.appDir;
    applySettings(fresh, *chosen);
    fresh.build = state.build; // a batch still running keeps its file
    state = std::move(fresh);
    loadEverything(state, ports);
    return true;
}

} // namespace kestrel
