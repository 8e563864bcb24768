#include "batch_runner.h"
#include "format/batch.h"
#include "tool_fixture.h"

#include <gtest/gtest.h>
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
    bool said(const std::string& text) const { return err.str().find(text) != std::string::npos; }
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

TEST(BatchRunner, LinesSplitIntoWordsSpecialCharactersAreRefusedPathsIgnoreCase) {
    std::string error;
    const auto c = batch::parseLine("  copy\t*.sam  ..\\..\\graphics\\wads ", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->word, "copy");
    EXPECT_EQ(c->args, (std::vector<std::string>{"*.sam", "..\\..\\graphics\\wads"}));
    EXPECT_EQ(batch::parseLine("", error)->word, "");
    for (const char* bad : {"sndpack A&del B a", "del *.sam | x", "copy a > b", "echo %PATH%",
                            "sndpack \"A\" a", "sndpack A^ a"})
        EXPECT_FALSE(batch::parseLine(bad, error)) << bad;

    Runner r;
    EXPECT_EQ(batch::resolvePath(r.inst.sfxDir, "..\\..\\Graphics\\WADS"), r.inst.wadsDir);
    EXPECT_EQ(batch::resolvePath(r.inst.sfxDir, "../../graphics/wads/"), r.inst.wadsDir);
    EXPECT_FALSE(batch::resolvePath(r.inst.sfxDir, "..\\..\\nowhere"));
}

TEST(BatchRunner, CopyAndDelWorkOnWildcardsAndReplaceAFileOfTheSameNameInAnyCase) {
    Runner r;
    for (const auto& [path, bytes] : {std::pair{r.inst.sfxDir / "L1.SAM", "new sam"},
                                      {r.inst.sfxDir / "L1.SFX", "new sfx"},
                                      {r.inst.sfxDir / "Sounds.txt", "keep"},
                                      {r.inst.wadsDir / "l1.sam", "old sam"}})
        DiskInstallation::put(path, bytes);
    EXPECT_EQ(r.run("copy *.sam ..\\..\\graphics\\wads\r\ncopy *.sfx ..\\..\\graphics\\wads\r\n"
                    "del *.sam\r\ndel *.sfx\r\npause\r\n"),
              0)
        << r.err.str();
    EXPECT_EQ(snapshot(r.inst.base),
              (std::map<fs::path, std::string>{{r.inst.wadsDir / "l1.sam", "new sam"},
                                               {r.inst.wadsDir / "L1.SFX", "new sfx"},
                                               {r.inst.sfxDir / "Sounds.txt", "keep"},
                                               {r.status, "status 0\r\n"}}));
    EXPECT_NE(r.out.str().find("Press any key"), std::string::npos);
}

TEST(BatchRunner, AFailedOrUnknownLineIsReportedAndTheNextLinesStillRun) {
    Runner r;
    DiskInstallation::put(r.inst.sfxDir / "x.sfx", "x");
    EXPECT_EQ(r.run("echo hello\r\ncopy *.sam ..\\..\\graphics\\wads\r\ncopy *.sfx nowhere\r\n"
                    "del *.sfx\r\n"),
              127);
    for (const char* text :
         {"'echo' is not a command", "no file matches *.sam", "nowhere does not exist"})
        EXPECT_TRUE(r.said(text)) << text << " in " << r.err.str();
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
// copies and deletions inside the level editor's folder only. In a line or a
// link's target, $T is the touch program and $O the folder beside the root.
TEST(BatchRunner, NoLineReachesOutOfItsFolders) {
    const std::string touch = fs::exists("/bin/touch") ? "/bin/touch" : "/usr/bin/touch";
    const std::string toWads = "copy *.sam ..\\..\\graphics\\wads";
    const struct {
        std::string line;
        const char* link = ""; // made under the root before the line runs
        const char* target = "";
    } cases[] = {
        {"$T made"},
        {"../../../../../../../..$T made"},
        {"touchy made", "sound/LevelSFX Creator/touchy", "$T"},
        {"copy *.sam ..\\..\\..\\outside"},
        {"copy *.sam $O"},
        {"copy *.sam \\outside"},
        {"copy *.sam C:\\outside"},
        {"copy ..\\..\\..\\outside\\*.txt ..\\..\\graphics\\wads"},
        {"copy *.sam ..\\..\\Graphics\\ESCAPE", "graphics/escape", "$O"},
        {toWads, "graphics/wads/l1.sam", "$O/victim.txt"},
        {toWads, "graphics/wads/L1.SAM", "$O/new.sam"}, // a link to nothing yet
        {toWads, "sound/LevelSFX Creator/V.SAM", "$O/victim.txt"},
        {"del $O/*.txt"},
        {"del ..\\..\\..\\outside\\*.txt"},
        {"del ..\\..\\Graphics\\ESCAPE\\*.txt", "graphics/escape", "$O"},
    };
    for (const auto& c : cases) {
        Runner r;
        const auto fill = [&](std::string s) {
            for (const auto& [mark, value] :
                 {std::pair{"$T", touch}, {"$O", r.inst.outside.string()}})
                if (const auto at = s.find(mark); at != std::string::npos) s.replace(at, 2, value);
            return s;
        };
        SCOPED_TRACE(fill(c.line));
        r.ctx.statusFile.clear();
        DiskInstallation::put(r.inst.sfxDir / "L1.SAM", "sam");
        DiskInstallation::put(r.inst.outside / "victim.txt", "victim");
        std::error_code noLinks; // Windows makes links for administrators only
        if (*c.link) fs::create_symlink(fill(c.target), r.inst.root / c.link, noLinks);
        if (noLinks) continue;
        const auto before = snapshot(r.inst.base);
        EXPECT_NE(r.run(fill(c.line) + "\r\n"), 0);
        EXPECT_EQ(r.err.str().rfind("line 1: ", 0), 0u) << r.err.str();
        EXPECT_EQ(snapshot(r.inst.base), before);
    }
    Runner r;
    r.ctx.root.clear(); // the batch's folder is the root
    DiskInstallation::put(r.inst.sfxDir / "L1.SAM", "sam");
    EXPECT_NE(r.run(toWads + "\r\n"), 0);
    EXPECT_TRUE(r.said("is outside the level editor's folder"));
    EXPECT_FALSE(fs::exists(r.inst.wadsDir / "L1.SAM"));
}

} // namespace
