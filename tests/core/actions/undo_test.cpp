#include "actions/apply.h"
#include "actions/current_sound.h"
#include "actions/import.h"
#include "actions/letters.h"
#include "actions/marks.h"
#include "actions/sound_list.h"
#include "actions/undo.h"
#include "installation.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

// 30 sounds carrying #a, but sound 1 and sound 6 carry no letter, sound 4's
// default line differs, and the protected sound 27 carries #b.
struct Catalogue {
    FakePorts fake;
    Installation inst = installation();
    MainState state = inst.install(fake.files);

    Catalogue() {
        fake.files.files["/games/lvedit/graphics/wads/HARBOUR.SAM"] = "\"s6.wav\"\r\n";
        startMainWindow(state, fake.ports);
        fake.dialogs.shown.clear();
    }
    static Installation installation() {
        Installation inst;
        inst.sounds = Installation::numberedSounds(30);
        inst.sounds[1] = "SOUND1:\ts1\tVOL01";
        inst.sounds[6] = "SOUND6:\ts6\tVOL01";
        inst.sounds[27] = "SOUND27:\ts27\tVOL01\t#b";
        inst.defaults = inst.sounds;
        inst.defaults[4] = "SOUND4:\ts4\tVOL09\t#a";
        return inst;
    }
    // What Undo must bring back and Redo do again: the lines, the marks, the row.
    using Picture = std::tuple<std::vector<std::string>, std::vector<bool>, int>;
    Picture picture(bool withMarks) const {
        std::vector<bool> marks;
        for (const SoundRow& r : state.rows) marks.push_back(withMarks && r.selected);
        return {state.liText.strings(), marks, state.currentRow};
    }
    void answer(std::initializer_list<Answer> answers) { fake.dialogs.answers = answers; }
    void open(int row) { makeRowCurrent(state, fake.ports, row); }
    void acceptVol(const char* vol) {
        state.ed.txVol = vol;
        leaveValueBox(state, ValueBox::Vol);
        acceptValues(state);
    }
    void click(int row) {
        recordStep(state, StepKind::Letter, [&] { clickRow(state, fake.ports, row); });
    }
};

struct StepCase {
    const char* name;
    std::function<void(Catalogue&)> prepare; // not a step of its own
    StepKind recorded;
    std::function<void(Catalogue&)> operation;
    const char* detail;
    int sounds, firstSound;
};

const StepCase kStepCases[] = {
    {"row click gives", [](Catalogue&) {}, StepKind::GiveLetter,
     [](Catalogue& c) { clickRow(c.state, c.fake.ports, 1); }, "#a", 1, 1},
    {"Remove takes", [](Catalogue& c) { c.open(2); }, StepKind::TakeLetter,
     [](Catalogue& c) { removeLetter(c.state, c.fake.ports); }, "#a", 1, 2},
    {"erase everywhere", [](Catalogue& c) { c.answer({Answer::Ok}); }, StepKind::EraseLetter,
     [](Catalogue& c) { eraseLetterEverywhere(c.state, c.fake.ports); }, "#a", 27, 0},
    {"one line changed twice", [](Catalogue& c) { c.open(3); }, StepKind::AcceptValues,
     [](Catalogue& c) { c.acceptVol("50"), c.acceptVol("60"); }, "", 1, 3},
    {"rename a sample", [](Catalogue& c) { c.open(3), selectSample(c.state, 0); },
     StepKind::RenameSample,
     [](Catalogue& c) { c.state.ed.txSamp = "t3", renameSample(c.state, c.fake.ports); }, "", 1, 3},
    {"restore a line", [](Catalogue& c) { c.open(4); }, StepKind::RestoreLine,
     [](Catalogue& c) { restoreLine(c.state); }, "", 1, 4},
    {"the marks strip a protected sound",
     [](Catalogue& c) { c.state.choice.txLett = "b", c.answer({Answer::Ok}); },
     StepKind::StripProtected, [](Catalogue& c) { leaveLetterBox(c.state, c.fake.ports); }, "", 1,
     27},
    // The reload drops the values accepted before; the import gives #a to
    // sound 6, then to sound 1: the step still starts at its lowest sound.
    {"import a .SAM list",
     [](Catalogue& c) {
         recordStep(c.state, StepKind::AcceptValues, [&] { c.open(3), c.acceptVol("50"); });
         c.fake.files.files["/games/lvedit/graphics/wads/HARBOUR.SAM"] = "s6.wav\r\ns1.wav\r\n";
         c.answer({Answer::Ok, Answer::Discard});
     },
     StepKind::ImportList, [](Catalogue& c) { loadWadList(c.state, c.fake.ports); }, "HARBOUR.SAM",
     3, 1},
};

