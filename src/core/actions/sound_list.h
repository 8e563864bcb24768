#pragma once
// Opening a sound: what happens when a row of the sound list becomes current.

#include "session/main_state.h"
#include "session/ports.h"

namespace kestrel {

// The program makes `row` current (-1: no row). The selection handling runs
// every time, even for the row that is already current, so the editors never
// show a stale sound. No row's selection changes.
void makeRowCurrent(MainState& state, Ports& ports, int row);

// Opens `row` in the editors with no selection handling: no letter is given
// or taken and no message shown (a protected row or -1: no row current).
void showRow(MainState& state, int row);

// The user clicks `row`: its selection toggles, it becomes current, and the
// selection handling runs, which may give or take the current letter.
void clickRow(MainState& state, Ports& ports, int row);

// The last step of the selection handling: a click that selected an unmarked
// row gives the current letter to that sound, a click that cleared a marked
// row takes it away. When the change is refused, the row keeps the selection
// its mark gives it.
void toggleLetterOfRow(MainState& state, Ports& ports, int row);

} // namespace kestrel
