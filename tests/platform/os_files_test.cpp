#include "actions/apply.h"
#include "installation.h"
#include "platform/os_files.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace kestrel;
using namespace kestrel::testing;
namespace fs = std::filesystem;

namespace {

class OsFilesTest : public ::testing::Test {
protected:
    fs::path root;
    OsFiles files;

    void SetUp() override {
        root = fs::temp_directory_path() /
               ("kestrel-os-files-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "Sound" / "LevelSFX Creator");
        std::ofstream(root / "Sound" / "LevelSFX Creator" / "Sounds.txt", std::ios::binary)
            << "A:\ta\r\n";
    }
    void TearDown() override { fs::remove_all(root); }
    std::string at(const std::string& rel) const {
        return (root / fs::path(rel).make_preferred()).string();
    }
};

} // namespace

TEST_F(OsFilesTest, FindsAndReadsWithoutRegardToCase) {
    const auto found = files.find(at("sound/levelsfx creator/SOUNDS.TXT"));
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, at("Sound/LevelSFX Creator/Sounds.txt"));
    const ReadResult r = files.read(at("sound/LevelSFX Creator/sounds.txt"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "A:\ta\r\n");
    EXPECT_TRUE(files.read(at("missing.txt")).missing);
    EXPECT_FALSE(files.read(at("missing.txt")).ok);
    EXPECT_FALSE(files.read(at("Sound")).ok);
}

TEST_F(OsFilesTest, WritesReplaceTheFileOfAnyCaseOrSayWhyNot) {
    ASSERT_TRUE(files.write(at("sound/levelsfx creator/sounds.txt"), "B:\tb\r\n"));
    EXPECT_EQ(files.read(at("Sound/LevelSFX Creator/Sounds.txt")).bytes, "B:\tb\r\n");
    // The file and its folders keep their names (no "sound" beside "Sound").
    EXPECT_EQ(files.list(at("Sound/LevelSFX Creator"), "*"),
              std::vector<std::string>{"Sounds.txt"});
    EXPECT_EQ(fs::directory_iterator(root)->path().filename(), "Sound");
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
    ASSERT_TRUE(files.write(at("Sound/new.txt"), ""));
    EXPECT_TRUE(fs::exists(root / "Sound" / "new.txt"));
    EXPECT_EQ(files.list(at("Sound"), "*").size(), 1u) << "nothing but the target is left behind";
    const Status failed = files.write(at("no/such/folder/x.txt"), "x");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error.empty());
}

// Windows refuses to replace a file another program holds open (the level
// editor may): the write then fails whole, with a reason.
TEST_F(OsFilesTest, AFileHeldOpenIsReplacedWholeOrLeftAsItWas) {
    const std::string sounds = at("Sound/LevelSFX Creator/Sounds.txt");
    std::ifstream held(sounds, std::ios::binary);
    ASSERT_TRUE(held.is_open());
    const Status written = files.write(sounds, "B:\tb\r\n");
    held.close();
    EXPECT_EQ(files.read(sounds).bytes, written ? "B:\tb\r\n" : "A:\ta\r\n");
    EXPECT_EQ(written.ok, written.error.empty());
    EXPECT_EQ(files.list(at("Sound/LevelSFX Creator"), "*").size(), 1u) << "no temporary file";
}

#ifndef _WIN32
TEST_F(OsFilesTest, ReadsOnlyRegularFilesOfASaneSize) {
    const fs::path dir = root / "Sound";
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    fs::create_symlink(dir / "loop", dir / "loop");
    fs::resize_file(root / "Sound/LevelSFX Creator/Sounds.txt", kMaxReadBytes + 1); // sparse
    const struct {
        const char* name;
        const char* reason;
        bool missing;
        // clang-format off
    } cases[] = {
        {"fifo", "not a regular file", false}, {"zero", "not a regular file", false},
        {"LevelSFX Creator", "folder", false}, {"dangling", "not found", true},
        {"loop", "loop", false},               {"LevelSFX Creator/Sounds.txt", "256 MiB", false},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ReadResult r = files.read((dir / c.name).string()); // never hangs
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << c.name << ": " << r.error;
        EXPECT_EQ(r.missing, c.missing) << c.name;
    }
    EXPECT_FALSE(files.copy((dir / "fifo").string(), at("copy.txt")));
    EXPECT_FALSE(fs::exists(root / "copy.txt"));
}

