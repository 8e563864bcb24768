#include "actions/current_sound.h"

#include "actions/marks.h"
#include "format/ansi.h"
#include "format/field_view.h"
#include "format/names.h"
#include "format/rebuild.h"
#include "format/sound_line.h"
#include "session/paths.h"

#include <algorithm>
#include <utility>

namespace kestrel {

namespace {

// The rules judge the number as typed; only the field holds it rounded.
double valueOf(std::string_view text) {
    return readLeadingNumber(text);
}

std::string field(std::string_view prefix, double value) {
    return std::string(prefix) + padNumber(roundHalfEven(value), 2, '0');
}

// The characters of a stored field after its keyword, as the box shows them.
std::string boxText(const std::string& fieldText, std::size_t keyword, std::size_t width) {
    if (fieldText.size() <= keyword) return {};
    return trimTrailingSpaces(fieldText.substr(keyword, width));
}

std::string letterOfTag(std::string_view wad, std::size_t hash) {
    const std::size_t end = wad.find_first_of("# ", hash + 1);
    return std::string(wad.substr(hash + 1, end == std::string_view::npos ? end : end - hash - 1));
}

// A flag's field: its letter when the box is ticked, else nothing. (Built
// as a string: GCC 12 at -O3 warns falsely (-Wrestrict) on a one-letter
// literal assigned to a string.)
std::string flagField(bool ticked, char letter) {
    return ticked ? std::string(1, letter) : std::string();
}

void fillWadList(MainState& state) {
    SoundEditors& ed = state.ed;
    const std::string& wad = state.cur.letters;
    for (std::size_t h = wad.find('#'); h != std::string::npos; h = wad.find('#', h + 1)) {
        const std::string letter = letterOfTag(wad, h);
        const auto& letters = state.wads.letters;
        const auto it = std::find(letters.begin(), letters.end(), letter);
        std::string title;
        if (it != letters.end()) {
            title = state.wads.titles[static_cast<std::size_t>(it - letters.begin())];
        } else if (letter != state.choice.txLett) {
            title = "??";
        } else {
            if (state.choice.txWad.empty()) state.choice.txWad = "??";
            title = state.choice.txWad;
        }
        ed.liWad.push_back("#" + letter);
        ed.liWad.back().append(" - ").append(title);
    }
    // The item of exactly the current letter: with letter "a", "#ab - …" is
    // another WAD's and must not be chosen.
    ed.liWadSel = -1;
    if (state.choice.txLett.empty()) return;
    for (std::size_t i = 0; i < ed.liWad.size(); ++i) {
        if (letterTagOfItem(ed.liWad[i]) == "#" + state.choice.txLett) {
            ed.liWadSel = static_cast<int>(i);
            break;
        }
    }
}

} // namespace

void showCurrentSound(MainState& state) {
    const int n = state.currentRow;
    if (n < 0 || n >= state.soundCount()) return;
    clearEditors(state);
    state.buttons.majVal = state.buttons.addWad = state.buttons.rstWad = true;
    state.buttons.del = state.buttons.obj = true;
    state.txOrig = fieldView(parseSoundLine(state.defaultLine(n)));
    state.cur = parseSoundLine(state.liText[static_cast<std::size_t>(n)]);
    state.txModif = fieldView(state.cur);
    state.frOrigName = state.cur.nameField();
    showSoundFields(state);
}

void restoreLine(MainState& state) {
    const int row = state.currentRow;
    if (row < 0 || row >= state.soundCount()) return;
    const auto s = static_cast<std::size_t>(row);
    // A sound beyond the default lines has nothing to go back to.
    if (s >= state.liOrig.size()) return;
    state.setWorkingLine(s, state.liOrig[s]);
    showCurrentSound(state);
    markSoundList(state, row);
}

ValueEdit volRule(std::string_view text) {
    std::string t(text);
    if (!t.empty() && valueOf(t) <= 0) t = '1'; // a character: see flagField
    if (t.empty() || t.front() == ' ') return {"", ""};
    return {t, field("VOL", valueOf(t))};
}

ValueEdit chRadRule(std::string_view text, std::string_view prefix) {
    if (valueOf(text) <= 0) return {"", ""};
    return {std::string(text), field(prefix, valueOf(text))};
}

ValueEdit pitRule(std::string_view text) {
    std::string t(text);
    if (valueOf(t) == 0) return {"", ""};
    if (valueOf(t) > 99) t = "99";
    return {t, field("PIT", valueOf(t))};
}

void leaveValueBox(MainState& state, ValueBox box) {
    SoundEditors& ed = state.ed;
    const auto take = [](std::string& text, std::string& field, ValueEdit e) {
        text = std::move(e.text);
        field = std::move(e.field);
    };
    switch (box) {
    case ValueBox::Vol: take(ed.txVol, state.cur.vol, volRule(ed.txVol)); break;
    case ValueBox::Ch: take(ed.txCh, state.cur.ch, chRadRule(ed.txCh, "CH")); break;
    case ValueBox::Pit: take(ed.txPit, state.cur.pit, pitRule(ed.txPit)); break;
    case ValueBox::Rad: take(ed.txRad, state.cur.rad, chRadRule(ed.txRad, "RAD")); break;
    }
}

void setFlagBox(MainState& state, FlagBox box, bool checked) {
    SoundEditors& ed = state.ed;
    SoundRecord& cur = state.cur;
    switch (box) {
    case FlagBox::P:
        ed.ckP = checked;
        cur.p = flagField(checked, 'P');
        break;
    case FlagBox::V:
        ed.ckV = checked;
        cur.v = flagField(checked, 'V');
        break;
    case FlagBox::L:
        ed.ckL = checked;
        cur.l = flagField(checked, 'L');
        break;
    case FlagBox::R:
        ed.ckR = checked;
        if (checked) ed.ckN = false;
        cur.rn = flagField(checked, 'R');
        break;
    case FlagBox::N:
        ed.ckN = checked;
        if (checked) ed.ckR = false;
        cur.rn = flagField(checked, 'N');
        break;
    }
}

void clearEditors(MainState& state) {
    SoundEditors& ed = state.ed;
    ed = SoundEditors{};
    state.buttons.play = state.buttons.rename = false;
}

void showSoundFields(MainState& state) {
    SoundEditors& ed = state.ed;
    const SoundRecord& cur = state.cur;
    ed.liSamp = cur.samples;
    selectSample(state, ed.liSamp.empty() ? -1 : 0);

    ed.txVol = boxText(cur.vol, 3, 2);
    ed.txCh = boxText(cur.ch, 2, 2);
    ed.txPit = boxText(cur.pit, 3, 3);
    ed.txRad = boxText(cur.rad, 3, 2);

    if (!cur.p.empty()) ed.ckP = true;
    if (!cur.v.empty()) ed.ckV = true;
    if (!cur.l.empty()) ed.ckL = true;
    if (!cur.rn.empty()) (cur.rn == "R" ? ed.ckR : ed.ckN) = true;

    ed.liWad.clear();
    ed.liWadSel = -1;
    if (!cur.letters.empty()) fillWadList(state);
}

void rebuildWadLetters(MainState& state) {
    const int row = state.currentRow;
    if (row < 0 || row >= state.soundCount()) return;
    std::vector<std::string> tags;
    for (const std::string& item : state.ed.liWad) {
        std::string tag = letterTagOfItem(item);
        if (!tag.empty()) tags.push_back(std::move(tag));
    }
    const auto i = static_cast<std::size_t>(row);
    state.setWorkingLine(i, replaceLetterTags(state.liText[i], tags));
    state.cur.letters.clear();
    for (const std::string& tag : tags)
        state.cur.letters += (state.cur.letters.empty() ? "" : " ") + tag;
}

void refreshModifiedView(MainState& state) {
    state.txModif = fieldView(state.cur);
}

void acceptValues(MainState& state) {
    const int row = state.currentRow;
    if (row < 0 || row >= state.soundCount()) return;
    state.setWorkingLine(static_cast<std::size_t>(row), rebuildLine(state.cur));
    refreshModifiedView(state);
}

void acceptFromValueBox(MainState& state, ValueBox box) {
    leaveValueBox(state, box);
    if (state.buttons.majVal) acceptValues(state);
}

namespace {

std::size_t joinedLength(const std::vector<std::string>& names, std::size_t k,
                         const std::string& replacement) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < names.size(); ++i)
        total += (i == k ? replacement : names[i]).size() + 1;
    return total;
}

} // namespace

