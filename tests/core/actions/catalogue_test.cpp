#include "actions/apply.h"
#include "actions/catalogue.h"
#include "actions/current_sound.h"
#include "actions/doubles.h"
#include "actions/marks.h"
#include "fake_ports.h"
#include "format/text_kind.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

// The installation's files read into a catalogue, rows not yet marked.
struct Read {
    FakePorts fake;
    MainState state;
    explicit Read(const Installation& inst) : state(inst.install(fake.files)) {
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
    EXPECT_EQ(soundRowText(1, "A_NAME_LONGER_THAN_22_CHARS:\ts"), "  1: A_NAME_LONGER_THAN_22_");
    EXPECT_EQ(soundRowText(1000, "X:"), "1000: X" + std::string(21, ' '));
}

TEST(LoadCatalogue, NumbersOnlyLinesWithAColon) {
    Installation inst = withSounds(
        {"heading without colon", "ZERO:\ta\tVOL01\t#a  ", "ONE:\tb   ", "-- note", "TWO:\tc"});
    inst.defaults = {"ZERO:\ta\tVOL01\t#a", "ONE:\tb", "TWO:\tc"};
    Read r(inst);
    ASSERT_EQ(r.state.soundCount(), 3);
    EXPECT_EQ(r.state.liText[0], "ZERO:\ta\tVOL01\t#a"); // lines with '#' lose trailing spaces
    EXPECT_EQ(r.state.liText[1], "ONE:\tb   ");          // others keep them
    EXPECT_EQ(r.state.rows[2].text, "  2: TWO" + std::string(19, ' '));
    EXPECT_EQ(r.state.wads.letters, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(r.state.wads.files[1], "BRIDGE");
    EXPECT_TRUE(r.state.catalogueComplete);
    EXPECT_TRUE(r.fake.dialogs.shown.empty());
}

TEST(LoadCatalogue, ProtectedSoundsShowNoNameAndTheMarksCoverTheWholeCatalogue) {
    const Installation inst = withSounds(Installation::numberedSounds(300));
    Read r(inst);
    EXPECT_EQ(r.state.rows[27].text, " 27:");
    EXPECT_EQ(r.state.rows[270].text, "270:");
    EXPECT_EQ(r.state.liText[27], inst.sounds[27]);
    EXPECT_EQ(r.state.rows[28].text.substr(0, 12), " 28: SOUND28");
    ASSERT_EQ(r.state.doubleMarks.size(), 370u);
    EXPECT_EQ(r.state.doubleMarks[299], "OK ");
    EXPECT_EQ(r.state.doubleMarks[62], "   ");
}

TEST(LoadCatalogue, UnreadableOrBinaryFilesAreNamedAndMakeItIncomplete) {
    using namespace std::string_literals;
    // Nothing: the file cannot be read; else bytes that are not 8-bit text.
    const std::optional<std::string> contents[] = {std::nullopt, "A:\0\r\n"s,
                                                   "\xFF\xFE"
                                                   "A\0:\0"s,
                                                   "\xFE\xFF\0A\0:"s, "\xFF\xFE\0\0A\0\0\0"s};
    for (const char* file : {"Kestrel.tow", "Kestrel.tos", "Sounds.txt"}) {
        for (const auto& bytes : contents) {
            SCOPED_TRACE(std::string(file) + " " + bytes.value_or("unreadable"));
            Installation inst = withSounds({"A:\ta", "B:\tb"});
            FakePorts fake;
            MainState state = inst.install(fake.files);
            if (bytes)
                fake.files.files[inst.pathOf(file)] = *bytes;
            else
                fake.files.failing.push_back({inst.pathOf(file)});
            loadCatalogue(state, fake.ports);
            ASSERT_EQ(fake.dialogs.shown.size(), 1u);
            EXPECT_EQ(fake.dialogs.shown[0].id, bytes ? Msg::FileNotText : Msg::FileUnreadable);
            EXPECT_EQ(fake.dialogs.shown[0].args[0], inst.pathOf(file));
            EXPECT_FALSE(state.catalogueComplete);
            EXPECT_EQ(state.defaultLine(7), ""); // never out of range
        }
    }
    // A UTF-8 byte-order mark and mixed line ends are text.
    Read r(withSounds({"\xEF\xBB\xBF"
                       "A:\ta\nB:\tb"}));
    EXPECT_TRUE(r.state.catalogueComplete);
    EXPECT_EQ(r.state.soundCount(), 2);
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
    for (const int sounds : {370, 371, 400}) {
        Installation inst = withSounds(Installation::numberedSounds(sounds));
        inst.defaults = {"ONLY:\tone"};
        inst.doubles = "369,\"   \",\"\",\"\",\"\",\"\"\r\n370,\"   \",\"\",\"\",\"\",\"\"\r\n";
        Read r(inst);
        EXPECT_EQ(r.state.rows.size(), std::size_t(sounds));
        ASSERT_EQ(r.state.doubleMarks.size(), std::size_t(std::max(sounds, 370)));
        EXPECT_EQ(r.state.doubleMarks[369], kDoubleUnselected);
        ASSERT_EQ(r.fake.dialogs.shown.size(), sounds > 370 ? 1u : 0u) << sounds;
        if (sounds > 370) {
            EXPECT_EQ(r.fake.dialogs.shown[0].id, Msg::TooManySounds);
            EXPECT_EQ(r.fake.dialogs.shown[0].args[0], std::to_string(sounds));
            EXPECT_EQ(r.state.doubleMarks[370], kDoubleUnselected);
        }
        EXPECT_EQ(r.state.defaultLine(sounds - 1), "");
        markSoundList(r.state, -1);
        EXPECT_TRUE(r.state.rows.back().selected); // every numbered sound carries #a
    }
}

TEST(MarkSoundList, MarksWholeTagsAndSelects) {
    Read r(withSounds(
        {"A:\ts\tVOL01\t#a", "B:\ts\tVOL01\t#ab", "C:\ts\tVOL01\t#g", "D:\ts\tVOL01\t"}));
    MainState& state = r.state;
    markSoundList(state, -1);
    EXPECT_TRUE(endsWithMark(state.rows[0].text));
    EXPECT_TRUE(state.rows[0].selected);
    EXPECT_FALSE(state.rows[1].selected);
    EXPECT_FALSE(state.rows[2].selected);

    markSoundList(state, -1); // never marked twice
    EXPECT_EQ(state.rows[0].text, soundRowText(0, state.liText[0]) + kLetterMark);

    state.choice.showG = true;
    markSoundList(state, 2);
    EXPECT_TRUE(state.rows[2].selected);

    state.choice.txLett.clear(); // key "##": only the #g sound stays marked
    markSoundList(state, -1);
    for (int i : {0, 1, 3}) EXPECT_FALSE(endsWithMark(state.rows[i].text)) << i;
    EXPECT_TRUE(state.rows[2].selected);
}

TEST(MarkSoundList, ProtectedSoundsLoseTheirLettersInstead) {
    Installation inst = withSounds(Installation::numberedSounds(30));
    inst.sounds[27] = "SECRET:\ts#x\tVOL05\tP\t#b #a";
    Read r(inst);
    markSoundList(r.state, -1);
    EXPECT_EQ(r.state.rows[27].text, " 27:");
    EXPECT_FALSE(r.state.rows[27].selected);
    EXPECT_EQ(r.state.liText[27], "SECRET:\ts#x\tVOL05\tP\t");
}

// Each call that changes a file made to fail in turn: one message names the
// file, the state keeps what is on disk, and every file is as before or as
// the clean run had left it when the call failed. Hence the order: the backup
// and the kept copy before sounds.txt, sounds.txt before the custom lines.
TEST(CatalogueWrites, EveryFailingCallIsShownAndLosesNothing) {
    const std::string one = "ONE:\to1\tVOL02\t#b", sfx = "/games/lvedit/sound/LevelSFX Creator/";
    const std::string kept = "/app/history/Sounds-" + FakeFiles().now + ".txt";
    const std::string start =
        "C " + sfx + "Orig_Sounds.txt|M /app/history/|C " + kept + "|W " + sfx + "Sounds.txt|";
    const struct {
        bool tor, restore;
        const char* edit;
        std::string calls;
    } cases[] = {
        {false, false, "ONE:\to9\tVOL02", start + "M /app/sounds/|W /app/sounds/HARBOUR.tor|"},
        {true, false, "ONE:\to1\tVOL42", start + "R /app/sounds/HARBOUR.tor|"},
        {false, true, "ONE:\to1\tVOL42", start},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.calls);
        std::vector<FileCall> calls;
        std::map<std::string, std::string> cleanAfter;
        for (int k = -1; k < int(calls.size()); ++k) { // -1: the clean run
            Installation inst;
            inst.sounds = {"; level sounds", "ZERO:\tz0\t#a", "", one};
            inst.defaults = {"ZERO:\tz0\t#a", one};
            Loaded l(inst);
            if (c.tor) l.fake.files.files["/app/sounds/HARBOUR.tor"] = "1,\"ONE:\to7\"\r\n";
            l.line(1) = c.edit;
            const auto before = l.fake.files.files;
            l.fake.files.calls.clear();
            if (k >= 0) l.fake.files.failing = {{calls[k].path, calls[k].op}};
            l.fake.dialogs.answers = {c.restore ? Answer::Ok : Answer::Yes};
            c.restore ? restoreDefaults(l.state, l.fake.ports)
                      : void(applyChanges(l.state, l.fake.ports));
            std::vector<std::string> failures;
            for (const auto& m : l.fake.dialogs.shown)
                if (m.id == Msg::FileNotWritten || m.id == Msg::CustomLinesNotSaved)
                    failures.push_back(m.args.at(0));
            EXPECT_EQ(l.state.soundsFile.bytes, l.fake.files.bytes(sfx + "Sounds.txt")) << k;
            if (k < 0) {
                std::string made;
                for (const FileCall& call : l.fake.files.calls)
                    made += "WCRM"[int(call.op)] + (" " + call.path + "|");
                ASSERT_EQ(made, c.calls);
                EXPECT_TRUE(failures.empty());
                calls = l.fake.files.calls;
                cleanAfter = l.fake.files.files;
                continue;
            }
            ASSERT_EQ(failures.size(), 1u) << k;
            EXPECT_EQ(failures[0].rfind(calls[k].path, 0), 0u)
                << failures[0]; // the file or its folder
            auto expected = before;
            for (int j = 0; j < k; ++j) {
                const auto done = cleanAfter.find(calls[j].path);
                if (done != cleanAfter.end())
                    expected[done->first] = done->second;
                else
                    expected.erase(calls[j].path);
            }
            EXPECT_EQ(l.fake.files.files, expected) << k;
        }
    }
}
