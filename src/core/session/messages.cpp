#include "session/messages.h"

#include <iterator>

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

// One byte as shown: itself, or "\xNN" for what is not text.
std::string shownByte(char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u != 0x7F) return std::string(1, c);
    return {'\\', 'x', kHex[u >> 4], kHex[u & 0xF]};
}

} // namespace

std::string shownArgument(std::string_view text, std::size_t limit) {
    std::string whole;
    for (std::size_t i = 0; i < text.size() && whole.size() <= limit; ++i)
        whole += shownByte(text[i]);
    if (whole.size() <= limit) return whole;
    // Only the two ends are shown, whole bytes each, however long the text.
    std::string head, tail;
    for (const char c : text) {
        std::string b = shownByte(c);
        if (head.size() + b.size() > limit / 2) break;
        head += b;
    }
    for (std::size_t i = text.size(); i-- > 0;) {
        std::string b = shownByte(text[i]);
        if (tail.size() + b.size() > limit - limit / 2 - 1) break;
        tail.insert(0, b);
    }
    return head + "\x85" + tail; // "…" in the 8-bit code page
}

} // namespace kestrel
