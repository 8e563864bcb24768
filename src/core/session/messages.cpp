#include "session/messages.h"

namespace kestrel {

MsgStyle styleOf(Msg id) {
    switch (id) {
    case Msg::NoEditorSelected:
    case Msg::ProtectedLine:
    case Msg::TooManySounds:
    case Msg::SettingsNotSaved:
    case Msg::SampleMissingPlay:
    case Msg::SampleHasSpace:
    case Msg::SampleTooLong:
    case Msg::ApplyIncomplete:
    case Msg::FileNotWritten:
    case Msg::CustomLinesNotSaved:
    case Msg::AddNoLetterOrWad:
    case Msg::AddConflict:
    case Msg::RemoveGeneric:
    case Msg::RemoveNoSelection:
    case Msg::EraseNoLetter:
    case Msg::ShowGNoLetter:
    case Msg::LetterReserved:
    case Msg::RemoveObjectNoLetter:
    case Msg::WadListNoLetter:
    case Msg::NoSamFile:
    case Msg::NoWasFile:
    case Msg::WadNameUnsafe:
    case Msg::LetterUnsafe:
    case Msg::BuildNoLetterOrWad:
    case Msg::BuildNoFolder:
    case Msg::BuildNotStarted:
    case Msg::BuildFailed:
    case Msg::EditorNotStarted:
    case Msg::CustomLinesNoWadName:
    case Msg::SampleHasFolder:
    case Msg::BuildLeftovers:
    case Msg::BuildCompilerFailed:
        return {Buttons::Ok, Icon::Exclamation};
    case Msg::BuildConfirm:
    case Msg::SamImportConfirm:
    case Msg::WasImportConfirm:
        return {Buttons::OkCancel, Icon::Question};
    case Msg::SamplesUnrecognized:
        return {Buttons::Ok, Icon::Information};
    case Msg::EraseConfirm:
    case Msg::LetterInTable:
        return {Buttons::OkCancel, Icon::Question};
    case Msg::SampleMissingRename:
        return {Buttons::Ok, Icon::Information};
    case Msg::ApplyConfirm:
    case Msg::SoundsChangedOnDisk:
    case Msg::DoublesChangedOnDisk:
        return {Buttons::YesNo, Icon::Question};
    case Msg::RestoreConfirm:
    case Msg::HistoryRestoreConfirm:
        return {Buttons::OkCancel, Icon::Question};
    case Msg::PendingChanges:
        return {Buttons::ApplyDiscardCancel, Icon::Question};
    case Msg::FileUnreadable:
    case Msg::NoDefaults:
    case Msg::FileNotText:
    case Msg::DefaultsNotCatalogue:
    case Msg::SettingsUnreadable:
        return {Buttons::Ok, Icon::Critical};
    }
    return {Buttons::Ok, Icon::Exclamation};
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
    for (std::size_t i = 0; i < text.size() && whole.size() <= limit; ++i) whole += shownByte(text[i]);
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