TEST_F(OsFilesTest, ALinkStaysALinkAndOnlyOwnStaleTemporaryFilesGo) {
    const fs::path dir = root / "Sound";
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    fs::create_symlink(dir / "loop", dir / "loop");
    for (const char* link : {"dangling", "loop"}) {
        EXPECT_FALSE(files.write((dir / link).string(), "x")) << link;
        EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
    }
    EXPECT_FALSE(fs::exists(dir / "nowhere"));

    const fs::path sounds = dir / "LevelSFX Creator" / "Sounds.txt";
    for (const char* left : {".kestrel-tmp123456", ".kestrel-tmp7"})
        std::ofstream(sounds.string() + left) << "stale";
    for (const char* kept : {".kestrel-tmp", ".kestrel-tmp12a", ".bak"})
        std::ofstream(sounds.string() + kept) << "not ours";
    std::ofstream(dir / "LevelSFX Creator" / "Other.txt.kestrel-tmp1") << "another file's";
    ASSERT_TRUE(files.write(sounds.string(), "new"));
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir / "LevelSFX Creator"))
        names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"Sounds.txt", "Sounds.txt.kestrel-tmp",
                                            "Sounds.txt.kestrel-tmp12a", "Sounds.txt.bak",
                                            "Other.txt.kestrel-tmp1"}));
}

// A replaced file keeps its mode and stays a link; one marked read-only is
// never replaced, whoever runs the program.
TEST_F(OsFilesTest, RealSoundsTxtKeepsItsModeAndLinkAndAReadOnlyOneStays) {
    const fs::path sounds = root / "Sound/LevelSFX Creator/Sounds.txt", elsewhere = root / "e.txt";
    for (const auto mode : {fs::perms(0660), fs::perms(0444)})
        for (const bool linked : {false, true}) {
            SCOPED_TRACE(std::to_string(int(mode)) + (linked ? " linked" : ""));
            fs::remove(sounds), fs::remove(elsewhere);
            const fs::path file = linked ? elsewhere : sounds;
            std::ofstream(file) << "old";
            if (linked) fs::create_symlink(file, sounds);
            fs::permissions(file, mode);
            EXPECT_EQ(bool(files.write(sounds.string(), "new")), mode != fs::perms(0444));
            EXPECT_EQ(files.read(file.string()).bytes, mode != fs::perms(0444) ? "new" : "old");
            EXPECT_EQ(fs::is_symlink(sounds), linked);
            EXPECT_EQ(fs::status(file).permissions(), mode);
            fs::permissions(file, fs::perms::owner_all);
            // A version kept of a link is the file it names, as it was.
            fs::remove(root / "kept.txt");
            ASSERT_TRUE(files.keepAs(sounds.string(), at("kept.txt")));
            ASSERT_TRUE(files.write(sounds.string(), "newer"));
            EXPECT_FALSE(fs::is_symlink(root / "kept.txt"));
            EXPECT_EQ(files.read(at("kept.txt")).bytes, mode != fs::perms(0444) ? "new" : "old");
        }
}

