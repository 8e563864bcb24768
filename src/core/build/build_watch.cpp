#include "build/build_watch.h"

#include "build/batch.h"
#include "letters/wad_name.h"

namespace kestrel {

namespace {

std::string wadFilePath(const MainState& state, const std::string& extension) {
    return state.dirs.wadDir + state.build.wadName + extension;
}

WadFileStamps wadFileStamps(const MainState& state, Ports& ports) {
    return {ports.files.stamp(wadFilePath(state, ".SAM")),
            ports.files.stamp(wadFilePath(state, ".SFX"))};
}

// A file has arrived when it is there and was written since the start.
bool arrived(const std::optional<std::int64_t>& before, const std::optional<std::int64_t>& now) {
    return now && (!before || *now != *before);
}

bool wadFilesArrived(const MainState& state, Ports& ports) {
    const WadFileStamps now = wadFileStamps(state, ports);
    return arrived(state.build.before.sam, now.sam) && arrived(state.build.before.sfx, now.sfx);
}

// The letter and the name go into a command line and name files: refused
// with the box concerned focused when they would be read as anything else.
bool inputIsUsable(const MainState& state, Ports& ports) {
    if (state.txLett.empty() || state.txWad.empty()) {
        ports.dialogs.message(Msg::BuildNoLetterOrWad, {});
        ports.dialogs.focus(state.txLett.empty() ? "TxLett" : "TxWAD");
        return false;
    }
    if (!isSafeWadName(state.txLett)) {
        ports.dialogs.message(Msg::LetterUnsafe, {state.txLett});
        ports.dialogs.focus("TxLett");
        return false;
    }
    if (!isSafeWadName(state.txWad)) {
        ports.dialogs.message(Msg::WadNameUnsafe, {state.txWad});
        ports.dialogs.focus("TxWAD");
        return false;
    }
    return true;
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

} // namespace

void startBuild(MainState& state, Ports& ports, std::int64_t now) {
    if (state.build.windowDisabled() || !inputIsUsable(state, ports)) return;
    if (ports.dialogs.message(Msg::BuildConfirm, {state.txWad}) != Answer::Ok) return;

    const std::string& dir = state.dirs.sfxDir;
    if (!ports.files.find(dir)) {
        ports.dialogs.message(Msg::BuildNoFolder, {dir});
        return;
    }
    const std::string batchPath = dir + kBatchName;
    if (const Status written = ports.files.write(batchPath, batchText(state.txWad, state.txLett));
        !written) {
        ports.dialogs.message(Msg::FileNotWritten, {batchPath, written.error});
        return;
    }
    BuildState next;
    next.wadName = state.txWad;
    next.batchPath = batchPath;
    next.startedAt = now;
    state.build = next;
    state.build.before = wadFileStamps(state, ports);

    const StartedProcess started = ports.programs.startBatch(batchPath, dir);
    if (!started.status) {
        // Nothing runs it: the file written for it goes again.
        ports.files.remove(batchPath);
        state.build = BuildState{};
        ports.dialogs.message(Msg::BuildNotStarted, {batchPath, started.status.error});
        return;
    }
    state.build.process = started.id;
    state.build.phase = BuildPhase::Waiting;
}

void checkBuild(MainState& state, Ports& ports, std::int64_t now) {
    BuildState& b = state.build;
    const bool exited = b.watching() && !ports.programs.isRunning(b.process);
    if (b.phase == BuildPhase::Released) {
        if (exited) finishWait(state, ports, true);
        return;
    }
    if (b.phase != BuildPhase::Waiting) return;
    b.elapsed = now - b.startedAt;

    const bool filesIn = wadFilesArrived(state, ports);
    const bool sfxLeft = !ports.files.list(state.dirs.sfxDir, "*.sfx").empty();
    if (filesIn && (!sfxLeft || exited)) {
        b.justBuilt = true;
        finishWait(state, ports, exited);
        return;
    }
    if (exited) {
        finishWait(state, ports, true);
        ports.dialogs.message(Msg::BuildFailed, {b.wadName, state.dirs.wadDir, state.dirs.sfxDir});
        return;
    }
    b.canStopWaiting = b.elapsed >= kBuildWayOutMs;
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
