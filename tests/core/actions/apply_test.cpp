#include "actions/catalogue.h"
#include "actions/marks.h"
#include "format/record_file.h"
#include "actions/sound_list.h"
#include "actions/apply.h"
#include "actions/current_sound.h"
#include "format/field_view.h"
#include "fake_ports.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

const std::string kZero = "ZERO:\t\t\tz0\t\t\t\tVOL01\t\t\t\t\t#a";
const std::string kOne = "ONE:\t\t\to1 o2\t\t\t\tVOL02\tP\tCH01\t\t\t#b";
const std::string kTwo = "TWO:\t\t\tt1\t\t\t\tVOL03";

std::string soundsBytes(const std::string& one, const std::string& zero = kZero) {
    return joinLinesCrLf({"; level sounds", zero, "", one, kTwo});
}

// sounds.txt has a heading and a blank line between its sounds; sound 1 is open.
struct SoundOneOpen {
    FakePorts fake;
    Installation inst;
    MainState state;

    explicit SoundOneOpen(Installation i = installation())
        : inst(std::move(i)), state(inst.install(fake.files)) {
        loadCatalogue(state, fake.ports);
        markSoundList(state, -1);
        makeRowCurrent(state, fake.ports, 1);
        fake.dialogs.shown.clear();
    }
    static Installation installation() {
        Installation inst;
        inst.sounds = {"; level sounds", kZero, "", kOne, kTwo};
        inst.defaults = {kZero, kOne, kTwo};
        return inst;
    }
    std::string soundsPath() const { return inst.sfxDir() + "Sounds.txt"; }
    std::string backupPath() const { return inst.sfxDir() + "Orig_Sounds.txt"; }
    std::string torPath() const { return inst.appDir + "sounds/HARBOUR.tor"; }
    std::string bytes(const std::string& path) const { return fake.files.bytes(path); }
    bool exists(const std::string& path) { return fake.files.find(path).has_value(); }
    void apply(std::initializer_list<Answer> answers) {
        fake.dialogs.answers = answers;
        applyChanges(state, fake.ports);
    }
    std::vector<Msg> shown() const {
        std::vector<Msg> ids;
        for (const auto& m : fake.dialogs.shown) ids.push_back(m.id);
        return ids;
    }
    const std::vector<std::string>& lastArgs() const { return fake.dialogs.shown.back().args; }
};

} // namespace

TEST(Apply, WritesEveryLineInPlaceAndBacksUpOnce) {
    SoundOneOpen l;
    const std::string old = l.bytes(l.soundsPath());
    l.state.ed.txVol = "42";
    leaveValueBox(l.state, ValueBox::Vol);
    acceptValues(l.state);
    setFlagBox(l.state, FlagBox::L, true); // not accepted: dropped by Apply
    l.apply({Answer::Yes});

    const std::string one42 = "ONE:\t\t\to1 o2\t\t\t\tVOL42\tP\tCH01\t\t\t#b";
    EXPECT_EQ(l.bytes(l.soundsPath()), soundsBytes(one42));
    EXPECT_EQ(l.bytes(l.backupPath()), old);
    EXPECT_FALSE(l.exists(l.torPath())); // no sample differs from the defaults
    // The current sound is shown again from its new line.
    EXPECT_EQ(l.state.cur, parseSoundLine(one42));
    EXPECT_FALSE(l.state.ed.ckL);
    EXPECT_EQ(l.state.ed.txVol, "42");
    EXPECT_EQ(l.state.txModif, fieldView(l.state.cur));

    // A second Apply keeps the first backup and does not take its own write
    // for a change made on disk.
    l.state.liText[0] = "ZERO:\t\t\tz9";
    l.fake.dialogs.shown.clear();
    l.apply({Answer::Yes});
    EXPECT_EQ(l.shown(), std::vector<Msg>{Msg::ApplyConfirm});
    EXPECT_EQ(l.bytes(l.soundsPath()), soundsBytes(one42, "ZERO:\t\t\tz9"));
    EXPECT_EQ(l.bytes(l.backupPath()), old);
}

