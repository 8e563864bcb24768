#include "actions/search.h"

#include "actions/sound_list.h"
#include "format/sound_line.h"

namespace kestrel {

char upperCase1252(char c) {
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

bool holdsText(std::string_view text, std::string_view part, bool caseSensitive) {
    if (caseSensitive) return text.find(part) != std::string_view::npos;
    if (part.size() > text.size()) return false;
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        std::size_t k = 0;
        while (k < part.size() && upperCase1252(text[at + k]) == upperCase1252(part[k])) ++k;
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
    for (int row = state.currentRow + step; row >= 0 && row < count; row += step) {
        if (isProtected(row)) continue;
        const auto i = static_cast<std::size_t>(row);
        const bool found = holdsText(state.rows[i].text, text, state.search.caseSensitive) ||
                           (!idsOnly && row < state.soundCount() &&
                            holdsText(state.liText[i], text, state.search.caseSensitive));
        if (found) {
            makeRowCurrent(state, ports, row);
            return;
        }
    }
}

} // namespace kestrel
