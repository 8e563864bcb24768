#include "format/ansi.h"
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
        {"lv/mapforge.exe", "none"},
        {"", "none"}};
    for (const auto& [path, folders] : cases) {
        const auto s = editorFromProgramPath(path, defaultSettings());
        EXPECT_EQ(s ? s->editorDrive + "|" + s->editorDir : "none", folders) << path;
    }
}

// Paths are UTF-8 in memory and Windows-1252 in the file where it can hold
// them; anything else goes marked, and every path reads back as it was.
TEST(Settings, PathsStoredAsEightBitOrMarkedUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"/home/ann/lvedit/", "/home/ann/lvedit/"},
        {"/home/ann/d\xC3\xA9mo/", "/home/ann/d\xE9mo/"},                         // é
        {"C:\\\xE2\x82\xAC\\", "C:\\\x80\\"},                                     // €
        {"/\xD0\x97\xD0\xB2\xD1\x83/", "\xEF\xBB\xBF/\xD0\x97\xD0\xB2\xD1\x83/"}, // Зву
        {"/x\xFF/", "\xEF\xBB\xBF/x\xFF/"},                                       // not UTF-8
        {"\xC3\xAF\xC2\xBB\xC2\xBFx", "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFx"},   // the mark itself
    };
    for (const auto& [path, stored] : cases) {
        EXPECT_EQ(storedPath(path), stored) << path;
        Settings s = defaultSettings();
        s.editorDir = path;
        s.wadName = "caf\xE9"; // names stay the file's bytes
        EXPECT_EQ(parseSettings(formatSettings(s), defaultSettings()), s) << path;
    }
}

// The 8-bit table at its edges, both ways: C1 control characters have no
// byte; the bytes 0x80-0x9F stand for the characters of Windows-1252.
TEST(Ansi, BytesAndCharactersAtTheEdgesOfTheTable) {
    const std::pair<char32_t, std::optional<char>> bytes[] = {
        {U'\x7F', '\x7F'}, {U'\x80', std::nullopt},  {U'\x9F', std::nullopt}, {U'\xA0', '\xA0'},
        {U'\xFF', '\xFF'}, {U'\x100', std::nullopt}, {U'€', '\x80'},          {U'Ÿ', '\x9F'}};
    for (const auto& [ch, byte] : bytes) EXPECT_EQ(ansiByte(ch), byte) << int(ch);
    EXPECT_EQ(utf8FromAnsi("\x80\xE9"
                           "A"),
              "\xE2\x82\xAC\xC3\xA9"
              "A");
    EXPECT_EQ(ansiFromUtf8("\xC3\xA9\xE2\x82\xAC"), std::optional<std::string>("\xE9\x80"));
    EXPECT_EQ(ansiFromUtf8("\xCE\xA9"), std::nullopt); // Ω has no byte
    // A continuation byte never leads; U+10FFFF is the last character.
    EXPECT_FALSE(utf8CharAt("\x80", 0));
    EXPECT_EQ(utf8CharAt("\xF4\x8F\xBF\xBF", 0)->code, U'\U0010FFFF');
    EXPECT_FALSE(utf8CharAt("\xF4\x90\x80\x80", 0));
    EXPECT_FALSE(utf8CharAt("\xC1\x80\x80\x80", 0)); // an over-long lead
    EXPECT_FALSE(utf8CharAt("\xED\xBF\xBF", 0));     // the last surrogate
}
