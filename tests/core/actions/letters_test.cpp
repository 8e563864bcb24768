#include "actions/catalogue.h"
#include "actions/marks.h"
#include "actions/sound_list.h"
#include "fake_ports.h"
#include "installation.h"
#include "actions/letters.h"
#include "actions/objects.h"
#include "actions/startup.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

Installation letterInstallation() {
    Installation inst;
    inst.sounds = Installation::numberedSounds(30);
    inst.sounds[1] = "ANVIL:\t\tanvil1\t\t\tVOL40\t\tCH01\t\t\t#ab #c";
    inst.sounds[2] = "HORN:\t\thorn1\t\t\tVOL40\t\tCH01\t\t\t#g";
    inst.sounds[3] = "WHEEL:\t\twheel1\t\t\tVOL40\t\tCH01\t\t\t#b #a #c";
    inst.sounds[4] = "PUMP:\t\tpump1\t\t\tVOL40\t\tCH01\t\t\t";
    inst.sounds[5] = "GEAR:\t\tgear1\t\t\tVOL40\t\tCH01\t\t\t#a L";
    return inst;
}

void chooseObject(MainState& state, std::vector<int> ids) {
    state.txObjet = "MACHINE";
    state.objDlg.liOK = std::move(ids);
}

} // namespace

TEST(Letters, LetterBoxRules) {
    const std::pair<const char*, const char*> cases[] = {
        {"#a", "a"}, {"abc", "ab"}, {" a", ""}, {"#abc", "ab"}, {"#", ""}, {"", ""}, {"k", "k"},
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(cleanLetter(typed), kept) << typed;

    Loaded l(letterInstallation());
    // Refused with the box emptied: the reserved letter, and what the build
    // would refuse in a tag.
    for (const auto& [typed, refusal] : {std::pair{"g", Msg::LetterReserved},
                                         {"a ", Msg::LetterUnsafe}, {"*", Msg::LetterUnsafe},
                                         {"a/", Msg::LetterUnsafe}}) {
        l.state.txLett = typed;
        leaveLetterBox(l.state, l.fake.ports);
        EXPECT_EQ(l.fake.dialogs.shown.back().id, refusal) << typed;
        EXPECT_EQ(l.state.txLett, "") << typed;
        EXPECT_EQ(l.fake.dialogs.focused.back(), "TxLett");
    }

    // A letter of the WAD table: OK takes that WAD's file name, Cancel empties the box.
    l.state.txLett = "b";
    l.fake.dialogs.answers = {Answer::Ok};
    leaveLetterBox(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.back().args, (std::vector<std::string>{"b", "Bridge"}));
    EXPECT_EQ(l.state.txWad, "BRIDGE");
    EXPECT_EQ(l.state.lastLetter, "b");
    EXPECT_TRUE(endsWithMark(l.state.rows[3].text));
    EXPECT_EQ(l.state.currentRow, 0);

    l.state.txLett = "a";
    l.fake.dialogs.answers = {Answer::Cancel};
    leaveLetterBox(l.state, l.fake.ports);
    EXPECT_EQ(l.state.txLett, "");
    EXPECT_EQ(l.state.lastLetter, "");

    l.state.txWad = " X";
    leaveWadBox(l.state);
    EXPECT_EQ(l.state.txWad, "");
}

TEST(Letters, AddToTheCurrentSound) {
    Loaded l(letterInstallation());
    // "#ab" is another letter: "a" may still be added.
    makeRowCurrent(l.state, l.fake.ports, 1);
    addLetter(l.state, l.fake.ports);
    EXPECT_FALSE(l.fake.dialogs.showed(Msg::AddConflict));
    EXPECT_EQ(l.line(1), "ANVIL:\t\tanvil1\t\t\tVOL40\t\tCH01\t\t\t#ab #c #a");
    EXPECT_EQ(l.state.ed.liWad.back(), "#a - HARBOUR");
    EXPECT_EQ(l.state.ed.liWadSel, 2);
    EXPECT_TRUE(endsWithMark(l.state.rows[1].text));
    // Twice is a conflict.
    addLetter(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::AddConflict));

    // A "#g" sound receives no other letter and its row loses its selection.
    makeRowCurrent(l.state, l.fake.ports, 2);
    l.state.rows[2].selected = true;
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(2), "HORN:\t\thorn1\t\t\tVOL40\t\tCH01\t\t\t#g");
    EXPECT_FALSE(l.state.rows[2].selected);

    // A sound without letters takes the letter at the end of its line.
    makeRowCurrent(l.state, l.fake.ports, 4);
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(4), "PUMP:\t\tpump1\t\t\tVOL40\t\tCH01\t\t\t#a");

    l.state.txWad.clear();
    makeRowCurrent(l.state, l.fake.ports, 6);
    addLetter(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::AddNoLetterOrWad));
    EXPECT_EQ(l.fake.dialogs.focused.back(), "TxWAD");
}