TEST(Apply, CustomLinesListEverySoundWhoseSamplesDiffer) {
    Installation inst = SoundOneOpen::installation();
    const std::string oneO9 = "ONE:\t\t\to1 o9\t\t\t\tVOL02\tP\tCH01\t\t\t#b";
    inst.sounds[3] = oneO9; // already different when loaded
    SoundOneOpen l(inst);
    const std::string twoQuoted = "TWO:\t\t\tt\"9\t\t\t\tVOL03";
    l.state.liText[2] = twoQuoted;
    l.apply({Answer::Yes});

    const std::string tor = l.bytes(l.torPath());
    EXPECT_EQ(tor, "1,\"" + oneO9 + "\"\r\n2,\"TWO:\t\t\tt\"\"9\t\t\t\tVOL03\"\r\n");
    EXPECT_EQ(parseRecordLine(splitLines(tor).at(1)), (std::vector<std::string>{"2", twoQuoted}));
    EXPECT_EQ(l.fake.files.dirs.back(), l.inst.appDir + "sounds/");

    l.state.liText = l.state.liOrig; // once no sound differs, the file goes
    l.apply({Answer::Yes});
    EXPECT_FALSE(l.exists(l.torPath()));
    EXPECT_EQ(l.bytes(l.soundsPath()), soundsBytes(kOne));
}

TEST(Apply, RefusedOrAskedFirst) {
    SoundOneOpen n; // No leaves everything alone
    n.state.liText[1] = "ONE:\t\t\tchanged";
    const auto before = n.fake.files.files;
    n.apply({Answer::No});
    EXPECT_EQ(n.shown(), std::vector<Msg>{Msg::ApplyConfirm});
    EXPECT_EQ(n.fake.files.files, before);

    SoundOneOpen l; // a partial catalogue is never written
    l.fake.files.files.erase(l.inst.pathOf("Kestrel.tow"));
    loadCatalogue(l.state, l.fake.ports);
    l.fake.dialogs.shown.clear();
    l.apply({Answer::Yes, Answer::Yes});
    EXPECT_EQ(l.shown(), std::vector<Msg>{Msg::ApplyIncomplete});
    EXPECT_TRUE(l.fake.files.writes.empty());

    SoundOneOpen m; // sounds.txt changed on disk since it was read
    const std::string edited = "EDITED:\tx\r\n";
    m.fake.files.files[m.soundsPath()] = edited;
    m.apply({Answer::Yes, Answer::No});
    EXPECT_EQ(m.shown(), (std::vector<Msg>{Msg::ApplyConfirm, Msg::SoundsChangedOnDisk}));
    EXPECT_EQ(m.lastArgs(), std::vector<std::string>{m.soundsPath()});
    EXPECT_EQ(m.bytes(m.soundsPath()), edited);
    EXPECT_FALSE(m.exists(m.backupPath()));
    m.apply({Answer::Yes, Answer::Yes});
    EXPECT_EQ(m.bytes(m.soundsPath()), soundsBytes(kOne));
    EXPECT_EQ(m.bytes(m.backupPath()), edited);
}

TEST(Apply, FailuresLeaveSoundsTxtAsItWas) {
    const std::string changed = "ONE:\t\t\tnew";
    // sounds.txt is left alone when its backup cannot be made, and when it
    // cannot be written itself.
    for (const bool backupFails : {true, false}) {
        SCOPED_TRACE(backupFails ? "backup" : "sounds.txt");
        SoundOneOpen l;
        const std::string old = l.bytes(l.soundsPath());
        if (backupFails)
            l.fake.files.failing = {l.backupPath()};
        else
            l.fake.files.failNth(FileOp::Write, 0);
        l.state.liText[1] = changed;
        l.apply({Answer::Yes});
        EXPECT_EQ(l.shown().back(), Msg::FileNotWritten);
        EXPECT_EQ(l.lastArgs().at(0), backupFails ? l.backupPath() : l.soundsPath());
        EXPECT_EQ(l.bytes(l.soundsPath()), old);
        EXPECT_FALSE(l.exists(l.torPath())); // nor the custom lines
    }
    // Only the custom lines fail: an empty, unsafe or unwritable WAD name.
    for (const std::string wad : {"HARBOUR", "", "TWO WORDS", "a/b", "a*b", "a:b"}) {
        SCOPED_TRACE(wad);
        SoundOneOpen l;
        l.state.txWad = wad;
        l.state.liText[1] = changed;
        l.fake.files.failing = {l.torPath()};
        l.apply({Answer::Yes});
        EXPECT_EQ(l.bytes(l.soundsPath()), soundsBytes(changed));
        EXPECT_EQ(l.shown().back(),
                  wad == "HARBOUR" ? Msg::CustomLinesNotSaved : Msg::CustomLinesNoWadName);
        EXPECT_EQ(l.lastArgs().at(0), l.inst.appDir + "sounds/" + wad + ".tor");
        EXPECT_EQ(l.fake.files.writes.size(), 3u); // the backup, the kept copy and sounds.txt
    }
    SoundOneOpen l; // nothing to record under no name: nothing to say either
    l.state.txWad = "";
    l.apply({Answer::Yes});
    EXPECT_EQ(l.shown(), std::vector<Msg>{Msg::ApplyConfirm});
}

