#pragma once
// Undo and Redo of the working lines, and which sounds carry changes that
// sounds.txt does not hold yet.

#include "session/edit_steps.h"
#include "session/main_state.h"

#include <string>
#include <vector>

namespace kestrel {

// Opens a step: from here each working line changed is
// remembered as it was (every line, once the step reads the catalogue
// again). False when a step is open already: the change is part of it.
bool beginStep(MainState& state);

// Closes the step: the lines that differ from what they were make one step
// for Undo, and the steps that could be redone are dropped. Nothing is
// recorded when no line changed. A Letter step is named by what happened:
// given or taken.
void endStep(MainState& state, StepKind kind, int rowBefore);

// Runs `operation` as one step.
template <class F> void recordStep(MainState& state, StepKind kind, F&& operation) {
    if (!beginStep(state)) {
        operation();
        return;
    }
    struct End {
        MainState& state;
        StepKind kind;
        int row;
        ~End() { endStep(state, kind, row); }
    } end{state, kind, state.currentRow};
    operation();
}

// The step Undo (or Redo) would take back (or do again); null when none.
const EditStep* stepToUndo(const MainState& state);
const EditStep* stepToRedo(const MainState& state);

// The lines, marks and current sound as they were before the last step, or
// as they were after the last step undone.
void undoStep(MainState& state);
void redoStep(MainState& state);

// A new start, with nothing to undo or redo: after the working lines were
// written or read again.
void clearHistory(MainState& state);

// Marks each row whose working line differs from its line in sounds.txt,
// and counts them.
void refreshChangedRows(MainState& state);
// The same for those rows alone.
void refreshChangedRows(MainState& state, const std::vector<int>& ids);

// The sounds whose rows are marked changed, by ID.
std::vector<int> changedSounds(const MainState& state);

// One sound's line in two versions, as a comparison shows them: the older
// above the newer.
struct LinePair {
    int id = 0;
    std::string above, below; // "" where that version has no such sound
};

// The sounds carrying changes not applied: the line in sounds.txt above the
// working line.
std::vector<LinePair> pendingChanges(const MainState& state);

// Those sounds take their lines of sounds.txt again.
void revertSounds(MainState& state, const std::vector<int>& ids);

} // namespace kestrel
