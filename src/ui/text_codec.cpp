#include "text_codec.h"

#include <array>

namespace kestrel::ui {

namespace {

// The code points of bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves
// undefined pass through as the C1 control of the same number, so that every
// byte reads back as it was.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
    return byte; // ASCII and Latin-1 share their numbers with Unicode
}

char byteOf(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<char>(ch);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == ch) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QString fromAnsi(const std::string& bytes) {
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) out.append(QChar(codePointOf(static_cast<unsigned char>(c))));
    return out;
}

std::string toAnsi(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) out.push_back(byteOf(c.unicode()));
    return out;
}

} // namespace kestrel::ui