TEST(Letters, RemoveFromTheCurrentSound) {
    Loaded l(letterInstallation());
    makeRowCurrent(l.state, l.fake.ports, 5);
    ASSERT_EQ(l.state.ed.liWadSel, 0);
    removeLetter(l.state, l.fake.ports);
    // The flag written after the letters is kept.
    EXPECT_EQ(l.line(5), "GEAR:\t\tgear1\t\t\tVOL40\t\tCH01\t\t\tL");
    EXPECT_FALSE(endsWithMark(l.state.rows[5].text));
    removeLetter(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::RemoveNoSelection));

    makeRowCurrent(l.state, l.fake.ports, 2);
    l.state.ed.liWadSel = 0;
    removeLetter(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::RemoveGeneric));
    EXPECT_EQ(l.line(2), "HORN:\t\thorn1\t\t\tVOL40\t\tCH01\t\t\t#g");
}

TEST(Letters, EveryWholeTagLeavesEveryLine) {
    Loaded l(letterInstallation());
    l.line(6) = "DOUBLE:\t\td1\t\t\tVOL40\t\tCH01\t\t\t#a #c #a";
    l.line(7) = "SAMPLE#a:\t\tsx#a\t\t\tVOL40\t#a";
    l.fake.dialogs.answers = {Answer::Cancel};
    eraseLetterEverywhere(l.state, l.fake.ports);
    EXPECT_EQ(l.line(3), "WHEEL:\t\twheel1\t\t\tVOL40\t\tCH01\t\t\t#b #a #c");

    l.fake.dialogs.answers = {Answer::Ok};
    eraseLetterEverywhere(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.back().args, std::vector<std::string>{"a"});
    EXPECT_EQ(l.line(1), "ANVIL:\t\tanvil1\t\t\tVOL40\t\tCH01\t\t\t#ab #c");
    EXPECT_EQ(l.line(3), "WHEEL:\t\twheel1\t\t\tVOL40\t\tCH01\t\t\t#b #c");
    EXPECT_EQ(l.line(5), "GEAR:\t\tgear1\t\t\tVOL40\t\tCH01\t\t L");
    EXPECT_EQ(l.line(6), "DOUBLE:\t\td1\t\t\tVOL40\t\tCH01\t\t #c");
    // Never inside the name or the sample list.
    EXPECT_EQ(l.line(7), "SAMPLE#a:\t\tsx#a\t\t\tVOL40");
    EXPECT_EQ(l.line(10), "SOUND10:\ts10\tVOL01");
    for (const SoundRow& row : l.state.rows) EXPECT_FALSE(endsWithMark(row.text));
    EXPECT_EQ(l.state.currentRow, 0);

    l.state.txLett.clear();
    eraseLetterEverywhere(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::EraseNoLetter));
}

TEST(Letters, WadFieldWithoutATag) {
    const std::pair<const char*, const char*> cases[] = {
        {"#b #a #c", "#b #c"}, {"#a #b", "#b"}, {"#b #a", "#b"}, {" #a #b", "#b"},
        {"#ab #c", "#ab #c"},  {"#a", ""},
    };
    for (const auto& [field, left] : cases) EXPECT_EQ(wadFieldWithout(field, "#a"), left) << field;
}

