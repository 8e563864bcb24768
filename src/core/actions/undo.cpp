#include "actions/undo.h"

#include "actions/marks.h"
#include "actions/sound_list.h"
#include "format/sound_line.h"

#include <algorithm>
#include <numeric>

namespace kestrel {

namespace {

// The lines that differ between two lists of working lines, each side as it
// was; a sound present on one side only is on that side alone.
EditStep lineDifference(const WorkingLines& before, const WorkingLines& after) {
    EditStep step;
    step.countBefore = before.size();
    step.countAfter = after.size();
    const std::size_t n = std::max(before.size(), after.size());
    for (std::size_t i = 0; i < n; ++i) {
        const bool inBefore = i < before.size(), inAfter = i < after.size();
        if (inBefore && inAfter && before[i] == after[i]) continue;
        const int id = static_cast<int>(i);
        if (inBefore) step.before.push_back({id, std::string(before[i])});
        if (inAfter) step.after.push_back({id, std::string(after[i])});
        ++step.sounds;
    }
    return step;
}

// A letter step gave the tag when more of its lines carry it after than before.
bool gaveTag(const EditStep& step, const std::string& tag) {
    const auto carrying = [&](const std::vector<StepLine>& lines) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const StepLine& l) { return hasLetterTag(l.line, tag); });
    };
    return carrying(step.after) > carrying(step.before);
}

std::string detailOf(const MainState& state, StepKind kind) {
    switch (kind) {
    case StepKind::Letter:
    case StepKind::GiveLetter:
    case StepKind::TakeLetter:
    case StepKind::EraseLetter: return letterKey(state.choice.txLett);
    case StepKind::ImportList: return state.choice.txWad + (state.choice.wasMode ? ".WAS" : ".SAM");
    default: return {};
    }
}

bool changedAt(const MainState& state, std::size_t i) {
    const SoundsText& disk = *state.soundsFile.text;
    if (i >= disk.soundCount() || i >= state.liText.size()) return true;
    // A line still read from the file is the file's line.
    return !state.liText.isLineOf(disk, i) && state.liText[i] != disk.sound(i);
}

// The step of the lines remembered as they were, against the lines now.
EditStep touchedDifference(MainState& state) {
    EditHistory& h = state.history;
    // Commands that go through the catalogue touch its lines in order.
    const auto byId = [](const StepLine& a, const StepLine& b) { return a.id < b.id; };
    if (!std::is_sorted(h.touched.begin(), h.touched.end(), byId))
        std::sort(h.touched.begin(), h.touched.end(), byId);
    EditStep step;
    step.countBefore = step.countAfter = state.liText.size();
    for (StepLine& was : h.touched) {
        const auto i = static_cast<std::size_t>(was.id);
        if (i < h.seen.size()) h.seen[i] = false;
        if (i >= state.liText.size() || state.liText[i] == was.line) continue;
        step.after.push_back({was.id, std::string(state.liText[i])});
        step.before.push_back(std::move(was));
        ++step.sounds;
    }
    h.touched.clear();
    return step;
}

std::vector<int> idsOf(const std::vector<StepLine>& lines) {
    std::vector<int> ids;
    ids.reserve(lines.size());
    for (const StepLine& l : lines) ids.push_back(l.id);
    return ids;
}

// Puts one side of a step back: the lines, the rows' marks, and
// the current sound.
void putLines(MainState& state, std::size_t count, const std::vector<StepLine>& lines, int row) {
    const bool resized = count != state.liText.size();
    state.liText.resize(count);
    state.rows.resize(count);
    for (const StepLine& l : lines) {
        const auto i = static_cast<std::size_t>(l.id);
        state.liText.set(i, l.line);
    }
    // With the count changed, every row is marked again.
    std::vector<int> ids = idsOf(lines);
    if (resized) {
        ids.resize(count);
        std::iota(ids.begin(), ids.end(), 0);
    }
    showMarks(state, ids);
    if (resized)
        refreshChangedRows(state);
    else
        refreshChangedRows(state, ids);
    showRow(state, row);
}

