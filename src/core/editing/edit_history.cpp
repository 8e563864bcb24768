#include "editing/edit_history.h"

#include "catalogue/catalogue.h"
#include "catalogue/marks.h"
#include "catalogue/selection.h"
#include "catalogue/sound_line.h"

#include <algorithm>

namespace kestrel {

namespace {

// The lines that differ between two lists of working lines, each side as it
// was; a sound present on one side only is on that side alone.
EditStep lineDifference(const std::vector<std::string>& before,
                        const std::vector<std::string>& after) {
    EditStep step;
    step.countBefore = before.size();
    step.countAfter = after.size();
    step.firstId = -1;
    const std::size_t n = std::max(before.size(), after.size());
    for (std::size_t i = 0; i < n; ++i) {
        const bool inBefore = i < before.size(), inAfter = i < after.size();
        if (inBefore && inAfter && before[i] == after[i]) continue;
        const int id = static_cast<int>(i);
        if (inBefore) step.before.push_back({id, before[i]});
        if (inAfter) step.after.push_back({id, after[i]});
        if (step.firstId < 0) step.firstId = id;
        ++step.sounds;
    }
    return step;
}

bool gaveTag(const EditStep& step, const std::string& tag) {
    return std::any_of(step.after.begin(), step.after.end(), [&](const StepLine& a) {
        const auto was = std::find_if(step.before.begin(), step.before.end(),
                                      [&](const StepLine& b) { return b.id == a.id; });
        return hasLetterTag(a.line, tag) && (was == step.before.end() || !hasLetterTag(was->line, tag));
    });
}

std::string detailOf(const MainState& state, StepKind kind) {
    switch (kind) {
    case StepKind::Letter:
    case StepKind::GiveLetter:
    case StepKind::TakeLetter:
    case StepKind::EraseLetter: return letterKey(state.txLett);
    case StepKind::ImportList: return state.txWad + (state.wasMode ? ".WAS" : ".SAM");
    default: return {};
    }
}

// Puts one side of a step back: the lines, the rows' texts and marks, and
// the current sound.
void putLines(MainState& state, std::size_t count, const std::vector<StepLine>& lines, int row) {
    const bool resized = count != state.liText.size();
    state.liText.resize(count);
    state.rows.resize(count);
    std::vector<int> ids;
    ids.reserve(lines.size());
    for (const StepLine& l : lines) {
        const auto i = static_cast<std::size_t>(l.id);
        state.liText[i] = l.line;
        state.rows[i].text = soundRowText(l.id, l.line);
        ids.push_back(l.id);
    }
    if (resized) {
        ids.clear();
        for (int i = 0; i < static_cast<int>(count); ++i) ids.push_back(i);
    }
    showMarks(state, ids);
    refreshChangedRows(state);
    showRow(state, row);
}

} // namespace

StepStart startStep(const MainState& state) { return {state.liText, state.currentRow}; }

void finishStep(MainState& state, const StepStart& start, StepKind kind) {
    refreshChangedRows(state);
    EditStep step = lineDifference(start.lines, state.liText);
    if (step.sounds == 0) return;
    step.detail = detailOf(state, kind);
    if (kind == StepKind::Letter)
        kind = gaveTag(step, step.detail) ? StepKind::GiveLetter : StepKind::TakeLetter;
    step.kind = kind;
    step.rowBefore = start.row;
    step.rowAfter = state.currentRow;
    auto& done = state.history.done;
    done.push_back(std::move(step));
    if (done.size() > kHistoryDepth) done.erase(done.begin());
    state.history.undone.clear();
}

const EditStep* stepToUndo(const MainState& state) {
    return state.history.done.empty() ? nullptr : &state.history.done.back();
}

const EditStep* stepToRedo(const MainState& state) {
    return state.history.undone.empty() ? nullptr : &state.history.undone.back();
}

void undoStep(MainState& state) {
    auto& h = state.history;
    if (h.done.empty()) return;
    h.undone.push_back(std::move(h.done.back()));
    h.done.pop_back();
    const EditStep& step = h.undone.back();
    putLines(state, step.countBefore, step.before, step.rowBefore);
}

void redoStep(MainState& state) {
    auto& h = state.history;
    if (h.undone.empty()) return;
    h.done.push_back(std::move(h.undone.back()));
    h.undone.pop_back();
    const EditStep& step = h.done.back();
    putLines(state, step.countAfter, step.after, step.rowAfter);
}

void clearHistory(MainState& state) { state.history = {}; }

void refreshChangedRows(MainState& state) {
    const std::vector<std::string>& disk = state.soundsFile.lines;
    int count = 0;
    for (std::size_t i = 0; i < state.rows.size(); ++i) {
        const bool changed = i >= disk.size() || i >= state.liText.size() || state.liText[i] != disk[i];
        state.rows[i].changed = changed;
        count += changed ? 1 : 0;
    }
    state.changedCount = count;
}

std::vector<int> changedSounds(const MainState& state) {
    std::vector<int> ids;
    for (std::size_t i = 0; i < state.rows.size(); ++i)
        if (state.rows[i].changed) ids.push_back(static_cast<int>(i));
    return ids;
}

std::vector<LinePair> pendingChanges(const MainState& state) {
    const std::vector<std::string>& disk = state.soundsFile.lines;
    std::vector<LinePair> pairs;
    for (const int id : changedSounds(state)) {
        const auto i = static_cast<std::size_t>(id);
        pairs.push_back({id, i < disk.size() ? disk[i] : std::string(), state.liText[i]});
    }
    return pairs;
}

void revertSounds(MainState& state, const std::vector<int>& ids) {
    const std::vector<std::string>& disk = state.soundsFile.lines;
    std::vector<int> reverted;
    for (const int id : ids) {
        const auto i = static_cast<std::size_t>(id);
        if (id < 0 || i >= disk.size() || i >= state.liText.size()) continue;
        state.liText[i] = disk[i];
        state.rows[i].text = soundRowText(id, disk[i]);
        reverted.push_back(id);
    }
    for (const int id : reverted) markSoundList(state, id);
    refreshChangedRows(state);
    showRow(state, state.currentRow);
}

} // namespace kestrel
