#include "format/rebuild.h"

namespace kestrel {

namespace {

constexpr auto npos = std::string::npos;

std::string tabs(int count) {
    return std::string(static_cast<std::size_t>(count), '\t');
}

int tabsAfterName(std::size_t n) {
    return n < 8 ? 3 : n < 16 ? 2 : 1;
}

int tabsAfterSamples(std::size_t m) {
    return m < 8 ? 4 : m < 16 ? 3 : m < 24 ? 2 : 1;
}

// The four flags each keep their two-character column, trailing blanks cut.
std::string flagsPart(const SoundRecord& rec) {
    return trimTrailingSpaces(fixedWidth(rec.p, kFlagWidth) + fixedWidth(rec.v, kFlagWidth) +
                              fixedWidth(rec.rn, kFlagWidth) + fixedWidth(rec.l, kFlagWidth));
}

// The end of the code of a tag starting at `hash`.
std::size_t tagEnd(std::string_view line, std::size_t hash) {
    const std::size_t end = line.find_first_of("# \t", hash + 1);
    return end == npos ? line.size() : end;
}

std::size_t skipBlanks(std::string_view line, std::size_t at) {
    while (at < line.size() && isBlank(line[at])) ++at;
    return at;
}

std::string joined(const std::vector<std::string>& tags) {
    std::string out;
    for (const std::string& tag : tags) {
        if (!out.empty()) out += ' ';
        out += tag;
    }
    return out;
}

} // namespace

std::string rebuildLine(const SoundRecord& rec) {
    std::string line = rec.name;
    line += tabs(tabsAfterName(line.size()));
    const std::string samples = trimTrailingSpaces(rec.samplesText());
    line += samples;
    line += tabs(tabsAfterSamples(samples.size()));
    line += trimTrailingSpaces(rec.vol) + '\t';
    line += flagsPart(rec) + '\t';
    line += trimTrailingSpaces(rec.ch) + '\t';
    line += trimTrailingSpaces(rec.pit) + '\t';
    line += trimTrailingSpaces(rec.rad) + '\t';
    line += trimTrailingSpaces(rec.letters);
    return line;
}

std::string letterTagOfItem(std::string_view item) {
    const std::size_t hash = item.find('#');
    if (hash == npos) return {};
    const std::size_t dash = item.find(" - ", hash);
    if (dash == npos) return std::string(item.substr(hash, 2));
    return std::string(item.substr(hash, dash - hash));
}

std::string blankBeforeTagAtEnd(std::string_view line) {
    if (line.empty()) return {};
    const std::size_t listEnd = sampleListEnd(line);
    // A single space after the last sample leaves the list open: a tag
    // written straight after it would be read as one more sample.
    if (line.back() == ' ' && listEnd == line.size() - 1) return "\t";
    if (isBlank(line.back())) return {};
    return listEnd == line.size() ? "\t" : " ";
}

std::string replaceLetterTags(std::string_view line, const std::vector<std::string>& tags) {
    const std::string newTags = joined(tags);
    const std::size_t first = line.find('#', letterTailStart(line));
    if (first == npos) {
        if (newTags.empty()) return std::string(line);
        return std::string(line) + blankBeforeTagAtEnd(line) + newTags;
    }

    // Every tag of the letter part goes, each with the one blank before it;
    // whatever else stands among them (a flag, a value) stays in place.
    std::string rest;
    std::size_t pos = tagEnd(line, first);
    for (std::size_t next = line.find('#', pos); next != npos; next = line.find('#', pos)) {
        const std::size_t keepTo = next > pos && isBlank(line[next - 1]) ? next - 1 : next;
        rest += line.substr(pos, keepTo - pos);
        pos = tagEnd(line, next);
    }
    rest += line.substr(pos);
    const std::string_view before = line.substr(0, first);
    const std::string_view after = rest;
    const bool afterIsBlank = skipBlanks(after, 0) == after.size();

    std::string out(before);
    if (!newTags.empty()) {
        out += blankBeforeTagAtEnd(out);
        out += newTags;
        if (!afterIsBlank) out += after;
    } else if (!afterIsBlank) {
        out += out.empty() || isBlank(out.back()) ? after.substr(skipBlanks(after, 0)) : after;
    }
    return out;
}

} // namespace kestrel
