#include "editing/samples.h"

#include "editing/editors.h"
#include "editing/rebuild.h"

namespace kestrel {

namespace {

std::string wavPath(const MainState& state, const std::string& name) {
    return state.dirs.sampleDir + name + ".wav";
}

std::size_t joinedLength(const std::vector<std::string>& names, std::size_t k,
                         const std::string& replacement) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
        total += (i == k ? replacement : names[i]).size() + 1;
    return total;
}

} // namespace

bool isUsableSampleName(std::string_view name) {
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F) return false;
    }
    return true;
}

bool namesAFolder(std::string_view name) {
    return name.find_first_of("/\\") != std::string_view::npos ||
           name.find("..") != std::string_view::npos;
}

void selectSample(MainState& state, int k) {
    SoundEditors& ed = state.ed;
    const bool valid = k >= 0 && k < static_cast<int>(ed.liSamp.size());
    ed.liSampSel = valid ? k : -1;
    if (valid) ed.curSample = ed.liSamp[static_cast<std::size_t>(k)];
    ed.txSamp = valid ? ed.curSample : "";
    ed.txSampEnabled = valid;
    state.buttons.play = state.buttons.rename = valid;
}

void playSample(MainState& state, Ports& ports) {
    const std::string& name = state.ed.curSample;
    if (name.empty()) return;
    // A stored name never leads the player out of the samples folder.
    const auto found = namesAFolder(name) ? std::nullopt : ports.files.find(wavPath(state, name));
    if (!found) {
        ports.dialogs.message(Msg::SampleMissingPlay, {name, state.dirs.sampleDir});
        return;
    }
    if (const Status played = ports.sound.play(*found); !played)
        ports.dialogs.message(Msg::FileUnreadable, {*found, played.error});
}

void renameSample(MainState& state, Ports& ports) {
    SoundEditors& ed = state.ed;
    const int k = ed.liSampSel;
    const int row = state.currentRow;
    if (k < 0 || k >= static_cast<int>(ed.liSamp.size()) || row < 0 || row >= state.soundCount())
        return;
    const auto slot = static_cast<std::size_t>(k);
    const std::string t = ed.txSamp;
    if (t.empty()) {
        ed.txSamp = ed.liSamp[slot];
        return;
    }
    if (!isUsableSampleName(t)) {
        ports.dialogs.message(Msg::SampleHasSpace, {});
        ports.dialogs.focus("TxSamp");
        return;
    }
    if (namesAFolder(t)) {
        ports.dialogs.message(Msg::SampleHasFolder, {});
        ports.dialogs.focus("TxSamp");
        return;
    }
    if (joinedLength(ed.liSamp, slot, t) > kSamplesWidth) {
        ports.dialogs.message(Msg::SampleTooLong, {});
        ports.dialogs.focus("TxSamp");
        return;
    }
    if (!ports.files.find(wavPath(state, t)))
        ports.dialogs.message(Msg::SampleMissingRename, {t, state.dirs.sampleDir});
    ed.curSample = t;
    ed.liSamp[slot] = t;
    state.cur.samples = ed.liSamp;
    state.workingLine(static_cast<std::size_t>(row)) = rebuildLine(state.cur);
    refreshModifiedView(state);
}

} // namespace kestrel
