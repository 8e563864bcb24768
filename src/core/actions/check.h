#pragma once
// The catalogue check: what would make a WAD's build fail or a sound play
// wrong, found in the working lines (what Apply would write), the WAD table
// and the samples folder.

#include "session/main_state.h"
#include "session/ports.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

enum class Severity { Error, Warning };

enum class Problem {
    NoSamplesFolder,      // the samples folder cannot be listed (no sound)
    UnusableSample,       // a sample name the compiler cannot take
    MissingWav,           // a sample without its .wav
    ChangedByRebuild,     // writing the line again would change what it says
    UnsafeLetter,         // a letter tag the build refuses
    UnknownLetter,        // a letter the WAD table does not hold
    ProtectedWithLetters, // the marks strip them
    LongName,             // the old tools cut the name part
    LongSampleList,       // … the sample list
    ManySamples,          // … the samples after the tenth
    RepeatedTag,          // the same tag twice on one line
    DuplicateLine,        // the same line as an earlier sound
    WavUnreadable,        // not a wave file the game can read
    WavNotPcm,
    WavSilent,
    WavClips,
};

Severity severityOf(Problem problem);

struct Finding {
    int id = -1; // the sound, -1 for none
    Problem problem{};
    std::string subject; // what the text names, as the line holds it: a sample, a tag, a sound ID
    bool operator==(const Finding&) const = default;
};

// The text of a finding in English and in French, UTF-8; "%1" takes the
// subject.
struct FindingTexts {
    const char* english;
    const char* french;
};
FindingTexts textsOf(Problem problem);

// The longest sample name the level editor's compiler takes.
inline constexpr std::size_t kMaxSampleName = 8;

// What the check reads besides the lines: the .wav files of the samples
// folder by lower-case name, and the problem of each that has one.
// The .wav files of the samples folder, by their names on disk (UTF-8) in
// lower case.
struct SampleFolder {
    bool listed = true;
    std::set<std::string> wavs;
    std::map<std::string, Problem> wavProblems;
};

// The findings for every line, sorted by sound ID.
std::vector<Finding> findProblems(const WorkingLines& lines,
                                  const std::vector<std::string>& wadLetters,
                                  const SampleFolder& samples);

// The problem a .wav's bytes show, if any.
std::optional<Problem> wavProblem(std::string_view bytes);

// What the check reads of the samples folder: the names of the .wav files
// only (enough for every error), or also the files the lines name.
enum class WavReading { NamesOnly, Contents };

// Runs the check on the loaded catalogue: lists the samples folder and, for
// the warnings about .wav files, reads the .wav of every sample the lines
// name.
std::vector<Finding> checkCatalogue(const MainState& state, Ports& ports,
                                    WavReading reading = WavReading::Contents);

// The line of sounds.txt that holds each sound (1 for the first line), 0 for
// a sound the file does not hold.
std::vector<int> fileLineOfSounds(const SoundsFile& file, int soundCount);

// How many findings are errors.
int errorCount(const std::vector<Finding>& findings);

// How many sounds carrying the tag `tag` ("#f") have an error.
int soundsWithErrors(const std::vector<Finding>& findings, const WorkingLines& lines,
                     const std::string& tag);

} // namespace kestrel