// Moves the last step of `from` to the end of `to`; null when there is none.
const EditStep* moveLastStep(std::vector<EditStep>& from, std::vector<EditStep>& to) {
    if (from.empty()) return nullptr;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return &to.back();
}

} // namespace

bool beginStep(MainState& state) {
    EditHistory& h = state.history;
    if (h.recording) return false;
    h.recording = true;
    h.wholesale = false;
    return true;
}

void endStep(MainState& state, StepKind kind, int rowBefore) {
    EditHistory& h = state.history;
    h.recording = false;
    EditStep step;
    if (h.wholesale) {
        step = lineDifference(h.allBefore, state.liText);
        h.allBefore = {};
        h.wholesale = false;
        refreshChangedRows(state);
    } else {
        // A line changed and changed back may still differ from sounds.txt,
        // when the step put back its line there first.
        const std::vector<int> touched = idsOf(state.history.touched);
        step = touchedDifference(state);
        refreshChangedRows(state, touched);
    }
    if (step.sounds == 0) return;
    step.detail = detailOf(state, kind);
    if (kind == StepKind::Letter)
        kind = gaveTag(step, step.detail) ? StepKind::GiveLetter : StepKind::TakeLetter;
    step.kind = kind;
    step.rowBefore = rowBefore;
    step.rowAfter = state.currentRow;
    auto& done = h.done;
    done.push_back(std::move(step));
    if (done.size() > kHistoryDepth) done.erase(done.begin());
    h.undone.clear();
}

const EditStep* stepToUndo(const MainState& state) {
    return state.history.done.empty() ? nullptr : &state.history.done.back();
}

const EditStep* stepToRedo(const MainState& state) {
    return state.history.undone.empty() ? nullptr : &state.history.undone.back();
}

void undoStep(MainState& state) {
    if (const EditStep* step = moveLastStep(state.history.done, state.history.undone))
        putLines(state, step->countBefore, step->before, step->rowBefore);
}

void redoStep(MainState& state) {
    if (const EditStep* step = moveLastStep(state.history.undone, state.history.done))
        putLines(state, step->countAfter, step->after, step->rowAfter);
}

void clearHistory(MainState& state) {
    state.history.done.clear();
    state.history.undone.clear();
}

void refreshChangedRows(MainState& state) {
    int count = 0;
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        state.rows[i].changed = changedAt(state, i);
        count += state.rows[i].changed ? 1 : 0;
    }
    state.changedCount = count;
}

void refreshChangedRows(MainState& state, const std::vector<int>& ids) {
    for (const int id : ids) {
        const auto i = static_cast<std::size_t>(id);
        if (i >= state.rows.size()) continue;
        const bool changed = changedAt(state, i);
        if (changed != state.rows[i].changed) state.changedCount += changed ? 1 : -1;
        state.rows[i].changed = changed;
    }
}

std::vector<int> changedSounds(const MainState& state) {
    std::vector<int> ids;
    for (std::size_t i = 0; i < state.rows.size(); ++i)
        if (state.rows[i].changed) ids.push_back(static_cast<int>(i));
    return ids;
}

std::vector<LinePair> pendingChanges(const MainState& state) {
    const SoundsText& disk = *state.soundsFile.text;
    std::vector<LinePair> pairs;
    for (const int id : changedSounds(state)) {
        const auto i = static_cast<std::size_t>(id);
        pairs.push_back({id, i < disk.soundCount() ? std::string(disk.sound(i)) : std::string(),
                         std::string(state.liText[i])});
    }
    return pairs;
}

void revertSounds(MainState& state, const std::vector<int>& ids) {
    const SoundsText& disk = *state.soundsFile.text;
    std::vector<int> reverted;
    for (const int id : ids) {
        const auto i = static_cast<std::size_t>(id);
        if (id < 0 || i >= disk.soundCount() || i >= state.liText.size()) continue;
        state.setWorkingLine(i, disk.sound(i));
        reverted.push_back(id);
    }
    for (const int id : reverted) markSoundList(state, id);
    refreshChangedRows(state, reverted);
    showRow(state, state.currentRow);
}

} // namespace kestrel
