#include "actions/apply.h"
#include "actions/catalogue.h"
#include "actions/doubles.h"
#include "actions/marks.h"
#include "actions/undo.h"
#include "format/text_kind.h"
#include "installation.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;
using namespace std::string_literals;

namespace {

// The installation's files, changed by `prepare`, read into a catalogue; rows not yet marked.
struct Read {
    FakePorts fake;
    MainState state;
    explicit Read(const Installation& inst, const std::function<void(FakeFiles&)>& prepare = {})
        : state(inst.install(fake.files)) {
        if (prepare) prepare(fake.files);
        loadCatalogue(state, fake.ports);
    }
};

Installation withSounds(std::vector<std::string> sounds) {
    Installation inst;
    inst.sounds = std::move(sounds);
    return inst;
}

} // namespace

TEST(SoundRowText, NumbersAndNames) {
    EXPECT_EQ(soundRowText(5, "DOOR:\ts"), "  5: DOOR" + std::string(18, ' '));
    EXPECT_EQ(soundRowText(27, "SECRET:\ts"), " 27:");
    EXPECT_EQ(soundRowText(270, "SECRET:\ts"), "270:");
    EXPECT_EQ(soundRowText(1, "A_NAME_LONGER_THAN_22_CHARS:\ts"), "  1: A_NAME_LONGER_THAN_22_");
    EXPECT_EQ(soundRowText(1000, "X:"), "1000: X" + std::string(21, ' '));
}

