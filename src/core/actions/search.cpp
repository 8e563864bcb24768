#include "actions/search.h"

#include "actions/marks.h"
#include "actions/sound_list.h"
#include "format/sound_line.h"

#include <array>

namespace kestrel {

namespace {

constexpr char foldByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return static_cast<char>(u - 0x20);
    switch (u) {
    case 0x9A: return static_cast<char>(0x8A); // š
    case 0x9C: return static_cast<char>(0x8C); // œ
    case 0x9E: return static_cast<char>(0x8E); // ž
    case 0xFF: return static_cast<char>(0x9F); // ÿ
    default: return c;
    }
}

// Every byte's upper-case form, looked up rather than worked out at each
// comparison: a search step reads every line of the catalogue.
constexpr std::array<char, 256> kUpperCase = [] {
    std::array<char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[static_cast<std::size_t>(b)] = foldByte(static_cast<char>(b));
    return table;
}();

char upper(char c) {
    return kUpperCase[static_cast<unsigned char>(c)];
}

} // namespace

char upperCase1252(char c) {
    return upper(c);
}

bool holdsText(std::string_view text, std::string_view part, bool caseSensitive) {
    if (caseSensitive) return text.find(part) != std::string_view::npos;
    if (part.empty()) return true;
    if (part.size() > text.size()) return false;
    const char first = upper(part[0]);
    const std::size_t last = text.size() - part.size();
    for (std::size_t at = 0; at <= last; ++at) {
        if (upper(text[at]) != first) continue;
        std::size_t k = 1;
        while (k < part.size() && upper(text[at + k]) == upper(part[k])) ++k;
        if (k == part.size()) return true;
    }
    return false;
}

bool searchesIdsOnly(std::string_view text) {
    return readLeadingNumber(text) != 0;
}

void searchStep(MainState& state, Ports& ports) {
    const int count = static_cast<int>(state.rows.size());
    const int step = state.search.searchUp ? -1 : 1;
    const std::string& text = state.search.txSearch;
    const bool idsOnly = searchesIdsOnly(text);
    std::string shown;
    for (int row = state.currentRow + step; row >= 0 && row < count; row += step) {
        if (isProtected(row)) continue;
        const auto i = static_cast<std::size_t>(row);
        // The line first: the row's text is made only when the line alone
        // does not hold the text.
        const bool inLine = !idsOnly && row < state.soundCount() &&
                            holdsText(state.liText[i], text, state.search.caseSensitive);
        if (!inLine) {
            shown.clear();
            appendRowText(shown, state, i);
        }
        if (inLine || holdsText(shown, text, state.search.caseSensitive)) {
            makeRowCurrent(state, ports, row);
            return;
        }
    }
}

} // namespace kestrel
