// The value boxes' rules, on any text a box may hold: each gives a field
// that matches the text it leaves in the box, leaving a box twice changes
// nothing more, and a value typed within the box's length is written to the
// line and read back unchanged.

#include "actions/current_sound.h"
#include "format/rebuild.h"
#include "format/sound_line.h"
#include "fuzz_support.h"

#include <cmath>

using namespace kestrel;

namespace {

// How many characters each box takes.
constexpr std::size_t kVolLength = 2, kChLength = 2, kPitLength = 3, kRadLength = 2;

std::string expectedField(std::string_view prefix, const std::string& text) {
    return std::string(prefix) + padNumber(roundHalfEven(readLeadingNumber(text)), 2, '0');
}

// A value above one half is written as at least 1, one below minus one half
// as at most -1: a field never reads 00 for a value that is not about zero.
void checkSign(const ValueEdit& edit, std::size_t keyword) {
    if (edit.field.empty()) return;
    const double value = readLeadingNumber(edit.text);
    const long written = std::strtol(edit.field.c_str() + keyword, nullptr, 10);
    if (value > 0.5) FUZZ_CHECK(written >= 1);
    if (value < -0.5) FUZZ_CHECK(written <= -1);
}

void checkRule(const ValueEdit& edit, std::string_view prefix) {
    FUZZ_CHECK(edit.text.empty() == edit.field.empty());
    if (edit.field.empty()) return;
    FUZZ_CHECK(edit.field == expectedField(prefix, edit.text));
    FUZZ_CHECK(!std::isnan(readLeadingNumber(edit.text)));
    checkSign(edit, prefix.size());
}

// The field, written into a line by "Accept values" and read back.
void checkWrittenField(const ValueEdit& edit, std::string SoundRecord::*member) {
    SoundRecord rec;
    rec.name = "A:";
    rec.samples = {"s1"};
    rec.*member = edit.field;
    const SoundRecord back = parseSoundLine(rebuildLine(rec));
    FUZZ_CHECK(back.*member == edit.field);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);

    const ValueEdit vol = volRule(text);
    checkRule(vol, "VOL");
    if (!vol.field.empty()) FUZZ_CHECK(readLeadingNumber(vol.text) > 0 && vol.text.front() != ' ');
    FUZZ_CHECK(volRule(vol.text).field == vol.field && volRule(vol.text).text == vol.text);

    const ValueEdit ch = chRadRule(text, "CH");
    const ValueEdit rad = chRadRule(text, "RAD");
    checkRule(ch, "CH");
    checkRule(rad, "RAD");
    for (const ValueEdit* e : {&ch, &rad}) {
        if (!e->field.empty()) FUZZ_CHECK(readLeadingNumber(e->text) > 0 && e->text == text);
        FUZZ_CHECK(chRadRule(e->text, e == &ch ? "CH" : "RAD").field == e->field);
    }

    const ValueEdit pit = pitRule(text);
    checkRule(pit, "PIT");
    if (!pit.field.empty()) {
        const double value = readLeadingNumber(pit.text);
        FUZZ_CHECK(value != 0 && value <= 99);
    }
    FUZZ_CHECK(pitRule(pit.text).field == pit.field && pitRule(pit.text).text == pit.text);

    if (size <= kVolLength) checkWrittenField(vol, &SoundRecord::vol);
    if (size <= kChLength) checkWrittenField(ch, &SoundRecord::ch);
    if (size <= kRadLength) checkWrittenField(rad, &SoundRecord::rad);
    if (size <= kPitLength) checkWrittenField(pit, &SoundRecord::pit);
    return 0;
}