TEST(EditHistory, UndoAndRedoEachKindOfStep) {
    for (const StepCase& t : kStepCases) {
        SCOPED_TRACE(t.name);
        Catalogue c;
        t.prepare(c);
        const std::size_t stepsBefore = c.state.history.done.size();
        // A new letter is no part of a step: the marks then follow it.
        const bool marks = t.recorded != StepKind::StripProtected;
        const auto before = c.picture(marks);
        const bool letter =
            t.recorded == StepKind::GiveLetter || t.recorded == StepKind::TakeLetter;
        recordStep(c.state, letter ? StepKind::Letter : t.recorded, [&] { t.operation(c); });
        const auto after = c.picture(marks);
        ASSERT_NE(std::get<0>(before), std::get<0>(after));
        ASSERT_EQ(c.state.history.done.size(), stepsBefore + 1);
        const EditStep& step = *stepToUndo(c.state);
        EXPECT_EQ(step.kind, t.recorded);
        EXPECT_EQ(step.detail, t.detail);
        EXPECT_EQ(step.sounds, t.sounds);
        EXPECT_EQ(step.firstSound(), t.firstSound);
        undoStep(c.state);
        EXPECT_EQ(c.picture(marks), before);
        redoStep(c.state);
        EXPECT_EQ(c.picture(marks), after);
        undoStep(c.state);
        EXPECT_EQ(c.picture(marks), before);
    }
}

TEST(EditHistory, ANewStepDropsRedoAndOldStepsAreForgotten) {
    Catalogue c;
    c.click(1);
    undoStep(c.state);
    c.click(6);
    EXPECT_EQ(stepToRedo(c.state), nullptr);
    c.click(27); // a click that changes nothing (a protected row) is no step
    EXPECT_EQ(c.state.history.done.size(), 1u);
    for (std::size_t i = 0; i < kHistoryDepth + 5; ++i) c.click(1);
    EXPECT_EQ(c.state.history.done.size(), kHistoryDepth);
    EXPECT_EQ(stepToUndo(c.state)->before.size(), 1u); // only the line it changed
}

// The import reads Sounds.txt again: here a text editor changed sound 0 and
// added a sound meanwhile. Undo gives back the lines and the count as they
// were; the next step holds only its own line.
TEST(EditHistory, AnImportOfAnotherSoundsTxtIsUndoneWhole) {
    Catalogue c;
    auto disk = c.inst.sounds;
    disk[0] = "SOUND0:\ts0\tVOL77\t#a";
    disk.push_back("NEW:\tnew1\tVOL01");
    c.fake.files.files[c.inst.sfxDir() + "Sounds.txt"] = joinLinesCrLf(disk);
    const auto before = c.state.liText;
    c.answer({Answer::Ok});
    recordStep(c.state, StepKind::ImportList, [&] { loadWadList(c.state, c.fake.ports); });
    ASSERT_EQ(c.state.soundCount(), 31);
    const auto after = c.state.liText;
    EXPECT_EQ(stepToUndo(c.state)->sounds, 3); // 0, 6 and the new one

    undoStep(c.state);
    EXPECT_EQ(c.state.liText, before);
    EXPECT_EQ(c.state.rows.size(), 30u);
    EXPECT_EQ(changedSounds(c.state), std::vector<int>{0}); // against the Sounds.txt read last
    redoStep(c.state);
    EXPECT_EQ(c.state.liText, after);
    EXPECT_EQ(rowText(c.state, 30).substr(0, 8), " 30: NEW");
    c.click(1);
    EXPECT_EQ(stepToUndo(c.state)->sounds, 1);
}

// Between loads of the same files an import reads none of them again, and
// leaves the lines, rows, changes and Undo as a full reload does. Sound 6
// was given #a and the import gives it again: no part of its step, and
// still a change.
TEST(EditHistory, AnImportOfUnchangedFilesReadsNothingAgain) {
    using Outcome = std::tuple<Catalogue::Picture, std::vector<std::string>, int, int>;
    const auto importAfterEdits = [](bool newerTable) {
        Catalogue c;
        c.click(1);
        c.click(6);
        c.open(2);
        if (newerTable) // written again as it was: a newer file, read again
            c.fake.files.write(c.inst.pathOf("Kestrel.tow"), c.inst.wadTable);
        else
            for (const char* name : {"Sounds.txt", "Kestrel.tos", "Kestrel.tow", "Kestrel.tod"})
                c.fake.files.failing.push_back({c.inst.pathOf(name), FileOp::Read});
        c.answer({Answer::Ok, Answer::Discard});
        recordStep(c.state, StepKind::ImportList, [&] { loadWadList(c.state, c.fake.ports); });
        EXPECT_FALSE(c.fake.dialogs.showed(Msg::FileUnreadable));
        const auto outcome = [&c] {
            std::vector<std::string> rows;
            for (std::size_t i = 0; i < c.state.rows.size(); ++i)
                rows.push_back(rowText(c.state, i) + (c.state.rows[i].changed ? "*" : ""));
            const EditStep* step = stepToUndo(c.state);
            return Outcome{c.picture(true), rows, c.state.changedCount, step ? step->sounds : 0};
        };
        std::vector<Outcome> seen{outcome()};
        undoStep(c.state);
        seen.push_back(outcome());
        return seen;
    };
    const auto unchanged = importAfterEdits(false);
    EXPECT_EQ(unchanged, importAfterEdits(true));
    EXPECT_EQ(std::get<2>(unchanged[0]), 1); // sound 6
    EXPECT_EQ(std::get<3>(unchanged[0]), 1); // sound 1 back as on disk
    EXPECT_EQ(std::get<2>(unchanged[1]), 2); // both again after Undo
}

