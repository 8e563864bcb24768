#include "installation.h"
#include "actions/doubles.h"
#include "actions/import.h"
#include "actions/objects.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

const std::string kWads = "/games/lvedit/graphics/wads/";

TEST(WadImport, ASampleCountsOnlyBetweenBlanks) {
    struct Case {
        const char* line;
        bool found;
    } cases[] = {
        {"DOOR:\t\tdoor1 door2\t\tVOL10", true},
        {"DOOR:\t\tdoor0 door1\t\tVOL10", true},
        {"DOOR:\t\tdoor10\t\tVOL10", false},
        {"DOOR:\t\tmydoor1\t\tVOL10", false},
        {"DOOR:\t\tmydoor1 door1\t\tVOL10", true}, // a later occurrence after a glued one
        {"DOOR:\t\tdoor10 door1", true},            // last on the line
        {"door1 is first", true},
        {"DOOR:door1\t", false},
    };
    for (const Case& c : cases) EXPECT_EQ(holdsSample(c.line, "door1"), c.found) << c.line;
    EXPECT_FALSE(holdsSample("A:\t\t\t", ""));
}

TEST(WadImport, TheLetterIsAWholeTagPartedByABlank) {
    struct Case {
        const char* line;
        const char* given;
    } cases[] = {
        {"A:\t\ts1\t\tVOL10\t\t\t\t\t#b", "A:\t\ts1\t\tVOL10\t\t\t\t\t#b #a"},
        {"A:\t\ts1\t\tVOL10\tP", "A:\t\ts1\t\tVOL10\tP #a"},   // the flag stays a flag
        {"A:\t\ts1", "A:\t\ts1\t#a"},                          // not one more sample
        {"A:\t\ts1\t\tVOL10\t\t\t", "A:\t\ts1\t\tVOL10\t\t\t#a"},
        {"A:\t\ts1\t\tVOL10\t#ab", "A:\t\ts1\t\tVOL10\t#ab #a"},
        {"A:\t\ts1\t\tVOL10\t#gx", "A:\t\ts1\t\tVOL10\t#gx #a"},
        {"A:\t\ts1\t\tVOL10\t#a #c", "A:\t\ts1\t\tVOL10\t#a #c"},
        {"A:\t\ts1\t\tVOL10\t#g", "A:\t\ts1\t\tVOL10\t#g"},
    };
    for (const Case& c : cases) EXPECT_EQ(withLetterGiven(c.line, "#a"), c.given) << c.line;
}

TEST(WadImport, TheChosenPathNamesTheWad) {
    EXPECT_EQ(wadNameOfPath("/games/lvedit/graphics/wads/city.SAM"), "city");
    EXPECT_EQ(wadNameOfPath("C:\\lv\\wads\\Docks.sam"), "Docks");
    EXPECT_EQ(wadNameOfPath("/w/notes.txt"), "");
    EXPECT_EQ(wadNameOfPath("/w/.sam"), "");
}

