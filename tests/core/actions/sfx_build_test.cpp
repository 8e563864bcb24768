#include "actions/sfx_build.h"
#include "format/batch.h"
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
    void compilerWrote() {
        fake.files.write(kWads + "HARBOUR.SAM", "s0.wav\r\n");
        fake.files.write(kWads + "HARBOUR.SFX", "KSFX");
    }
    bool batchThere() { return fake.files.find(kBatch).has_value(); }
    // An earlier build's file.
    void put(const std::string& path) { fake.files.files[path] = "status 0\r\n"; }
};

} // namespace

TEST(BuildBatch, TheSixLinesAreWrittenAsTyped) {
    EXPECT_EQ(batchText("LEVEL1", "ab"),
              "sndpack LEVEL1 ab\r\ncopy *.sam ..\\..\\graphics\\wads\r\ncopy *.sfx "
              "..\\..\\graphics\\wads\r\ndel *.sam\r\ndel *.sfx\r\npause\r\n");
    // The runner's word on how the batch went.
    for (const int status : {0, 2, 137})
        EXPECT_EQ(parseBatchStatus(batchStatusText(status)), status);
    EXPECT_EQ(parseBatchStatus("status 7"), 7); // the line end may be missing
    for (const char* text : {"", "status \r\n", "status 1x\r\n", "done 0\r\n"})
        EXPECT_FALSE(parseBatchStatus(text)) << text;
}

TEST(BuildStart, EveryRefusalOrFailingStepLeavesNoBatchAndTheWindowUsable) {
    const auto typed = [](std::string letter, std::string name) {
        return [=](Build& b) { b.state.choice.txLett = letter, b.state.choice.txWad = name; };
    };
    // clang-format off
    struct Case {
        std::string what; std::function<void(Build&)> breakIt; Msg message;
        Args args;           // none: not looked at
        const char* focused; // refused before the confirmation, with this box focused
    };
    std::vector<Case> cases = {
        {"no letter", typed("", "LEVEL1"), Msg::BuildNoLetterOrWad, {}, "TxLett"},
        {"no name", typed("a", ""), Msg::BuildNoLetterOrWad, {}, "TxWAD"},
        {"unsafe letter", typed("a>b", "LEVEL1"), Msg::LetterUnsafe, {"a>b"}, "TxLett"},
        {"cancel", [](Build& b) { b.fake.dialogs.answers = {Answer::Cancel}; }, Msg::BuildConfirm,
         {"HARBOUR"}, nullptr},
        {"no folder", [](Build& b) { b.state.dirs.sfxDir = "/nowhere/"; }, Msg::BuildNoFolder,
         {"/nowhere/"}, nullptr},
        // The batch's copy lines would pass an earlier build's files off as this one's.
        {"leftovers", [](Build& b) { b.put(kSfxDir + "FOUNDRY.SAM"), b.put(kSfxDir + "x.sfx"); },
         Msg::BuildLeftovers, {kSfxDir, "FOUNDRY.SAM, x.sfx"}, nullptr},
        {"old status stays", [](Build& b) { b.put(kStatus), b.fake.files.failing = {{kStatus}}; },
         Msg::FileNotWritten, {kStatus, "file not found"}, nullptr},
        {"unwritable", [](Build& b) { b.fake.files.failing = {{kBatch}}; }, Msg::FileNotWritten,
         {kBatch, "disk full"}, nullptr},
        {"unstartable", [](Build& b) { b.fake.programs.failBatch = true; }, Msg::BuildNotStarted,
         {kBatch, "cannot start"}, nullptr},
    };
    // clang-format on
    for (const char* name : {"LEVEL 1", "L1&del", "..\\L1", "L1|x", "%PATH%", "L\"1", "L1\r\nx",
                             "aux", "Lpt1.x", "com9"})
        cases.push_back({name, typed("a", name), Msg::WadNameUnsafe, {}, "TxWAD"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Build b;
        c.breakIt(b);
        b.start();
        const bool confirmed = !c.focused && c.message != Msg::BuildConfirm;
        const bool started = c.message == Msg::BuildNotStarted;
        ASSERT_EQ(b.fake.dialogs.shown.size(), confirmed ? 2u : 1u);
        EXPECT_EQ(b.fake.dialogs.shown.back().id, c.message);
        if (!c.args.empty()) {
            EXPECT_EQ(b.fake.dialogs.shown.back().args, c.args);
        }
        EXPECT_EQ(b.fake.dialogs.focused, c.focused ? Args{c.focused} : Args{});
        EXPECT_FALSE(b.batchThere() || b.state.build.watching());
        EXPECT_EQ(b.fake.files.changes() == 0, !started);
        EXPECT_EQ(b.fake.programs.batches.size(), started ? 1u : 0u);
    }
}

TEST(BuildWatch, TheBatchReplacesAnOldOneAndTheWaitEndsWhenTheFilesHaveArrivedAndNoSfxIsLeft) {
    Build b;
    b.fake.files.files[kBatch] = "echo old\r\n";
    b.put(kSfxDir + "createsfx.STATUS");
    b.start(1000);
    EXPECT_EQ(b.fake.files.bytes(kBatch), batchText("HARBOUR", "a"));
    EXPECT_FALSE(b.fake.files.find(kStatus)) << "an old status would end the wait at once";
    const auto& run = b.fake.programs.batches.at(0);
    EXPECT_EQ((Args{run.batchPath, run.workingDir, run.installRoot, run.statusPath}),
              (Args{kBatch, kSfxDir, "/games/lvedit/", kStatus}));
    b.check(4000); // no .sfx, but no WAD files either
    EXPECT_EQ(b.state.build.phase, BuildPhase::Waiting);
    EXPECT_EQ(b.state.build.elapsed, 3000);
    b.fake.files.write(kWads + "HARBOUR.SAM", "s0.wav\r\n");
    b.check(5000); // the .SAM alone is no build
    EXPECT_EQ(b.state.build.phase, BuildPhase::Waiting);

    b.compilerWrote();
    b.check(6000);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Released);
    EXPECT_TRUE(b.state.build.justBuilt);
    EXPECT_TRUE(b.batchThere()) << "the console still runs it";
    EXPECT_EQ(b.fake.dialogs.shown.size(), 1u); // the confirmation only

    b.fake.programs.exited = {1};
    b.check(9000);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Idle);
    EXPECT_FALSE(b.batchThere());

    // On a desktop without a terminal the batch runs unseen: said once.
    b.fake.programs.batchWithoutWindow = true;
    for (const std::int64_t at : {10000, 20000}) {
        b.fake.dialogs.answers = {Answer::Ok}; // the confirmation
        b.start(at);
        b.fake.programs.exited = {1, 2};
        b.compilerWrote();
        b.check(at + 5000);
    }
    EXPECT_EQ(std::count_if(b.fake.dialogs.shown.begin(), b.fake.dialogs.shown.end(),
                            [](const auto& m) { return m.id == Msg::BuildWithoutWindow; }),
              1);
}