TEST(RestoreLine, PutsTheDefaultLineBack) {
    Installation inst = SoundOneOpen::installation();
    inst.defaults[1] = "ONE:\t\t\to1 o2\t\t\t\tVOL02\t\tCH01\t\t\t#a";
    SoundOneOpen l(inst);
    ASSERT_TRUE(l.state.ed.ckP);
    restoreLine(l.state);
    EXPECT_EQ(l.state.liText[1], inst.defaults[1]);
    EXPECT_FALSE(l.state.ed.ckP);
    EXPECT_EQ(l.state.cur.p, "");
    EXPECT_EQ(l.state.txOrig, fieldView(parseSoundLine(inst.defaults[1])));
    EXPECT_EQ(l.state.txModif, l.state.txOrig);
    EXPECT_TRUE(endsWithMark(l.state.rows[1].text)); // the default line carries #a

    inst.defaults.pop_back(); // a sound without a default line: nothing happens
    SoundOneOpen m(inst);
    makeRowCurrent(m.state, m.fake.ports, 2);
    m.state.liText[2] = "TWO:\t\t\tedited";
    const SoundRecord cur = m.state.cur;
    restoreLine(m.state);
    EXPECT_EQ(m.state.liText[2], "TWO:\t\t\tedited");
    EXPECT_EQ(m.state.cur, cur);
}

TEST(RestoreDefaults, RefusalsChangeNothing) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        Answer answer;
        std::optional<std::string> defaults; // nothing: no Kestrel.tos
        bool unreadable;
        Msg shown;
    };
    const Case cases[] = {
        {"cancelled", Answer::Cancel, joinLinesCrLf({kZero}), false, Msg::RestoreConfirm},
        {"no defaults", Answer::Ok, std::nullopt, false, Msg::NoDefaults},
        {"unreadable", Answer::Ok, joinLinesCrLf({kZero, kOne, kTwo}), true, Msg::FileUnreadable},
        {"empty", Answer::Ok, "", false, Msg::DefaultsNotCatalogue},
        {"no sound line", Answer::Ok, "garbage\r\nmore\r\n", false, Msg::DefaultsNotCatalogue},
        {"NUL bytes", Answer::Ok, "ZERO:\0\r\nONE:\r\nTWO:\r\n"s, false, Msg::DefaultsNotCatalogue},
        {"UTF-16", Answer::Ok, "\xFF\xFE" "Z\0:\0\r\0\n\0Z\0:\0"s, false, Msg::DefaultsNotCatalogue},
        {"far fewer sounds", Answer::Ok, joinLinesCrLf({kZero}), false,
         Msg::DefaultsNotCatalogue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SoundOneOpen l;
        const std::string tos = l.inst.pathOf("Kestrel.tos");
        if (c.defaults)
            l.fake.files.files[tos] = *c.defaults;
        else
            l.fake.files.files.erase(tos);
        if (c.unreadable) l.fake.files.failing = {tos};
        l.state.liText[1] = "ONE:\t\t\tedited";
        const auto before = l.fake.files.files;
        l.fake.dialogs.answers = {c.answer};
        restoreDefaults(l.state, l.fake.ports);
        EXPECT_EQ(l.shown().back(), c.shown);
        if (c.shown == Msg::FileUnreadable || c.shown == Msg::DefaultsNotCatalogue) {
            EXPECT_EQ(l.lastArgs().at(0), tos);
        }
        EXPECT_EQ(l.state.liText[1], "ONE:\t\t\tedited");
        EXPECT_EQ(l.fake.files.files, before);
        EXPECT_TRUE(l.fake.files.writes.empty());
    }
}

TEST(RestoreDefaults, ReplacesSoundsTxtAndReloads) {
    for (const bool hadBackup : {false, true}) {
        SoundOneOpen l;
        const std::string old = l.bytes(l.soundsPath());
        if (hadBackup) l.fake.files.files[l.backupPath()] = "BACKUP";
        makeRowCurrent(l.state, l.fake.ports, 2);
        l.state.liText[1] = "ONE:\t\t\tedited";
        l.fake.dialogs.answers = {Answer::Ok};
        restoreDefaults(l.state, l.fake.ports);
        EXPECT_EQ(l.bytes(l.soundsPath()), joinLinesCrLf({kZero, kOne, kTwo}));
        EXPECT_EQ(l.bytes(l.backupPath()), hadBackup ? "BACKUP" : old);
        EXPECT_EQ(l.state.liText, (std::vector<std::string>{kZero, kOne, kTwo}));
        EXPECT_EQ(l.state.currentRow, 0);
        EXPECT_EQ(l.state.cur, parseSoundLine(kZero));
    }
}
