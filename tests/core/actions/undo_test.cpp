#include "actions/sound_list.h"
#include "actions/apply.h"
#include "actions/undo.h"
#include "actions/current_sound.h"
#include "actions/current_sound.h"
#include "installation.h"
#include "actions/letters.h"
#include "actions/import.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

const std::string kSam = "/games/lvedit/graphics/wads/HARBOUR.SAM";

// 30 sounds carrying #a, but sound 1 and sound 6 carry no letter, sound 4's
// default line differs, and the protected sound 27 carries #b.
struct Catalogue {
    FakePorts fake;
    Installation inst = installation();
    MainState state = inst.install(fake.files);

    Catalogue() {
        fake.files.files[kSam] = "\"s6.wav\"\r\n";
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
    std::vector<bool> marks() const {
        std::vector<bool> out;
        for (const SoundRow& r : state.rows) out.push_back(r.selected);
        return out;
    }
    // What Undo must bring back and Redo do again.
    struct Picture {
        std::vector<std::string> lines;
        std::vector<bool> marks;
        int row;
        bool operator==(const Picture&) const = default;
    };
    Picture picture() const { return {state.liText, marks(), state.currentRow}; }
    void answer(std::initializer_list<Answer> answers) { fake.dialogs.answers = answers; }
};

struct StepCase {
    const char* name;
    std::function<void(Catalogue&)> prepare; // not a step of its own
    StepKind recorded;
    std::function<void(Catalogue&)> operation;
    const char* detail;
    int sounds;
    int firstSound;
};

const StepCase kStepCases[] = {
    {"row click gives", [](Catalogue&) {}, StepKind::GiveLetter,
     [](Catalogue& c) { clickRow(c.state, c.fake.ports, 1); }, "#a", 1, 1},
    {"Remove takes", [](Catalogue& c) { makeRowCurrent(c.state, c.fake.ports, 2); },
     StepKind::TakeLetter, [](Catalogue& c) { removeLetter(c.state, c.fake.ports); }, "#a", 1, 2},
    {"an object's sounds", [](Catalogue& c) { c.state.txObjet = "CRANE"; c.state.objDlg.liOK = {1, 6}; },
     StepKind::GiveLetter, [](Catalogue& c) { addLetter(c.state, c.fake.ports); }, "#a", 2, 1},
    {"erase everywhere", [](Catalogue& c) { c.answer({Answer::Ok}); }, StepKind::EraseLetter,
     [](Catalogue& c) { eraseLetterEverywhere(c.state, c.fake.ports); }, "#a", 27, 0},
    {"accept values",
     [](Catalogue& c) {
         makeRowCurrent(c.state, c.fake.ports, 3);
         c.state.ed.txVol = "50";
         leaveValueBox(c.state, ValueBox::Vol);
     },
     StepKind::AcceptValues, [](Catalogue& c) { acceptValues(c.state); }, "", 1, 3},
    {"rename a sample",
     [](Catalogue& c) {
         makeRowCurrent(c.state, c.fake.ports, 3);
         selectSample(c.state, 0);
         c.state.ed.txSamp = "t3";
     },
     StepKind::RenameSample, [](Catalogue& c) { renameSample(c.state, c.fake.ports); }, "", 1, 3},
    {"restore a line", [](Catalogue& c) { makeRowCurrent(c.state, c.fake.ports, 4); },
     StepKind::RestoreLine, [](Catalogue& c) { restoreLine(c.state); }, "", 1, 4},
    {"the marks strip a protected sound",
     [](Catalogue& c) {
         c.state.txLett = "b";
         c.answer({Answer::Ok});
     },
     StepKind::StripProtected, [](Catalogue& c) { leaveLetterBox(c.state, c.fake.ports); }, "", 1, 27},
    // The reload drops the values accepted before; the import gives #a to sound 6.
    {"import a .SAM list",
     [](Catalogue& c) {
         recordStep(c.state, StepKind::AcceptValues, [&] {
             makeRowCurrent(c.state, c.fake.ports, 3);
             c.state.ed.txVol = "50";
             leaveValueBox(c.state, ValueBox::Vol);
             acceptValues(c.state);
         });
         c.answer({Answer::Ok, Answer::Discard});
     },
     StepKind::ImportList, [](Catalogue& c) { loadWadList(c.state, c.fake.ports); }, "HARBOUR.SAM", 2, 3},
};

TEST(EditHistory, UndoAndRedoEachKindOfStep) {
    for (const StepCase& t : kStepCases) {
        SCOPED_TRACE(t.name);
        Catalogue c;
        t.prepare(c);
        const std::size_t stepsBefore = c.state.history.done.size();
        const auto before = c.picture();
        recordStep(c.state, t.recorded == StepKind::GiveLetter || t.recorded == StepKind::TakeLetter
                                ? StepKind::Letter
                                : t.recorded,
                   [&] { t.operation(c); });
        const auto after = c.picture();
        ASSERT_NE(before.lines, after.lines);
        ASSERT_EQ(c.state.history.done.size(), stepsBefore + 1);
        const EditStep& step = *stepToUndo(c.state);
        EXPECT_EQ(step.kind, t.recorded);
        EXPECT_EQ(step.detail, t.detail);
        EXPECT_EQ(step.sounds, t.sounds);
        EXPECT_EQ(step.firstSound(), t.firstSound);

        // A new letter is no part of a step: the marks then follow it.
        const auto same = [&](const Catalogue::Picture& want) {
            const auto now = c.picture();
            EXPECT_EQ(now.lines, want.lines);
            EXPECT_EQ(now.row, want.row);
            if (t.recorded != StepKind::StripProtected) {
                EXPECT_EQ(now.marks, want.marks);
            }
        };
        undoStep(c.state);
        same(before);
        EXPECT_FALSE(stepToRedo(c.state) == nullptr);
        redoStep(c.state);
        same(after);
        undoStep(c.state);
        same(before);
    }
}

TEST(EditHistory, ANewStepDropsRedoAndOldStepsAreForgotten) {
    Catalogue c;
    recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 1); });
    undoStep(c.state);
    recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 6); });
    EXPECT_EQ(stepToRedo(c.state), nullptr);
    // A click that changes nothing (a protected row) is no step.
    recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 27); });
    EXPECT_EQ(c.state.history.done.size(), 1u);

    for (std::size_t i = 0; i < kHistoryDepth + 5; ++i)
        recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 1); });
    EXPECT_EQ(c.state.history.done.size(), kHistoryDepth);
    // Each step keeps only the line it changed.
    EXPECT_EQ(stepToUndo(c.state)->before.size(), 1u);
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
    EXPECT_EQ(c.state.rows[30].text.substr(0, 8), " 30: NEW");

    recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 1); });
    EXPECT_EQ(stepToUndo(c.state)->sounds, 1);
}

