#include "actions/help.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

TEST(Help, TheFileOfTheLanguageInForceIsShownLineByLineAndTheOldFileGoes) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(2);
    Loaded l(inst);
    l.fake.files.files["/app/Kestrel_Eng1.txt"] = "Kestrel help\r\nlast line without end";
    l.fake.files.files["/app/Kestrel_Fra1.txt"] = "Aide de Kestrel\nsuite\r\n";
    l.fake.files.files["/app/KESTREL1.TXT"] = "old";
    EXPECT_EQ(openHelp(l.state, l.fake.ports), "Kestrel help\r\nlast line without end\r\n");
    EXPECT_FALSE(l.fake.files.find("/app/Kestrel1.txt"));
    l.state.language = Language::French;
    EXPECT_EQ(openHelp(l.state, l.fake.ports), "Aide de Kestrel\r\nsuite\r\n");
    l.fake.files.files.erase("/app/Kestrel_Fra1.txt");
    EXPECT_FALSE(openHelp(l.state, l.fake.ports));
    EXPECT_TRUE(l.fake.dialogs.shown.empty());

    openSoundsInEditor(l.state, l.fake.ports);
    EXPECT_EQ(l.fake.programs.opened,
              std::vector<std::string>{"/games/lvedit/sound/LevelSFX Creator/Sounds.txt"});
    l.fake.programs.failOpen = true;
    openSoundsInEditor(l.state, l.fake.ports);
    EXPECT_TRUE(l.fake.dialogs.showed(Msg::EditorNotStarted));
}
