#include "actions/apply.h"

#include "actions/catalogue.h"
#include "actions/current_sound.h"
#include "actions/history.h"
#include "actions/marks.h"
#include "actions/sound_list.h"
#include "actions/undo.h"
#include "format/field_view.h"
#include "format/names.h"
#include "format/record_file.h"
#include "format/sound_line.h"
#include "format/text_kind.h"
#include "session/paths.h"

namespace kestrel {

namespace {

// True when the file was written; else the failure has been shown.
bool writtenOrReported(Ports& ports, const std::string& path, const Status& status) {
    if (status) return true;
    ports.dialogs.message(Msg::FileNotWritten, {path, status.error});
    return false;
}

// The first Apply or restore keeps the file as it was before Kestrel wrote it.
bool backUpOnce(const MainState& state, Ports& ports) {
    if (ports.files.find(soundsBackupPath(state))) return true;
    const auto sounds = ports.files.find(soundsPath(state));
    if (!sounds) return true; // nothing to keep
    return writtenOrReported(ports, soundsBackupPath(state),
                             ports.files.copy(*sounds, soundsBackupPath(state)));
}

bool changedOnDisk(const MainState& state, Ports& ports) {
    // The same time and size as when last read or written spare reading the
    // whole file.
    if (state.soundsFile.stamp && ports.files.stamp(soundsPath(state)) == state.soundsFile.stamp)
        return false;
    const ReadResult now = ports.files.read(soundsPath(state));
    return !now.ok || now.bytes != state.soundsFile.text->bytes();
}

void writeCustomLines(const MainState& state, Ports& ports) {
    const std::string bytes = customLinesBytes(state);
    if (!isSafeWadName(state.choice.txWad)) {
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
    // The same lines as last time are not written again.
    if (const ReadResult old = ports.files.read(path); old.ok && old.bytes == bytes) return;
    // Without its folder the file cannot be written: say so with the reason
    // the folder gave, rather than go on as if the lines were kept.
    if (const Status made = ports.files.makeDir(customLinesDir(state)); !made) {
        ports.dialogs.message(Msg::CustomLinesNotSaved, {path, made.error});
        return;
    }
    const Status written = ports.files.write(path, bytes);
    if (!written) ports.dialogs.message(Msg::CustomLinesNotSaved, {path, written.error});
}

} // namespace

std::string soundsFileBytes(const MainState& state) {
    return state.soundsFile.text->withSounds(state.liText).bytes();
}

std::string customLinesBytes(const MainState& state) {
    std::string out;
    for (std::size_t i = 0; i < state.liText.size(); ++i) {
        const std::string_view line = state.liText[i];
        const std::string_view original = state.defaultLine(static_cast<int>(i));
        // Only the sample names count; as none holds a blank, the same names
        // are the same samples text.
        if (line == original || sampleNames(line) == sampleNames(original)) continue;
        out += formatRecordLine({static_cast<long>(i), std::string(line)});
        out += "\r\n";
    }
    return out;
}

bool applyChanges(MainState& state, Ports& ports) {
    if (!state.catalogueComplete) {
        ports.dialogs.message(Msg::ApplyIncomplete, {state.unreadFile});
        return false;
    }
    if (ports.dialogs.message(Msg::ApplyConfirm, {}) != Answer::Yes) return false;
    if (changedOnDisk(state, ports) &&
        ports.dialogs.message(Msg::SoundsChangedOnDisk, {soundsPath(state)}) != Answer::Yes)
        return false;
    auto written =
        std::make_shared<const SoundsText>(state.soundsFile.text->withSounds(state.liText));
    if (!backUpOnce(state, ports) || !replaceSoundsFile(state, ports, written->bytes()))
        return false;
    state.soundsFile.stamp = ports.files.stamp(soundsPath(state));
    state.soundsFile.text = std::move(written);
    // Every working line is now the file's: they need hold no change of their own.
    state.liText = WorkingLines(state.soundsFile.text);
    state.appliedCount = state.changedCount;
    refreshChangedRows(state);
    clearHistory(state);
    writeCustomLines(state, ports);
    showCurrentSound(state);
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

void restoreDefaults(MainState& state, Ports& ports) {
    if (ports.dialogs.message(Msg::RestoreConfirm, {}) != Answer::Ok) return;
    const auto defaults = ports.files.find(defaultLinesPath(state));
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
    // The write replaces sounds.txt in one step: there is never a moment
    // without a sounds.txt.
    if (!backUpOnce(state, ports) || !replaceSoundsFile(state, ports, read.bytes)) return;
    loadCatalogue(state, ports);
    clearHistory(state);
    makeRowCurrent(state, ports, 0);
}

} // namespace kestrel
