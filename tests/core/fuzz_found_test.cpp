// Faults the readers' fuzz targets found (fuzz/regressions/ keeps the inputs
// that showed them): each case here pins down the corrected behaviour.

#include "format/sound_line.h"
#include "actions/apply.h"
#include "actions/current_sound.h"
#include "format/rebuild.h"
#include "installation.h"
#include "actions/import.h"
#include "actions/objects.h"

#include <gtest/gtest.h>
#include <limits>

using namespace kestrel;
using namespace kestrel::testing;
using namespace std::string_literals;

namespace {

const std::string kWads = "/games/lvedit/graphics/wads/";

// A number too large for a double is as large as any other, not zero.
TEST(FuzzFound, ValuesBeyondTheDoubleRangeAreClampedNotZeroed) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(roundHalfEven(inf), 32767);
    EXPECT_EQ(roundHalfEven(-inf), -32768);
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);

    const std::string hugeHex = "&H" + std::string(300, 'F');
    const struct {
        ValueEdit edit;
        const char* field;
    } cases[] = {
        {volRule("1e999"), "VOL32767"},        {volRule("+\r3E377"), "VOL32767"},
        {chRadRule(hugeHex, "CH"), "CH32767"}, {chRadRule("1e999", "RAD"), "RAD32767"},
        {pitRule("-1e999"), "PIT-32768"},      {pitRule("1e999"), "PIT99"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.edit.field, c.field) << c.edit.text.substr(0, 12);
}

// A line whose sample list ends with a single space: the letter appended
// must not become one more sample.
TEST(FuzzFound, ALetterAfterATrailingSpaceIsNoSample) {
    const struct {
        const char* line;
        const char* given;
    } cases[] = {
        {"GULL:\t\tgull1 gull2 ", "GULL:\t\tgull1 gull2 \t#d"},
        {"GULL:\t\tgull1 ", "GULL:\t\tgull1 \t#d"},
        {"GULL:\t\tgull1  ", "GULL:\t\tgull1  #d"}, // two spaces close the list
        {"GULL:\t\tgull1\t", "GULL:\t\tgull1\t#d"},
        {"GULL:\t\tgull1 gull2", "GULL:\t\tgull1 gull2\t#d"},
    };
    for (const auto& c : cases) {
        const std::string given = withLetterGiven(c.line, "#d");
        EXPECT_EQ(given, c.given) << c.line;
        EXPECT_EQ(replaceLetterTags(c.line, {"#d"}), c.given) << c.line;
        const SoundRecord rec = parseSoundLine(given);
        EXPECT_EQ(rec.letters, "#d") << c.line;
        EXPECT_EQ(rec.samples, parseSoundLine(c.line).samples) << c.line;
        // Given twice, the letter is there once.
        EXPECT_EQ(withLetterGiven(given, "#d"), given) << c.line;
    }
}

// The .SAM import naming both samples of such a line gives it the letter once.
TEST(FuzzFound, SamImportGivesTheLetterOnceToALineEndingWithASpace) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(70);
    inst.sounds[7] = "GULL:\t\tgull1 gull2 ";
    Loaded app(inst);
    app.state.txLett = "d";
    app.state.txWad = "DOCKS";
    app.fake.files.files[kWads + "DOCKS.SAM"] = "gull1.wav\r\ngull2.wav\r\n";
    app.fake.dialogs.answers = {Answer::Ok};
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.line(7), "GULL:\t\tgull1 gull2 \t#d");
    EXPECT_TRUE(app.state.rows[7].selected);
}

// A .WAS record with nothing before its colon names no object; before, the
// empty name was found in every object's name.
TEST(FuzzFound, ANamelessWasRecordNamesNoObject) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(70);
    inst.objects = "* Ennemies\r\nCRANE                     2  001 005\r\n"
                   "BELL                      1  006\r\n";
    Loaded app(inst);
    loadImportObjects(app.state, app.fake.ports);
    app.state.txLett = "d";
    app.state.txWad = "DOCKS";
    app.state.wasMode = true;
    app.fake.files.files[kWads + "DOCKS.SAM"] = "";
    app.fake.files.files[kWads + "DOCKS.WAS"] = ": 1 instance\r\nBELL: 1 instance\r\n";
    app.fake.dialogs.answers = {Answer::Ok};
    loadWadList(app.state, app.fake.ports);
    for (int id : {6, 60}) EXPECT_TRUE(app.line(id).ends_with("#d")) << id;
    for (int id : {1, 5}) EXPECT_FALSE(app.line(id).ends_with("#d")) << id;
}

// A custom-lines record whose line has no colon would be no sound line once
// written: sounds.txt would lose a sound and every later one move up. One
// that is not 8-bit text would make sounds.txt a file no longer read.
TEST(FuzzFound, ACustomLineWithoutAColonOrNotTextIsSkipped) {
    Installation inst;
    inst.sounds = Installation::numberedSounds(70);
    Loaded app(inst);
    app.state.txLett = "d";
    app.state.txWad = "DOCKS";
    app.fake.files.files[kWads + "DOCKS.SAM"] = "s1.wav\r\n";
    app.fake.files.files["/app/sounds/DOCKS.tor"] =
        "0,\"\xFF\xFE:\"\r\n3,\"no colon here\"\r\n4,\"\"\r\n5,\"FIVE:\t\ts5b\t\tVOL10\"\r\n"
        "6,\":\0\"\r\n"s;
    const std::string three = app.line(3);
    app.fake.dialogs.answers = {Answer::Ok};
    loadWadList(app.state, app.fake.ports);
    EXPECT_EQ(app.line(3), three);
    EXPECT_EQ(app.line(4), inst.sounds[4]);
    EXPECT_EQ(app.line(5), "FIVE:\t\ts5b\t\tVOL10");
    for (int id : {0, 6}) EXPECT_EQ(app.line(id), inst.sounds[id]) << id;

    app.fake.dialogs.answers = {Answer::Yes};
    applyChanges(app.state, app.fake.ports);
    loadCatalogue(app.state, app.fake.ports);
    ASSERT_EQ(app.state.soundCount(), 70);
    EXPECT_EQ(app.line(6), inst.sounds[6]);
}

} // namespace
