#include "batch_runner.h"
#include "build/batch.h"
#include "tool_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace kestrel::testing;
namespace fs = std::filesystem;

namespace {

struct Runner {
    DiskInstallation inst;
    std::ostringstream out, err;
    batch::Context ctx{inst.sfxDir, out, err, false};

    int run(const std::string& bytes) { return batch::runBatch(bytes, ctx); }
};

TEST(BatchRunner, LinesSplitIntoWordsAndSpecialCharactersAreRefused) {
    std::string error;
    const auto c = batch::parseLine("  copy\t*.sam  ..\\..\\graphics\\wads ", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->word, "copy");
    EXPECT_EQ(c->args, (std::vector<std::string>{"*.sam", "..\\..\\graphics\\wads"}));
    EXPECT_EQ(batch::parseLine("", error)->word, "");
    for (const char* bad : {"sndpack A&del B a", "del *.sam | x", "copy a > b", "echo %PATH%",
                            "sndpack \"A\" a", "sndpack A^ a"})
        EXPECT_FALSE(batch::parseLine(bad, error)) << bad;
}

TEST(BatchRunner, RelativePathsFollowBackslashesInAnyCase) {
    Runner r;
    EXPECT_EQ(batch::resolvePath(r.inst.sfxDir, "..\\..\\Graphics\\WADS"), r.inst.wadsDir);
    EXPECT_EQ(batch::resolvePath(r.inst.sfxDir, "../../graphics/wads/"), r.inst.wadsDir);
    EXPECT_FALSE(batch::resolvePath(r.inst.sfxDir, "..\\..\\nowhere"));
}

TEST(BatchRunner, CopyAndDelWorkOnWildcardsAndReplaceAFileOfTheSameNameInAnyCase) {
    Runner r;
    DiskInstallation::put(r.inst.sfxDir / "L1.SAM", "new sam");
    DiskInstallation::put(r.inst.sfxDir / "L1.SFX", "new sfx");
    DiskInstallation::put(r.inst.sfxDir / "Sounds.txt", "keep");
    DiskInstallation::put(r.inst.wadsDir / "l1.sam", "old sam");
    EXPECT_EQ(r.run("copy *.sam ..\\..\\graphics\\wads\r\ncopy *.sfx ..\\..\\graphics\\wads\r\n"
                    "del *.sam\r\ndel *.sfx\r\npause\r\n"),
              0)
        << r.err.str();
    EXPECT_EQ(DiskInstallation::bytes(r.inst.wadsDir / "l1.sam"), "new sam");
    EXPECT_FALSE(fs::exists(r.inst.wadsDir / "L1.SAM"));
    EXPECT_EQ(DiskInstallation::bytes(r.inst.wadsDir / "L1.SFX"), "new sfx");
    EXPECT_FALSE(fs::exists(r.inst.sfxDir / "L1.SAM"));
    EXPECT_FALSE(fs::exists(r.inst.sfxDir / "L1.SFX"));
    EXPECT_TRUE(fs::exists(r.inst.sfxDir / "Sounds.txt"));
    EXPECT_NE(r.out.str().find("Press any key"), std::string::npos);
}

TEST(BatchRunner, AFailedOrUnknownLineIsReportedAndTheNextLinesStillRun) {
    Runner r;
    DiskInstallation::put(r.inst.sfxDir / "x.sfx", "x");
    EXPECT_EQ(r.run("echo hello\r\ncopy *.sam ..\\..\\graphics\\wads\r\ncopy *.sfx nowhere\r\n"
                    "del *.sfx\r\n"),
              1);
    EXPECT_NE(r.err.str().find("'echo' is not a command"), std::string::npos) << r.err.str();
    EXPECT_NE(r.err.str().find("no file matches *.sam"), std::string::npos);
    EXPECT_NE(r.err.str().find("nowhere does not exist"), std::string::npos);
    EXPECT_FALSE(fs::exists(r.inst.sfxDir / "x.sfx")) << "the del line still ran";
    EXPECT_EQ(r.run("pause now\r\n"), 1);
}

} // namespace
