#include "actions/apply.h"
#include "actions/history.h"
#include "installation.h"

#include <deque>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <tuple>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

const std::string kZero = "ZERO:\t\t\tz0\t\t\t\tVOL01\t\t\t\t\t#a";
const std::string kOne = "ONE:\t\t\to1\t\t\t\tVOL02";
const std::string kTwo = "TWO:\t\t\tt1\t\t\t\tVOL03";
const std::string kOnDisk = joinLinesCrLf({kZero, kOne, kTwo});
const std::string kHistory = std::string("/app/history") + kDirSep;
const std::string kNow = "Sounds-20261208-101500"; // named by the fake clock

struct App : Loaded {
    App()
        : Loaded([] {
              Installation inst;
              inst.sounds = {kZero, kOne, kTwo};
              return inst;
          }()) {}
    // Name → bytes of every file in the history folder.
    std::map<std::string, std::string> history() const {
        std::map<std::string, std::string> out;
        for (const auto& [path, bytes] : fake.files.files)
            if (path.starts_with(kHistory)) out[path.substr(kHistory.size())] = bytes;
        return out;
    }
    bool keep() { return replaceSoundsFile(state, fake.ports, kOnDisk); }
    void put(const std::string& name, const std::string& bytes = "x") {
        fake.files.files[kHistory + name] = bytes;
    }
};

} // namespace

TEST(SoundsHistory, KeepsSoundsTxtUnderTheFirstFreeNameOfTheSecond) {
    App a;
    a.fake.files.files.erase(a.state.dirs.sfxDir + "Sounds.txt");
    EXPECT_TRUE(a.keep()); // nothing to keep
    EXPECT_TRUE(a.history().empty());

    App b;
    const auto takeNames = [&b](int last) {
        for (int n = 1; n <= last; ++n)
            b.put(kNow + (n > 1 ? "-" + std::to_string(n) : "") + ".txt");
    };
    takeNames(998);
    EXPECT_TRUE(b.keep());
    EXPECT_EQ(b.history().at(kNow + "-999.txt"), kOnDisk);
    takeNames(999); // every name of the second taken: the write must stop
    EXPECT_FALSE(b.keep());
    EXPECT_EQ(b.fake.dialogs.shown.back().id, Msg::FileNotWritten);
}

TEST(SoundsHistory, KeepsOnlyTheNewest) {
    const std::string oldest = "Sounds-20261101-000000.txt";
    const std::tuple<const char*, std::string, bool> cases[] = {
        // what, now, removal fails
        {"oldest goes", "20261208-101500", false},
        {"clock set back: the new copy stays", "20200101-000000", false},
        {"removal fails: not an error", "20261208-101500", true},
    };
    for (const auto& [what, now, removalFails] : cases) {
        SCOPED_TRACE(what);
        App a;
        for (int i = 0; i < 30; ++i)
            a.put("Sounds-20261101-0000" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
                  ".txt");
        for (const char* other : {"notes.txt", "Sounds-2026.txt", "Sounds-20201101-000000-1.txt"})
            a.put(other);
        a.fake.files.now = now;
        if (removalFails) a.fake.files.failing = {{kHistory + oldest}};
        auto expected = a.history();
        expected["Sounds-" + now + ".txt"] = kOnDisk;
        if (!removalFails) expected.erase(oldest);
        EXPECT_TRUE(a.keep());
        EXPECT_TRUE(a.fake.dialogs.shown.empty());
        EXPECT_EQ(a.history(), expected);
    }
}

