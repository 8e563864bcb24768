#pragma once
// The two encodings of the program's text. What the level editor's files hold
// (sound names, samples, letters, WAD names) is 8-bit Windows-1252; paths and
// the texts of messages are UTF-8, the bytes Linux names files with and what
// Windows' wide names are converted from.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// The code points of bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves
// undefined pass through as the C1 control of the same number, so that every
// byte reads back as it was.
inline constexpr std::array<char16_t, 32> kAnsiHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char16_t ansiCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kAnsiHigh[byte - 0x80];
    return byte; // ASCII and Latin-1 share their numbers with Unicode
}

// The byte of a character, or nothing when Windows-1252 has none for it.
std::optional<char> ansiByte(char32_t ch);

std::string utf8FromAnsi(std::string_view bytes);

// Nothing when the text is not UTF-8 or holds a character Windows-1252 lacks.
std::optional<std::string> ansiFromUtf8(std::string_view text);

// Decodes one UTF-8 character at `at`: its code point and length, or nothing
// for a byte that does not start a well-formed character.
struct Utf8Char {
    char32_t code;
    std::size_t length;
};
std::optional<Utf8Char> utf8CharAt(std::string_view text, std::size_t at);

} // namespace kestrel
