#include "actions/marks.h"

#include "actions/catalogue.h"
#include "actions/undo.h"
#include "format/sound_line.h"

namespace kestrel {

namespace {

void markRow(MainState& state, int i, const std::string& key, bool strip) {
    SoundRow& row = state.rows[i];
    row.marked = row.selected = false;

    const std::string_view line = state.liText[i];
    const bool matches =
        hasLetterTag(line, key) || (state.choice.showG && hasLetterTag(line, "#g"));
    if (!matches) return;
    if (!isProtected(i)) {
        row.marked = row.selected = true;
        return;
    }
    if (!strip) return;
    const std::size_t hash = line.find('#', letterTailStart(line));
    if (hash == std::string::npos) return;
    state.setWorkingLine(static_cast<std::size_t>(i), line.substr(0, hash));
    // The line now differs from sounds.txt: it is a change like any other,
    // counted and shown, and written by the next Apply.
    refreshChangedRows(state, {i});
}

} // namespace

std::string letterKey(const std::string& letter) {
    return "#" + (letter.empty() ? "#" : letter);
}

std::string rowText(const MainState& state, std::size_t i) {
    std::string text;
    appendRowText(text, state, i);
    return text;
}

void appendRowText(std::string& out, const MainState& state, std::size_t i) {
    appendSoundRowText(out, static_cast<int>(i), state.liText[i]);
    if (state.rows[i].marked) out += kLetterMark;
}

void markSoundList(MainState& state, int row) {
    const std::string key = letterKey(state.choice.txLett);
    const int count = static_cast<int>(state.rows.size());
    if (row == -1) {
        for (int i = 0; i < count; ++i) markRow(state, i, key, true);
    } else if (row >= 0 && row < count) {
        markRow(state, row, key, true);
    }
}

void showMarks(MainState& state, const std::vector<int>& ids) {
    const std::string key = letterKey(state.choice.txLett);
    for (const int id : ids)
        if (id >= 0 && id < static_cast<int>(state.rows.size())) markRow(state, id, key, false);
}

} // namespace kestrel
