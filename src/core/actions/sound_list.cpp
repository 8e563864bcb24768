#include "actions/sound_list.h"

#include "actions/current_sound.h"
#include "actions/letters.h"
#include "actions/marks.h"
#include "format/field_view.h"
#include "format/sound_line.h"

namespace kestrel {

namespace {

// The editors and the line frame of no sound.
void resetEditors(MainState& state) {
    clearEditors(state);
    state.txOrig.clear();
    state.txModif.clear();
    state.frOrigName.reset();
}

} // namespace

void makeRowCurrent(MainState& state, Ports& ports, int row) {
    const int count = static_cast<int>(state.rows.size());
    state.currentRow = row >= 0 && row < count ? row : -1;
    if (state.currentRow < 0) {
        state.buttons.setAll(false);
        return;
    }
    const int n = state.currentRow;
    if (isProtected(n)) {
        resetEditors(state);
        ports.dialogs.message(Msg::ProtectedLine, {});
        // A protected row is never selected, not even by the click that was refused.
        state.rows[n].selected = false;
        makeRowCurrent(state, ports, -1);
        return;
    }
    showCurrentSound(state);
    toggleLetterOfRow(state, ports, n);
}

void showRow(MainState& state, int row) {
    const bool openable =
        row >= 0 && row < static_cast<int>(state.rows.size()) && !isProtected(row);
    state.currentRow = openable ? row : -1;
    if (openable) {
        // Fills every editor afresh.
        showCurrentSound(state);
        return;
    }
    resetEditors(state);
    state.buttons.setAll(false);
}

void clickRow(MainState& state, Ports& ports, int row) {
    if (row < 0 || row >= static_cast<int>(state.rows.size())) return;
    state.rows[row].selected = !state.rows[row].selected;
    makeRowCurrent(state, ports, row);
}

void toggleLetterOfRow(MainState& state, Ports& ports, int row) {
    SoundRow& r = state.rows[static_cast<std::size_t>(row)];
    const bool marked = r.marked;
    if (r.selected && !marked) {
        // The clicked sound only, even while an object is chosen.
        addLetterToCurrentSound(state, ports);
    } else if (!r.selected && marked) {
        if (state.ed.liWadSel >= 0)
            removeLetterFromCurrentSound(state, ports);
        else
            r.selected = true; // a mark that cannot be removed here stays shown
    }
    // A refused change leaves the row as its mark says.
    const SoundRow& after = state.rows[static_cast<std::size_t>(row)];
    if (after.selected != after.marked) markSoundList(state, row);
}

} // namespace kestrel
