#include "actions/marks.h"
#include "actions/sound_list.h"
#include "format/field_view.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

Installation smallInstallation() {
    Installation inst;
    inst.sounds = Installation::numberedSounds(40);
    inst.sounds[5] = "DOOR:\t\td1 d2\t\t\tVOL09\tP\tCH01\t\t\t#b";
    inst.defaults = inst.sounds;
    inst.defaults[5] = "DOOR:\t\td1\t\t\tVOL08\t\tCH01\t\t\t#b";
    return inst;
}

} // namespace

TEST(Selection, OpeningASoundShowsItsDefaultAndCurrentLineEachTime) {
    Loaded l(smallInstallation());
    makeRowCurrent(l.state, l.fake.ports, 5);
    EXPECT_EQ(l.state.txOrig, fieldView(parseSoundLine(l.state.liOrig[5])));
    EXPECT_EQ(l.state.txModif, fieldView(parseSoundLine(l.state.liText[5])));
    EXPECT_EQ(l.state.cur.vol, "VOL09"); // the current line, not the default parsed before it
    EXPECT_EQ(l.state.frOrigName, "DOOR:" + std::string(19, ' '));
    EditButtons all;
    all.setAll(true);
    EXPECT_EQ(l.state.buttons, all);

    l.state.liText.set(5, "DOOR:\t\tz9\t\t\tVOL01"); // the same row again is shown afresh
    makeRowCurrent(l.state, l.fake.ports, 5);
    EXPECT_EQ(l.state.cur.samples, std::vector<std::string>{"z9"});
}

TEST(Selection, ProtectedOrAbsentRowLeavesNoSoundOpen) {
    Loaded l(smallInstallation());
    makeRowCurrent(l.state, l.fake.ports, 5);
    for (const int outside : {-1, l.state.soundCount()}) clickRow(l.state, l.fake.ports, outside);
    EXPECT_EQ(l.state.currentRow, 5); // a click outside the rows changes nothing
    clickRow(l.state, l.fake.ports, 27);
    ASSERT_EQ(l.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(l.fake.dialogs.shown[0].id, Msg::ProtectedLine);
    EXPECT_EQ(l.state.currentRow, -1);
    EXPECT_EQ(l.state.buttons, EditButtons{});
    EXPECT_TRUE(l.state.txModif.empty() && l.state.txOrig.empty() && !l.state.frOrigName &&
                !l.state.rows[27].selected);

    makeRowCurrent(l.state, l.fake.ports, 5);
    makeRowCurrent(l.state, l.fake.ports, 4000);
    EXPECT_EQ(l.state.currentRow, -1);
    EXPECT_EQ(l.state.buttons, EditButtons{});
}

TEST(Selection, ClickTogglesTheCurrentLetterOnTheClickedSound) {
    Loaded l(smallInstallation());
    // Refused (adding needs a WAD name), the row stays as its mark says.
    l.state.choice.txWad.clear();
    clickRow(l.state, l.fake.ports, 5);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::AddNoLetterOrWad));
    EXPECT_FALSE(l.state.rows[5].selected);

    l.state.choice.txWad = "HARBOUR";
    clickRow(l.state, l.fake.ports, 5);
    EXPECT_EQ(l.state.currentRow, 5);
    EXPECT_EQ(l.state.liText[5], "DOOR:\t\td1 d2\t\t\tVOL09\tP\tCH01\t\t\t#b #a");
    EXPECT_TRUE(l.state.rows[5].selected && l.state.rows[5].marked);

    clickRow(l.state, l.fake.ports, 3); // it carried #a
    EXPECT_EQ(l.state.liText[3], "SOUND3:\ts3\tVOL01\t");
    EXPECT_FALSE(l.state.rows[3].selected || l.state.rows[3].marked);

    // Even with an object chosen, a click changes the clicked sound only.
    l.state.objects.txObjet = "CRANE";
    l.state.objDlg.liOK = {1, 3};
    clickRow(l.state, l.fake.ports, 5);
    EXPECT_EQ(l.state.liText[5], "DOOR:\t\td1 d2\t\t\tVOL09\tP\tCH01\t\t\t#b");
    EXPECT_EQ(std::string(l.state.liText[1]) += l.state.liText[3],
              "SOUND1:\ts1\tVOL01\t#aSOUND3:\ts3\tVOL01\t");
}
