#include "actions/letters.h"

#include "actions/current_sound.h"
#include "actions/marks.h"
#include "actions/objects.h"
#include "actions/sound_list.h"
#include "format/ansi.h"
#include "format/names.h"
#include "format/rebuild.h"
#include "format/sound_line.h"

#include <algorithm>

namespace kestrel {

namespace {

constexpr auto npos = std::string::npos;

std::string currentTag(const MainState& state) {
    return "#" + state.choice.txLett;
}

bool hasCurrentRow(const MainState& state) {
    return state.currentRow >= 0 && state.currentRow < state.soundCount();
}

// After an object operation: every row re-marked, and the object's first
// sound opened (the current row stays when the object has none).
void showObjectResult(MainState& state, Ports& ports, const std::vector<int>& rows) {
    markSoundList(state, -1);
    if (!rows.empty()) makeRowCurrent(state, ports, rows.front());
}

void addToObject(MainState& state, Ports& ports) {
    const std::string tag = currentTag(state);
    const std::vector<int> rows = objectSoundRows(state);
    for (const int id : rows) {
        SoundRecord rec = parseSoundLine(state.liText[static_cast<std::size_t>(id)]);
        if (findWholeTag(rec.letters, tag) != npos) continue;
        rec.letters += " " + tag;
        state.setWorkingLine(static_cast<std::size_t>(id), rebuildLine(rec));
    }
    showObjectResult(state, ports, rows);
}

void removeFromObject(MainState& state, Ports& ports) {
    // Without a letter the tag would be "#" alone and take the first letter
    // of every sound, "#g" included.
    if (state.choice.txLett.empty()) {
        ports.dialogs.message(Msg::RemoveObjectNoLetter, {});
        ports.dialogs.focus("TxLett");
        return;
    }
    const std::string tag = currentTag(state);
    const std::vector<int> rows = objectSoundRows(state);
    for (const int id : rows) {
        SoundRecord rec = parseSoundLine(state.liText[static_cast<std::size_t>(id)]);
        if (findWholeTag(rec.letters, tag) == npos) continue;
        rec.letters = wadFieldWithout(rec.letters, tag);
        state.setWorkingLine(static_cast<std::size_t>(id), rebuildLine(rec));
    }
    showObjectResult(state, ports, rows);
}

// The letters list changed: the line, the record and the views follow.
void letterListChanged(MainState& state) {
    rebuildWadLetters(state);
    refreshModifiedView(state);
    markSoundList(state, state.currentRow);
}

// Add needs a letter and a WAD name: without one, says so, puts the focus
// in the empty box and returns false.
bool haveLetterAndWadOrSay(MainState& state, Ports& ports) {
    if (!state.choice.txLett.empty() && !state.choice.txWad.empty()) return true;
    ports.dialogs.message(Msg::AddNoLetterOrWad, {});
    ports.dialogs.focus(state.choice.txLett.empty() ? "TxLett" : "TxWAD");
    return false;
}

} // namespace

std::string cleanLetter(std::string_view typed) {
    if (typed.empty()) return {};
    if (typed.front() == ' ') return {};
    if (typed.front() == '#') return std::string(typed.substr(1, 2));
    return std::string(typed.substr(0, 2));
}

void leaveLetterBox(MainState& state, Ports& ports) {
    state.choice.txLett = cleanLetter(state.choice.txLett);
    if (state.choice.txLett == "g") {
        ports.dialogs.message(Msg::LetterReserved, {});
        state.choice.txLett.clear();
        ports.dialogs.focus("TxLett");
        return;
    }
    // "a " or "*" would be written as a tag the build refuses.
    if (!state.choice.txLett.empty() && !isSafeWadName(state.choice.txLett)) {
        ports.dialogs.message(Msg::LetterUnsafe, {utf8FromAnsi(state.choice.txLett)});
        state.choice.txLett.clear();
        ports.dialogs.focus("TxLett");
        return;
    }
    const auto& letters = state.wads.letters;
    const auto known = std::find(letters.begin(), letters.end(), state.choice.txLett);
    if (!state.choice.txLett.empty() && known != letters.end()) {
        const auto k = static_cast<std::size_t>(known - letters.begin());
        const Answer answer =
            ports.dialogs.message(Msg::LetterInTable, {utf8FromAnsi(state.choice.txLett),
                                                       utf8FromAnsi(state.wads.titles[k])});
        if (answer == Answer::Ok) {
            state.choice.txWad = state.wads.files[k];
        } else {
            state.choice.txLett.clear();
            ports.dialogs.focus("TxLett");
        }
    }
    if (state.choice.txLett != state.choice.lastLetter) {
        state.choice.lastLetter = state.choice.txLett;
        markSoundList(state, -1);
        makeRowCurrent(state, ports, 0);
    }
}

void leaveWadBox(MainState& state) {
    if (!state.choice.txWad.empty() && state.choice.txWad.front() == ' ')
        state.choice.txWad.clear();
}

void addLetterToCurrentSound(MainState& state, Ports& ports) {
    if (!hasCurrentRow(state) || !haveLetterAndWadOrSay(state, ports)) return;
    SoundEditors& ed = state.ed;
    const std::string tag = currentTag(state);
    for (const std::string& item : ed.liWad) {
        const std::string itemTag = letterTagOfItem(item);
        if (itemTag != "#g" && itemTag != tag) continue;
        ports.dialogs.message(Msg::AddConflict, {});
        if (itemTag == "#g")
            state.rows[static_cast<std::size_t>(state.currentRow)].selected = false;
        return;
    }
    ed.liWad.push_back(tag + " - " + state.choice.txWad);
    ed.liWadSel = static_cast<int>(ed.liWad.size()) - 1;
    letterListChanged(state);
}

void addLetter(MainState& state, Ports& ports) {
    if (!hasCurrentRow(state)) return;
    if (!state.objects.txObjet.empty()) {
        if (haveLetterAndWadOrSay(state, ports)) addToObject(state, ports);
        return;
    }
    addLetterToCurrentSound(state, ports);
}

void removeLetterFromCurrentSound(MainState& state, Ports& ports) {
    SoundEditors& ed = state.ed;
    if (ed.liWadSel < 0 || ed.liWadSel >= static_cast<int>(ed.liWad.size())) {
        ports.dialogs.message(Msg::RemoveNoSelection, {});
        return;
    }
    const auto sel = static_cast<std::size_t>(ed.liWadSel);
    if (letterTagOfItem(ed.liWad[sel]) == "#g") {
        ports.dialogs.message(Msg::RemoveGeneric, {});
        return;
    }
    ed.liWad.erase(ed.liWad.begin() + static_cast<std::ptrdiff_t>(sel));
    ed.liWadSel = -1;
    if (!hasCurrentRow(state)) return;
    letterListChanged(state);
}

void removeLetter(MainState& state, Ports& ports) {
    if (!state.objects.txObjet.empty()) {
        removeFromObject(state, ports);
        return;
    }
    removeLetterFromCurrentSound(state, ports);
}

std::string withoutLetterTag(std::string_view line, std::string_view tag) {
    std::string out(line);
    const std::size_t tail = letterTailStart(out);
    for (std::size_t at = findWholeTag(out, tag, tail); at != npos;
         at = findWholeTag(out, tag, at)) {
        std::size_t from = at;
        if (from > tail && isBlank(out[from - 1])) --from;
        out.erase(from, at + tag.size() - from);
        at = from;
    }
    return out;
}

std::string wadFieldWithout(std::string_view field, std::string_view tag) {
    const std::size_t at = findWholeTag(field, tag);
    if (at == npos) return std::string(field);
    const std::size_t cutFrom = at == 0 ? 0 : at - 1;
    const std::size_t cutTo = std::min(field.size(), at + tag.size() + 1);
    const std::string_view before = field.substr(0, cutFrom);
    const std::string_view after = field.substr(cutTo);
    std::string out(before);
    if (!before.empty() && !after.empty()) out += ' ';
    out += after;
    return trimTrailingSpaces(out);
}

void eraseLetterEverywhere(MainState& state, Ports& ports) {
    if (state.choice.txLett.empty()) {
        ports.dialogs.message(Msg::EraseNoLetter, {});
        return;
    }
    if (ports.dialogs.message(Msg::EraseConfirm, {utf8FromAnsi(state.choice.txLett)}) != Answer::Ok)
        return;
    const std::string tag = currentTag(state);
    // A line without the tag stays as it is; only the others are rewritten.
    for (std::size_t id = 0; id < state.liText.size(); ++id) {
        if (!hasLetterTag(state.liText[id], tag)) continue;
        state.setWorkingLine(id, withoutLetterTag(state.liText[id], tag));
    }
    markSoundList(state, -1);
    makeRowCurrent(state, ports, 0);
}

void toggleGenericMarks(MainState& state, Ports& ports) {
    if (state.choice.txLett.empty()) {
        ports.dialogs.message(Msg::ShowGNoLetter, {});
        return;
    }
    state.choice.showG = !state.choice.showG;
    const int row = state.currentRow;
    markSoundList(state, -1);
    makeRowCurrent(state, ports, row);
}

} // namespace kestrel
