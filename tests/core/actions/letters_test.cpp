#include "actions/letters.h"
#include "actions/marks.h"
#include "actions/objects.h"
#include "actions/sound_list.h"
#include "installation.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

using Args = std::vector<std::string>;

struct Letters : Loaded {
    explicit Letters(const Installation& inst = installation()) : Loaded(inst) {}
    static Installation installation() {
        Installation inst;
        inst.sounds = Installation::numberedSounds(30);
        inst.sounds[1] = "ANVIL:\t\tanvil1\t\t\tVOL40\t\tCH01\t\t\t#ab #c";
        inst.sounds[2] = "HORN:\t\thorn1\t\t\tVOL40\t\tCH01\t\t\t#g";
        inst.sounds[3] = "WHEEL:\t\twheel1\t\t\tVOL40\t\tCH01\t\t\t#b #a #c";
        inst.sounds[4] = "PUMP:\t\tpump1\t\t\tVOL40\t\tCH01\t\t\t";
        inst.sounds[5] = "GEAR:\t\tgear1\t\t\tVOL40\t\tCH01\t\t\t#a L";
        return inst;
    }
    void open(int row) { makeRowCurrent(state, fake.ports, row); }
    bool marked(int row) { return state.rows[static_cast<std::size_t>(row)].marked; }
    void chooseObject(std::vector<int> ids) {
        state.objects.txObjet = "MACHINE";
        state.objDlg.liOK = std::move(ids);
    }
};

} // namespace

TEST(Letters, LetterBoxRules) {
    const std::pair<const char*, const char*> cleaned[] = {
        {"#a", "a"}, {"abc", "ab"}, {" a", ""}, {"#abc", "ab"}, {"#", ""}, {"", ""}, {"k", "k"}};
    for (const auto& [typed, kept] : cleaned) EXPECT_EQ(cleanLetter(typed), kept) << typed;

    Letters l;
    // Refused with the box emptied: the reserved letter, and what the build
    // would refuse in a tag.
    for (const auto& [typed, refusal] : {std::pair{"g", Msg::LetterReserved},
                                         {"a ", Msg::LetterUnsafe},
                                         {"a/", Msg::LetterUnsafe}}) {
        l.state.choice.txLett = typed;
        leaveLetterBox(l.state, l.fake.ports);
        EXPECT_EQ(l.fake.dialogs.shown.back().id, refusal) << typed;
        EXPECT_EQ(l.state.choice.txLett, "") << typed;
        EXPECT_EQ(l.fake.dialogs.focused.back(), "TxLett");
    }

    // A letter of the WAD table: OK takes that WAD's file name, Cancel empties the box.
    l.state.choice.txLett = "b";
    l.fake.dialogs.answers = {Answer::Ok};
    leaveLetterBox(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.back().args, (Args{"b", "Bridge"}));
    EXPECT_EQ(l.state.choice.txWad + "|" + l.state.choice.lastLetter, "BRIDGE|b");
    EXPECT_TRUE(l.marked(3));
    EXPECT_EQ(l.state.currentRow, 0);

    l.state.choice.txLett = "a";
    l.fake.dialogs.answers = {Answer::Cancel};
    l.fake.dialogs.focused.clear();
    leaveLetterBox(l.state, l.fake.ports);
    EXPECT_EQ(l.state.choice.txLett + "|" + l.state.choice.lastLetter, "|");
    EXPECT_EQ(l.fake.dialogs.focused, Args{"TxLett"});
    // A letter the table lacks is taken without a question.
    const std::size_t shown = l.fake.dialogs.shown.size();
    l.state.choice.txLett = "q";
    leaveLetterBox(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.size(), shown);
    EXPECT_EQ(l.state.choice.lastLetter, "q");

    l.state.choice.txWad = " X";
    leaveWadBox(l.state);
    EXPECT_EQ(l.state.choice.txWad, "");
}