TEST(Doubles, OkRewritesOnlyTheMarksThatChanged) {
    // A comment, an extra field, odd quoting, a blank line, mixed line ends,
    // a mark that only reads as unselected, a record without one (its quote open).
    const std::string bytes =
        "; sounds sharing a sample\r\n"
        "7,\"OK \",\"   \",\"BELL:\",\"bell1 bell2\",\"#b\",\"x\"\r\n"
        "\r\n"
        "123, \"   \" ?,\"GEN\",\"A_VERY_LONG_SOUND_NAME_HERE:\",\"s \"\"q\"\" \",\"\"\n"
        "9,OK\r"
        "\"12";
    const std::string saved =
        "; sounds sharing a sample\r\n"
        "7,\"   \",\"   \",\"BELL:\",\"bell1 bell2\",\"#b\",\"x\"\r\n"
        "\r\n"
        "123,\"OK \",\"GEN\",\"A_VERY_LONG_SOUND_NAME_HERE:\",\"s \"\"q\"\" \",\"\"\n"
        "9,OK\r"
        "\"12\",\"OK \"";
    const auto records = readDoubles(bytes);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(readDoubles(formatDoubles(records)), records);
    EXPECT_EQ(doubleRowText(records[0]).substr(0, 5), "  7: ");
    EXPECT_EQ(doubleRowText(records[1]).size(), 3u + 2 + 24 + 1 + 32);
    EXPECT_TRUE(records[0].selected());

    Installation inst;
    inst.sounds = Installation::numberedSounds(3);
    inst.doubles = bytes;
    Loaded app(inst);
    const std::string tod = "/app/Kestrel.tod";
    DoublesDialog dialog = openDoublesDialog(app.state, app.fake.ports);
    DoublesDialog later = openDoublesDialog(app.state, app.fake.ports);
    ASSERT_TRUE(dialog.readOk);
    const std::size_t writes = app.fake.files.writes.size();
    ASSERT_TRUE(saveDoublesDialog(app.state, app.fake.ports, dialog));
    EXPECT_EQ(app.fake.files.writes.size(), writes); // no change, no write
    dialog.selected = {false, true, false, true};
    ASSERT_TRUE(saveDoublesDialog(app.state, app.fake.ports, dialog));
    EXPECT_EQ(app.fake.files.bytes(tod), saved);

    // Another dialog opened before that save: its OK replaces the file only on Yes.
    later.selected[2] = true;
    EXPECT_FALSE(saveDoublesDialog(app.state, app.fake.ports, later));
    EXPECT_EQ(app.fake.dialogs.shown.back().id, Msg::DoublesChangedOnDisk);
    EXPECT_EQ(app.fake.dialogs.shown.back().args, std::vector<std::string>{tod});
    EXPECT_EQ(app.fake.files.bytes(tod), saved);
    app.fake.dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(saveDoublesDialog(app.state, app.fake.ports, later));
    EXPECT_EQ(readDoubles(app.fake.files.bytes(tod))[2].mark, kDoubleSelected);

    // A failed write keeps the old file and says so; an unreadable file is never saved.
    dialog = openDoublesDialog(app.state, app.fake.ports);
    dialog.selected[0] = !dialog.selected[0];
    app.fake.files.failNth(FileOp::Write, 0);
    const std::string before = app.fake.files.bytes(tod);
    EXPECT_FALSE(saveDoublesDialog(app.state, app.fake.ports, dialog));
    EXPECT_TRUE(app.fake.dialogs.showed(Msg::FileNotWritten));
    EXPECT_EQ(app.fake.files.bytes(tod), before);
    EXPECT_FALSE(saveDoublesDialog(app.state, app.fake.ports, DoublesDialog{}));
}

TEST(Doubles, MarksFollowTheFileExceptForProtectedSounds) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(400);
    inst.doubles = "5,\"   \",\"\",\"\",\"\",\"\"\r\n27,\"OK \",\"\",\"\",\"\",\"\"\r\n"
                   "6,\"OK\",\"\",\"\",\"\",\"\"\r\n5,\"OK \",\"\",\"\",\"\",\"\"\r\n"
                   "8,\"   \",\"\",\"\",\"\",\"\"\r\n-1,\"   \"\r\n9999,\"   \"\r\n";
    Loaded app(inst);
    const auto& marks = app.state.doubleMarks;
    ASSERT_EQ(marks.size(), 400u);
    EXPECT_EQ(marks[5], "OK "); // a later record overrides
    EXPECT_EQ(marks[6], "OK");  // counts as unselected: not exactly "OK "
    EXPECT_EQ(marks[8], "   ");
    EXPECT_EQ(marks[27], "   ");
    EXPECT_EQ(marks[399], "OK ");

    app.fake.files.files.erase("/app/Kestrel.tod");
    loadDoubleMarks(app.state, app.fake.files);
    EXPECT_EQ(app.state.doubleMarks[8], "OK ");
    EXPECT_EQ(app.state.doubleMarks[62], "   ");
}

// An installation with a WAD "DOCKS" and its lists.
struct Docks : Loaded {
    explicit Docks(const Installation& inst) : Loaded(inst) {
        loadImportObjects(state, fake.ports);
        state.txLett = "d";
        state.txWad = "DOCKS";
        fake.files.files[kWads + "Docks.sam"] = "rope1.wav\r\nhorn.wav,gull.wav\r\nx.w\r\n";
        fake.files.files[kWads + "DOCKS.WAS"] = "CRANE: 2 instances\r\nno colon\r\n";
    }
    static Installation installation() {
        Installation inst;
        inst.sounds = Installation::numberedSounds(70);
        inst.sounds[1] = "ROPE:\t\trope1 rope2\t\tVOL10";
        inst.sounds[2] = "ROPE_B:\t\trope0 rope1\t\tVOL10\t\t\t\t\t#b";
        inst.sounds[3] = "ROPE_G:\t\trope1\t\tVOL10\t\t\t\t\t#g";
        inst.sounds[4] = "ROPE_X:\t\trope1\t\tVOL10\t\t\t\t\t#c";
        inst.sounds[5] = "HORN:\t\thorn\t\tVOL10";
        inst.doubles = "4,\"   \",\"\",\"\",\"\",\"\"\r\n";
        inst.objects = "* Ennemies\r\nCRANE                     2  001 005\r\n";
        return inst;
    }
};

