#include "format/settings.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(Settings, RoundTripsEveryValue) {
    const Settings s{"D:\\", "D:\\Games\\Editor\\", "ab", R"(my "best", WAD)", Language::French};
    const std::string bytes = formatSettings(s);
    EXPECT_EQ(bytes.substr(0, 7), "\"D:\\\"\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "\"F\"\r\n");
    EXPECT_EQ(parseSettings(bytes, defaultSettings()), s);
}

TEST(Settings, LanguageIsFrenchOnlyForF) {
    const Settings base = defaultSettings();
    const char* english[] = {"\"/\"\r\n\"/x/\"\r\n\"a\"\r\n\"W\"\r\n\"E\"\r\n",
                             "\"/\"\r\n\"/x/\"\r\n\"a\"\r\n\"W\"\r\n\"\"\r\n",
                             "\"/\"\r\n\"/x/\"\r\n\"a\"\r\n\"W\"\r\n"};
    for (const char* bytes : english)
        EXPECT_EQ(parseSettings(bytes, base).language, Language::English) << bytes;
    EXPECT_EQ(parseSettings("\"/\"\n\"/x/\"\n\"\"\n\"\"\n\"F\"\n", base).language,
              Language::French);
}

TEST(Settings, MissingValuesKeepTheBase) {
    const Settings s = parseSettings("\"E:\\\"\r\n", defaultSettings());
    EXPECT_EQ(s.editorDrive, "E:\\");
    EXPECT_EQ(s.editorDir, defaultSettings().editorDir);
    EXPECT_EQ(s.letter, "");
}

TEST(Settings, EditorFoldersFromTheProgramPath) {
    const Settings base = defaultSettings();
    auto s = editorFromProgramPath("D:\\Games\\Editor\\mapforge.exe", base);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->editorDrive, "D:\\");
    EXPECT_EQ(s->editorDir, "D:\\Games\\Editor\\");
    s = editorFromProgramPath("/home/ann/lvedit/MapForge.EXE", base);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->editorDrive, "/");
    EXPECT_EQ(s->editorDir, "/home/ann/lvedit/");
    EXPECT_FALSE(editorFromProgramPath("mapforge.exe", base));
    EXPECT_FALSE(editorFromProgramPath("", base));
}
