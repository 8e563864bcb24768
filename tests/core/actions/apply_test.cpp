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

std::string soundsBytes(const std::string& one, const std::string& two = kTwo) {
    return joinLinesCrLf({"; level sounds", kZero, "", one, two});
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
    const std::string& lastArg() const { return fake.dialogs.shown.back().args.at(0); }
};

} // namespace

// The custom lines list every sound whose samples differ from its default
// line, whether changed now or before.
TEST(Apply, WritesEveryLineInPlaceBacksUpOnceAndListsTheCustomLines) {
    SoundOneOpen l;
    const std::string old = l.bytes(kSounds), one = "ONE:\t\t\to1 o9\t\t\t\tVOL42\tP\tCH01\t\t\t#b";
    l.setLine(1, one);
    setFlagBox(l.state, FlagBox::L, true); // not accepted: dropped by Apply
    EXPECT_TRUE(l.apply({Answer::Yes}));
    EXPECT_EQ(l.bytes(kSounds), soundsBytes(one));
    EXPECT_EQ(l.bytes(kBackup), old);
    EXPECT_EQ(l.bytes(kTor), "1,\"" + one + "\"\r\n");
    EXPECT_FALSE(l.state.ed.ckL);
    // A second Apply keeps the first backup and takes its own write for no change on disk.
    const std::string two = "TWO:\t\t\tt\"9\t\t\t\tVOL03";
    l.setLine(2, two);
    l.fake.dialogs.shown.clear();
    l.apply({Answer::Yes});
    EXPECT_EQ(l.shown(), std::vector<Msg>{Msg::ApplyConfirm});
    EXPECT_EQ(l.bytes(kSounds), soundsBytes(one, two));
    EXPECT_EQ(l.bytes(kBackup), old);
    EXPECT_EQ(l.bytes(kTor), "1,\"" + one + "\"\r\n2,\"TWO:\t\t\tt\"\"9\t\t\t\tVOL03\"\r\n");
}

TEST(Apply, RefusedOrAskedFirst) {
    const std::string edited = "EDITED:\tx\r\n";
    const struct {
        const char* what;
        std::function<void(SoundOneOpen&)> prepare;
        std::deque<Answer> answers;
        std::vector<Msg> shown;
    } cases[] = {
        {"no", [](SoundOneOpen&) {}, {Answer::No}, {Msg::ApplyConfirm}},
        {"partial catalogue",
         [](SoundOneOpen& l) { l.state.catalogueComplete = false; },
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
        c.prepare(l);
        l.setLine(1, "ONE:\t\t\tchanged");
        const auto before = l.fake.files.files;
        EXPECT_FALSE(l.apply(c.answers));
        EXPECT_EQ(l.shown(), c.shown);
        EXPECT_EQ(l.fake.files.files, before);
    }
    // Changed on disk or gone since it was read: written when asked to, backed up if there.
    for (const bool gone : {false, true}) {
        SoundOneOpen l;
        l.fake.files.files[kSounds] = edited;
        if (gone) l.fake.files.files.erase(kSounds);
        EXPECT_TRUE(l.apply({Answer::Yes, Answer::Yes}));
        EXPECT_EQ(l.fake.dialogs.shown.at(1).args, std::vector<std::string>{kSounds});
        EXPECT_EQ(l.bytes(kSounds), soundsBytes(kOne));
        EXPECT_EQ(l.bytes(kBackup), gone ? "" : edited);
    }
}

TEST(Apply, CustomLinesFailAloneAndAreNeverWrittenUnderAnUnsafeName) {
    for (const std::string wad : {"HARBOUR", "", "TWO WORDS", "a/b", "a*b", "a:b"}) {
        SCOPED_TRACE(wad);
        SoundOneOpen l;
        l.state.choice.txWad = wad;
        l.setLine(1, "ONE:\t\t\tnew");
        l.fake.files.failing = {{"/app/sounds/" + wad + ".tor"}};
        EXPECT_TRUE(l.apply({Answer::Yes}));
        EXPECT_EQ(l.bytes(kSounds), soundsBytes("ONE:\t\t\tnew"));
        EXPECT_EQ(l.shown().back(),
                  wad == "HARBOUR" ? Msg::CustomLinesNotSaved : Msg::CustomLinesNoWadName);
        EXPECT_EQ(l.lastArg(), "/app/sounds" + std::string(1, kDirSep) + wad + ".tor");
    }
    SoundOneOpen l; // nothing to record under no name: nothing to say either
    l.state.choice.txWad = "";
    l.apply({Answer::Yes});
    EXPECT_EQ(l.shown(), std::vector<Msg>{Msg::ApplyConfirm});
}

TEST(RestoreLine, PutsTheDefaultLineBackWhenThereIsOne) {
    Installation inst = threeSounds();
    inst.defaults[1] = "ONE:\t\t\to1 o2\t\t\t\tVOL02\t\tCH01\t\t\t#a";
    inst.defaults.pop_back(); // sound 2 has no default line: nothing happens
    SoundOneOpen l(inst);
    restoreLine(l.state);
    EXPECT_EQ(l.line(1), inst.defaults[1]);
    EXPECT_FALSE(l.state.ed.ckP);
    EXPECT_TRUE(l.state.rows[1].marked); // the default line carries #a
    makeRowCurrent(l.state, l.fake.ports, 2);
    l.setLine(2, "TWO:\t\t\tedited");
    restoreLine(l.state);
    EXPECT_EQ(l.line(2), "TWO:\t\t\tedited");
}

TEST(RestoreDefaults, RefusalsChangeNothing) {
    using namespace std::string_literals;
    const struct {
        const char* what;
        Answer answer;
        std::optional<std::string> defaults; // nothing: no Kestrel.tos
        Msg shown;
    } cases[] = {
        {"cancelled", Answer::Cancel, joinLinesCrLf({kZero}), Msg::RestoreConfirm},
        {"no defaults", Answer::Ok, std::nullopt, Msg::NoDefaults},
        {"unreadable", Answer::Ok, joinLinesCrLf({kZero, kOne, kTwo}), Msg::FileUnreadable},
        {"NUL bytes", Answer::Ok, "ZERO:\0\r\nONE:\r\nTWO:\r\n"s, Msg::DefaultsNotCatalogue},
        {"far fewer sounds", Answer::Ok, joinLinesCrLf({kZero}), Msg::DefaultsNotCatalogue},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SoundOneOpen l;
        l.fake.files.files.erase(kTos);
        if (c.defaults) l.fake.files.files[kTos] = *c.defaults;
        if (c.shown == Msg::FileUnreadable) l.fake.files.failing = {{kTos}};
        l.setLine(1, "ONE:\t\t\tedited");
        const auto before = l.fake.files.files;
        l.fake.dialogs.answers = {c.answer};
        restoreDefaults(l.state, l.fake.ports);
        EXPECT_EQ(l.shown().back(), c.shown);
        EXPECT_EQ(l.fake.dialogs.shown.back().args.empty() ? kTos : l.lastArg(), kTos);
        EXPECT_EQ(l.line(1), "ONE:\t\t\tedited");
        EXPECT_EQ(l.fake.files.files, before);
    }
}
