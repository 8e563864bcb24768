// The search: reading the leading number of a search text (which decides
// whether only the rows are searched), finding a text with or without case,
// and one search step over a list made of the input's lines.
//
// Input: one byte of options (bit 0: match case, bit 1: search up, the rest:
// the row to start from), then the lines to search, a NUL byte, and the text
// to find.

#include "actions/catalogue.h"
#include "actions/marks.h"
#include "actions/search.h"
#include "fake_ports.h"
#include "format/record_file.h"
#include "format/sound_line.h"
#include "fuzz_support.h"

#include <cmath>

using namespace kestrel;

namespace {

constexpr std::size_t kMaxRows = 400;

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upperCase1252(c);
    return out;
}

void checkNumber(std::string_view text) {
    const double value = readLeadingNumber(text);
    FUZZ_CHECK(!std::isnan(value));
    // Blanks anywhere are ignored.
    std::string spread;
    for (const char c : text) (spread += c) += (c == '&' ? "" : " \t");
    FUZZ_CHECK(readLeadingNumber(spread) == value);
    FUZZ_CHECK(searchesIdsOnly(text) == (value != 0));
}

void checkFind(std::string_view text, std::string_view part) {
    const bool exact = holdsText(text, part, true);
    const bool anyCase = holdsText(text, part, false);
    FUZZ_CHECK(exact == (text.find(part) != std::string_view::npos));
    FUZZ_CHECK(!exact || anyCase);
    FUZZ_CHECK(anyCase == holdsText(upper(text), upper(part), true));
    FUZZ_CHECK(holdsText(text, "", false) && holdsText(text, "", true));
    const std::string around = std::string(text) + upper(part) + std::string(text);
    FUZZ_CHECK(holdsText(around, part, false));
    for (const char c : text) FUZZ_CHECK(upperCase1252(upperCase1252(c)) == upperCase1252(c));
}

// One search step from `start`: the row it stops on lies in the search's
// direction, is no protected sound, and holds the text.
void checkStep(const std::vector<std::string>& lines, std::string_view part, unsigned options) {
    testing::FakePorts fake;
    MainState state;
    state.liText = WorkingLines(lines);
    state.rows.resize(lines.size());
    state.search.txSearch = std::string(part);
    state.search.caseSensitive = (options & 1u) != 0;
    state.search.searchUp = (options & 2u) != 0;
    const int count = static_cast<int>(lines.size());
    const int start = count == 0 ? -1 : static_cast<int>(options >> 2) % (count + 1) - 1;
    state.currentRow = start;
    searchStep(state, fake.ports);
    const int row = state.currentRow;
    if (row == start) return;
    FUZZ_CHECK(row >= 0 && row < count);
    FUZZ_CHECK(state.search.searchUp ? row < start : row > start);
    FUZZ_CHECK(!isProtected(row));
    const auto i = static_cast<std::size_t>(row);
    const bool inRow = holdsText(rowText(state, i), part, state.search.caseSensitive);
    const bool inLine = holdsText(lines[i], part, state.search.caseSensitive);
    FUZZ_CHECK(inRow || (!searchesIdsOnly(part) && inLine));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned options = data[0];
    const auto [text, part] = fuzz::splitAtNul(fuzz::bytesOf(data + 1, size - 1));
    checkNumber(text);
    checkNumber(part);
    checkFind(text, part);
    checkFind(part, text);

    std::vector<std::string> lines = splitLines(text);
    if (lines.size() > kMaxRows) lines.resize(kMaxRows);
    checkStep(lines, part, options);
    return 0;
}