TEST(Letters, AddAndRemoveOnTheCurrentSound) {
    Letters l;
    // "#ab" is another letter: "a" may still be added, once.
    l.open(1);
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(1), "ANVIL:\t\tanvil1\t\t\tVOL40\t\tCH01\t\t\t#ab #c #a");
    EXPECT_EQ(l.state.ed.liWad.back() + "|" + std::to_string(l.state.ed.liWadSel),
              "#a - HARBOUR|2");
    EXPECT_TRUE(l.marked(1));
    addLetter(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::AddConflict));

    // A "#g" sound receives no other letter, its row loses its selection,
    // and its letter is never removed.
    l.open(2);
    l.state.rows[2].selected = true;
    addLetter(l.state, l.fake.ports);
    EXPECT_FALSE(l.state.rows[2].selected);
    l.state.ed.liWadSel = 0;
    removeLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.back().id, Msg::RemoveGeneric);
    EXPECT_EQ(l.line(2), "HORN:\t\thorn1\t\t\tVOL40\t\tCH01\t\t\t#g");

    // A sound without letters takes the letter at the end of its line.
    l.open(4);
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(4), "PUMP:\t\tpump1\t\t\tVOL40\t\tCH01\t\t\t#a");

    // The flag written after the letters is kept.
    l.open(5);
    removeLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(5), "GEAR:\t\tgear1\t\t\tVOL40\t\tCH01\t\t\tL");
    EXPECT_FALSE(l.marked(5));
    removeLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.back().id, Msg::RemoveNoSelection);

    l.state.choice.txWad.clear();
    l.open(6);
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.back().id, Msg::AddNoLetterOrWad);
    EXPECT_EQ(l.fake.dialogs.focused.back(), "TxWAD");
}

TEST(Letters, EveryWholeTagLeavesEveryLine) {
    for (const auto& [field, left] : {std::pair{"#b #a #c", "#b #c"},
                                      {"#a #b", "#b"},
                                      {"#b #a", "#b"},
                                      {" #a #b", "#b"},
                                      {"#ab #c", "#ab #c"},
                                      {"#a", ""}})
        EXPECT_EQ(wadFieldWithout(field, "#a"), left) << field;

    Letters l;
    l.setLine(6, "DOUBLE:\t\td1\t\t\tVOL40\t\tCH01\t\t\t#a #c #a");
    l.setLine(7, "SAMPLE#a:\t\tsx#a\t\t\tVOL40\t#a");
    l.fake.dialogs.answers = {Answer::Cancel};
    eraseLetterEverywhere(l.state, l.fake.ports);
    EXPECT_EQ(l.line(3), "WHEEL:\t\twheel1\t\t\tVOL40\t\tCH01\t\t\t#b #a #c");

    l.fake.dialogs.answers = {Answer::Ok};
    eraseLetterEverywhere(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.dialogs.shown.back().args, Args{"a"});
    const Args after = {"ANVIL:\t\tanvil1\t\t\tVOL40\t\tCH01\t\t\t#ab #c",
                        "WHEEL:\t\twheel1\t\t\tVOL40\t\tCH01\t\t\t#b #c",
                        "GEAR:\t\tgear1\t\t\tVOL40\t\tCH01\t\t L",
                        "DOUBLE:\t\td1\t\t\tVOL40\t\tCH01\t\t #c",
                        "SAMPLE#a:\t\tsx#a\t\t\tVOL40", // never inside the name or the sample list
                        "SOUND10:\ts10\tVOL01"};
    EXPECT_EQ((Args{l.line(1), l.line(3), l.line(5), l.line(6), l.line(7), l.line(10)}), after);
    for (int row = 0; row < 30; ++row) EXPECT_FALSE(l.marked(row)) << row;
    EXPECT_EQ(l.state.currentRow, 0);

    l.state.choice.txLett.clear();
    eraseLetterEverywhere(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::EraseNoLetter));
}

