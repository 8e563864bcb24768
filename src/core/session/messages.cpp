#include "session/messages.h"

#include "format/ansi.h"

#include <iterator>
#include <vector>

namespace kestrel {

namespace {

struct MessageEntry {
    Msg id;
    MsgStyle style;
    MsgTexts texts;
};

// Indexed by Msg.
constexpr MessageEntry kMessages[] = {
#define KESTREL_MESSAGE(id, buttons, icon, enTitle, enText, frTitle, frText)                       \
    {Msg::id, {Buttons::buttons, Icon::icon}, {enTitle, enText, frTitle, frText}},
#include "session/messages.def"
};

// The entry at the place of `id` is its own, and has a title and a text in
// both languages.
constexpr bool complete(Msg id) {
    const auto i = static_cast<std::size_t>(id);
    if (i >= std::size(kMessages) || kMessages[i].id != id) return false;
    const MsgTexts& t = kMessages[i].texts;
    return *t.englishTitle && *t.englishText && *t.frenchTitle && *t.frenchText;
}

static_assert(std::size(kMessages) == std::size(kAllMessages));
#define KESTREL_MESSAGE(id, buttons, icon, enTitle, enText, frTitle, frText)                       \
    static_assert(complete(Msg::id), "Msg::" #id " needs a title and a text in both languages");
#include "session/messages.def"

const MessageEntry* entryOf(Msg id) {
    const auto i = static_cast<std::size_t>(id);
    return i < std::size(kMessages) ? &kMessages[i] : nullptr;
}

} // namespace

MsgStyle styleOf(Msg id) {
    const MessageEntry* m = entryOf(id);
    return m ? m->style : MsgStyle{Buttons::Ok, Icon::Exclamation};
}

MsgTexts textsOf(Msg id) {
    const MessageEntry* m = entryOf(id);
    return m ? m->texts : MsgTexts{"", "", "", ""};
}

} // namespace kestrel

namespace kestrel {

namespace {

// One character as shown, and how many characters that takes: itself, or
// "\xNN" for a byte that is a control character or no UTF-8 character.
struct Piece {
    std::string shown;
    std::size_t width;
    std::size_t end; // where the next piece starts
};

Piece pieceAt(std::string_view text, std::size_t at) {
    const auto ch = utf8CharAt(text, at);
    const bool control = ch && (ch->code < 0x20 || (ch->code >= 0x7F && ch->code <= 0x9F));
    if (ch && !control) return {std::string(text.substr(at, ch->length)), 1, at + ch->length};
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(text[at]);
    return {{'\\', 'x', kHex[u >> 4], kHex[u & 0xF]}, 4, at + 1};
}

} // namespace

std::string shownArgument(std::string_view text, std::size_t limit) {
    std::string whole;
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size() && width <= limit;) {
        Piece p = pieceAt(text, at);
        whole += p.shown;
        width += p.width;
        at = p.end;
    }
    if (width <= limit) return whole;
    // Only the two ends are shown, whole characters each, however long the text.
    std::string head;
    width = 0;
    for (std::size_t at = 0;;) {
        Piece p = pieceAt(text, at);
        if (width + p.width > limit / 2) break;
        head += p.shown;
        width += p.width;
        at = p.end;
    }
    // The tail is read from far enough back that its characters are whole:
    // a piece is at most four bytes.
    const std::size_t from = text.size() > 4 * limit + 4 ? text.size() - 4 * limit - 4 : 0;
    std::vector<Piece> pieces;
    for (std::size_t at = from; at < text.size(); at = pieces.back().end)
        pieces.push_back(pieceAt(text, at));
    std::string tail;
    width = 0;
    for (std::size_t i = pieces.size(); i-- > 0;) {
        const Piece& p = pieces[i];
        if (width + p.width > limit - limit / 2 - 1) break;
        tail.insert(0, p.shown);
        width += p.width;
    }
    return head + "\xE2\x80\xA6" + tail; // "…"
}

} // namespace kestrel
