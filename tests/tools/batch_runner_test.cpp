#include "batch_runner.h"
#include "format/batch.h"
#include "tool_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>

using namespace kestrel::testing;
namespace fs = std::filesystem;

namespace {

struct Runner {
    DiskInstallation inst;
    std::ostringstream out, err;
    fs::path status = inst.sfxDir / "CreateSFX.status";
    batch::Context ctx{inst.sfxDir, out, err, false, inst.root, status};

    int run(const std::string& bytes) { return batch::runBatch(bytes, ctx); }
};

// Every file under `dir`, links by what they name.
std::map<fs::path, std::string> snapshot(const fs::path& dir) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_symlink())
            files[entry.path()] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[entry.path()] = DiskInstallation::bytes(entry.path());
    return files;
}

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
    EXPECT_EQ(DiskInstallation::bytes(r.status), "status 0\r\n");
}

TEST(BatchRunner, AFailedOrUnknownLineIsReportedAndTheNextLinesStillRun) {
    Runner r;
    DiskInstallation::put(r.inst.sfxDir / "x.sfx", "x");
    EXPECT_EQ(r.run("echo hello\r\ncopy *.sam ..\\..\\graphics\\wads\r\ncopy *.sfx nowhere\r\n"
                    "del *.sfx\r\n"),
              127);
    EXPECT_NE(r.err.str().find("'echo' is not a command"), std::string::npos) << r.err.str();
    EXPECT_NE(r.err.str().find("no file matches *.sam"), std::string::npos);
    EXPECT_NE(r.err.str().find("nowhere does not exist"), std::string::npos);
    EXPECT_FALSE(fs::exists(r.inst.sfxDir / "x.sfx")) << "the del line still ran";
    EXPECT_EQ(DiskInstallation::bytes(r.status), "status 127\r\n");
    EXPECT_EQ(r.run("pause now\r\n"), 1);

    // The compiler's status, written at the pause, is not hidden by the copy
    // that then finds nothing.
    fs::copy_file(SNDPACK_PROGRAM, r.inst.sfxDir / "sndpack");
    EXPECT_EQ(r.run("sndpack\r\ncopy *.sam ..\\..\\graphics\\wads\r\npause\r\n"), 2);
    EXPECT_EQ(DiskInstallation::bytes(r.status), "status 2\r\n");
}

// A batch does no more than the build's: programs of its own folder only,
// copies and deletions inside the level editor's folder only.
TEST(BatchRunner, NoLineReachesOutOfItsFolders) {
    const fs::path touch = fs::exists("/bin/touch") ? "/bin/touch" : "/usr/bin/touch";
    const struct {
        const char* what;
        std::function<std::string(const DiskInstallation&)> line;
    } cases[] = {
        {"absolute program", [&](auto&) { return touch.string() + " made"; }},
        {"program up", [&](auto&) { return "../../../../../../../.." + touch.string() + " made"; }},
        {"program link",
         [&](auto& i) {
             fs::create_symlink(touch, i.sfxDir / "touchy");
             return std::string("touchy made");
         }},
        {"copy up", [](auto&) { return std::string("copy *.sam ..\\..\\..\\outside"); }},
        {"copy absolute", [](auto& i) { return "copy *.sam " + i.outside.string(); }},
        {"copy to root", [](auto&) { return std::string("copy *.sam \\outside"); }},
        {"copy to drive", [](auto&) { return std::string("copy *.sam C:\\outside"); }},
        {"copy from up",
         [](auto&) {
             return std::string("copy ..\\..\\..\\outside\\*.txt ..\\..\\graphics\\wads");
         }},
        {"copy through a folder link",
         [](auto& i) {
             fs::create_directory_symlink(i.outside, i.root / "graphics" / "escape");
             return std::string("copy *.sam ..\\..\\Graphics\\ESCAPE");
         }},
        {"copy over a file link",
         [](auto& i) {
             fs::create_symlink(i.outside / "victim.txt", i.wadsDir / "l1.sam");
             return std::string("copy *.sam ..\\..\\graphics\\wads");
         }},
        {"copy over a link to nothing",
         [](auto& i) {
             fs::create_symlink(i.outside / "new.sam", i.wadsDir / "L1.SAM");
             return std::string("copy *.sam ..\\..\\graphics\\wads");
         }},
        {"copy a file link",
         [](auto& i) {
             fs::create_symlink(i.outside / "victim.txt", i.sfxDir / "V.SAM");
             return std::string("copy *.sam ..\\..\\graphics\\wads");
         }},
        {"del absolute", [](auto& i) { return "del " + (i.outside / "*.txt").string(); }},
        {"del up", [](auto&) { return std::string("del ..\\..\\..\\outside\\*.txt"); }},
        {"del through a folder link",
         [](auto& i) {
             fs::create_directory_symlink(i.outside, i.root / "graphics" / "escape");
             return std::string("del ..\\..\\Graphics\\ESCAPE\\*.txt");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Runner r;
        r.ctx.statusFile.clear();
        DiskInstallation::put(r.inst.sfxDir / "L1.SAM", "sam");
        DiskInstallation::put(r.inst.outside / "victim.txt", "victim");
        const std::string line = c.line(r.inst) + "\r\n";
        const auto before = snapshot(r.inst.base);
        EXPECT_NE(r.run(line), 0);
        EXPECT_EQ(r.err.str().rfind("line 1: ", 0), 0u) << r.err.str();
        EXPECT_EQ(snapshot(r.inst.base), before);
    }
    Runner r;
    r.ctx.root.clear(); // the batch's folder is the root
    DiskInstallation::put(r.inst.sfxDir / "L1.SAM", "sam");
    EXPECT_NE(r.run("copy *.sam ..\\..\\graphics\\wads\r\n"), 0);
    EXPECT_NE(r.err.str().find("is outside the level editor's folder"), std::string::npos);
    EXPECT_FALSE(fs::exists(r.inst.wadsDir / "L1.SAM"));
}

} // namespace
