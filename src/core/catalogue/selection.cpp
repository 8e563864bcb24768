#include "catalogue/selection.h"

#include "catalogue/marks.h"
#include "catalogue/sound_line.h"
#include "editing/editors.h"
#include "editing/field_view.h"

namespace kestrel {

namespace {

void resetEditors(MainState& state) {
    clearEditors(state);
    state.txOrig.clear();
    state.txModif.clear();
    state.frOrigName.reset();
}

void openSound(MainState& state, int n) {
    state.buttons.majVal = state.buttons.addWad = state.buttons.rstWad = true;
    state.buttons.del = state.buttons.obj = true;
    state.txOrig = fieldView(parseSoundLine(state.defaultLine(n)));
    state.cur = parseSoundLine(state.liText[n]);
    state.txModif = fieldView(state.cur);
    state.frOrigName = state.cur.nameField();
    showSoundFields(state);
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
    resetEditors(state);
    if (isProtected(n)) {
        ports.dialogs.message(Msg::ProtectedLine, {});
        // A protected row is never selected, not even by the click that was refused.
        state.rows[n].selected = false;
        makeRowCurrent(state, ports, -1);
        return;
    }
    openSound(state, n);
    toggleLetterOfRow(state, ports, n);
}

void clickRow(MainState& state, Ports& ports, int row) {
    if (row < 0 || row >= static_cast<int>(state.rows.size())) return;
    state.rows[row].selected = !state.rows[row].selected;
    makeRowCurrent(state, ports, row);
}

void toggleLetterOfRow(MainState& state, Ports&, int row) {
    const SoundRow& r = state.rows[row];
    if (r.selected != endsWithMark(r.text)) markSoundList(state, row);
}

} // namespace kestrel
