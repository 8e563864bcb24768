#include "actions/doubles.h"
#include "actions/import.h"
#include "actions/marks.h"
#include "actions/objects.h"
#include "installation.h"

#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

const std::string kWads = "/games/lvedit/graphics/wads/";
using Args = std::vector<std::string>;

TEST(WadImport, SamplesLettersAndPathsAreReadWhole) {
    const std::pair<const char*, bool> holds[] = {
        {"DOOR:\t\tdoor1 door2\t\tVOL10", true},
        {"DOOR:\t\tdoor0 door1\t\tVOL10", true},
        {"DOOR:\t\tdoor10\t\tVOL10", false},
        {"DOOR:\t\tmydoor1\t\tVOL10", false},
        {"DOOR:\t\tmydoor1 door1\t\tVOL10", true}, // a later occurrence after a glued one
        {"DOOR:\t\tdoor10 door1", true},
        {"door1 is first", true},
        {"DOOR:door1\t", false},
    };
    for (const auto& [line, found] : holds) EXPECT_EQ(holdsSample(line, "door1"), found) << line;
    EXPECT_FALSE(holdsSample("A:\t\t\t", ""));

    // The letter is a whole tag parted by a blank; never given beside #g.
    const std::pair<const char*, const char*> given[] = {
        {"A:\t\ts1\t\tVOL10\t\t\t\t\t#b", "A:\t\ts1\t\tVOL10\t\t\t\t\t#b #a"},
        {"A:\t\ts1\t\tVOL10\tP", "A:\t\ts1\t\tVOL10\tP #a"}, // the flag stays a flag
        {"A:\t\ts1", "A:\t\ts1\t#a"},                        // not one more sample
        {"A:\t\ts1\t\tVOL10\t#ab", "A:\t\ts1\t\tVOL10\t#ab #a"},
        {"A:\t\ts1\t\tVOL10\t#d\t", "A:\t\ts1\t\tVOL10\t#d\t #a"}, // letters: a space
        {"A:\t\ts1\t\tVOL10\t#gx", "A:\t\ts1\t\tVOL10\t#gx #a"},
        {"A:\t\ts1\t\tVOL10\t#a #c", "A:\t\ts1\t\tVOL10\t#a #c"},
        {"A:\t\ts1\t\tVOL10\t#g", "A:\t\ts1\t\tVOL10\t#g"},
    };
    for (const auto& [line, after] : given) EXPECT_EQ(withLetterGiven(line, "#a"), after) << line;

    for (const auto& [path, wad] : {std::pair{"/games/lvedit/graphics/wads/city.SAM", "city"},
                                    {"C:\\lv\\wads\\Docks.sam", "Docks"},
                                    {"/w/notes.txt", ""},
                                    {"/w/.sam", ""}})
        EXPECT_EQ(wadNameOfPath(path), wad) << path;
}

