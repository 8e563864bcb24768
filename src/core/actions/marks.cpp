#include "actions/marks.h"

#include "actions/undo.h"
#include "format/sound_line.h"

#include <cstring>

namespace kestrel {

namespace {

const std::size_t kMarkLength = std::strlen(kLetterMark);

void markRow(MainState& state, int i, const std::string& key, bool strip) {
    SoundRow& row = state.rows[i];
    if (row.text.size() > kMarkLength && endsWithMark(row.text))
        row.text.resize(row.text.size() - kMarkLength);
    row.selected = false;

    const std::string& line = state.liText[i];
    const bool matches =
        hasLetterTag(line, key) || (state.choice.showG && hasLetterTag(line, "#g"));
    if (!matches) return;
    if (!isProtected(i)) {
        row.text += kLetterMark;
        row.selected = true;
        return;
    }
    if (!strip) return;
    const std::size_t hash = line.find('#', letterTailStart(line));
    if (hash == std::string::npos) return;
    state.workingLine(static_cast<std::size_t>(i)).resize(hash);
    // The line now differs from sounds.txt: it is a change like any other,
    // counted and shown, and written by the next Apply.
    refreshChangedRows(state, {i});
}

} // namespace

std::string letterKey(const std::string& letter) {
    return "#" + (letter.empty() ? "#" : letter);
}

bool endsWithMark(const std::string& rowText) {
    return rowText.size() >= kMarkLength &&
           rowText.compare(rowText.size() - kMarkLength, kMarkLength, kLetterMark) == 0;
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
