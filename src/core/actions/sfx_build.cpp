#include "actions/sfx_build.h"

#include "actions/check.h"
#include "format/ansi.h"
#include "format/batch.h"
#include "format/names.h"
#include "session/paths.h"

#include <utility>

namespace kestrel {

namespace {

WadFileStamps wadFileStamps(const MainState& state, Ports& ports) {
    return {ports.files.stamp(wadFilePath(state, state.build.wadName, ".SAM")),
            ports.files.stamp(wadFilePath(state, state.build.wadName, ".SFX"))};
}

// A file has arrived when it is there and was written since the start.
bool arrived(const std::optional<FileStamp>& before, const std::optional<FileStamp>& now) {
    return now && (!before || *now != *before);
}

bool wadFilesArrived(const MainState& state, Ports& ports) {
    const WadFileStamps now = wadFileStamps(state, ports);
    return arrived(state.build.before.sam, now.sam) && arrived(state.build.before.sfx, now.sfx);
}

// The letter and the name go into a command line and name files: refused
// with the box concerned focused when they would be read as anything else.
bool inputIsUsable(const MainState& state, Ports& ports) {
    if (state.choice.txLett.empty() || state.choice.txWad.empty()) {
        ports.dialogs.message(Msg::BuildNoLetterOrWad, {});
        ports.dialogs.focus(state.choice.txLett.empty() ? "TxLett" : "TxWAD");
        return false;
    }
    if (!isSafeWadName(state.choice.txLett)) {
        ports.dialogs.message(Msg::LetterUnsafe, {utf8FromAnsi(state.choice.txLett)});
        ports.dialogs.focus("TxLett");
        return false;
    }
    if (!isSafeWadName(state.choice.txWad)) {
        ports.dialogs.message(Msg::WadNameUnsafe, {utf8FromAnsi(state.choice.txWad)});
        ports.dialogs.focus("TxWAD");
        return false;
    }
    return true;
}

// Files the batch's copy lines would take for this build's output.
std::string leftoverOutputs(const MainState& state, Ports& ports) {
    std::string names;
    for (const char* pattern : {"*.sam", "*.sfx"})
        for (const std::string& name : ports.files.list(state.dirs.sfxDir, pattern))
            names += (names.empty() ? "" : ", ") + name;
    return names;
}

// An earlier batch's status would end this build's wait at once.
bool removeOldStatus(const std::string& statusPath, Ports& ports) {
    const auto found = ports.files.find(statusPath);
    if (!found) return true;
    const Status removed = ports.files.remove(*found);
    if (!removed) ports.dialogs.message(Msg::FileNotWritten, {*found, removed.error});
    return removed.ok;
}

// N of the status the batch's runner left, once it is there ("?" when it
// cannot be read, a failure); the file goes as it is read.
std::optional<std::string> takeBatchStatus(const BuildState& b, Ports& ports) {
    const auto found = b.statusPath.empty() ? std::nullopt : ports.files.find(b.statusPath);
    if (!found) return std::nullopt;
    const ReadResult file = ports.files.read(*found);
    ports.files.remove(*found);
    const auto status = file.ok ? parseBatchStatus(file.bytes) : std::nullopt;
    return status ? std::to_string(*status) : "?";
}

void deleteBatchFile(MainState& state, Ports& ports) {
    if (ports.files.find(state.build.batchPath)) ports.files.remove(state.build.batchPath);
}

void finishWait(MainState& state, Ports& ports, bool exited) {
    BuildState& b = state.build;
    b.canStopWaiting = false;
    if (exited) {
        deleteBatchFile(state, ports);
        b.phase = BuildPhase::Idle;
    } else {
        b.phase = BuildPhase::Released;
    }
}

// The batch has done its work: the window comes back, and the status says
// how it went; the files only word a success.
void endWithStatus(MainState& state, Ports& ports, const std::string& status, bool exited) {
    BuildState& b = state.build;
    finishWait(state, ports, exited);
    if (status != "0") {
        ports.dialogs.message(Msg::BuildCompilerFailed,
                              {utf8FromAnsi(b.wadName), status, state.dirs.sfxDir});
        return;
    }
    if (wadFilesArrived(state, ports))
        b.justBuilt = true;
    else
        b.buildOver = true;
}

// Where the runner writes a status, the files alone do not tell a success
// (a failing compiler may leave some): the wait ends with the status, or
// when the runner ended without writing one.
void waitForStatus(MainState& state, Ports& ports, bool exited) {
    BuildState& b = state.build;
    if (!exited) {
        b.canStopWaiting = b.elapsed >= kBuildWayOutMs;
        return;
    }
    finishWait(state, ports, true);
    if (wadFilesArrived(state, ports))
        b.buildOver = true;
    else
        ports.dialogs.message(Msg::BuildFailed,
                              {utf8FromAnsi(b.wadName), state.dirs.wadDir, state.dirs.sfxDir});
}

// Without a status (the Windows interpreter) the wait ends once the files
// have arrived and the clean-up is done, or once the batch has exited.
void waitForWadFiles(MainState& state, Ports& ports, bool exited) {
    BuildState& b = state.build;
    const bool filesIn = wadFilesArrived(state, ports);
    const bool sfxLeft = !ports.files.list(state.dirs.sfxDir, "*.sfx").empty();
    if (filesIn && (!sfxLeft || exited)) {
        b.justBuilt = true;
        finishWait(state, ports, exited);
        return;
    }
    if (exited) {
        finishWait(state, ports, true);
        ports.dialogs.message(Msg::BuildFailed,
                              {utf8FromAnsi(b.wadName), state.dirs.wadDir, state.dirs.sfxDir});
        return;
    }
    b.canStopWaiting = b.elapsed >= kBuildWayOutMs;
}

// The compiler stops at the first sample it cannot read: errors in the
// sounds of the build's letter are told before it starts.
bool buildDespiteErrors(MainState& state, Ports& ports) {
    const std::string tag = "#" + state.choice.txLett;
    // Only errors count here, and no .wav's contents make one.
    const int count =
        soundsWithErrors(checkCatalogue(state, ports, WavReading::NamesOnly), state.liText, tag);
    if (count == 0) return true;
    const Answer answer = count == 1
                              ? ports.dialogs.message(Msg::BuildHasError, {utf8FromAnsi(tag)})
                              : ports.dialogs.message(Msg::BuildHasErrors,
                                                      {std::to_string(count), utf8FromAnsi(tag)});
    state.build.checkAsked = answer == Answer::Show;
    return answer == Answer::Yes;
}

} // namespace

void startBuild(MainState& state, Ports& ports, std::int64_t now) {
    if (state.build.windowDisabled() || !inputIsUsable(state, ports)) return;
    if (ports.dialogs.message(Msg::BuildConfirm, {utf8FromAnsi(state.choice.txWad)}) != Answer::Ok)
        return;
    if (!buildDespiteErrors(state, ports)) return;

    const std::string& dir = state.dirs.sfxDir;
    if (!ports.files.find(dir)) {
        ports.dialogs.message(Msg::BuildNoFolder, {dir});
        return;
    }
    if (const std::string leftovers = leftoverOutputs(state, ports); !leftovers.empty()) {
        ports.dialogs.message(Msg::BuildLeftovers, {dir, leftovers});
        return;
    }
    const std::string statusPath = dir + kBatchStatusName;
    if (!removeOldStatus(statusPath, ports)) return;
    const std::string batchPath = dir + kBatchName;
    if (const Status written =
            ports.files.write(batchPath, batchText(state.choice.txWad, state.choice.txLett));
        !written) {
        ports.dialogs.message(Msg::FileNotWritten, {batchPath, written.error});
        return;
    }
    BuildState next;
    next.wadName = state.choice.txWad;
    next.batchPath = batchPath;
    next.statusPath = statusPath;
    next.startedAt = now;
    state.build = next;
    state.build.before = wadFileStamps(state, ports);

    const StartedProcess started =
        ports.programs.startBatch({batchPath, dir, state.dirs.editorDir, statusPath});
    if (!started.status) {
        // Nothing runs it: the file written for it goes again.
        ports.files.remove(batchPath);
        state.build = BuildState{};
        ports.dialogs.message(Msg::BuildNotStarted, {batchPath, started.status.error});
        return;
    }
    state.build.process = started.id;
    state.build.statusExpected = started.writesStatus;
    state.build.phase = BuildPhase::Waiting;
    if (started.withoutWindow && !std::exchange(state.noTerminalTold, true))
        ports.dialogs.message(Msg::BuildWithoutWindow, {});
}

void checkBuild(MainState& state, Ports& ports, std::int64_t now) {
    BuildState& b = state.build;
    if (!b.watching()) return;
    // Whether it had exited before its status is looked for: a runner
    // writes the status before it exits.
    const bool exited = !ports.programs.isRunning(b.process);
    if (b.phase == BuildPhase::Waiting) b.elapsed = now - b.startedAt;
    if (const auto status = takeBatchStatus(b, ports)) {
        endWithStatus(state, ports, *status, exited);
        return;
    }
    if (b.phase == BuildPhase::Released) {
        if (exited) finishWait(state, ports, true);
        return;
    }
    if (b.statusExpected)
        waitForStatus(state, ports, exited);
    else
        waitForWadFiles(state, ports, exited);
}

void stopWaitingForBuild(MainState& state) {
    if (state.build.phase != BuildPhase::Waiting) return;
    state.build.phase = BuildPhase::Released;
    state.build.canStopWaiting = false;
}

void endBuildAtClose(MainState& state, Ports& ports) {
    if (state.build.watching() && !ports.programs.isRunning(state.build.process))
        deleteBatchFile(state, ports);
    state.build.phase = BuildPhase::Idle;
}

} // namespace kestrel