// A UTF-8 byte-order mark and mixed line ends are text.
TEST(LoadCatalogue, NumbersOnlyLinesWithAColon) {
    Installation inst = withSounds({"\xEF\xBB\xBF"
                                    "heading without colon",
                                    "ZERO:\ta\tVOL01\t#a  ", "ONE:\tb   \n-- note", "TWO:\tc"});
    inst.defaults = {"ZERO:\ta\tVOL01\t#a", "ONE:\tb", "TWO:\tc"};
    Read r(inst);
    ASSERT_EQ(r.state.soundCount(), 3);
    EXPECT_EQ(r.state.liText[0], "ZERO:\ta\tVOL01\t#a"); // lines with '#' lose trailing spaces
    EXPECT_EQ(r.state.liText[1], "ONE:\tb   ");          // others keep them
    EXPECT_EQ(r.state.wads.letters, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(r.state.wads.files[1], "BRIDGE");
    EXPECT_TRUE(r.state.catalogueComplete);
    EXPECT_TRUE(r.fake.dialogs.shown.empty());
}

TEST(LoadCatalogue, UnreadableOrBinaryFilesAreNamedAndMakeItIncomplete) {
    // Nothing: the file cannot be read; else bytes that are not 8-bit text.
    const std::optional<std::string> contents[] = {std::nullopt,
                                                   "A:\0\r\n"s,
                                                   "\xFF\xFE"
                                                   "A\0:\0"s,
                                                   "\xFE\xFF\0A\0:"s,
                                                   "\xFF\xFE\0\0A\0\0\0"s,
                                                   "\xFE\xFF"
                                                   "A:\r\n"s};
    const Installation inst = withSounds({"A:\ta", "B:\tb"});
    for (const char* file : {"Kestrel.tow", "Kestrel.tos", "Sounds.txt"}) {
        for (const auto& bytes : contents) {
            SCOPED_TRACE(std::string(file) + " " + bytes.value_or("unreadable"));
            const std::string path = inst.pathOf(file);
            Read r(inst, [&](FakeFiles& f) {
                bytes ? void(f.files[path] = *bytes) : f.failing.push_back({path});
            });
            ASSERT_EQ(r.fake.dialogs.shown.size(), 1u);
            EXPECT_EQ(r.fake.dialogs.shown[0].id, bytes ? Msg::FileNotText : Msg::FileUnreadable);
            EXPECT_EQ(r.fake.dialogs.shown[0].args[0], path);
            const bool needed = std::string(file) != "Kestrel.tow"; // Apply needs no WAD table
            EXPECT_EQ(r.state.catalogueComplete, !needed);
            EXPECT_EQ(r.state.unreadFile, needed ? path : "");
            EXPECT_EQ(r.state.defaultLine(7), "");         // never out of range
            EXPECT_TRUE(r.state.catalogueSources.empty()); // the next import reads them all
        }
    }
}

TEST(WhyNotCatalogue, DefaultLinesMustBeTextWithHalfAsManySounds) {
    const struct {
        const char* bytes;
        int soundsNow;
        bool refused;
    } cases[] = {
        {"A:\r\n", 0, false},      {"", 0, true},
        {"heading\r\n", 0, true},  {"A:\r\nB:\r\n", 4, false},
        {"A:\r\nB:\r\n", 5, true}, {"A:\r\nx\r\n", 3, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(whyNotCatalogue(c.bytes, c.soundsNow).has_value(), c.refused)
            << c.bytes << " " << c.soundsNow;
}

TEST(LoadCatalogue, MoreSoundsThanTheCatalogueHoldsStillLoad) {
    for (const int sounds : {300, 370, 371}) {
        SCOPED_TRACE(sounds);
        Installation inst = withSounds(Installation::numberedSounds(sounds));
        inst.defaults = {"ONLY:\tone"};
        inst.doubles = "369,\"   \",\"\",\"\",\"\",\"\"\r\n370,\"   \",\"\",\"\",\"\",\"\"\r\n";
        Read r(inst);
        const auto& marks = r.state.doubleSelected;
        EXPECT_EQ(r.state.rows.size(), std::size_t(sounds));
        ASSERT_EQ(marks.size(), std::size_t(std::max(sounds, 370)));
        EXPECT_FALSE(marks.back()); // the last record read
        ASSERT_EQ(r.fake.dialogs.shown.size(), sounds > 370 ? 1u : 0u);
        if (sounds > 370) {
            EXPECT_EQ(r.fake.dialogs.shown[0].id, Msg::TooManySounds);
            EXPECT_EQ(r.fake.dialogs.shown[0].args[0], std::to_string(sounds));
        }
        markSoundList(r.state, -1);
        EXPECT_TRUE(r.state.rows.back().selected); // every numbered sound carries #a
    }
}

TEST(MarkSoundList, MarksWholeTagsAndSelectsButProtectedSoundsLoseTheirLetters) {
    Installation inst = withSounds(Installation::numberedSounds(28));
    inst.sounds[1] = "B:\ts\tVOL01\t#ab";
    inst.sounds[2] = "C:\ts\tVOL01\t#g";
    inst.sounds[3] = "D:\ts\tVOL01\t";
    inst.sounds[27] = "SECRET:\ts#x\tVOL05\tP\t#b #a";
    Read r(inst);
    MainState& state = r.state;
    markSoundList(state, -1);
    EXPECT_TRUE(state.rows[0].marked);
    EXPECT_TRUE(state.rows[0].selected);
    EXPECT_FALSE(state.rows[1].selected || state.rows[2].selected || state.rows[27].selected);
    EXPECT_EQ(rowText(state, 27), " 27:");
    EXPECT_EQ(state.liText[27], "SECRET:\ts#x\tVOL05\tP\t");
    EXPECT_TRUE(state.rows[27].changed); // a change to apply, counted as one
    EXPECT_EQ(state.changedCount, 1);

    markSoundList(state, -1); // never marked twice
    EXPECT_EQ(rowText(state, 0), soundRowText(0, state.liText[0]) + kLetterMark);

    state.choice.showG = true;
    markSoundList(state, 2);
    EXPECT_TRUE(state.rows[2].selected);

    state.choice.txLett.clear(); // key "##": only the #g sound stays marked
    markSoundList(state, -1);
    for (int i : {0, 1, 3}) EXPECT_FALSE(state.rows[i].marked) << i;
    EXPECT_TRUE(state.rows[2].selected);
}

// Each call that changes a file made to fail in turn: one message names the
// file, the state keeps what is on disk, and every file is as before or as
// the clean run had left it when the call failed. Hence the order: the backup
// and the kept copy before sounds.txt, sounds.txt before the custom lines.
TEST(CatalogueWrites, EveryFailingCallIsShownAndLosesNothing) {
    const std::string sep(1, kDirSep); // of the folders the program names itself
    const std::string sfx = "/games/lvedit/sound/LevelSFX Creator/",
                      tor = "/app/sounds" + sep + "HARBOUR.tor";
    const std::string kept = "/app/history" + sep + "Sounds-" + FakeFiles().now + ".txt";
    const std::string start = "C " + sfx + "Orig_Sounds.txt|M /app/history" + sep + "|C " + kept +
                              "|W " + sfx + "Sounds.txt|";
    Installation inst;
    inst.sounds = {"; level sounds", "ZERO:\tz0\t#a", "", "ONE:\to1\tVOL02\t#b"};
    inst.defaults = {"ZERO:\tz0\t#a", "ONE:\to1\tVOL02\t#b"};
    const struct {
        bool tor, restore;
        const char* edit;
        std::string calls;
    } cases[] = {
        {false, false, "ONE:\to9\tVOL02", start + "M /app/sounds" + sep + "|W " + tor + "|"},
        {true, false, "ONE:\to1\tVOL42", start + "R " + tor + "|"},
        {false, true, "ONE:\to1\tVOL42", start},
    };
    for (const auto& c : cases) {
        std::vector<FileCall> calls;
        std::map<std::string, std::string> cleanAfter;
        for (int k = -1; k < int(calls.size()); ++k) { // -1: the clean run
            SCOPED_TRACE(c.calls + " failing " + std::to_string(k));
            Loaded l(inst);
            if (c.tor) l.fake.files.files[tor] = "1,\"ONE:\to7\"\r\n";
            l.setLine(1, c.edit);
            l.state.history.done.emplace_back(); // what Undo would go back over
            auto expected = l.fake.files.files;
            l.fake.files.calls.clear();
            if (k >= 0) l.fake.files.failing = {{calls[k].path, calls[k].op}};
            l.fake.dialogs.answers = {c.restore ? Answer::Ok : Answer::Yes};
            c.restore ? restoreDefaults(l.state, l.fake.ports)
                      : void(applyChanges(l.state, l.fake.ports));
            const auto& shown = l.fake.dialogs.shown; // the question, then any failure
            ASSERT_EQ(shown.size(), k < 0 ? 1u : 2u);
            EXPECT_EQ(l.state.soundsFile.text->bytes(), l.fake.files.bytes(sfx + "Sounds.txt"));
            if (k < 0) {
                std::string made;
                for (const FileCall& call : l.fake.files.calls)
                    made += "WCRM"[int(call.op)] + (" " + call.path + "|");
                ASSERT_EQ(made, c.calls);
                EXPECT_EQ(l.state.currentRow, c.restore ? 0 : -1); // a restore opens sound 0
                EXPECT_TRUE(l.state.history.done.empty()); // the file written is Undo's start
                calls = l.fake.files.calls;
                cleanAfter = l.fake.files.files;
                continue;
            }
            // The failure names the file or its folder.
            EXPECT_EQ(shown[1].args.at(0).rfind(calls[k].path, 0), 0u) << shown[1].args.at(0);
            for (int j = 0; j < k; ++j) {
                const std::string& done = calls[j].path;
                if (cleanAfter.contains(done))
                    expected[done] = cleanAfter[done];
                else
                    expected.erase(done);
            }
            // The version kept for a sounds.txt not written goes again.
            if (calls[k].path == sfx + "Sounds.txt") expected.erase(kept);
            EXPECT_EQ(l.fake.files.files, expected);
        }
    }
}

// Read again from unchanged files, the catalogue is as a load leaves it: the
// change not applied and its row's text are gone, and nothing is counted.
TEST(LoadCatalogue, ReadingUnchangedFilesAgainDropsTheChanges) {
    Read r(withSounds(Installation::numberedSounds(3)));
    r.state.setWorkingLine(1, "CHANGED:\tx");
    refreshChangedRows(r.state);
    r.state.currentRow = 1;
    r.state.txOrig = "shown";
    r.fake.files.failing.push_back({"/games/lvedit/sound/LevelSFX Creator/Sounds.txt"});
    EXPECT_TRUE(readCatalogueAgain(r.state, r.fake.ports));
    EXPECT_EQ(r.state.liText[1], "SOUND1:\ts1\tVOL01\t#a");
    EXPECT_EQ(rowText(r.state, 1), soundRowText(1, "SOUND1:"));
    EXPECT_EQ(r.state.changedCount, 0);
    EXPECT_EQ(r.state.currentRow, -1);
    EXPECT_EQ(r.state.txOrig, "");
    loadCatalogue(r.state, r.fake.ports); // read whole, Sounds.txt now fails: no line is left
    EXPECT_EQ(r.state.soundCount(), 0);
}