// Kestrel's runner writes its status once the batch has done its work,
// while its console may still wait at the pause; the Windows interpreter
// writes none.
TEST(BuildWatch, TheStatusOrTheFilesEndTheWaitAndOnlyTheFilesWordASuccess) {
    using P = BuildPhase;
    enum Files { None, Before, In, InSfxLeft };
    // clang-format off
    const struct {
        bool runner; const char* status; /* nullptr: none */ Files files; bool exited;
        P phase; bool justBuilt, over; std::optional<Msg> message; Args args;
    } cases[] = {
        {true, "status 0\r\n", In, false, P::Released, true, false, {}, {}},
        {true, "status 0\r\n", None, false, P::Released, false, true, {}, {}},
        {true, "status 0\r\n", In, true, P::Idle, true, false, {}, {}},
        {true, "status 2\r\n", In, false, P::Released, false, false, Msg::BuildCompilerFailed,
         {"HARBOUR", "2", kSfxDir}},
        {true, "status 1\r\n", None, true, P::Idle, false, false, Msg::BuildCompilerFailed,
         {"HARBOUR", "1", kSfxDir}},
        {true, "torn", In, false, P::Released, false, false, Msg::BuildCompilerFailed,
         {"HARBOUR", "?", kSfxDir}},
        {true, nullptr, In, false, P::Waiting, false, false, {}, {}},
        {true, nullptr, In, true, P::Idle, false, true, {}, {}},
        {true, nullptr, None, true, P::Idle, false, false, Msg::BuildFailed, {"HARBOUR", kWads, kSfxDir}},
        // An earlier build's files are not this build's.
        {false, nullptr, Before, true, P::Idle, false, false, Msg::BuildFailed, 
         {"HARBOUR", kWads, kSfxDir}},
        {false, nullptr, InSfxLeft, false, P::Waiting, false, false, {}, {}}, // copied, not yet deleted
        {false, nullptr, InSfxLeft, true, P::Idle, true, false, {}, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.status ? c.status : "no status") + " files " +
                     std::to_string(c.files) + (c.exited ? " exited" : ""));
        Build b;
        b.fake.programs.batchWritesStatus = c.runner;
        if (c.files == Before) b.compilerWrote();
        b.start();
        if (c.files >= In) b.compilerWrote();
        if (c.files == InSfxLeft) b.fake.files.write(kSfxDir + "HARBOUR.SFX", "KSFX");
        if (c.status) b.fake.files.write(kStatus, c.status);
        if (c.exited) b.fake.programs.exited = {1};
        b.check(3000);
        EXPECT_EQ(std::tuple(b.state.build.phase, b.state.build.justBuilt, b.state.build.buildOver),
                  std::tuple(c.phase, c.justBuilt, c.over));
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
    b.put(kSfxDir + "stuck.sfx");
    b.compilerWrote();
    b.check(3000);
    EXPECT_FALSE(b.state.build.canStopWaiting);
    b.check(kBuildWayOutMs);
    EXPECT_TRUE(b.state.build.canStopWaiting && b.state.build.windowDisabled());

    stopWaitingForBuild(b.state);
    EXPECT_EQ(b.state.build.phase, BuildPhase::Released);
    EXPECT_FALSE(b.state.build.canStopWaiting);
    b.check(kBuildWayOutMs + 1000);
    endBuildAtClose(b.state, b.fake.ports);
    EXPECT_TRUE(b.batchThere()) << "still running at close";

    Build ended; // at close, the batch of an ended process goes
    ended.start();
    ended.fake.programs.exited = {1};
    endBuildAtClose(ended.state, ended.fake.ports);
    EXPECT_FALSE(ended.batchThere() || ended.state.build.watching());
}
