#include "format/batch.h"
#include "actions/sfx_build.h"
#include "installation.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

const std::string kSfxDir = "/games/lvedit/sound/LevelSFX Creator/";
const std::string kWads = "/games/lvedit/graphics/wads/";
const std::string kBatch = kSfxDir + "CreateSFX.bat";
const std::string kStatus = kSfxDir + "CreateSFX.status";
using Args = std::vector<std::string>;

Installation threeSounds() {
    Installation inst;
    inst.sounds = Installation::numberedSounds(3);
    return inst;
}

struct Build : Loaded {
    Build() : Loaded(threeSounds()) { fake.dialogs.answers = {Answer::Ok}; }
    void start(std::int64_t now = 0) { startBuild(state, fake.ports, now); }
    void check(std::int64_t now) { checkBuild(state, fake.ports, now); }
    // What the compiler and the batch's copy lines leave behind.
    void compilerWrote(const std::string& name) {
        fake.files.write(kWads + name + ".SAM", "s0.wav\r\n");
        fake.files.write(kWads + name + ".SFX", "KSFX");
    }
    bool batchThere() { return fake.files.find(kBatch).has_value(); }
};

TEST(BuildBatch, TheSixLinesAreWrittenAsTyped) {
    EXPECT_EQ(batchText("LEVEL1", "a"), "sndpack LEVEL1 a\r\n"
                                        "copy *.sam ..\\..\\graphics\\wads\r\n"
                                        "copy *.sfx ..\\..\\graphics\\wads\r\n"
                                        "del *.sam\r\n"
                                        "del *.sfx\r\n"
                                        "pause\r\n");
    EXPECT_EQ(batchText("level1", "pr").substr(0, 19), "sndpack level1 pr\r\n");
}

TEST(BuildStart, AMissingOrUnsafeLetterOrNameIsRefusedBeforeAnythingIsWritten) {
    struct Refusal {
        std::string letter, name;
        Msg message;
        const char* focused;
    };
    std::vector<Refusal> cases = {
        {"", "LEVEL1", Msg::BuildNoLetterOrWad, "TxLett"},
        {"", "", Msg::BuildNoLetterOrWad, "TxLett"},
        {"a", "", Msg::BuildNoLetterOrWad, "TxWAD"},
        {"a>b", "LEVEL1", Msg::LetterUnsafe, "TxLett"},
        {"a b", "LEVEL1", Msg::LetterUnsafe, "TxLett"},
    };
    for (const char* name : {"LEVEL 1", "L1&del", "..\\L1", "L1|x", "%PATH%", "L\"1", "L1\r\nx"})
        cases.push_back({"a", name, Msg::WadNameUnsafe, "TxWAD"});
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.letter + " / " + c.name);
        Build b;
        b.state.txLett = c.letter;
        b.state.txWad = c.name;
        b.start();
        ASSERT_EQ(b.fake.dialogs.shown.size(), 1u);
        EXPECT_EQ(b.fake.dialogs.shown[0].id, c.message);
        EXPECT_EQ(b.fake.dialogs.focused, Args{c.focused});
        EXPECT_FALSE(b.batchThere());
        EXPECT_TRUE(b.fake.programs.batches.empty());
        EXPECT_FALSE(b.state.build.watching());
    }
}

TEST(BuildStart, CancelAtTheConfirmationWritesAndStartsNothing) {
    Build b;
    b.fake.dialogs.answers = {Answer::Cancel};
    b.start();
    ASSERT_EQ(b.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(b.fake.dialogs.shown[0].id, Msg::BuildConfirm);
    EXPECT_EQ(b.fake.dialogs.shown[0].args, Args{"HARBOUR"});
    EXPECT_FALSE(b.batchThere());
    EXPECT_TRUE(b.fake.programs.batches.empty());
}

TEST(BuildStart, TheBatchReplacesAnOldOneAndStartsInTheCompilerFolder) {
    Build b;
    b.fake.files.files[kBatch] = "echo old\r\n";
    b.fake.files.files[kSfxDir + "createsfx.STATUS"] = "status 0\r\n";
    b.start();
    EXPECT_EQ(b.fake.files.bytes(kBatch), batchText("HARBOUR", "a"));
    EXPECT_FALSE(b.fake.files.find(kStatus)) << "an old status would end the wait at once";
    ASSERT_EQ(b.fake.programs.batches.size(), 1u);
    EXPECT_EQ(b.fake.programs.batches[0].batchPath, kBatch);
    EXPECT_EQ(b.fake.programs.batches[0].workingDir, kSfxDir);
    EXPECT_EQ(b.fake.programs.batches[0].installRoot, "/games/lvedit/");
    EXPECT_EQ(b.fake.programs.batches[0].statusPath, kStatus);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Waiting);
    EXPECT_TRUE(b.state.build.windowDisabled());
}

