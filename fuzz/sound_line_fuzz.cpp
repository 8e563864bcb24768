// sounds.txt and the default lines, read line by line as the catalogue reads
// them: every position the line helpers give stays inside the line, the
// parsed record holds only what the line holds, and a sound line written
// again from its record reads back as the same record.

#include "format/rebuild.h"
#include "format/record_file.h"
#include "format/sound_line.h"
#include "fuzz_support.h"

#include <cmath>

using namespace kestrel;

namespace {

constexpr auto npos = std::string_view::npos;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "VOL07", "PIT-05": the keyword, an optional minus, then at least two digits.
bool isValueField(const std::string& field, std::string_view keyword) {
    if (field.empty()) return true;
    if (field.compare(0, keyword.size(), keyword) != 0) return false;
    std::size_t i = keyword.size();
    if (i < field.size() && field[i] == '-') ++i;
    const std::size_t digits = field.size() - i;
    if (digits < 2) return false;
    for (; i < field.size(); ++i)
        if (!isDigit(field[i])) return false;
    return true;
}

void checkNumber(std::string_view text) {
    const double value = readLeadingNumber(text);
    FUZZ_CHECK(!std::isnan(value));
    const int rounded = roundHalfEven(value);
    FUZZ_CHECK(rounded >= -32768 && rounded <= 32767);
}

void checkTag(std::string_view line, std::string_view tag, std::size_t from) {
    const std::size_t at = findWholeTag(line, tag, from);
    if (at == npos) return;
    FUZZ_CHECK(at >= from);
    FUZZ_CHECK(at + tag.size() <= line.size());
    FUZZ_CHECK(line.substr(at, tag.size()) == tag);
    const std::size_t after = at + tag.size();
    FUZZ_CHECK(after == line.size() || line[after] == ' ' || line[after] == '\t' ||
               line[after] == '#');
}

void checkLine(std::string_view line) {
    FUZZ_CHECK(!fuzz::holdsLineEnd(line));
    const std::size_t colon = line.find(':');

    const std::size_t listEnd = sampleListEnd(line);
    if (listEnd != npos) {
        FUZZ_CHECK(listEnd <= line.size());
        FUZZ_CHECK(listEnd == line.size() || isBlank(line[listEnd]));
        FUZZ_CHECK(colon == npos || listEnd > colon);
    }
    const std::size_t tail = letterTailStart(line);
    FUZZ_CHECK(tail <= line.size());
    FUZZ_CHECK(colon == npos || tail > colon);
    FUZZ_CHECK(listEnd == npos || tail >= listEnd);

    const SoundRecord rec = parseSoundLine(line);
    FUZZ_CHECK(colon == npos ? rec.name.empty() : rec.name == line.substr(0, colon + 1));
    FUZZ_CHECK(rec.samples.empty() == (listEnd == npos));
    // The samples stand in the line in their order, after the name part.
    std::size_t at = colon == npos ? 0 : colon + 1;
    for (const std::string& sample : rec.samples) {
        FUZZ_CHECK(!sample.empty());
        FUZZ_CHECK(sample.find_first_of(" \t") == std::string::npos);
        at = line.find(sample, at);
        FUZZ_CHECK(at != npos && at + sample.size() <= listEnd);
        at += sample.size();
    }
    FUZZ_CHECK(isValueField(rec.vol, "VOL"));
    FUZZ_CHECK(isValueField(rec.ch, "CH"));
    FUZZ_CHECK(isValueField(rec.pit, "PIT"));
    FUZZ_CHECK(isValueField(rec.rad, "RAD"));
    FUZZ_CHECK(rec.p.empty() || rec.p == "P");
    FUZZ_CHECK(rec.v.empty() || rec.v == "V");
    FUZZ_CHECK(rec.rn.empty() || rec.rn == "R" || rec.rn == "N");
    FUZZ_CHECK(rec.l.empty() || rec.l == "L");
    // Every letter tag read is a whole tag of the letter tail.
    for (std::size_t h = 0; h < rec.letters.size();) {
        FUZZ_CHECK(rec.letters[h] == '#');
        std::size_t end = rec.letters.find(' ', h);
        if (end == std::string::npos) end = rec.letters.size();
        const std::string_view tag = std::string_view(rec.letters).substr(h, end - h);
        FUZZ_CHECK(findWholeTag(line, tag, tail) != npos);
        checkTag(line, tag, tail);
        h = end + 1;
    }
    FUZZ_CHECK(rec.nameField().size() == kNameWidth);
    FUZZ_CHECK(rec.samplesField().size() == kSamplesWidth);

    checkNumber(line);
    if (colon != npos) checkNumber(line.substr(colon + 1));
    checkTag(line, "#a", 0);
    checkTag(line, "#g", tail);

    // "Accept values" on an unedited sound line changes none of its fields,
    // and a line written by it is written the same way again. A letter tag
    // holding a flag letter is left out: the flags are found by their first
    // occurrence followed by a blank, and the rebuilt line parts the tags by
    // spaces where the original may have had tabs, so "#L" can hide the L
    // flag (or "#xL" make one) that the original's blanks did not. So are
    // negative VOL, CH and RAD values, which no editor gives: they are read
    // from two characters ("CH-6") but written with three ("CH-06").
    if (colon == npos || rec.letters.find_first_of("PVRNL") != std::string::npos) return;
    for (const std::string* value : {&rec.vol, &rec.ch, &rec.rad})
        if (value->find('-') != std::string::npos) return;
    const std::string rebuilt = rebuildLine(rec);
    FUZZ_CHECK(!fuzz::holdsLineEnd(rebuilt));
    const SoundRecord again = parseSoundLine(rebuilt);
    FUZZ_CHECK(again == rec);
    FUZZ_CHECK(rebuildLine(again) == rebuilt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const std::string& line : splitLines(fuzz::bytesOf(data, size))) checkLine(line);
    return 0;
}
