#pragma once
// The steps Undo and Redo walk: for each change of the working lines, the
// lines it changed as they were before and after it, and what to call it.

#include "format/working_lines.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrel {

enum class StepKind {
    AcceptValues,   // the values and flags of one sound
    RenameSample,   // a sample name of one sound
    Letter,         // given or taken, worked out from what changed
    GiveLetter,     // the current letter given to sounds
    TakeLetter,     // the current letter taken from sounds
    EraseLetter,    // the current letter taken from every line
    RestoreLine,    // one sound back to its default line
    StripProtected, // the marks took the letters of protected sounds
    ImportList,     // a .SAM or .WAS list read again and its letters given
    RevertSounds,   // sounds back to their lines in sounds.txt
};

struct StepLine {
    int id = 0;
    std::string line;
};

struct EditStep {
    StepKind kind = StepKind::AcceptValues;
    std::string detail; // the letter tag ("#f"), or the list read ("BOSS.SAM")
    int sounds = 0;     // how many sounds it changed
    std::size_t countBefore = 0, countAfter = 0; // how many sounds there were
    std::vector<StepLine> before, after;         // only the lines that differ
    int rowBefore = -1, rowAfter = -1;           // the current row

    // The lowest sound ID it changed: the sound of a one-sound step.
    int firstSound() const { return after.empty() ? before.front().id : after.front().id; }
};

struct EditHistory {
    std::vector<EditStep> done;   // the last one is undone first
    std::vector<EditStep> undone; // the last one is redone first

    // While a step is recorded: each line it changed, as it was before its
    // first change (or every line, once the step reads them all again).
    bool recording = false;
    bool wholesale = false;
    std::vector<StepLine> touched;
    std::vector<bool> seen; // by sound ID: already in `touched`
    WorkingLines allBefore;
};

// Undo goes back this many steps at most; older ones are forgotten.
inline constexpr std::size_t kHistoryDepth = 200;

} // namespace kestrel