// A line changed twice in one step is one line of it, as it was first.
TEST(EditHistory, ALineChangedTwiceIsOneLine) {
    Catalogue c;
    const std::string first = c.state.liText[3];
    recordStep(c.state, StepKind::AcceptValues, [&] {
        makeRowCurrent(c.state, c.fake.ports, 3);
        for (const char* vol : {"50", "60"}) {
            c.state.ed.txVol = vol;
            leaveValueBox(c.state, ValueBox::Vol);
            acceptValues(c.state);
        }
    });
    ASSERT_EQ(stepToUndo(c.state)->sounds, 1);
    undoStep(c.state);
    EXPECT_EQ(c.state.liText[3], first);
}

TEST(EditHistory, TheChangedSetFollowsTheDiskLines) {
    Catalogue c;
    EXPECT_EQ(c.state.changedCount, 0);
    recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 1); });
    recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 6); });
    EXPECT_EQ(changedSounds(c.state), (std::vector<int>{1, 6}));
    EXPECT_TRUE(c.state.rows[1].changed);
    EXPECT_EQ(c.state.rows[1].text.find('*'), std::string::npos); // drawn, not written
    ASSERT_EQ(pendingChanges(c.state).size(), 2u);
    EXPECT_EQ(pendingChanges(c.state)[0].above, "SOUND1:\ts1\tVOL01");
    EXPECT_EQ(pendingChanges(c.state)[0].below, c.state.liText[1]);

    // Undone, a step leaves no change behind.
    undoStep(c.state);
    EXPECT_EQ(changedSounds(c.state), (std::vector<int>{1}));
    EXPECT_FALSE(c.state.rows[6].changed);

    // Reverting is a step of its own.
    recordStep(c.state, StepKind::RevertSounds, [&] { revertSounds(c.state, {1}); });
    EXPECT_EQ(c.state.changedCount, 0);
    EXPECT_EQ(c.state.liText[1], "SOUND1:\ts1\tVOL01");
    undoStep(c.state);
    EXPECT_EQ(c.state.changedCount, 1);

    // Apply: nothing pending, the count written said, the history begins again.
    c.answer({Answer::Yes});
    ASSERT_TRUE(applyChanges(c.state, c.fake.ports));
    EXPECT_EQ(c.state.changedCount, 0);
    EXPECT_EQ(c.state.appliedCount, 1);
    EXPECT_EQ(stepToUndo(c.state), nullptr);
}