// Apply through the real port, its folders read-only: nothing changes and
// the failure is shown (root ignores the folders' modes: skipped).
TEST_F(OsFilesTest, ReadOnlyFoldersLeaveSoundsTxtAsItWasThroughAnApply) {
    Installation inst;
    inst.appDir = (root / "app").string() + "/";
    inst.editorDir = inst.settings.editorDir = (root / "lvedit").string() + "/";
    inst.sounds = inst.defaults = {"ZERO:\tz0\tVOL01\t#a", "ONE:\to1\tVOL02"};
    FakePorts fake;
    MainState state = inst.install(fake.files);
    for (const auto& [path, bytes] : fake.files.files) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    Ports ports{fake.dialogs, files, fake.sound, fake.programs};
    loadCatalogue(state, ports);
    state.liText.set(1, "ONE:\to9");
    for (const auto& dir : {inst.appDir, inst.sfxDir()}) fs::permissions(dir, fs::perms(0555));
    const bool refused = !std::ofstream(inst.sfxDir() + "probe").is_open();
    if (refused) {
        fake.dialogs.answers = {Answer::Yes};
        EXPECT_FALSE(applyChanges(state, ports));
        EXPECT_EQ(fake.dialogs.shown.back().id, Msg::FileNotWritten);
        std::size_t count = 0;
        for (const auto& e : fs::recursive_directory_iterator(root)) count += e.is_regular_file();
        EXPECT_EQ(count, fake.files.files.size() + 1); // and the fixture's own Sounds.txt
        for (const auto& [path, bytes] : fake.files.files) EXPECT_EQ(files.read(path).bytes, bytes);
    }
    for (const auto& dir : {inst.appDir, inst.sfxDir()}) fs::permissions(dir, fs::perms::owner_all);
    if (!refused) GTEST_SKIP() << "rights that ignore a folder's mode (root)";
}
#endif

TEST_F(OsFilesTest, CopyKeepRemoveMakeDirAndList) {
    const std::string sounds = at("Sound/LevelSFX Creator/Sounds.txt");
    ASSERT_TRUE(files.copy(sounds, at("Orig.txt")));
    EXPECT_EQ(files.read(at("orig.TXT")).bytes, "A:\ta\r\n");
    // A kept version keeps the bytes it had when the file is written again,
    // and a taken name is written over.
    const auto before = files.stamp(sounds);
    ASSERT_TRUE(files.keepAs(sounds, at("kept.txt")));
#ifndef _WIN32
    // Not copied (the C++ library's count on Windows always says 1).
    EXPECT_EQ(fs::hard_link_count(sounds), 2u);
#endif
    ASSERT_TRUE(files.write(sounds, "B:\tbb\r\n"));
    EXPECT_EQ(files.read(at("kept.txt")).bytes, "A:\ta\r\n");
    EXPECT_NE(files.stamp(sounds), before);
    EXPECT_EQ(files.stamp(sounds)->size, 7u);
    EXPECT_FALSE(files.stamp(at("missing.txt")));
    ASSERT_TRUE(files.keepAs(sounds, at("KEPT.txt")));
    EXPECT_EQ(files.read(at("kept.txt")).bytes, "B:\tbb\r\n");
    ASSERT_TRUE(files.makeDir(at("sounds")));
    ASSERT_TRUE(files.makeDir(at("SOUNDS"))); // already there, in another case
    ASSERT_TRUE(files.write(at("sounds/one.sfx"), "1"));
    ASSERT_TRUE(files.write(at("sounds/two.SFX"), "2"));
    ASSERT_TRUE(files.write(at("sounds/three.sam"), "3"));
    EXPECT_EQ(files.list(at("sounds"), "*.sfx").size(), 2u);
    ASSERT_TRUE(files.remove(at("SOUNDS/ONE.SFX")));
    EXPECT_EQ(files.list(at("sounds"), "*.sfx"), std::vector<std::string>{"two.SFX"});
    EXPECT_FALSE(files.remove(at("sounds/one.sfx")));
}

TEST(MatchesPattern, StarsAndQuestionMarks) {
    EXPECT_TRUE(matchesPattern("City.SAM", "*.sam"));
    EXPECT_TRUE(matchesPattern("a.sfx", "?.SFX"));
    EXPECT_FALSE(matchesPattern("ab.sfx", "?.sfx"));
    EXPECT_TRUE(matchesPattern("", "*"));
    EXPECT_FALSE(matchesPattern("a.sfxx", "*.sfx"));
}
