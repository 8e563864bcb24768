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
        return {Buttons::YesNo, Icon::Question};
    case Msg::RestoreConfirm:
        return {Buttons::OkCancel, Icon::Question};
    case Msg::FileUnreadable:
    case Msg::NoDefaults:
        return {Buttons::Ok, Icon::Critical};
    }
    return {Buttons::Ok, Icon::Exclamation};
}

} // namespace kestrel