// Every operation that drops the working lines asks first when sounds carry
// changes not applied; Apply writes them, Discard drops them, Cancel stops.
TEST(EditHistory, DroppingPendingChangesAsksFirst) {
    struct Operation {
        const char* name;
        std::function<void(Catalogue&, Answer)> run;
    } operations[] = {
        {"restore defaults",
         [](Catalogue& c, Answer a) {
             c.answer({Answer::Ok, a, Answer::Yes});
             restoreDefaults(c.state, c.fake.ports);
         }},
        {"import",
         [](Catalogue& c, Answer a) {
             c.answer({Answer::Ok, a, Answer::Yes});
             loadWadList(c.state, c.fake.ports);
         }},
        {"another level editor",
         [](Catalogue& c, Answer a) {
             c.fake.dialogs.fileAnswers = {"/games/lvedit/mapforge.exe"};
             c.answer({a, Answer::Yes});
             if (settlePendingChanges(c.state, c.fake.ports)) chooseEditorAgain(c.state, c.fake.ports);
         }},
        {"close", [](Catalogue& c, Answer a) {
             c.answer({a, Answer::Yes});
             if (settlePendingChanges(c.state, c.fake.ports)) c.state.liText.clear();
         }}};
    const std::string given = "SOUND1:\ts1\tVOL01 #a";
    for (const Operation& op : operations) {
        for (const Answer answer : {Answer::Apply, Answer::Discard, Answer::Cancel}) {
            SCOPED_TRACE(std::string(op.name) + " " + std::to_string(static_cast<int>(answer)));
            Catalogue c;
            recordStep(c.state, StepKind::Letter, [&] { clickRow(c.state, c.fake.ports, 1); });
            ASSERT_EQ(c.state.liText[1], given);
            op.run(c, answer);
            EXPECT_TRUE(c.fake.dialogs.showed(Msg::PendingChanges));
            const std::string onDisk = c.fake.files.bytes(c.inst.sfxDir() + "Sounds.txt");
            EXPECT_EQ(onDisk.find(given) != std::string::npos,
                      answer == Answer::Apply && std::string(op.name) != "restore defaults");
            if (answer == Answer::Cancel) {
                EXPECT_EQ(c.state.liText[1], given);
            }
        }
    }
    // Nothing pending: no question.
    Catalogue c;
    c.answer({Answer::Ok});
    restoreDefaults(c.state, c.fake.ports);
    EXPECT_FALSE(c.fake.dialogs.showed(Msg::PendingChanges));
}

} // namespace
