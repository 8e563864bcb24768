#include "session/messages.h"

namespace kestrel {

MsgStyle styleOf(Msg id) {
    switch (id) {
    case Msg::NoEditorSelected:
    case Msg::ProtectedLine:
    case Msg::TooManySounds:
    case Msg::SettingsNotSaved:
        return {Buttons::Ok, Icon::Exclamation};
    case Msg::FileUnreadable:
        return {Buttons::Ok, Icon::Critical};
    }
    return {Buttons::Ok, Icon::Exclamation};
}

} // namespace kestrel