void selectSample(MainState& state, int k) {
    SoundEditors& ed = state.ed;
    const bool valid = k >= 0 && k < static_cast<int>(ed.liSamp.size());
    ed.liSampSel = valid ? k : -1;
    if (valid) ed.curSample = ed.liSamp[static_cast<std::size_t>(k)];
    ed.txSamp = valid ? ed.curSample : "";
    ed.txSampEnabled = valid;
    state.buttons.play = state.buttons.rename = valid;
}

std::optional<std::string> findSampleFile(const MainState& state, Ports& ports,
                                          const std::string& sample) {
    // A stored name never leads out of the samples folder.
    if (sample.empty() || namesAFolder(sample)) return std::nullopt;
    return ports.files.find(wavPath(state, sample));
}

std::vector<bool> samplesWithWav(const MainState& state, Ports& ports) {
    std::vector<bool> present;
    for (const std::string& sample : state.ed.liSamp)
        present.push_back(findSampleFile(state, ports, sample).has_value());
    return present;
}

SampleView viewSample(const MainState& state, Ports& ports, const std::string& sample) {
    SampleView view;
    if (sample.empty()) return view;
    const auto found = findSampleFile(state, ports, sample);
    view.shown = SampleView::Shown::Missing;
    if (!found) return view;
    const ReadResult file = ports.files.read(*found);
    view.format = file.ok ? readWavFormat(file.bytes) : WavFormat{};
    view.wave = wavEnvelope(file.bytes, view.format, kSampleViewColumns);
    view.shown = view.format.kind == WavKind::Unreadable ? SampleView::Shown::Unreadable
                 : view.wave.empty()                     ? SampleView::Shown::Format
                                                         : SampleView::Shown::Wave;
    return view;
}

void playSample(MainState& state, Ports& ports) {
    const std::string& name = state.ed.curSample;
    if (name.empty()) return;
    const auto found = findSampleFile(state, ports, name);
    if (!found) {
        ports.dialogs.message(Msg::SampleMissingPlay, {utf8FromAnsi(name), state.dirs.sampleDir});
        return;
    }
    if (!ports.sound.hasOutput()) {
        if (!std::exchange(state.noAudioTold, true)) ports.dialogs.message(Msg::NoAudioOutput, {});
        return;
    }
    // Why a file cannot be played is told once a file.
    if (const Status played = ports.sound.play(*found);
        !played && state.unplayableTold.insert(*found).second)
        ports.dialogs.message(Msg::SampleNotPlayable, {*found, played.error});
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
        ports.dialogs.message(Msg::SampleMissingRename, {utf8FromAnsi(t), state.dirs.sampleDir});
    ed.curSample = t;
    ed.liSamp[slot] = t;
    state.cur.samples = ed.liSamp;
    state.setWorkingLine(static_cast<std::size_t>(row), rebuildLine(state.cur));
    refreshModifiedView(state);
}

} // namespace kestrel
