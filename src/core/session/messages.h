#pragma once
// Every message box the program shows, named by id. The texts of both
// languages live in the window layer's caption table; the core only says
// which message, with which arguments, and how it is styled.

namespace kestrel {

enum class Msg {
    NoEditorSelected,  // first start: no level editor program chosen
    ProtectedLine,     // a protected sound's row was clicked
    FileUnreadable,    // a data or catalogue file is missing or unreadable: {path, reason}
    TooManySounds,     // sounds.txt holds more sounds than the catalogue is made for: {count}
    SettingsNotSaved,  // the settings file could not be written at close: {path, reason}
};

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { Exclamation, Question, Information, Critical };
enum class Answer { Ok, Cancel, Yes, No };

struct MsgStyle {
    Buttons buttons;
    Icon icon;
};

MsgStyle styleOf(Msg id);

// Every message id, for tables that must cover them all.
inline constexpr Msg kAllMessages[] = {Msg::NoEditorSelected, Msg::ProtectedLine,
                                       Msg::FileUnreadable, Msg::TooManySounds,
                                       Msg::SettingsNotSaved};

// The file-open dialogs the program shows; their titles and filters are in the
// caption table.
enum class FileDialog { LevelEditor };

} // namespace kestrel
