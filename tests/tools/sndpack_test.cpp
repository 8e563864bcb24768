#include "actions/import.h"
#include "actions/letters.h"
#include "batch_runner.h"
#include "format/batch.h"
#include "format/record_file.h"
#include "installation.h"
#include "sndpack.h"
#include "tool_fixture.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace kestrel;
using namespace kestrel::testing;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kSounds = {
    "BELL:\t\tbell1 bell2\t\tVOL50\tP\tCH02\t\t\t#b #a",
    "GULL:\t\tgull1\t\t\tVOL20\t\tCH01\t\t\t#b #ab",
    "HORN:\t\thorn1 bell2\t\tVOL08\t\tCH01\tPIT-05\tRAD10\tL\t#a",
    "WIND:\t\twind1 wind2\t\tVOL10\t\tCH01\t\t\t#ab",
};

std::string soundsBytes() {
    return "; heading\r\n" + joinLinesCrLf(kSounds);
}

TEST(Sndpack, TheListHoldsTheSamplesOfTheWholeTagOnceEachInOrder) {
    const sndpack::Packed p = sndpack::pack(soundsBytes(), "a", [](const std::string& f) {
        return std::optional<std::string>("RIFF" + f);
    });
    EXPECT_EQ(p.sam, "bell1.wav\r\nbell2.wav\r\nhorn1.wav\r\n");
    EXPECT_EQ(p.soundCount, 2);
    EXPECT_TRUE(p.missing.empty());
    ASSERT_GE(p.sfx.size(), 43u);
    EXPECT_EQ(p.sfx.substr(0, 4), "KSFX");
    EXPECT_EQ(p.sfx.substr(22, 4), "BELL");
    // version, sounds, samples; then BELL: its ID (the heading is no sound),
    // VOL, CH, no PIT
    const std::pair<std::size_t, std::uint32_t> words[] = {
        {4, 1}, {8, 2}, {12, 3}, {16, 0}, {26, 50}, {30, 2}, {34, std::uint32_t(sndpack::kAbsent)}};
    for (const auto& [at, value] : words) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<unsigned char>(p.sfx[at + std::size_t(i)]);
        EXPECT_EQ(v, value) << "at " << at;
    }
    EXPECT_EQ(p.sfx[42], 1) << "P";
    EXPECT_NE(p.sfx.find("RIFFhorn1.wav"), std::string::npos);

    // A stored name never leads the compiler out of the samples folder.
    std::vector<std::string> opened;
    const auto escaping =
        sndpack::pack(joinLinesCrLf({"PIPE:\t\t..\\x sub/y up..z ok\t\tVOL1\t\t\t\t\t#a"}), "a",
                      [&](const std::string& f) {
                          opened.push_back(f);
                          return std::optional<std::string>("x");
                      });
    EXPECT_EQ(escaping.missing, (std::vector<std::string>{"..\\x.wav", "sub/y.wav", "up..z.wav"}));
    EXPECT_EQ(opened, std::vector<std::string>{"ok.wav"});
}

TEST(Sndpack, TheProgramWritesNothingWhenASampleIsMissingOrNoSoundMatches) {
    DiskInstallation inst;
    DiskInstallation::put(inst.sfxDir / "sounds.TXT", soundsBytes());
    std::ostringstream out, err;
    EXPECT_EQ(sndpack::run(inst.sfxDir, {"LEVEL1", "a"}, out, err), 1);
    EXPECT_NE(err.str().find("missing sample bell1.wav"), std::string::npos);
    EXPECT_FALSE(fs::exists(inst.sfxDir / "LEVEL1.SAM"));
    for (const char* s : {"bell1", "bell2", "horn1"}) inst.putSample(s);
    EXPECT_EQ(sndpack::run(inst.sfxDir, {"LEVEL1", "z"}, out, err), 1);
    EXPECT_EQ(sndpack::run(inst.sfxDir, {"LEVEL1", "a", "extra"}, out, err), 2);
    EXPECT_EQ(sndpack::run(inst.sfxDir, {"LEVEL1", "a"}, out, err), 0) << err.str();
    EXPECT_EQ(DiskInstallation::bytes(inst.sfxDir / "LEVEL1.SAM"),
              "bell1.wav\r\nbell2.wav\r\nhorn1.wav\r\n");
}

// The whole road on disk: the batch, run by the runner (on Windows by the
// command interpreter, as Kestrel has it), calls the compiler in the
// compiler folder and moves its output to the wads folder; importing that
// list gives the letter back to the sounds that had it.
TEST(Sndpack, ABuildThenAnImportOfItsListGivesTheLetterBackToTheSameSounds) {
    DiskInstallation inst;
    DiskInstallation::put(inst.sfxDir / "Sounds.txt", soundsBytes());
    for (const char* s : {"bell1", "bell2", "horn1", "gull1", "wind1", "wind2"}) inst.putSample(s);
#ifdef _WIN32
    fs::copy_file(SNDPACK_PROGRAM, inst.sfxDir / "sndpack.exe");
    DiskInstallation::put(inst.sfxDir / "CreateSFX.bat", batchText("LEVEL1", "ab"));
    ASSERT_EQ(batch::runAndWait("cmd.exe", {"/c", "CreateSFX.bat"}, inst.sfxDir), 0);
#else
    fs::copy_file(SNDPACK_PROGRAM, inst.sfxDir / "sndpack");
    std::ostringstream out, err;
    batch::Context ctx{inst.sfxDir, out, err, false, inst.root, {}};
    ASSERT_EQ(batch::runBatch(batchText("LEVEL1", "ab"), ctx), 0) << err.str();
#endif
    EXPECT_TRUE(fs::exists(inst.wadsDir / "LEVEL1.SFX"));
    EXPECT_FALSE(fs::exists(inst.sfxDir / "LEVEL1.SFX"));

    Installation fake;
    fake.sounds = kSounds;
    fake.settings.letter = "ab";
    fake.settings.wadName = "LEVEL1";
    Loaded loaded(fake);
    loaded.fake.files.files[fake.editorDir + "graphics/wads/LEVEL1.SAM"] =
        DiskInstallation::bytes(inst.wadsDir / "LEVEL1.SAM");
    loaded.state.doubleSelected.assign(kSounds.size(), true);
    const std::vector<std::string> before = loaded.state.liText.strings();
    for (std::size_t id = 0; id < before.size(); ++id)
        loaded.state.liText.set(id, withoutLetterTag(before[id], "#ab"));
    importWadList(loaded.state, loaded.fake.ports);
    for (std::size_t id = 0; id < kSounds.size(); ++id)
        EXPECT_EQ(hasLetterTag(loaded.state.liText[id], "#ab"), hasLetterTag(before[id], "#ab"))
            << id;
}

} // namespace
