#include "format/wav.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

std::string le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A wave file: RIFF header, a format chunk (an extensible one when `sub` is
// given) and a data chunk announcing `announced` bytes (its real size when 0).
std::string wav(int coding, int channels, int bits, const std::string& data,
                std::uint32_t announced = 0, int sub = 0) {
    std::string fmt =
        le(coding, 2) + le(channels, 2) + le(22050, 4) + le(0, 4) + le(0, 2) + le(bits, 2);
    if (sub) fmt += le(22, 2) + le(bits, 2) + le(0, 4) + le(sub, 2) + std::string(14, '\0');
    const std::string body = "WAVEfmt " + le(fmt.size(), 4) + fmt + "LIST" + le(3, 4) + "abc" +
                             std::string(1, '\0') + "data" +
                             le(announced ? announced : data.size(), 4) + data;
    return "RIFF" + le(body.size(), 4) + body;
}

std::string samples16(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += le(static_cast<std::uint16_t>(v), 2);
    return out;
}

} // namespace

TEST(Wav, FormatAndLevelOfCraftedFiles) {
    using K = WavKind;
    const std::string pastEnd = "RIFF\xff\xff\xff\xffWAVEjunk\xff\xff\xff\xff";
    const struct {
        const char* what;
        std::string bytes;
        WavKind kind;
        std::size_t frames;
        std::optional<bool> silent, clips; // unset: the level is not read
    } cases[] = {
        {"16-bit stereo", wav(1, 2, 16, samples16({1, -1, 300, -300})), K::Pcm, 2, false, false},
        {"16-bit at full scale", wav(1, 1, 16, samples16({5, 32767})), K::Pcm, 2, false, true},
        {"16-bit at the negative end", wav(1, 1, 16, samples16({-32768})), K::Pcm, 1, false, true},
        {"8-bit mono silent", wav(1, 1, 8, "\x80\x80\x80"), K::Pcm, 3, true, false},
        {"8-bit at full scale", wav(1, 1, 8, "\x80\xff"), K::Pcm, 2, false, true},
        {"cut short", wav(1, 1, 16, samples16({7, 8, 9}) + "\x01", 1000), K::Pcm, 3, false, false},
        {"extensible PCM", wav(0xFFFE, 1, 16, samples16({0}), 0, 1), K::Pcm, 1, true, false},
        {"24-bit", wav(1, 1, 24, "abcdef"), K::Pcm, 2, {}, {}},
        {"floating point", wav(3, 1, 32, "abcd"), K::NotPcm, 1, {}, {}},
        {"extensible float", wav(0xFFFE, 1, 32, "abcd", 0, 3), K::NotPcm, 1, {}, {}},
        {"not RIFF", "RIFX" + wav(1, 1, 8, "\x80").substr(4), K::Unreadable, 0, {}, {}},
        {"no data", wav(1, 1, 8, "").substr(0, 44), K::Unreadable, 0, {}, {}},
        {"empty data at the end", wav(1, 1, 8, ""), K::Pcm, 0, true, false},
        {"no channels", wav(1, 0, 8, "\x80"), K::Unreadable, 0, {}, {}},
        {"chunk size past the end", pastEnd, K::Unreadable, 0, {}, {}},
        {"empty", "", K::Unreadable, 0, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const WavFormat f = readWavFormat(c.bytes);
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.frames(), c.frames);
        const auto level = wavLevel(c.bytes, f);
        ASSERT_EQ(level.has_value(), c.silent.has_value());
        if (level) {
            EXPECT_EQ(std::pair(level->silent, level->clips), std::pair(*c.silent, *c.clips));
        }
    }
    const WavFormat stereo = readWavFormat(wav(1, 2, 16, std::string(22050 * 4, '\0')));
    EXPECT_EQ(std::tuple(stereo.channels, stereo.sampleRate, stereo.bits),
              std::tuple(2, 22050u, 16));
    EXPECT_DOUBLE_EQ(stereo.seconds(), 1.0);
    WavFormat noRate = stereo;
    noRate.sampleRate = 0;
    EXPECT_DOUBLE_EQ(noRate.seconds(), 0.0);
}

TEST(Wav, EveryPcmSizeAndFloatBecome16Bit) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {wav(1, 1, 8, std::string("\x80\xff\x00", 3)), samples16({0, 0x7F00, -0x8000})},
        {wav(1, 2, 16, samples16({5, -6})), samples16({5, -6})},
        {wav(1, 1, 24, std::string("\x01\x34\x12\xff\xff\x80", 6)), samples16({0x1234, -0x7F01})},
        {wav(3, 1, 32, le(0x3F000000, 4) + le(0xC0000000, 4) + le(0x7FC00000, 4)),
         samples16({16383, -32767, 0})},    // no number at all is silence
        {wav(2, 1, 4, "ab"), std::nullopt}, // ADPCM
        {wav(3, 1, 64, std::string(8, '\0')), std::nullopt},
    };
    for (const auto& [bytes, converted] : cases)
        EXPECT_EQ(toPcm16(bytes, readWavFormat(bytes)), converted);
}

TEST(Wav, EnvelopeHoldsTheLowAndHighOfEachStretchPerChannel) {
    const std::string bytes =
        wav(1, 2, 16, samples16({0, 100, -16384, 200, 16384, 300, 8192, -32768}));
    const auto env = wavEnvelope(bytes, readWavFormat(bytes), 2);
    ASSERT_EQ(env.size(), 2u);
    EXPECT_EQ(env[0], (std::vector<WavColumn>{{-0.5f, 0.0f}, {0.25f, 0.5f}}));
    EXPECT_EQ(env[1][1], (WavColumn{-1.0f, 300 / 32768.0f}));
    // More columns than frames: each column still shows a frame.
    EXPECT_EQ(wavEnvelope(bytes, readWavFormat(bytes), 8)[0][7].high, 0.25f);
    EXPECT_TRUE(wavEnvelope(bytes, readWavFormat(bytes), 0).empty());
    // A long file is sampled: ten minutes of 8-bit mono give a column per pixel.
    const std::string longWav = wav(1, 1, 8, std::string(22050 * 600, '\x90'));
    const auto wide = wavEnvelope(longWav, readWavFormat(longWav), 300);
    ASSERT_EQ(wide.at(0).size(), 300u);
    EXPECT_EQ(wide[0][299], (WavColumn{0.125f, 0.125f}));
}