TEST(Doubles, OkRewritesOnlyTheMarksThatChanged) {
    // A comment, an extra field, odd quoting, a blank line, mixed line ends,
    // a mark that only reads as unselected, a record without one (its quote open).
    const std::string bytes =
        "; sounds sharing a sample\r\n"
        "7,\"OK \",\"   \",\"BELL:\",\"bell1 bell2\",\"#b\",\"x\"\r\n"
        "\r\n"
        "123, \"   \" ?,\"GEN\",\"A_VERY_LONG_SOUND_NAME_HERE:\",\"s \"\"q\"\" \",\"\"\n"
        "\"8\"\n"
        "9,OK\r"
        "\"12";
    const std::string saved =
        "; sounds sharing a sample\r\n"
        "7,\"   \",\"   \",\"BELL:\",\"bell1 bell2\",\"#b\",\"x\"\r\n"
        "\r\n"
        "123,\"OK \",\"GEN\",\"A_VERY_LONG_SOUND_NAME_HERE:\",\"s \"\"q\"\" \",\"\"\n"
        "\"8\",\"OK \"\n"
        "9,OK\r"
        "\"12\",\"OK \"";
    const auto records = readDoubles(bytes);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_TRUE(readDoubles(std::string_view()).empty()); // no bytes to point into
    EXPECT_EQ(readDoubles(formatDoubles(records)), records);
    EXPECT_EQ(doubleRowText(records[0]).substr(0, 5), "  7: ");
    EXPECT_EQ(doubleRowText(records[1]).size(), 3u + 2 + 24 + 1 + 32);
    EXPECT_TRUE(records[0].selected());

    Installation inst;
    inst.sounds = Installation::numberedSounds(3);
    inst.doubles = bytes;
    Loaded app(inst);
    const std::string tod = "/app/Kestrel.tod";
    const auto save = [&](DoublesDialog& d) {
        return saveDoublesDialog(app.state, app.fake.ports, d);
    };
    DoublesDialog dialog = openDoublesDialog(app.state, app.fake.ports);
    DoublesDialog later = openDoublesDialog(app.state, app.fake.ports);
    const std::size_t writes = app.fake.files.changes();
    ASSERT_TRUE(save(dialog));
    EXPECT_EQ(app.fake.files.changes(), writes); // no change, no write
    dialog.selected = {false, true, true, false, true};
    ASSERT_TRUE(save(dialog));
    EXPECT_EQ(app.fake.files.bytes(tod), saved);

    // Another dialog opened before that save: its OK replaces the file only on Yes.
    later.selected[2] = true;
    EXPECT_FALSE(save(later));
    EXPECT_EQ(app.fake.dialogs.shown.back().id, Msg::DoublesChangedOnDisk);
    EXPECT_EQ(app.fake.files.bytes(tod), saved);
    app.fake.dialogs.answers = {Answer::Yes};
    ASSERT_TRUE(save(later));
    EXPECT_EQ(readDoubles(app.fake.files.bytes(tod))[2].mark, kDoubleSelected);

    // A failed write keeps the old file and says so; an unreadable file is never saved.
    dialog = openDoublesDialog(app.state, app.fake.ports);
    dialog.selected[0] = !dialog.selected[0];
    app.fake.files.failing = {{tod, FileOp::Write}};
    const std::string before = app.fake.files.bytes(tod);
    EXPECT_FALSE(save(dialog));
    EXPECT_TRUE(app.fake.dialogs.showed(Msg::FileNotWritten));
    EXPECT_EQ(app.fake.files.bytes(tod), before);
    DoublesDialog unread;
    EXPECT_FALSE(save(unread));
}

// Closed, the dialog leaves the marks as the file has them, whether it
// saved, was cancelled, or the file changed on disk since it was read.
TEST(Doubles, ClosingTheDialogLeavesTheMarksOfTheFile) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(10);
    inst.doubles = "5,\"   \",\"\",\"\",\"\",\"\"\r\n6,\"OK\",\"\",\"\",\"\",\"\"\r\n"
                   "7,\"OK \",\"\",\"\",\"\",\"\"\r\n";
    const std::string tod = "/app/Kestrel.tod";
    const std::pair<const char*, std::function<void(Loaded&, DoublesDialog&)>> cases[] = {
        {"saved",
         [](Loaded& app, DoublesDialog& d) {
             d.selected = {true, true, false};
             ASSERT_TRUE(saveDoublesDialog(app.state, app.fake.ports, d));
         }},
        {"cancelled",
         [](Loaded&, DoublesDialog& d) {
             d.selected = {true, true, false};
         }},
        {"changed meanwhile",
         [&tod](Loaded& app, DoublesDialog&) {
             app.fake.files.files[tod] = "5,\"OK \"\r\n8,\"   \"\r\n";
         }},
        {"removed meanwhile",
         [&tod](Loaded& app, DoublesDialog&) { app.fake.files.files.erase(tod); }},
    };
    for (const auto& [name, act] : cases) {
        SCOPED_TRACE(name);
        Loaded app(inst);
        DoublesDialog dialog = openDoublesDialog(app.state, app.fake.ports);
        act(app, dialog);
        closeDoublesDialog(app.state, app.fake.files, dialog);
        const auto closed = app.state.doubleSelected;
        loadDoubleMarks(app.state, app.fake.files);
        EXPECT_EQ(closed, app.state.doubleSelected);
    }
}

