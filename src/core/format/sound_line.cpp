#include "format/sound_line.h"

#include <algorithm>
#include <cctype>

namespace kestrel {

namespace {

constexpr auto npos = std::string_view::npos;

struct SampleScan {
    std::vector<std::string> samples;
    std::size_t end = npos; // index of the blank that closed the list, or the length
};

std::size_t firstAfterBlanks(std::string_view line, std::size_t from) {
    while (from < line.size() && isBlank(line[from])) ++from;
    return from;
}

// The sample list: names separated by single spaces, closed by a tab or by
// two spaces in a row. Each name is handed to `take` as a view into the line
// (a name is the run of characters between two blanks); the result is the
// index of the blank that closed the list, the length, or npos.
template <class Take> std::size_t walkSamples(std::string_view line, Take take) {
    std::size_t end = npos;
    const std::size_t colon = line.find(':');
    const std::size_t first = firstAfterBlanks(line, colon == npos ? 0 : colon + 1);
    std::size_t start = npos; // where the name being read began
    for (std::size_t i = first; i < line.size(); ++i) {
        const char c = line[i];
        const bool twoSpaces = c == ' ' && i + 1 < line.size() && line[i + 1] == ' ';
        if (c == '\t' || twoSpaces) {
            if (start != npos) {
                take(line.substr(start, i - start));
                end = i;
            }
            return end;
        }
        if (c != ' ') {
            if (start == npos) start = i;
        } else if (start != npos) {
            take(line.substr(start, i - start));
            start = npos;
            end = i;
        }
    }
    if (start != npos) {
        take(line.substr(start));
        end = line.size();
    }
    return end;
}

SampleScan scanSamples(std::string_view line) {
    SampleScan scan;
    scan.end =
        walkSamples(line, [&scan](std::string_view name) { scan.samples.emplace_back(name); });
    return scan;
}

std::size_t tailStartFrom(std::string_view line, std::size_t listEnd) {
    if (listEnd != npos) return listEnd;
    const std::size_t colon = line.find(':');
    return colon == npos ? 0 : colon + 1;
}

std::size_t letterStartFrom(std::string_view line, std::size_t tailStart) {
    const std::size_t vol = line.find("VOL", tailStart);
    return vol == npos ? tailStart : vol + 3;
}

// The keyword followed by its number, read from `count` characters after it.
std::string readValue(std::string_view line, std::size_t from, std::string_view keyword) {
    const std::size_t k = line.find(keyword, from);
    if (k == npos) return {};
    const std::size_t at = k + keyword.size();
    std::size_t count = 2;
    if (keyword == "PIT" && at < line.size() && line[at] == '-') count = 3;
    const std::string_view digits = at < line.size() ? line.substr(at, count) : std::string_view{};
    return std::string(keyword) + padNumber(roundHalfEven(readLeadingNumber(digits)), 2, '0');
}

std::string parseWadLetters(std::string_view line, std::size_t from) {
    std::string wad;
    for (std::size_t h = line.find('#', from); h != npos; h = line.find('#', h + 1)) {
        std::size_t stop = line.find_first_of("# \t", h + 1);
        if (stop == npos) stop = line.size();
        if (!wad.empty()) wad += ' ';
        wad += '#';
        wad.append(line.substr(h + 1, stop - h - 1));
    }
    return wad;
}

} // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while ((at = text.find_first_not_of(" \t", at)) != npos) {
        const std::size_t end = std::min(text.find_first_of(" \t", at), text.size());
        words.emplace_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string fixedWidth(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string trimTrailingSpaces(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && text[n - 1] == ' ') --n;
    return std::string(text.substr(0, n));
}

// The same end as the walk over the names finds, found by searching: the
// list closes at its first tab or pair of spaces (or the end of the line),
// and its last name ends at the last non-space before that.
std::size_t sampleListEnd(std::string_view line) {
    const std::size_t colon = line.find(':');
    const std::size_t first = firstAfterBlanks(line, colon == npos ? 0 : colon + 1);
    if (first == line.size()) return npos;
    const std::size_t close =
        std::min({line.find('\t', first), line.find("  ", first), line.size()});
    std::size_t end = close;
    while (line[end - 1] == ' ') --end;
    return end;
}

std::size_t letterTailStart(std::string_view line) {
    return letterStartFrom(line, tailStartFrom(line, sampleListEnd(line)));
}

bool hasFlag(std::size_t start, char letter, std::string_view line) {
    if (start >= line.size()) return false;
    const char withSpace[] = {letter, ' '};
    const char withTab[] = {letter, '\t'};
    std::size_t pos = line.find(std::string_view(withSpace, 2), start);
    if (pos == npos) pos = line.find(std::string_view(withTab, 2), start);
    // A flag that ends the line counts when it stands alone: the L of a
    // closing "VOL" or of a tag "#xL" is no flag.
    const std::size_t last = line.size() - 1;
    if (pos == npos && line[last] == letter && last > start &&
        (line[last - 1] == ' ' || line[last - 1] == '\t'))
        pos = last;
    if (pos == npos) return false;
    return pos == 0 || line[pos - 1] != '#';
}

std::size_t findWholeTag(std::string_view text, std::string_view tag, std::size_t from) {
    if (tag.empty()) return npos;
    for (std::size_t at = text.find(tag, from); at != npos; at = text.find(tag, at + 1)) {
        const std::size_t after = at + tag.size();
        if (after == text.size() || text[after] == ' ' || text[after] == '\t' || text[after] == '#')
            return at;
    }
    return npos;
}

bool hasLetterTag(std::string_view line, std::string_view tag) {
    // Most lines of a long catalogue do not hold the tag at all: they are
    // passed over before their samples are read.
    const std::size_t anywhere = findWholeTag(line, tag, 0);
    if (anywhere == npos) return false;
    const std::size_t tail = letterTailStart(line);
    return anywhere >= tail || findWholeTag(line, tag, tail) != npos;
}

SoundRecord parseSoundLine(std::string_view line) {
    SoundRecord rec;
    const std::size_t colon = line.find(':');
    if (colon != npos) rec.name = std::string(line.substr(0, colon + 1));

    SampleScan scan = scanSamples(line);
    rec.samples = std::move(scan.samples);

    if (scan.end != npos) {
        const std::size_t end = scan.end;
        rec.vol = readValue(line, end, "VOL");
        rec.ch = readValue(line, end, "CH");
        rec.pit = readValue(line, end, "PIT");
        rec.rad = readValue(line, end, "RAD");
        // Letters, not one-letter literals: GCC 12 at -O3 warns falsely
        // (-Wrestrict) on those.
        if (hasFlag(end, 'P', line)) rec.p = 'P';
        if (hasFlag(end, 'V', line)) rec.v = 'V';
        if (hasFlag(end, 'R', line)) rec.rn = 'R';
        if (hasFlag(end, 'N', line)) rec.rn = 'N';
        if (hasFlag(end, 'L', line)) rec.l = 'L';
    }
    rec.letters = parseWadLetters(line, letterStartFrom(line, tailStartFrom(line, scan.end)));
    return rec;
}

std::vector<std::string_view> sampleNames(std::string_view line) {
    std::vector<std::string_view> names;
    walkSamples(line, [&names](std::string_view name) { names.push_back(name); });
    return names;
}

std::string SoundRecord::nameField() const {
    return fixedWidth(name, kNameWidth);
}

std::string SoundRecord::samplesText() const {
    std::string out;
    for (const auto& s : samples) out += s + ' ';
    return out;
}

std::string SoundRecord::samplesField() const {
    return fixedWidth(samplesText(), kSamplesWidth);
}

std::string SoundRecord::sample(std::size_t index) const {
    return index < samples.size() ? samples[index] : std::string{};
}

} // namespace kestrel
