#pragma once
// sndpack: a stand-in for the level editor's sound compiler.
//
//     sndpack NAME LETTER        (run in the sound compiler folder)
//
// reads Sounds.txt, takes the sounds whose letter tail carries the whole tag
// "#LETTER", and writes two files beside it:
//
// NAME.SAM  the sample files those sounds play, one per line as
//           "<sample>.wav", CR LF, in the order of the sounds, each once.
//
// NAME.SFX  the sounds and the samples' data, little-endian:
//             "KSFX"                     magic
//             u32 version                1
//             u32 sound count, u32 sample count
//             per sound:
//               u32 ID                   its place among the sound lines
//               u16 length, name         the name before the first ':'
//               i32 VOL, CH, PIT, RAD    kAbsent when the line has none
//               u8  flags                bit 0 P, 1 V, 2 R, 3 N, 4 L
//               u16 count, u32 index...  into the samples below
//             per sample:
//               u16 length, file name    "<sample>.wav"
//               u32 length, bytes        the whole .wav file
//
// The samples are read from the Samples folder beside the compiler folder
// (..\Samples). A sample that is missing there is an error: nothing is
// written, so a WAD never gets a list that its sound file does not match. A
// sample name holding "/", "\" or ".." is an error the same way, and no file
// is opened for it.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace sndpack {

inline constexpr std::int32_t kAbsent = INT32_MIN;

// The bytes of a sample's .wav file, by file name; nothing when missing.
using SampleReader = std::function<std::optional<std::string>(const std::string& fileName)>;

struct Packed {
    std::string sam;
    std::string sfx;
    int soundCount = 0;
    std::vector<std::string> sampleFiles;
    std::vector<std::string> missing; // sample files not found, or named outside the folder
};

// Builds both files from the bytes of Sounds.txt.
Packed pack(std::string_view soundsBytes, std::string_view letter, const SampleReader& readSample);

// The program: builds NAME.SAM and NAME.SFX in `dir`, reporting to `out` and
// `err`. Returns the exit status (0 when both files were written).
int run(const std::filesystem::path& dir, const std::vector<std::string>& args, std::ostream& out,
        std::ostream& err);

} // namespace sndpack