TEST(Doubles, MarksFollowTheFileExceptForProtectedSounds) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(400);
    inst.doubles = "5,\"   \",\"\",\"\",\"\",\"\"\r\n27,\"OK \",\"\",\"\",\"\",\"\"\r\n"
                   "6,\"OK\",\"\",\"\",\"\",\"\"\r\n5,\"OK \",\"\",\"\",\"\",\"\"\r\n"
                   "8,\"   \",\"\",\"\",\"\",\"\"\r\n-1,\"   \"\r\n9999,\"   \"\r\n";
    Loaded app(inst);
    const auto& marks = app.state.doubleSelected;
    ASSERT_EQ(marks.size(), 400u);
    // 5: a later record overrides; 6: unselected, not exactly "OK ".
    EXPECT_EQ((std::vector<bool>{marks[5], marks[6], marks[8], marks[27], marks[399]}),
              (std::vector<bool>{true, false, false, false, true}));

    app.fake.files.files.erase("/app/Kestrel.tod");
    loadDoubleMarks(app.state, app.fake.files);
    EXPECT_TRUE(marks[8] && !marks[62]);
}

// An installation with a WAD "DOCKS" and its lists.
struct Docks : Loaded {
    explicit Docks(const Installation& inst = installation()) : Loaded(inst) {
        loadImportObjects(state, fake.ports);
        state.choice.txLett = "d";
        state.choice.txWad = "DOCKS";
        fake.files.files[kWads + "Docks.sam"] =
            "s0.wav\r\nrope1.wav\r\nhorn.wav,gull.wav\r\nx.w\r\n";
        // A record without a name before its colon names no object.
        fake.files.files[kWads + "DOCKS.WAS"] = "CRANE: 2 instances\r\nno colon\r\n: all\r\n";
    }
    static Installation installation() {
        Installation inst;
        inst.sounds = Installation::numberedSounds(70);
        inst.sounds[1] = "ROPE:\t\trope1 rope2\t\tVOL10";
        inst.sounds[2] = "ROPE_B:\t\trope0 rope1\t\tVOL10\t\t\t\t\t#b";
        inst.sounds[3] = "ROPE_G:\t\trope1\t\tVOL10\t\t\t\t\t#g";
        inst.sounds[4] = "ROPE_X:\t\trope1\t\tVOL10\t\t\t\t\t#c";
        inst.sounds[5] = "HORN:\t\thorn\t\tVOL10";
        // Protected sounds without letters: none loses any, so nothing waits to be applied.
        inst.sounds[27] = inst.sounds[59] = inst.sounds[62] = "KEPT:\ts\tVOL01";
        inst.doubles = "4,\"   \",\"\",\"\",\"\",\"\"\r\n";
        inst.objects = "* Ennemies\r\nCRANE                     2  001 005\r\n"
                       "BIG_CRANE_ARM             1  006\r\nCRA                       1  007\r\n"
                       "BAT                       1  008\r\n";
        return inst;
    }
    void load(std::deque<Answer> answers) {
        fake.dialogs.answers = std::move(answers);
        loadWadList(state, fake.ports);
    }
};

TEST(WadImport, SamImportGivesTheLetterToEveryLineOfItsSamples) {
    Docks app;
    app.fake.files.files["/app/sounds/docks.TOR"] = // the WAD's own lines come back first
        "2,\"ROPE_B:\t\trope9 \"\"x\"\"\t\tVOL10\"\r\n500,\"far\"\r\n-2,\"neg\"\r\n"
        "5,\"HORN2:\t\thorn\t\tVOL10\"\r\n0,\"ZERO:\ts0\"\r\n70,\"PAST_THE_END:\ts0\"\r\n";
    app.setLine(1, "edited, and dropped by the reload");
    app.load({Answer::Ok, Answer::Ok});
    EXPECT_EQ(app.fake.dialogs.shown[0].args, (Args{"DOCKS", "d"}));
    const Args lines = {"ROPE:\t\trope1 rope2\t\tVOL10 #d", "ROPE_B:\t\trope9 \"x\"\t\tVOL10",
                        "ROPE_G:\t\trope1\t\tVOL10\t\t\t\t\t#g",
                        "ROPE_X:\t\trope1\t\tVOL10\t\t\t\t\t#c", // an unselected double
                        "HORN2:\t\thorn\t\tVOL10 #d"};
    const Args all = app.state.liText.strings();
    EXPECT_EQ(Args(all.begin() + 1, all.begin() + 6), lines);
    EXPECT_EQ(rowText(app.state, 5).substr(0, 10), "  5: HORN2");
    EXPECT_EQ(app.line(0), "ZERO:\ts0\t#d"); // the first sound, its custom line and its letter
    EXPECT_EQ(app.state.soundCount(), 70);
    // "gull" is unknown; "x.w" has no name and is skipped.
    EXPECT_EQ(app.fake.dialogs.shown.back().id, Msg::SamplesUnrecognized);
    EXPECT_EQ(app.fake.dialogs.shown.back().args, (Args{"DOCKS", "gull.wav"}));
    EXPECT_TRUE(app.state.rows[1].selected);
    EXPECT_EQ(app.state.currentRow, 0);
}