TEST(BuildStart, EachFailingStepIsReportedAndLeavesTheWindowUsable) {
    const struct {
        const char* step;
        std::function<void(Build&)> breakIt;
        Msg message;
        Args args;
        bool started;
    } cases[] = {
        {"no folder", [](Build& b) { b.state.dirs.sfxDir = "/nowhere/"; }, Msg::BuildNoFolder,
         {"/nowhere/"}, false},
        // The batch's copy lines would pass an earlier build's files off as
        // this one's.
        {"leftovers",
         [](Build& b) {
             b.fake.files.files[kSfxDir + "FOUNDRY.SAM"] = "old";
             b.fake.files.files[kSfxDir + "foundry.sfx"] = "old";
         },
         Msg::BuildLeftovers, {kSfxDir, "FOUNDRY.SAM, foundry.sfx"}, false},
        {"old status stays",
         [](Build& b) {
             b.fake.files.files[kStatus] = "status 0\r\n";
             b.fake.files.failing = {kStatus};
         },
         Msg::FileNotWritten, {kStatus, "file not found"}, false},
        {"unwritable", [](Build& b) { b.fake.files.failing = {kBatch}; }, Msg::FileNotWritten,
         {kBatch, "disk full"}, false},
        {"unstartable", [](Build& b) { b.fake.programs.failBatch = true; }, Msg::BuildNotStarted,
         {kBatch, "cannot start"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        Build b;
        c.breakIt(b);
        b.start();
        ASSERT_EQ(b.fake.dialogs.shown.size(), 2u);
        EXPECT_EQ(b.fake.dialogs.shown[1].id, c.message);
        EXPECT_EQ(b.fake.dialogs.shown[1].args, c.args);
        EXPECT_FALSE(b.batchThere());
        EXPECT_EQ(b.fake.files.writes.empty(), !c.started);
        EXPECT_EQ(b.fake.programs.batches.size(), c.started ? 1u : 0u);
        EXPECT_FALSE(b.state.build.watching());
        EXPECT_FALSE(b.state.build.windowDisabled());
    }
}

TEST(BuildWatch, TheWaitEndsWhenTheFilesHaveArrivedAndNoSfxIsLeft) {
    Build b;
    b.start(1000);
    b.check(4000); // no .sfx, but no WAD files either
    EXPECT_EQ(b.state.build.phase, BuildPhase::Waiting);
    EXPECT_EQ(b.state.build.elapsed, 3000);

    b.fake.files.write(kSfxDir + "HARBOUR.SFX", "KSFX");
    b.compilerWrote("HARBOUR");
    b.check(5000); // copied, not yet deleted
    EXPECT_EQ(b.state.build.phase, BuildPhase::Waiting);

    b.fake.files.remove(kSfxDir + "HARBOUR.SFX");
    b.check(6000);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Released);
    EXPECT_TRUE(b.state.build.justBuilt);
    EXPECT_FALSE(b.state.build.windowDisabled());
    EXPECT_TRUE(b.batchThere()) << "the console still runs it";
    EXPECT_EQ(b.fake.dialogs.shown.size(), 1u); // the confirmation only

    b.fake.programs.exited = {1};
    b.check(9000);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Idle);
    EXPECT_FALSE(b.batchThere());
}