TEST(Letters, EverySoundOfTheObject) {
    Letters l;
    l.open(8);
    l.chooseObject({27, 1, 4, 2, 999}); // protected and unknown IDs are passed over
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.line(1), "ANVIL:\t\t\tanvil1\t\t\t\tVOL40\t\tCH01\t\t\t#ab #c #a");
    EXPECT_EQ(l.line(4), "PUMP:\t\t\tpump1\t\t\t\tVOL40\t\tCH01\t\t\t #a");
    EXPECT_EQ(l.line(2), "HORN:\t\t\thorn1\t\t\t\tVOL40\t\tCH01\t\t\t#g #a");
    EXPECT_EQ(l.state.currentRow, 1);
    EXPECT_TRUE(l.marked(2));

    l.chooseObject({3, 1});
    removeLetter(l.state, l.fake.ports);
    const std::string wheel = "WHEEL:\t\t\twheel1\t\t\t\tVOL40\t\tCH01\t\t\t#b #c";
    EXPECT_EQ(l.line(3), wheel);
    EXPECT_EQ(l.line(1), "ANVIL:\t\t\tanvil1\t\t\t\tVOL40\t\tCH01\t\t\t#ab #c");
    EXPECT_EQ(l.state.currentRow, 3);

    // No letter: refused rather than stripping every sound's first letter.
    l.state.choice.txLett.clear();
    removeLetter(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::RemoveObjectNoLetter));
    EXPECT_EQ(l.line(3), wheel);

    // An object without sounds changes nothing and keeps the current row.
    l.state.choice.txLett = "a";
    l.chooseObject({});
    addLetter(l.state, l.fake.ports);
    EXPECT_EQ(l.state.currentRow, 3);
}

TEST(Letters, GenericMarksToggle) {
    Letters l;
    l.open(4);
    for (const bool shown : {true, false}) {
        toggleGenericMarks(l.state, l.fake.ports);
        EXPECT_EQ(l.marked(2), shown);
        EXPECT_EQ(l.state.currentRow, 4);
    }
    l.state.choice.txLett.clear();
    toggleGenericMarks(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::ShowGNoLetter));
}

TEST(ObjectDialog, PickHighlightAcceptAndClickAnId) {
    Installation inst = Letters::installation();
    inst.objects = "* Ennemies\r\nRAT                       2  004 003\r\n"
                   "* Friends\r\nNURSE                     3  005 040 000\r\n";
    Letters l(inst);
    toggleObjectDialog(l.state, l.fake.ports);
    EXPECT_TRUE(l.state.objects.objetOpen);
    const ObjectDialog& d = l.state.objDlg;
    EXPECT_EQ(d.liObj, Args{"RAT"});
    EXPECT_FALSE(d.cdOkEnabled);

    pickObjectType(l.state, 1);
    for (const int outside : {-1, 1, 0}) {
        highlightObject(l.state, 0);
        highlightObject(l.state, outside); // outside the list: nothing highlighted
        EXPECT_EQ(d.cdOkEnabled, outside == 0) << outside;
        EXPECT_EQ(d.liObjSel, outside == 0 ? 0 : -1) << outside;
    }
    acceptObject(l.state);
    EXPECT_EQ(l.state.objects.txObjet, "NURSE");
    EXPECT_EQ(d.liOK, (std::vector<int>{5, 40}));

    clickObjectSoundId(l.state, l.fake.ports, 0);
    EXPECT_EQ(l.state.currentRow, 5);
    clickObjectSoundId(l.state, l.fake.ports, 1); // sound 40 is beyond the catalogue
    EXPECT_EQ(l.state.currentRow, 5);

    // Accepting with nothing highlighted empties the object, keeps its IDs.
    pickObjectType(l.state, 0);
    acceptObject(l.state);
    EXPECT_EQ(l.state.objects.txObjet, "");
    EXPECT_EQ(d.liOK, (std::vector<int>{5, 40}));

    toggleObjectDialog(l.state, l.fake.ports);
    EXPECT_FALSE(l.state.objects.objetOpen);

    // A missing object list is reported once.
    Installation none = Letters::installation();
    none.objects.clear();
    Letters m(none);
    loadImportObjects(m.state, m.fake.ports);
    toggleObjectDialog(m.state, m.fake.ports);
    EXPECT_EQ(std::ranges::count(m.fake.dialogs.shown, Msg::FileUnreadable, &ShownMessage::id), 1);
    EXPECT_TRUE(m.state.objects.importObjects.empty() && m.state.objDlg.liObj.empty());
}
