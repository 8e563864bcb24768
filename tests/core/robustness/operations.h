#pragma once
// The operations that write files, each on a small installation, for the
// fault injection and the read-only folder tests: what a clean run changes,
// and how each tells whether it did everything it set out to.

#include "actions/sfx_build.h"
#include "actions/sound_list.h"
#include "actions/apply.h"
#include "actions/current_sound.h"
#include "actions/current_sound.h"
#include "installation.h"
#include "actions/doubles.h"
#include "actions/startup.h"

#include <functional>
#include <ostream>
#include <set>

namespace kestrel::testing::robust {

inline const std::string kZero = "ZERO:\t\t\tz0\t\t\t\tVOL01\t\t\t\t\t#a";
inline const std::string kOne = "ONE:\t\t\to1 o2\t\t\t\tVOL02\tP\tCH01\t\t\t#b";
inline const std::string kTwo = "TWO:\t\t\tt1\t\t\t\tVOL03";

// What HARBOUR.tor holds when an operation starts with custom lines kept.
inline const std::string kKeptCustomLines = "1,\"ONE:\t\t\to7\"\r\n";

// sounds.txt with a heading and a blank line among its three sounds, their
// default lines and a doubles file.
inline Installation smallInstallation() {
    Installation inst;
    inst.sounds = {"; level sounds", kZero, "", kOne, kTwo};
    inst.defaults = {kZero, kOne, kTwo};
    inst.doubles = "1,\"OK \",\"   \",\"ONE:\",\"o1 o2\",\"#b\"\r\n";
    return inst;
}

struct Paths {
    std::string sounds, backup, historyDir, kept, tor, tod, par, batch, torDir;
    explicit Paths(const Installation& inst)
        : sounds(inst.sfxDir() + "Sounds.txt"), backup(inst.sfxDir() + "Orig_Sounds.txt"),
          historyDir(inst.appDir + "history/"),
          kept(historyDir + "Sounds-" + FakeFiles().now + ".txt"), // named by the fake clock
          tor(inst.appDir + "sounds/HARBOUR.tor"),
          tod(inst.appDir + "Kestrel.tod"), par(inst.appDir + "Kestrel.par"),
          batch(inst.sfxDir() + "CreateSFX.bat"), torDir(inst.appDir + "sounds/") {}
};

inline std::string readOr(Files& files, const std::string& path) {
    const ReadResult r = files.read(path);
    return r.ok ? r.bytes : "<absent>";
}

// The sound at `row` opened, a value changed and accepted; with `sample`, its
// first sample renamed too, which makes it a custom line.
inline void editSound(MainState& state, Ports& ports, int row, const std::string& sample = "") {
    makeRowCurrent(state, ports, row);
    state.ed.txVol = "42";
    leaveValueBox(state, ValueBox::Vol);
    acceptValues(state);
    if (sample.empty()) return;
    selectSample(state, 0);
    state.ed.txSamp = sample;
    renameSample(state, ports);
}

struct Operation {
    const char* name;
    bool withCustomLines; // HARBOUR.tor is there before the operation
    std::function<void(MainState&, Ports&)> prepare;
    // Runs the operation; true when everything it set out to do is on disk
    // and the state says so.
    std::function<bool(MainState&, Ports&, FakeDialogs&, const Paths&)> run;
    std::vector<std::pair<FileOp, std::string Paths::*>> cleanCalls; // in order
    std::set<Msg> failures; // the messages that may report a failure
};

// Test names and failure messages show an operation by its name.
inline void PrintTo(const Operation& op, std::ostream* os) { *os << op.name; }

inline bool appliedWhole(MainState& state, Ports& ports, const Paths& p) {
    const std::string custom = customLinesBytes(state);
    return readOr(ports.files, p.sounds) == soundsFileBytes(state) &&
           state.soundsFile.bytes == soundsFileBytes(state) &&
           readOr(ports.files, p.tor) == (custom.empty() ? "<absent>" : custom);
}

inline std::vector<Operation> operations() {
    const auto apply = [](MainState& s, Ports& ports, FakeDialogs& d, const Paths& p) {
        d.answers = {Answer::Yes};
        applyChanges(s, ports);
        return appliedWhole(s, ports, p);
    };
    return {
        {"ApplyKeepingCustomLines", false,
         [](MainState& s, Ports& ports) { editSound(s, ports, 1, "o9"); }, apply,
         {{FileOp::Copy, &Paths::backup}, {FileOp::MakeDir, &Paths::historyDir},
          {FileOp::Copy, &Paths::kept}, {FileOp::Write, &Paths::sounds},
          {FileOp::MakeDir, &Paths::torDir}, {FileOp::Write, &Paths::tor}},
         {Msg::FileNotWritten, Msg::CustomLinesNotSaved}},
        {"ApplyDroppingCustomLines", true,
         [](MainState& s, Ports& ports) { editSound(s, ports, 0); }, apply,
         {{FileOp::Copy, &Paths::backup}, {FileOp::MakeDir, &Paths::historyDir},
          {FileOp::Copy, &Paths::kept}, {FileOp::Write, &Paths::sounds},
          {FileOp::Remove, &Paths::tor}},
         {Msg::FileNotWritten, Msg::CustomLinesNotSaved}},
        {"RestoreDefaults", false, [](MainState& s, Ports& ports) { editSound(s, ports, 1); },
         [](MainState& s, Ports& ports, FakeDialogs& d, const Paths& p) {
             d.answers = {Answer::Ok};
             restoreDefaults(s, ports);
             const std::string defaults = joinLinesCrLf({kZero, kOne, kTwo});
             return s.liText == std::vector<std::string>{kZero, kOne, kTwo} &&
                    readOr(ports.files, p.sounds) == defaults && s.soundsFile.bytes == defaults;
         },
         {{FileOp::Copy, &Paths::backup}, {FileOp::MakeDir, &Paths::historyDir},
          {FileOp::Copy, &Paths::kept}, {FileOp::Write, &Paths::sounds}},
         {Msg::FileNotWritten}},
        {"DoublesDialogOk", false, nullptr,
         [](MainState& s, Ports& ports, FakeDialogs&, const Paths& p) {
             DoublesDialog dialog = openDoublesDialog(s, ports);
             dialog.selected.at(0) = false;
             return saveDoublesDialog(s, ports, dialog) &&
                    readDoubles(readOr(ports.files, p.tod)).at(0).mark == kDoubleUnselected;
         },
         {{FileOp::Write, &Paths::tod}}, {Msg::FileNotWritten}},
        {"SettingsAtClose", false,
         [](MainState& s, Ports&) {
             s.txLett = "b";
             s.txWad = "BRIDGE";
         },
         [](MainState& s, Ports& ports, FakeDialogs&, const Paths& p) {
             return closeMainWindow(s, ports).ok &&
                    readOr(ports.files, p.par) == formatSettings(currentSettings(s));
         },
         {{FileOp::Write, &Paths::par}}, {Msg::SettingsNotSaved}},
        {"BuildBatchFile", false, nullptr,
         [](MainState& s, Ports& ports, FakeDialogs& d, const Paths& p) {
             d.answers = {Answer::Ok};
             startBuild(s, ports, 0);
             return s.build.phase == BuildPhase::Waiting && ports.files.find(p.batch).has_value();
         },
         {{FileOp::Write, &Paths::batch}}, {Msg::FileNotWritten}},
    };
}

} // namespace kestrel::testing::robust