TEST(BuildWatch, ABatchThatEndsWithoutTheFilesIsAFailure) {
    Build b;
    b.compilerWrote("HARBOUR"); // an earlier build's files are not this build's
    b.start();
    b.check(3000);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Waiting);
    b.fake.programs.exited = {1};
    b.check(4000);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Idle);
    EXPECT_FALSE(b.state.build.justBuilt);
    EXPECT_TRUE(b.fake.dialogs.showed(Msg::BuildFailed));
    EXPECT_FALSE(b.batchThere());
}

// Kestrel's runner writes its status once the batch has done its work,
// while its console may still wait at the pause.
TEST(BuildWatch, TheRunnersStatusEndsTheWaitAndTheFilesOnlyWordASuccess) {
    using P = BuildPhase;
    const struct {
        const char* status; // the status file; nullptr: none
        bool filesIn, exited;
        P phase;
        bool justBuilt, over;
        std::optional<Msg> message;
        Args args;
    } cases[] = {
        {"status 0\r\n", true, false, P::Released, true, false, {}, {}},
        {"status 0\r\n", false, false, P::Released, false, true, {}, {}},
        {"status 0\r\n", true, true, P::Idle, true, false, {}, {}},
        {"status 2\r\n", true, false, P::Released, false, false, Msg::BuildCompilerFailed,
         {"HARBOUR", "2", kSfxDir}},
        {"status 1\r\n", false, true, P::Idle, false, false, Msg::BuildCompilerFailed,
         {"HARBOUR", "1", kSfxDir}},
        {"torn", true, false, P::Released, false, false, Msg::BuildCompilerFailed,
         {"HARBOUR", "?", kSfxDir}},
        {nullptr, true, false, P::Waiting, false, false, {}, {}},
        {nullptr, true, true, P::Idle, false, true, {}, {}},
        {nullptr, false, true, P::Idle, false, false, Msg::BuildFailed, {"HARBOUR", kWads, kSfxDir}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.status ? c.status : "no status") + (c.filesIn ? " in" : "") +
                     (c.exited ? " exited" : ""));
        Build b;
        b.fake.programs.batchWritesStatus = true;
        b.start();
        if (c.filesIn) b.compilerWrote("HARBOUR");
        if (c.status) b.fake.files.write(kStatus, c.status);
        if (c.exited) b.fake.programs.exited = {1};
        b.check(3000);
        EXPECT_EQ(b.state.build.phase, c.phase);
        EXPECT_EQ(b.state.build.justBuilt, c.justBuilt);
        EXPECT_EQ(b.state.build.buildOver, c.over);
        EXPECT_FALSE(b.fake.files.find(kStatus));
        EXPECT_EQ(b.batchThere(), c.phase != P::Idle);
        ASSERT_EQ(b.fake.dialogs.shown.size(), c.message ? 2u : 1u);
        if (c.message) {
            EXPECT_EQ(b.fake.dialogs.shown[1].id, *c.message);
            EXPECT_EQ(b.fake.dialogs.shown[1].args, c.args);
        }
    }
}

TEST(BuildWatch, AWaitThatNeverEndsOffersAWayOutAndKeepsTheBatchWhileItRuns) {
    Build b;
    b.start();
    b.fake.files.files[kSfxDir + "stuck.sfx"] = "x";
    b.compilerWrote("HARBOUR");
    b.check(3000);
    EXPECT_FALSE(b.state.build.canStopWaiting);
    b.check(kBuildWayOutMs);
    EXPECT_TRUE(b.state.build.canStopWaiting);
    EXPECT_TRUE(b.state.build.windowDisabled());

    stopWaitingForBuild(b.state);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Released);
    EXPECT_FALSE(b.state.build.canStopWaiting);
    b.check(kBuildWayOutMs + 1000);
    EXPECT_TRUE(b.batchThere());

    endBuildAtClose(b.state, b.fake.ports);
    EXPECT_TRUE(b.batchThere()) << "still running at close";
}

TEST(BuildWatch, AtCloseTheBatchOfAnEndedProcessGoes) {
    Build b;
    b.start();
    b.fake.programs.exited = {1};
    endBuildAtClose(b.state, b.fake.ports);
    EXPECT_FALSE(b.batchThere());
    EXPECT_FALSE(b.state.build.watching());
}

} // namespace