// A file changed on disk since the last load is read again by the import
// (Sounds.txt: AnImportOfAnotherSoundsTxtIsUndoneWhole).
TEST(EditHistory, AnImportReadsAgainEachFileChangedOnDisk) {
    const std::tuple<const char*, std::string, std::function<std::string(const MainState&)>>
        changes[] = {
            {"Kestrel.tos", "SOUND0:\ts0\tVOL55\r\n",
             [](const MainState& s) { return std::string(s.defaultLine(0)); }},
            {"Kestrel.tow", "\"Cove\",\"c\",\"COVE\"\r\n",
             [](const MainState& s) { return s.wads.titles.front(); }},
            {"Kestrel.tod", "0,\"   \",\"\",\"\",\"\",\"\"\r\n",
             [](const MainState& s) { return s.doubleSelected[0] ? "OK" : "-"; }},
        };
    for (const auto& [name, bytes, read] : changes) {
        SCOPED_TRACE(name);
        Catalogue c;
        const std::string before = read(c.state);
        c.fake.files.files[c.inst.pathOf(name)] = bytes;
        c.answer({Answer::Ok});
        loadWadList(c.state, c.fake.ports);
        EXPECT_NE(read(c.state), before);
    }
}

TEST(EditHistory, TheChangedSetFollowsTheDiskLines) {
    Catalogue c;
    c.click(1);
    c.click(6);
    EXPECT_EQ(changedSounds(c.state), (std::vector<int>{1, 6}));
    EXPECT_EQ(rowText(c.state, 1).find('*'), std::string::npos); // drawn, not written
    ASSERT_EQ(pendingChanges(c.state).size(), 2u);
    EXPECT_EQ(pendingChanges(c.state)[0].above, "SOUND1:\ts1\tVOL01");
    EXPECT_EQ(pendingChanges(c.state)[0].below, c.state.liText[1]);
    undoStep(c.state); // undone, a step leaves no change behind
    EXPECT_EQ(changedSounds(c.state), (std::vector<int>{1}));

    c.click(0);
    recordStep(c.state, StepKind::RevertSounds, [&] { revertSounds(c.state, {0, 1}); });
    EXPECT_EQ(c.state.changedCount, 0);
    EXPECT_EQ(c.state.liText[1], "SOUND1:\ts1\tVOL01");
    EXPECT_EQ(c.state.cur.letters, "#a"); // the open sound shows its line put back
    undoStep(c.state);                    // reverting is a step of its own
    EXPECT_EQ(c.state.changedCount, 2);
    ASSERT_TRUE(beginStep(c.state));
    EXPECT_FALSE(beginStep(c.state)); // steps do not nest
    endStep(c.state, StepKind::Letter, c.state.currentRow);

    // Apply: nothing pending, the count written said, the history begins again.
    c.answer({Answer::Yes});
    ASSERT_TRUE(applyChanges(c.state, c.fake.ports));
    EXPECT_EQ(c.state.changedCount, 0);
    EXPECT_EQ(c.state.appliedCount, 2);
    EXPECT_EQ(stepToUndo(c.state), nullptr);
}

// What drops the working lines asks first when sounds carry changes not
// applied; Apply writes them, Discard drops them, Cancel stops.
TEST(EditHistory, DroppingPendingChangesAsksFirst) {
    const std::pair<const char*, std::function<bool(Catalogue&)>> operations[] = {
        {"restore defaults",
         [](Catalogue& c) { return restoreDefaults(c.state, c.fake.ports), true; }},
        {"import", [](Catalogue& c) { return loadWadList(c.state, c.fake.ports), true; }},
        {"settled alone", [](Catalogue& c) { return settlePendingChanges(c.state, c.fake.ports); }},
    };
    const std::string given = "SOUND1:\ts1\tVOL01 #a";
    for (const auto& [name, run] : operations) {
        for (const Answer answer : {Answer::Apply, Answer::Discard, Answer::Cancel}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(static_cast<int>(answer)));
            const bool alone = name == std::string("settled alone"); // else asked its own first
            Catalogue c;
            c.click(1);
            c.fake.dialogs.answers = {answer, Answer::Yes};
            if (!alone) c.fake.dialogs.answers.push_front(Answer::Ok);
            const bool settled = run(c);
            EXPECT_TRUE(c.fake.dialogs.showed(Msg::PendingChanges));
            const std::string onDisk = c.fake.files.bytes(c.inst.sfxDir() + "Sounds.txt");
            EXPECT_EQ(onDisk.find(given) != std::string::npos,
                      answer == Answer::Apply && name != std::string("restore defaults"));
            EXPECT_EQ(settled, !alone || answer != Answer::Cancel);
            EXPECT_TRUE(answer != Answer::Cancel || c.state.liText[1] == given);
        }
    }
}

} // namespace