TEST(SoundsHistory, ListsNewestFirstWithTheSoundsThatDiffer) {
    const struct {
        std::string name, bytes;
        int differing;
    } rows[] = {
        // in the order expected; -3 cannot be read
        {"Sounds-20261102-090000.txt", joinLinesCrLf({"; heading", kZero, "ONE:\t\t\tx"}), 2},
        {"Sounds-20261101-100000-999.txt", kOnDisk, 0},
        {"Sounds-20261101-100000-10.txt", kOnDisk, 0},
        {"Sounds-20261101-100000-9.txt", joinLinesCrLf({kZero, kOne, kTwo, "EXTRA:"}), 1},
        {"Sounds-20261101-100000-3.txt", kOnDisk, 0},
        {"Sounds-20261101-100000-2.txt", kOnDisk, 0},
        {"Sounds-20261101-100000.txt", kOnDisk, 0},
    };
    App a;
    for (const auto& r : rows) a.put(r.name, r.bytes);
    for (const char* other : {"Sounds-20261101-100000-01.txt", "Sounds-20261101x100000.txt",
                              "Sounds-20261101-100000x12.txt"})
        a.put(other, kOnDisk); // not kept names
    a.fake.files.failing = {{kHistory + rows[4].name}};

    const auto kept = keptVersions(a.state, a.fake.ports);
    ASSERT_EQ(kept.size(), std::size(rows));
    for (std::size_t i = 0; i < kept.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(kept[i].path, kHistory + rows[i].name);
        EXPECT_EQ(kept[i].readable, i != 4);
        EXPECT_EQ(kept[i].size, i != 4 ? rows[i].bytes.size() : 0u);
        EXPECT_EQ(kept[i].differing, rows[i].differing);
    }
    EXPECT_EQ(kept[0].time, "2026-11-02 09:00:00");
    std::vector<std::tuple<int, std::string, std::string>> pairs;
    for (const LinePair& p : keptDifferences(a.state, a.fake.ports, kept[0]))
        pairs.emplace_back(p.id, p.above, p.below);
    EXPECT_EQ(pairs, (decltype(pairs){{1, "ONE:\t\t\tx", kOne}, {2, "", kTwo}}));
}

TEST(SoundsHistory, RestoresAKeptVersion) {
    const std::string older = joinLinesCrLf({kZero, "ONE:\t\t\tolder", kTwo});
    const std::string earlier = "Sounds-20261101-100000.txt", notText("\xFF\xFEZ\0:\0", 6);
    const struct {
        const char* what;
        std::deque<Answer> answers;
        std::string failing;
        std::optional<Msg> refusal; // nothing: restored
    } cases[] = {
        {"ok", {Answer::Ok}, "", std::nullopt},
        {"cancel", {Answer::Cancel}, "", Msg::HistoryRestoreConfirm},
        {"unreadable", {Answer::Ok}, kHistory + earlier, Msg::FileUnreadable},
        {"not a catalogue", {Answer::Ok}, "", Msg::FileNotText},
        {"pending changes kept", {Answer::Ok, Answer::Cancel}, "", Msg::PendingChanges},
        {"no history folder", {Answer::Ok}, kHistory, Msg::FileNotWritten},
        {"no copy kept", {Answer::Ok}, kHistory + kNow + ".txt", Msg::FileNotWritten},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        App a;
        a.put(earlier, c.refusal == Msg::FileNotText ? notText : older);
        a.fake.files.failing = {{c.failing}};
        if (c.refusal == Msg::PendingChanges) {
            a.setLine(1, "ONE:\t\t\tpending");
            refreshChangedRows(a.state);
        }
        const auto before = a.fake.files.files;
        a.fake.dialogs.answers = c.answers;
        a.state.history.done.emplace_back(); // a restored file cannot be undone into
        EXPECT_EQ(
            restoreKeptVersion(a.state, a.fake.ports, keptVersions(a.state, a.fake.ports).at(0)),
            !c.refusal);
        if (c.refusal) {
            EXPECT_EQ(a.fake.dialogs.shown.back().id, *c.refusal);
            if (c.refusal == Msg::FileNotWritten) {
                EXPECT_EQ(a.fake.dialogs.shown.back().args.at(0), kHistory + kNow + ".txt");
            }
            EXPECT_EQ(a.fake.files.files, before);
            continue;
        }
        EXPECT_EQ(a.fake.files.bytes(a.state.dirs.sfxDir + "Sounds.txt"), older);
        EXPECT_EQ(a.history().at(kNow + ".txt"), kOnDisk);
        EXPECT_EQ(a.state.liText.strings(),
                  (std::vector<std::string>{kZero, "ONE:\t\t\tolder", kTwo}));
        EXPECT_EQ(a.state.soundsFile.text->bytes(), older);
        EXPECT_EQ(a.state.currentRow, 0);
        EXPECT_TRUE(a.state.history.done.empty());
    }
    App a; // Sounds.txt cannot be written: the catalogue stays as it was
    a.put(earlier, older);
    a.fake.files.failing = {{a.state.dirs.sfxDir + "Sounds.txt", FileOp::Write}};
    a.fake.dialogs.answers = {Answer::Ok};
    const auto lines = a.state.liText;
    EXPECT_FALSE(
        restoreKeptVersion(a.state, a.fake.ports, keptVersions(a.state, a.fake.ports).at(0)));
    EXPECT_EQ(a.fake.dialogs.shown.back().id, Msg::FileNotWritten);
    EXPECT_EQ(a.state.liText, lines);
}