// A name with a blank is looked for as it stands in the lines: here in the
// first sound's. A name may be one character long. One that looks like a
// tag is found in the lines as the names before it left them.
TEST(WadImport, AListOfKnownSamplesOnlySaysNothingMore) {
    Installation inst = Docks::installation();
    inst.sounds[0] = "FIRST:\t\tsea gull\t\tVOL10";
    inst.sounds[6] = "ZED:\t\tz\t\tVOL10";
    inst.sounds[7] = "ZED2:\t\tz z\t\tVOL10"; // a name in two lines, twice in one
    Docks app(inst);
    app.fake.files.files[kWads + "Docks.sam"] =
        "rope1.wav\r\nhorn.wav\r\nsea gull.wav\r\nz.wav\r\n#d.wav\r\n";
    app.load({Answer::Ok});
    EXPECT_FALSE(app.fake.dialogs.showed(Msg::SamplesUnrecognized));
    EXPECT_TRUE(app.line(5).ends_with("#d"));
    EXPECT_TRUE(app.line(0).ends_with("#d") && app.line(6).ends_with("#d"));
    EXPECT_EQ(app.line(7), "ZED2:\t\tz z\t\tVOL10 #d");
}

TEST(WadImport, WasImportGivesTheLetterToTheObjectsAndToSound60) {
    Docks app;
    app.state.choice.wasMode = true;
    app.load({Answer::Ok});
    EXPECT_TRUE(app.fake.dialogs.showed(Msg::WasImportConfirm));
    for (int id : {1, 5, 6, 7, 60}) EXPECT_TRUE(app.line(id).ends_with("#d")) << id;
    EXPECT_FALSE(app.line(8).ends_with("#d"));
    EXPECT_FALSE(app.fake.dialogs.showed(Msg::SamplesUnrecognized));
}

TEST(WadImport, TheChecksComeBeforeAnythingChanges) {
    Docks app;
    app.setLine(1, "kept");
    const std::tuple<const char*, const char*, bool, Msg> cases[] = {
        {"", "DOCKS", false, Msg::WadListNoLetter},
        {"d", "HARBOUR", false, Msg::NoSamFile},
        {"d", "..\\DOCKS", false, Msg::WadNameUnsafe},
        {"d", "a/b", false, Msg::WadNameUnsafe},
        {"d", "DO\x01KS", false, Msg::WadNameUnsafe},
        {"d", "A&B %^", false, Msg::SamImportConfirm}, // a name the build refuses is read
        {"d", "DOCKS", true, Msg::NoWasFile},
        {"d", "DOCKS", false, Msg::SamImportConfirm}, // and Cancel
    };
    app.fake.files.files.erase(kWads + "DOCKS.WAS");
    app.fake.files.files[kWads + "A&B %^.SAM"] = "";
    for (const auto& [letter, wad, was, refusal] : cases) {
        app.state.choice.txLett = letter;
        app.state.choice.txWad = wad;
        app.state.choice.wasMode = was;
        app.load({Answer::Cancel});
        EXPECT_EQ(app.fake.dialogs.shown.back().id, refusal) << wad;
        EXPECT_EQ(app.line(1), "kept");
    }
    EXPECT_EQ(app.fake.dialogs.focused, (Args{"TxWAD", "TxWAD", "TxWAD"}));

    // An empty WAD name is taken from the chosen file.
    app.state.choice.txWad.clear();
    app.fake.dialogs.fileAnswers = {kWads + "Docks.sam"};
    app.load({Answer::Cancel});
    EXPECT_EQ(app.state.choice.txWad, "Docks");
    EXPECT_EQ(app.fake.dialogs.fileDialogs.back(), FileDialog::SamList);
}

} // namespace
