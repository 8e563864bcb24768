#include "actions/check.h"
#include "actions/current_sound.h"
#include "actions/sound_list.h"
#include "installation.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

using P = Problem;

std::string wav16(std::initializer_list<std::uint16_t> samples) {
    std::string data;
    for (const auto s : samples) data += {static_cast<char>(s & 0xFF), static_cast<char>(s >> 8)};
    const auto le32 = [](std::size_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), 0, 0};
    };
    return "RIFF" + le32(36 + data.size()) + "WAVEfmt " + le32(16) +
           std::string("\x01\x00\x01\x00\x22\x56\x00\x00\x44\xac\x00\x00\x02\x00\x10\x00", 16) +
           "data" + le32(data.size()) + data;
}

} // namespace

namespace kestrel {
void PrintTo(const Finding& f, std::ostream* out) {
    *out << f.id << ':' << static_cast<int>(f.problem) << ':' << f.subject;
}
} // namespace kestrel

TEST(Check, EachKindOfFindingOnItsLine) {
    SampleFolder folder{true,
                        {"a1.wav", "z1.wav", "quiet.wav", "loud.wav"},
                        {{"quiet.wav", P::WavSilent}, {"loud.wav", P::WavClips}}};
    const struct {
        std::string line;
        std::vector<std::pair<Problem, std::string>> found;
    } cases[] = {
        {"CLEAN:\t\ta1 A1 Z1\t\tVOL01\t\t#a #b", {}},
        {"GONE:\t\ta1 zz1\t\tVOL01", {{P::MissingWav, "zz1.wav"}}},
        {"BADNAME:\tninechars ..\\a1 a/b",
         {{P::UnusableSample, "ninechars"},
          {P::UnusableSample, "..\\a1"},
          {P::UnusableSample, "a/b"}}},
        {"WAVS:\tquiet loud", {{P::WavSilent, "quiet.wav"}, {P::WavClips, "loud.wav"}}},
        {"LETTERS:\ta1\tVOL01\t#a #z #a* #g #",
         {{P::UnknownLetter, "#z"}, {P::UnsafeLetter, "#a*"}, {P::UnsafeLetter, "#"}}},
        {"TWICE:\ta1\tVOL01\t#a #b #a", {{P::RepeatedTag, "#a"}}},
        {"LOST:\ta1\t#a\tVOL01\tjunk", {{P::ChangedByRebuild, ""}}},
        {"NAME_OF_TWENTY_THREE_CH:\ta1", {{P::LongName, "24"}}},
        {"NAME_OF_TWENTY_TWO_CHA:\ta1", {}},
        {"LIST:\ta1 a1 a1 a1 a1 a1 a1 a1 a1 a1 a1", {{P::ManySamples, "11"}}},
        {"WIDE:\ta1 a1 a1 a1 a1 a1 a1 a1 a1 a1 a1",
         {{P::ManySamples, "11"}, {P::DuplicateLine, "9"}}},
        {"LIST:\tquiet1 a1 a1 a1 a1 a1 a1 a1 a1 a1",
         {{P::MissingWav, "quiet1.wav"}, {P::LongSampleList, "33"}}},
        {"   ", {}},
    };
    std::vector<std::string> lines;
    std::vector<Finding> expected;
    for (const auto& c : cases) {
        const int id = static_cast<int>(lines.size());
        lines.push_back(c.line);
        for (const auto& [problem, subject] : c.found) expected.push_back({id, problem, subject});
    }
    lines[10] = lines[9]; // a byte-for-byte copy
    lines.resize(28);
    lines[27] = "PROTECTED:\ta1\tVOL01\t#a"; // sound 27 is never edited
    expected.push_back({27, P::ProtectedWithLetters, "#a"});
    EXPECT_EQ(findProblems(WorkingLines(lines), {"a", "b"}, folder), expected);

    EXPECT_EQ(soundsWithErrors(expected, WorkingLines(lines), "#a"),
              1); // LETTERS; GONE carries no #a
    EXPECT_EQ(soundsWithErrors(expected, WorkingLines(lines), "#b"), 0);
    EXPECT_EQ(
        errorCount({{0, P::MissingWav, ""}, {1, P::UnknownLetter, ""}, {2, P::MissingWav, ""}}), 2);
    EXPECT_EQ(severityOf(P::MissingWav), Severity::Error);
    EXPECT_EQ(severityOf(P::UnknownLetter), Severity::Warning);

    folder.listed = false; // no folder: one finding for it, none per sample
    EXPECT_EQ(findProblems(WorkingLines({"GONE:\tzz1"}), {}, folder),
              (std::vector<Finding>{{-1, P::NoSamplesFolder, ""}}));
}

