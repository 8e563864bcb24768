#include "session/os_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
