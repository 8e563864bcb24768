#include "actions/apply.h"
#include "actions/current_sound.h"
#include "actions/sound_list.h"
#include "installation.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

const std::string kZero = "ZERO:\t\t\tz0\t\t\t\tVOL01\t\t\t\t\t#a";
const std::string kOne = "ONE:\t\t\to1 o2\t\t\t\tVOL02\tP\tCH01\t\t\t#b";
const std::string kTwo = "TWO:\t\t\tt1\t\t\t\tVOL03";
const std::string kSfx = "/games/lvedit/sound/LevelSFX Creator/";
const std::string kSounds = kSfx + "Sounds.txt", kBackup = kSfx + "Orig_Sounds.txt";
const std::string kTos = "/app/Kestrel.tos", kTor = "/app/sounds/HARBOUR.tor";

std::string soundsBytes(const std::string& one, const std::string& zero = kZero) {
    return joinLinesCrLf({"; level sounds", zero, "", one, kTwo});
}

Installation threeSounds() {
    Installation inst;
    inst.sounds = {"; level sounds", kZero, "", kOne, kTwo};
    inst.defaults = {kZero, kOne, kTwo};
    return inst;
}

// sounds.txt has a heading and a blank line between its sounds; sound 1 is open.
struct SoundOneOpen : Loaded {
    explicit SoundOneOpen(const Installation& inst = threeSounds()) : Loaded(inst) {
        makeRowCurrent(state, fake.ports, 1);
        fake.dialogs.shown.clear();
    }
    std::string bytes(const std::string& path) const { return fake.files.bytes(path); }
    bool apply(std::deque<Answer> answers) {
        fake.dialogs.answers = std::move(answers);
        return applyChanges(state, fake.ports);
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
    const std::string old = l.bytes(kSounds);
    l.state.ed.txVol = "42";
    leaveValueBox(l.state, ValueBox::Vol);
    acceptValues(l.state);
    setFlagBox(l.state, FlagBox::L, true); // not accepted: dropped by Apply
    EXPECT_TRUE(l.apply({Answer::Yes}));
    const std::string one42 = "ONE:\t\t\to1 o2\t\t\t\tVOL42\tP\tCH01\t\t\t#b";
    EXPECT_EQ(l.bytes(kSounds), soundsBytes(one42));
    EXPECT_EQ(l.bytes(kBackup), old);
    EXPECT_FALSE(l.fake.files.find(kTor)); // no sample differs from the defaults
    EXPECT_FALSE(l.state.ed.ckL);

    // A second Apply keeps the first backup and does not take its own write
    // for a change made on disk.
    l.line(0) = "ZERO:\t\t\tz9";
    l.fake.dialogs.shown.clear();
    l.apply({Answer::Yes});
    EXPECT_EQ(l.shown(), std::vector<Msg>{Msg::ApplyConfirm});
    EXPECT_EQ(l.bytes(kSounds), soundsBytes(one42, "ZERO:\t\t\tz9"));
    EXPECT_EQ(l.bytes(kBackup), old);
}

TEST(Apply, CustomLinesListEverySoundWhoseSamplesDiffer) {
    Installation inst = threeSounds();
    const std::string oneO9 = "ONE:\t\t\to1 o9\t\t\t\tVOL02\tP\tCH01\t\t\t#b";
    inst.sounds[3] = oneO9; // already different when loaded
    SoundOneOpen l(inst);
    l.line(2) = "TWO:\t\t\tt\"9\t\t\t\tVOL03";
    l.apply({Answer::Yes});
    EXPECT_EQ(l.bytes(kTor), "1,\"" + oneO9 + "\"\r\n2,\"TWO:\t\t\tt\"\"9\t\t\t\tVOL03\"\r\n");
}

TEST(Apply, RefusedOrAskedFirst) {
    const std::string edited = "EDITED:\tx\r\n";
    const struct {
        const char* what;
        std::function<void(SoundOneOpen&)> prepare;
        std::deque<Answer> answers;
        std::vector<Msg> shown;
    } cases[] = {
        {"no", nullptr, {Answer::No}, {Msg::ApplyConfirm}},
        {"partial catalogue",
         [](SoundOneOpen& l) {
             l.fake.files.files.erase("/app/Kestrel.tow");
             loadCatalogue(l.state, l.fake.ports);
             l.fake.dialogs.shown.clear();
         },
         {Answer::Yes, Answer::Yes},
         {Msg::ApplyIncomplete}},
        {"changed on disk",
         [&](SoundOneOpen& l) { l.fake.files.files[kSounds] = edited; },
         {Answer::Yes, Answer::No},
         {Msg::ApplyConfirm, Msg::SoundsChangedOnDisk}},
        {"no backup",
         [](SoundOneOpen& l) { l.fake.files.failing = {{kBackup}}; },
         {Answer::Yes},
         {Msg::ApplyConfirm, Msg::FileNotWritten}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SoundOneOpen l;
        if (c.prepare) c.prepare(l);
        l.line(1) = "ONE:\t\t\tchanged";
        const auto before = l.fake.files.files;
        EXPECT_FALSE(l.apply(c.answers));
        EXPECT_EQ(l.shown(), c.shown);
        EXPECT_EQ(l.fake.files.files, before);
    }
    SoundOneOpen m; // the change on disk overwritten when asked to, and backed up
    m.fake.files.files[kSounds] = edited;
    EXPECT_TRUE(m.apply({Answer::Yes, Answer::Yes}));
    EXPECT_EQ(m.fake.dialogs.shown.at(1).args, std::vector<std::string>{kSounds});
    EXPECT_EQ(m.bytes(kSounds), soundsBytes(kOne));
    EXPECT_EQ(m.bytes(kBackup), edited);

    SoundOneOpen g; // gone since it was read: written again, with nothing to back up
    g.fake.files.files.erase(kSounds);
    EXPECT_TRUE(g.apply({Answer::Yes, Answer::Yes}));
    EXPECT_EQ(g.bytes(kSounds), soundsBytes(kOne));
    EXPECT_FALSE(g.fake.files.find(kBackup));
}

TEST(Apply, CustomLinesFailAloneAndAreNeverWrittenUnderAnUnsafeName) {
    const std::string changed = "ONE:\t\t\tnew";
    for (const std::string wad : {"HARBOUR", "", "TWO WORDS", "a/b", "a*b", "a:b"}) {
        SCOPED_TRACE(wad);
        SoundOneOpen l;
        l.state.choice.txWad = wad;
        l.line(1) = changed;
        l.fake.files.failing = {{"/app/sounds/" + wad + ".tor"}};
        EXPECT_TRUE(l.apply({Answer::Yes}));
        EXPECT_EQ(l.bytes(kSounds), soundsBytes(changed));
        EXPECT_EQ(l.shown().back(),
                  wad == "HARBOUR" ? Msg::CustomLinesNotSaved : Msg::CustomLinesNoWadName);
        EXPECT_EQ(l.lastArgs().at(0), "/app/sounds/" + wad + ".tor");
        for (const FileCall& call : l.fake.files.calls) // no custom lines file was made
            EXPECT_FALSE(call.ok && call.path.ends_with(".tor")) << call.path;
    }
    SoundOneOpen l; // nothing to record under no name: nothing to say either
    l.state.choice.txWad = "";
    l.apply({Answer::Yes});
    EXPECT_EQ(l.shown(), std::vector<Msg>{Msg::ApplyConfirm});
}

TEST(RestoreLine, PutsTheDefaultLineBackWhenThereIsOne) {
    Installation inst = threeSounds();
    inst.defaults[1] = "ONE:\t\t\to1 o2\t\t\t\tVOL02\t\tCH01\t\t\t#a";
    SoundOneOpen l(inst);
    restoreLine(l.state);
    EXPECT_EQ(l.line(1), inst.defaults[1]);
    EXPECT_FALSE(l.state.ed.ckP);
    EXPECT_TRUE(endsWithMark(l.state.rows[1].text)); // the default line carries #a

    inst.defaults.pop_back(); // sound 2 has no default line: nothing happens
    SoundOneOpen m(inst);
    makeRowCurrent(m.state, m.fake.ports, 2);
    m.line(2) = "TWO:\t\t\tedited";
    restoreLine(m.state);
    EXPECT_EQ(m.line(2), "TWO:\t\t\tedited");
}

TEST(RestoreDefaults, RefusalsChangeNothing) {
    using namespace std::string_literals;
    const struct {
        const char* what;
        Answer answer;
        std::optional<std::string> defaults; // nothing: no Kestrel.tos
        bool unreadable;
        Msg shown;
    } cases[] = {
        {"cancelled", Answer::Cancel, joinLinesCrLf({kZero}), false, Msg::RestoreConfirm},
        {"no defaults", Answer::Ok, std::nullopt, false, Msg::NoDefaults},
        {"unreadable", Answer::Ok, joinLinesCrLf({kZero, kOne, kTwo}), true, Msg::FileUnreadable},
        {"NUL bytes", Answer::Ok, "ZERO:\0\r\nONE:\r\nTWO:\r\n"s, false, Msg::DefaultsNotCatalogue},
        {"UTF-16", Answer::Ok,
         "\xFF\xFE"
         "Z\0:\0\r\0\n\0Z\0:\0"s,
         false, Msg::DefaultsNotCatalogue},
        {"far fewer sounds", Answer::Ok, joinLinesCrLf({kZero}), false, Msg::DefaultsNotCatalogue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SoundOneOpen l;
        if (c.defaults)
            l.fake.files.files[kTos] = *c.defaults;
        else
            l.fake.files.files.erase(kTos);
        if (c.unreadable) l.fake.files.failing = {{kTos}};
        l.line(1) = "ONE:\t\t\tedited";
        const auto before = l.fake.files.files;
        l.fake.dialogs.answers = {c.answer};
        restoreDefaults(l.state, l.fake.ports);
        EXPECT_EQ(l.shown().back(), c.shown);
        if (c.shown == Msg::FileUnreadable || c.shown == Msg::DefaultsNotCatalogue) {
            EXPECT_EQ(l.lastArgs().at(0), kTos);
        }
        EXPECT_EQ(l.line(1), "ONE:\t\t\tedited");
        EXPECT_EQ(l.fake.files.files, before);
    }
}

TEST(RestoreDefaults, ReplacesSoundsTxtKeepsTheBackupAndOpensRowZero) {
    SoundOneOpen l;
    l.fake.files.files[kBackup] = "BACKUP";
    makeRowCurrent(l.state, l.fake.ports, 2);
    l.fake.dialogs.answers = {Answer::Ok};
    restoreDefaults(l.state, l.fake.ports);
    EXPECT_EQ(l.bytes(kSounds), joinLinesCrLf({kZero, kOne, kTwo}));
    EXPECT_EQ(l.bytes(kBackup), "BACKUP");
    EXPECT_EQ(l.state.currentRow, 0);
    EXPECT_EQ(l.state.cur, parseSoundLine(kZero));
}