TEST(WadImport, SamImportGivesTheLetterToEveryLineOfItsSamples) {
    Docks app(Docks::installation());
    app.line(1) = "edited, and dropped by the reload";
    app.fake.dialogs.answers = {Answer::Ok, Answer::Ok};
    loadWadList(app.state, app.fake.ports);

    ASSERT_TRUE(app.fake.dialogs.showed(Msg::SamImportConfirm));
    EXPECT_EQ(app.fake.dialogs.shown[0].args, (std::vector<std::string>{"DOCKS", "d"}));
    EXPECT_EQ(app.line(1), "ROPE:\t\trope1 rope2\t\tVOL10 #d");
    EXPECT_EQ(app.line(2), "ROPE_B:\t\trope0 rope1\t\tVOL10\t\t\t\t\t#b #d");
    EXPECT_EQ(app.line(3), "ROPE_G:\t\trope1\t\tVOL10\t\t\t\t\t#g");
    EXPECT_EQ(app.line(4), "ROPE_X:\t\trope1\t\tVOL10\t\t\t\t\t#c"); // an unselected double
    EXPECT_EQ(app.line(5), "HORN:\t\thorn\t\tVOL10 #d");
    // "gull" is unknown; "x.w" has no name and is skipped.
    EXPECT_EQ(app.fake.dialogs.shown.back().id, Msg::SamplesUnrecognized);
    EXPECT_EQ(app.fake.dialogs.shown.back().args, (std::vector<std::string>{"DOCKS", "gull"}));
    EXPECT_TRUE(app.state.rows[1].selected);
    EXPECT_EQ(app.state.currentRow, 0);
}

TEST(WadImport, WasImportGivesTheLetterToTheObjectsAndToSound60) {
    Installation inst = Docks::installation();
    inst.objects = "* Ennemies\r\nCRANE                     2  001 005\r\n"
                   "BIG_CRANE_ARM             1  006\r\nCRA                       1  007\r\n"
                   "BAT                       1  008\r\n";
    Docks app(inst);
    app.state.wasMode = true;
    app.fake.dialogs.answers = {Answer::Ok};
    loadWadList(app.state, app.fake.ports);
    ASSERT_TRUE(app.fake.dialogs.showed(Msg::WasImportConfirm));
    for (int id : {1, 5, 6, 7, 60}) EXPECT_TRUE(app.line(id).ends_with("#d")) << id;
    EXPECT_FALSE(app.line(8).ends_with("#d"));
    EXPECT_FALSE(app.fake.dialogs.showed(Msg::SamplesUnrecognized));
}

TEST(WadImport, TheChecksComeBeforeAnythingChanges) {
    Docks app(Docks::installation());
    app.state.txLett.clear();
    loadWadList(app.state, app.fake.ports);
    EXPECT_TRUE(app.fake.dialogs.showed(Msg::WadListNoLetter));

    app.state.txLett = "d";
    app.state.txWad = "HARBOUR";
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.fake.dialogs.shown.back().id, Msg::NoSamFile);
    app.state.txWad = "..\\DOCKS";
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.fake.dialogs.shown.back().id, Msg::WadNameUnsafe);
    EXPECT_EQ(app.fake.dialogs.focused.back(), "TxWAD");

    // In WAS mode the .SAM list must exist too, and so must the .WAS list.
    app.state.wasMode = true;
    app.state.txWad = "DOCKS";
    app.fake.files.files.erase(kWads + "DOCKS.WAS");
    app.line(1) = "kept";
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.fake.dialogs.shown.back().id, Msg::NoWasFile);
    EXPECT_EQ(app.line(1), "kept");

    // Cancel on the confirmation changes nothing.
    app.state.wasMode = false;
    app.fake.dialogs.answers = {Answer::Cancel};
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.line(1), "kept");

    // An empty WAD name is taken from the chosen file.
    app.state.txWad.clear();
    app.fake.dialogs.fileAnswers = {kWads + "Docks.sam"};
    app.fake.dialogs.answers = {Answer::Cancel};
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.state.txWad, "Docks");
    EXPECT_EQ(app.fake.dialogs.fileDialogs.back(), FileDialog::SamList);
}

TEST(WadImport, TheWadsCustomLinesComeBackFirst) {
    Docks app(Docks::installation());
    app.fake.files.files["/app/sounds/docks.TOR"] =
        "1,\"ROPE:\t\trope9 \"\"x\"\"\t\tVOL10\"\r\n500,\"far\"\r\n-2,\"neg\"\r\n"
        "5,\"HORN2:\t\thorn\t\tVOL10\"\r\n";
    app.fake.dialogs.answers = {Answer::Ok, Answer::Ok};
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.line(1), "ROPE:\t\trope9 \"x\"\t\tVOL10");
    EXPECT_EQ(app.line(5), "HORN2:\t\thorn\t\tVOL10 #d");
    EXPECT_EQ(app.state.rows[5].text.substr(0, 10), "  5: HORN2");
}

} // namespace
