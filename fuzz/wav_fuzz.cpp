// The .wav reader: whatever a file holds, the format read from it stays
// inside the file, the level and the picture of the wave read only what it
// holds, and every value of the picture lies between -1 and 1.

#include "actions/check.h"
#include "format/wav.h"
#include "fuzz_support.h"

using namespace kestrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const WavFormat format = readWavFormat(bytes);
    const auto level = wavLevel(bytes, format);
    const auto problem = wavProblem(bytes);
    if (format.kind == WavKind::Unreadable) {
        FUZZ_CHECK(!level && problem == Problem::WavUnreadable);
        return 0;
    }
    FUZZ_CHECK(format.channels > 0 && format.bits > 0 && format.sampleRate > 0);
    FUZZ_CHECK(format.dataStart <= size && format.dataBytes <= size - format.dataStart);
    const std::size_t frameBytes =
        static_cast<std::size_t>(format.channels) * static_cast<std::size_t>((format.bits + 7) / 8);
    FUZZ_CHECK(format.frames() * frameBytes <= format.dataBytes);
    FUZZ_CHECK(format.kind == WavKind::NotPcm ? problem == Problem::WavNotPcm
                                              : problem != Problem::WavUnreadable);
    if (level) FUZZ_CHECK(!(level->silent && level->clips));

    for (const int columns : {1, 7, 300}) {
        const auto envelope = wavEnvelope(bytes, format, columns);
        FUZZ_CHECK(envelope.size() == (level ? static_cast<std::size_t>(format.channels) : 0u));
        for (const auto& channel : envelope) {
            FUZZ_CHECK(channel.size() == static_cast<std::size_t>(columns));
            for (const WavColumn& c : channel)
                FUZZ_CHECK(-1.0f <= c.low && c.low <= c.high && c.high <= 1.0f);
        }
    }
    return 0;
}
