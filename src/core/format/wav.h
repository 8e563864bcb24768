#pragma once
// The .wav sample files: their format, read from the header, and what their
// data holds (silence, a peak at full scale, a reduced picture of the wave).
//
// A reader never trusts the sizes a file announces: a cut or lying file gives
// what it really holds, and the work done is bounded by the file's length.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

enum class WavKind {
    Pcm,        // integer samples the program can read
    NotPcm,     // a wave file in another coding (floating point, compressed, …)
    Unreadable, // not a wave file, or one without its format or its data
};

struct WavFormat {
    WavKind kind = WavKind::Unreadable;
    bool floating = false; // NotPcm: floating-point samples
    int channels = 0;
    std::uint32_t sampleRate = 0;
    int bits = 0;
    std::size_t dataStart = 0; // where the sample data starts in the file
    std::size_t dataBytes = 0; // the sample data the file really holds

    // Whole frames (one sample of every channel) in the data.
    std::size_t frames() const;
    double seconds() const;
};

WavFormat readWavFormat(std::string_view bytes);

// The loudness of 8- and 16-bit PCM data: silent when every sample sits at
// the middle, clipping when one reaches full scale. Nothing for other sizes
// or codings.
struct WavLevel {
    bool silent = true;
    bool clips = false;
};
std::optional<WavLevel> wavLevel(std::string_view bytes, const WavFormat& format);

// The sample data as interleaved 16-bit PCM, for an output that takes
// nothing else: from 8-, 16-, 24- and 32-bit PCM and 32-bit floating point;
// nothing for other codings.
std::optional<std::string> toPcm16(std::string_view bytes, const WavFormat& format);

// A reduced picture of one channel: the lowest and highest sample of each of
// `columns` equal stretches, from -1 to 1. One vector per channel; empty for
// what wavLevel cannot read. A long file is sampled at a bounded number of
// frames per column, so that drawing it never takes long.
struct WavColumn {
    float low = 0, high = 0;
    bool operator==(const WavColumn&) const = default;
};
std::vector<std::vector<WavColumn>> wavEnvelope(std::string_view bytes, const WavFormat& format,
                                                int columns);

} // namespace kestrel