TEST(Check, TheCatalogueCheckReadsTheSamplesFolderOnce) {
    Installation inst;
    // Sample names are the file's 8-bit text; names on disk are UTF-8.
    inst.sounds = {"ZERO:\tBell1 hum\tVOL01\t#a", "ONE:\tgone", "TWO:\tbell1", "THREE:\tcaf\xE9"};
    Loaded app(inst);
    const std::string samples = app.state.dirs.sampleDir;
    app.fake.files.files[samples + "BELL1.WAV"] = wav16({0x7FFF, 1});
    app.fake.files.files[samples + "hum.wav"] = wav16({5, 0xFFFB});
    app.fake.files.files[samples + "caf\xC3\xA9.wav"] = wav16({5, 0xFFFB});
    app.fake.files.files[samples + "unused.wav"] = "not read";
    EXPECT_EQ(checkCatalogue(app.state, app.fake.ports),
              (std::vector<Finding>{{0, P::WavClips, "Bell1.wav"},
                                    {1, P::MissingWav, "gone.wav"},
                                    {2, P::WavClips, "bell1.wav"}}));
    EXPECT_EQ(wavProblem("RIFF"), P::WavUnreadable);
    app.fake.files.failing = {{samples + "hum.wav", FileOp::Read}}; // not read for the names
    EXPECT_EQ(checkCatalogue(app.state, app.fake.ports, WavReading::NamesOnly),
              (std::vector<Finding>{{1, P::MissingWav, "gone.wav"}}));
    EXPECT_EQ(fileLineOfSounds(app.state.soundsFile, 5), (std::vector<int>{1, 2, 3, 4, 0}));
}

TEST(SampleFiles, TheSamplesListAndTheViewReadTheSamplesFolder) {
    Installation inst;
    inst.sounds = {"ZERO:\tBell1 gone ..\\up junk float\tVOL01"};
    Loaded app(inst);
    const std::string samples = app.state.dirs.sampleDir;
    app.fake.files.files[samples + "BELL1.WAV"] = wav16({0x4000, 0xC000, 0});
    app.fake.files.files[samples + "junk.wav"] = "RIFF";
    std::string floating = wav16({0, 0});
    floating[20] = 3; // the coding: floating point
    app.fake.files.files[samples + "float.wav"] = floating;
    app.fake.files.files[app.state.dirs.editorDir + "sound/up.wav"] = wav16({1});
    makeRowCurrent(app.state, app.fake.ports, 0);
    EXPECT_EQ(samplesWithWav(app.state, app.fake.ports),
              (std::vector<bool>{true, false, false, true, true}));
    using S = SampleView::Shown;
    const std::pair<const char*, S> shown[] = {{"Bell1", S::Wave},     {"gone", S::Missing},
                                               {"..\\up", S::Missing}, {"junk", S::Unreadable},
                                               {"float", S::Format},   {"", S::None}};
    for (const auto& [sample, how] : shown)
        EXPECT_EQ(viewSample(app.state, app.fake.ports, sample).shown, how) << sample;
    const SampleView bell = viewSample(app.state, app.fake.ports, "Bell1");
    ASSERT_EQ(bell.wave.size(), 1u);
    ASSERT_EQ(bell.wave[0].size(), std::size_t(kSampleViewColumns));
    EXPECT_EQ(bell.wave[0][0], (WavColumn{0.5f, 0.5f}));
    EXPECT_EQ(bell.wave[0][200], (WavColumn{-0.5f, -0.5f}));
}