TEST(Letters, EverySoundOfTheObject) {
    Loaded l(letterInstallation());
    makeRowCurrent(l.state, l.fake.ports, 8);
    // Protected and unknown IDs are passed over.
    chooseObject(l.state, {27, 1, 4, 2, 999});
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(1), "ANVIL:\t\t\tanvil1\t\t\t\tVOL40\t\tCH01\t\t\t#ab #c #a");
    EXPECT_EQ(l.line(4), "PUMP:\t\t\tpump1\t\t\t\tVOL40\t\tCH01\t\t\t #a");
    EXPECT_EQ(l.line(2), "HORN:\t\t\thorn1\t\t\t\tVOL40\t\tCH01\t\t\t#g #a");
    EXPECT_EQ(l.state.currentRow, 1);
    EXPECT_TRUE(endsWithMark(l.state.rows[2].text));

    chooseObject(l.state, {3, 1});
    removeLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(3), "WHEEL:\t\t\twheel1\t\t\t\tVOL40\t\tCH01\t\t\t#b #c");
    EXPECT_EQ(l.line(1), "ANVIL:\t\t\tanvil1\t\t\t\tVOL40\t\tCH01\t\t\t#ab #c");
    EXPECT_EQ(l.state.currentRow, 3);

    // No letter: refused rather than stripping every sound's first letter.
    l.state.txLett.clear();
    removeLetter(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::RemoveObjectNoLetter));
    EXPECT_EQ(l.line(3), "WHEEL:\t\t\twheel1\t\t\t\tVOL40\t\tCH01\t\t\t#b #c");

    // An object without sounds changes nothing and keeps the current row.
    l.state.txLett = "a";
    chooseObject(l.state, {});
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.state.currentRow, 3);
}

TEST(Letters, GenericMarksToggle) {
    Loaded l(letterInstallation());
    makeRowCurrent(l.state, l.fake.ports, 4);
    toggleGenericMarks(l.state, l.fake.ports);
    EXPECT_TRUE(endsWithMark(l.state.rows[2].text));
    EXPECT_EQ(l.state.currentRow, 4);
    toggleGenericMarks(l.state, l.fake.ports);
    EXPECT_FALSE(endsWithMark(l.state.rows[2].text));
    l.state.txLett.clear();
    toggleGenericMarks(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::ShowGNoLetter));
}

TEST(ObjectDialog, PickHighlightAcceptAndClickAnId) {
    Installation inst = letterInstallation();
    inst.objects = "* Ennemies\r\nRAT                       2  004 003\r\n"
                   "* Friends\r\nNURSE                     3  005 040 000\r\n";
    Loaded l(inst);
    toggleObjectDialog(l.state, l.fake.ports);
    EXPECT_TRUE(l.state.objetOpen);
    const ObjectDialog& d = l.state.objDlg;
    EXPECT_EQ(d.liObj, std::vector<std::string>{"RAT"});
    EXPECT_FALSE(d.cdOkEnabled);

    pickObjectType(l.state, 1);
    highlightObject(l.state, 0);
    EXPECT_EQ(d.liSid, (std::vector<int>{5, 40}));
    EXPECT_TRUE(d.cdOkEnabled);
    acceptObject(l.state);
    EXPECT_EQ(l.state.txObjet, "NURSE");
    EXPECT_EQ(d.liOK, (std::vector<int>{5, 40}));

    clickObjectSoundId(l.state, l.fake.ports, 0);
    EXPECT_EQ(l.state.currentRow, 5);
    clickObjectSoundId(l.state, l.fake.ports, 1); // sound 40 is beyond the catalogue
    EXPECT_EQ(l.state.currentRow, 5);

    // Accepting with nothing highlighted empties the object, keeps its IDs.
    pickObjectType(l.state, 0);
    acceptObject(l.state);
    EXPECT_EQ(l.state.txObjet, "");
    EXPECT_EQ(d.liOK, (std::vector<int>{5, 40}));

    toggleObjectDialog(l.state, l.fake.ports);
    EXPECT_FALSE(l.state.objetOpen);
}

TEST(ObjectDialog, MissingObjectListIsReportedOnce) {
    Installation inst = letterInstallation();
    inst.objects.clear();
    FakePorts fake;
    MainState state = inst.install(fake.files);
    ASSERT_EQ(startMainWindow(state, fake.ports), StartOutcome::Ready);
    toggleObjectDialog(state, fake.ports);
    int reports = 0;
    for (const ShownMessage& m : fake.dialogs.shown) reports += m.id == Msg::FileUnreadable;
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(state.importObjects.empty());
    EXPECT_TRUE(state.objDlg.liObj.empty());
}
