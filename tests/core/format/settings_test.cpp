#include "format/settings.h"

#include <gtest/gtest.h>

using namespace kestrel;

TEST(Settings, RoundTripsAndReadsWhatIsThere) {
    const Settings s{"D:\\", "D:\\Games\\Editor\\", "ab", R"(my "best", WAD)", Language::French};
    const std::string bytes = formatSettings(s);
    EXPECT_EQ(bytes.substr(0, 7), "\"D:\\\"\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "\"F\"\r\n");
    EXPECT_EQ(parseSettings(bytes, defaultSettings()), s);
    // Missing values keep the base.
    Settings partial = defaultSettings();
    partial.editorDrive = "E:\\";
    EXPECT_EQ(parseSettings("\"E:\\\"\r\n", defaultSettings()), partial);
    // Only "F" is French.
    const std::pair<const char*, Language> languages[] = {
        {"\"/\"\r\n\"/x/\"\r\n\"a\"\r\n\"W\"\r\n\"E\"\r\n", Language::English},
        {"\"/\"\r\n\"/x/\"\r\n\"a\"\r\n\"W\"\r\n\"\"\r\n", Language::English},
        {"\"/\"\r\n\"/x/\"\r\n\"a\"\r\n\"W\"\r\n", Language::English},
        {"\"/\"\n\"/x/\"\n\"\"\n\"\"\n\"F\"\n", Language::French}};
    for (const auto& [text, language] : languages)
        EXPECT_EQ(parseSettings(text, defaultSettings()).language, language) << text;
}

TEST(Settings, EditorFoldersFromTheProgramPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\Games\\Editor\\mapforge.exe", "D:\\|D:\\Games\\Editor\\"},
        {"/home/ann/lvedit/MapForge.EXE", "/|/home/ann/lvedit/"},
        {"mapforge.exe", "none"},
        {"", "none"}};
    for (const auto& [path, folders] : cases) {
        const auto s = editorFromProgramPath(path, defaultSettings());
        EXPECT_EQ(s ? s->editorDrive + "|" + s->editorDir : "none", folders) << path;
    }
}
