#include "format/wav.h"

#include <algorithm>
#include <cstring>

namespace kestrel {

namespace {

// The frames read for one column of the envelope at most: beyond, the column
// is sampled at an even step.
constexpr std::size_t kFramesPerColumn = 2048;

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

int bytesPerSample(const WavFormat& format) {
    return (format.bits + 7) / 8;
}

bool readable(const WavFormat& format) {
    return format.kind == WavKind::Pcm && (format.bits == 8 || format.bits == 16);
}

// Sample `index` (frame * channels + channel) of readable data, from -1 to 1.
float sampleAt(std::string_view bytes, const WavFormat& format, std::size_t index) {
    const std::size_t at =
        format.dataStart + index * static_cast<std::size_t>(bytesPerSample(format));
    if (format.bits == 8) return (static_cast<float>(littleEndian(bytes, at, 1)) - 128.0f) / 128.0f;
    const auto value = static_cast<std::int16_t>(littleEndian(bytes, at, 2));
    return static_cast<float>(value) / 32768.0f;
}

bool atFullScale(std::string_view bytes, const WavFormat& format, std::size_t index) {
    const std::size_t at =
        format.dataStart + index * static_cast<std::size_t>(bytesPerSample(format));
    const std::uint32_t raw = littleEndian(bytes, at, bytesPerSample(format));
    return format.bits == 8 ? raw == 0 || raw == 0xFF : raw == 0x8000 || raw == 0x7FFF;
}

} // namespace

std::size_t WavFormat::frames() const {
    const std::size_t frameBytes =
        static_cast<std::size_t>(channels) * static_cast<std::size_t>((bits + 7) / 8);
    return frameBytes == 0 ? 0 : dataBytes / frameBytes;
}

double WavFormat::seconds() const {
    return sampleRate == 0 ? 0.0 : static_cast<double>(frames()) / sampleRate;
}

WavFormat readWavFormat(std::string_view bytes) {
    WavFormat format;
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return format;
    std::uint32_t coding = 0;
    bool haveFormat = false, haveData = false;
    // Each chunk: a four-letter name, its size, its body, a pad byte after an
    // odd size. Every step moves on by 8 bytes at least.
    for (std::size_t at = 12; at + 8 <= bytes.size() && !(haveFormat && haveData);) {
        const std::string_view name = bytes.substr(at, 4);
        const std::size_t size = littleEndian(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        const std::size_t held = std::min(size, bytes.size() - body);
        if (name == "fmt " && held >= 16) {
            coding = littleEndian(bytes, body, 2);
            format.channels = static_cast<int>(littleEndian(bytes, body + 2, 2));
            format.sampleRate = littleEndian(bytes, body + 4, 4);
            format.bits = static_cast<int>(littleEndian(bytes, body + 14, 2));
            // The extensible form names its coding at the head of a sub-format.
            if (coding == 0xFFFE && held >= 26) coding = littleEndian(bytes, body + 24, 2);
            haveFormat = true;
        } else if (name == "data") {
            format.dataStart = body;
            format.dataBytes = held;
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData || format.channels == 0 || format.bits == 0 ||
        format.sampleRate == 0) {
        return WavFormat{};
    }
    format.kind = coding == 1 && format.bits <= 32 ? WavKind::Pcm : WavKind::NotPcm;
    format.floating = coding == 3;
    return format;
}

std::optional<WavLevel> wavLevel(std::string_view bytes, const WavFormat& format) {
    if (!readable(format)) return std::nullopt;
    WavLevel level;
    const std::size_t samples = format.frames() * static_cast<std::size_t>(format.channels);
    for (std::size_t i = 0; i < samples && (level.silent || !level.clips); ++i) {
        if (sampleAt(bytes, format, i) != 0.0f) level.silent = false;
        if (atFullScale(bytes, format, i)) level.clips = true;
    }
    return level;
}

std::optional<std::string> toPcm16(std::string_view bytes, const WavFormat& format) {
    const bool pcm = format.kind == WavKind::Pcm && format.bits % 8 == 0;
    const bool float32 = format.floating && format.bits == 32;
    if (!pcm && !float32) return std::nullopt;
    const int size = bytesPerSample(format);
    const std::size_t samples = format.frames() * static_cast<std::size_t>(format.channels);
    std::string out;
    out.reserve(samples * 2);
    for (std::size_t i = 0; i < samples; ++i) {
        const std::size_t at = format.dataStart + i * static_cast<std::size_t>(size);
        std::int32_t value = 0;
        if (float32) {
            const std::uint32_t raw = littleEndian(bytes, at, 4);
            float f = 0;
            std::memcpy(&f, &raw, sizeof f);
            value = f != f ? 0 : static_cast<std::int32_t>(std::clamp(f, -1.0f, 1.0f) * 32767.0f);
        } else if (size == 1) {
            value = (static_cast<std::int32_t>(littleEndian(bytes, at, 1)) - 128) * 256;
        } else {
            // The top two bytes of a wider sample.
            value = static_cast<std::int16_t>(
                littleEndian(bytes, at + static_cast<std::size_t>(size - 2), 2));
        }
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>((value >> 8) & 0xFF);
    }
    return out;
}

std::vector<std::vector<WavColumn>> wavEnvelope(std::string_view bytes, const WavFormat& format,
                                                int columns) {
    if (!readable(format) || columns <= 0) return {};
    const auto channels = static_cast<std::size_t>(format.channels);
    const auto count = static_cast<std::size_t>(columns);
    std::vector<std::vector<WavColumn>> envelope(channels, std::vector<WavColumn>(count));
    const std::size_t frames = format.frames();
    if (frames == 0) return envelope;
    for (std::size_t c = 0; c < count; ++c) {
        const std::size_t first = c * frames / count;
        const std::size_t last = std::max(first + 1, (c + 1) * frames / count);
        const std::size_t step = std::max<std::size_t>(1, (last - first) / kFramesPerColumn);
        for (std::size_t ch = 0; ch < channels; ++ch) {
            WavColumn& column = envelope[ch][c];
            column.low = column.high = sampleAt(bytes, format, first * channels + ch);
            for (std::size_t f = first + step; f < std::min(last, frames); f += step) {
                const float v = sampleAt(bytes, format, f * channels + ch);
                column.low = std::min(column.low, v);
                column.high = std::max(column.high, v);
            }
        }
    }
    return envelope;
}

} // namespace kestrel
