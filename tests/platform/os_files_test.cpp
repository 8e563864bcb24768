#include "platform/os_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace kestrel;
namespace fs = std::filesystem;

namespace {

class OsFilesTest : public ::testing::Test {
protected:
    fs::path root;
    OsFiles files;

    void SetUp() override {
        root = fs::temp_directory_path() /
               ("kestrel-os-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "Sound" / "LevelSFX Creator");
        std::ofstream(root / "Sound" / "LevelSFX Creator" / "Sounds.txt", std::ios::binary)
            << "A:\ta\r\n";
    }
    void TearDown() override { fs::remove_all(root); }
    std::string at(const std::string& rel) const { return (root / rel).string(); }
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
    EXPECT_FALSE(fs::exists(root / "sound"));
    ASSERT_TRUE(files.write(at("Sound/new.txt"), ""));
    EXPECT_TRUE(fs::exists(root / "Sound" / "new.txt"));
    EXPECT_EQ(files.list(at("Sound"), "*").size(), 1u) << "nothing but the target is left behind";
    const Status failed = files.write(at("no/such/folder/x.txt"), "x");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error.empty());
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
    } cases[] = {
        {"fifo", "not a regular file", false}, {"zero", "not a regular file", false},
        {"LevelSFX Creator", "folder", false}, {"dangling", "not found", true},
        {"loop", "loop", false},               {"LevelSFX Creator/Sounds.txt", "256 MiB", false},
    };
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
#endif

TEST_F(OsFilesTest, CopyRemoveMakeDirAndList) {
    ASSERT_TRUE(files.copy(at("Sound/LevelSFX Creator/Sounds.txt"), at("Orig.txt")));
    EXPECT_EQ(files.read(at("orig.TXT")).bytes, "A:\ta\r\n");
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
