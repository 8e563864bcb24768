#include "editing/apply.h"

#include "catalogue/catalogue.h"
#include "catalogue/marks.h"
#include "catalogue/record_file.h"
#include "catalogue/selection.h"
#include "catalogue/sound_line.h"
#include "catalogue/text_kind.h"
#include "editing/edit_history.h"
#include "editing/editors.h"
#include "editing/field_view.h"
#include "editing/sounds_history.h"
#include "letters/wad_name.h"

namespace kestrel {

namespace {

std::string backupPath(const MainState& state) { return state.dirs.sfxDir + "Orig_Sounds.txt"; }
std::string defaultsPath(const MainState& state) { return state.dirs.appDir + "Kestrel.tos"; }
std::string customLinesDir(const MainState& state) {
    return state.dirs.appDir + "sounds" + kDirSep;
}

bool reportFailure(Ports& ports, const std::string& path, const Status& status) {
    if (status) return false;
    ports.dialogs.message(Msg::FileNotWritten, {path, status.error});
    return true;
}

// The first Apply or restore keeps the file as it was before Kestrel wrote it.
bool backUpOnce(const MainState& state, Ports& ports) {
    if (ports.files.find(backupPath(state))) return true;
    const auto sounds = ports.files.find(soundsPath(state));
    if (!sounds) return true; // nothing to keep
    return !reportFailure(ports, backupPath(state), ports.files.copy(*sounds, backupPath(state)));
}

bool changedOnDisk(const MainState& state, Ports& ports) {
    const ReadResult now = ports.files.read(soundsPath(state));
    return !now.ok || now.bytes != state.soundsFile.bytes;
}

void writeCustomLines(const MainState& state, Ports& ports) {
    const std::string bytes = customLinesBytes(state);
    if (!isSafeWadName(state.txWad)) {
        // Nothing to record and no name to record it under: nothing is lost.
        if (bytes.empty()) return;
        ports.dialogs.message(Msg::CustomLinesNoWadName, {customLinesPath(state)});
        return;
    }
    const std::string path = customLinesPath(state);
    if (bytes.empty()) {
        if (ports.files.find(path)) {
            const Status removed = ports.files.remove(path);
            if (!removed) ports.dialogs.message(Msg::CustomLinesNotSaved, {path, removed.error});
        }
        return;
    }
    // Without its folder the file cannot be written: say so with the reason
    // the folder gave, rather than go on as if the lines were kept.
    if (const Status made = ports.files.makeDir(customLinesDir(state)); !made) {
        ports.dialogs.message(Msg::CustomLinesNotSaved, {path, made.error});
        return;
    }
    const Status written = ports.files.write(path, bytes);
    if (!written) ports.dialogs.message(Msg::CustomLinesNotSaved, {path, written.error});
}

// Shows the current sound again from its working line; edits not accepted
// are dropped.
void reshowCurrentSound(MainState& state) {
    const int row = state.currentRow;
    if (row < 0 || row >= state.soundCount()) return;
    clearEditors(state);
    state.cur = parseSoundLine(state.liText[static_cast<std::size_t>(row)]);
    state.txModif = fieldView(state.cur);
    state.frOrigName = state.cur.nameField();
    showSoundFields(state);
}

} // namespace

std::string soundsPath(const MainState& state) { return state.dirs.sfxDir + "Sounds.txt"; }

std::string soundsFileBytes(const MainState& state) {
    std::string out;
    std::size_t next = 0;
    const auto put = [&out](const std::string& line) { (out += line) += "\r\n"; };
    for (const auto& entry : state.soundsFile.layout) {
        if (entry)
            put(*entry);
        else if (next < state.liText.size())
            put(state.liText[next++]);
    }
    while (next < state.liText.size()) put(state.liText[next++]);
    return out;
}

std::string customLinesBytes(const MainState& state) {
    std::string out;
    for (std::size_t i = 0; i < state.liText.size(); ++i) {
        const std::string& line = state.liText[i];
        const std::string& original = state.defaultLine(static_cast<int>(i));
        // Only the sample names count; as none holds a blank, the same names
        // are the same samples text.
        if (line == original || sampleNames(line) == sampleNames(original)) continue;
        out += formatRecordLine({static_cast<long>(i), line});
        out += "\r\n";
    }
    return out;
}

std::string customLinesPath(const MainState& state) {
    return customLinesDir(state) + state.txWad + ".tor";
}

bool applyChanges(MainState& state, Ports& ports) {
    if (!state.catalogueComplete) {
        ports.dialogs.message(Msg::ApplyIncomplete, {});
        return false;
    }
    if (ports.dialogs.message(Msg::ApplyConfirm, {}) != Answer::Yes) return false;
    if (changedOnDisk(state, ports) &&
        ports.dialogs.message(Msg::SoundsChangedOnDisk, {soundsPath(state)}) != Answer::Yes)
        return false;
    if (!backUpOnce(state, ports) || !keepInHistory(state, ports)) return false;

    const std::string bytes = soundsFileBytes(state);
    if (reportFailure(ports, soundsPath(state), ports.files.write(soundsPath(state), bytes)))
        return false;
    state.soundsFile.bytes = bytes;
    state.soundsFile.lines = state.liText;
    state.appliedCount = state.changedCount;
    refreshChangedRows(state);
    clearHistory(state);
    writeCustomLines(state, ports);
    reshowCurrentSound(state);
    return true;
}

bool settlePendingChanges(MainState& state, Ports& ports) {
    if (state.changedCount == 0) return true;
    switch (ports.dialogs.message(Msg::PendingChanges, {std::to_string(state.changedCount)})) {
    case Answer::Apply: return applyChanges(state, ports);
    case Answer::Discard: return true;
    default: return false;
    }
}

void restoreLine(MainState& state) {
    const int row = state.currentRow;
    if (row < 0 || row >= state.soundCount()) return;
    const auto s = static_cast<std::size_t>(row);
    // A sound beyond the default lines has nothing to go back to.
    if (s >= state.liOrig.size()) return;
    state.workingLine(s) = state.liOrig[s];
    state.txOrig = fieldView(parseSoundLine(state.liOrig[s]));
    reshowCurrentSound(state);
    markSoundList(state, row);
}

void restoreDefaults(MainState& state, Ports& ports) {
    if (ports.dialogs.message(Msg::RestoreConfirm, {}) != Answer::Ok) return;
    const auto defaults = ports.files.find(defaultsPath(state));
    if (!defaults) {
        ports.dialogs.message(Msg::NoDefaults, {});
        return;
    }
    // Only a catalogue may replace sounds.txt: an empty or foreign defaults
    // file would wipe every sound, and the user's edits with them.
    const ReadResult read = ports.files.read(*defaults);
    if (!read.ok) {
        ports.dialogs.message(Msg::FileUnreadable, {*defaults, read.error});
        return;
    }
    if (const auto why = whyNotCatalogue(read.bytes, state.soundCount())) {
        ports.dialogs.message(Msg::DefaultsNotCatalogue, {*defaults, *why});
        return;
    }
    if (!settlePendingChanges(state, ports)) return;
    if (!backUpOnce(state, ports) || !keepInHistory(state, ports)) return;
    // The write replaces sounds.txt in one step: there is never a moment
    // without a sounds.txt.
    if (reportFailure(ports, soundsPath(state), ports.files.write(soundsPath(state), read.bytes)))
        return;
    loadCatalogue(state, ports);
    clearHistory(state);
    makeRowCurrent(state, ports, 0);
}

} // namespace kestrel
