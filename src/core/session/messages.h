#pragma once
// Every message box the program shows, named by id. The one list of them,
// with their buttons, icons and texts in both languages, is messages.def;
// the window layer only turns a text into what a box shows, with its
// arguments filled in.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

enum class Msg {
#define KESTREL_MESSAGE(id, buttons, icon, enTitle, enText, frTitle, frText) id,
#include "session/messages.def"
};

enum class Buttons { Ok, OkCancel, YesNo, ApplyDiscardCancel, YesNoShow };
enum class Icon { Exclamation, Question, Information, Critical };
enum class Answer { Ok, Cancel, Yes, No, Apply, Discard, Show };

struct MsgStyle {
    Buttons buttons;
    Icon icon;
};

MsgStyle styleOf(Msg id);

// The title and text of a message in English and in French, UTF-8; "%1",
// "%2" … take the arguments.
struct MsgTexts {
    const char* englishTitle;
    const char* englishText;
    const char* frenchTitle;
    const char* frenchText;
};

MsgTexts textsOf(Msg id);

// A message argument, UTF-8, as it is shown: bytes that are not text (NUL and
// other control characters, and bytes of no UTF-8 character) as \xNN escapes,
// and a text longer than `limit` characters cut in its middle with "…" (its
// ends name the most), so that whatever a file held makes a readable message
// box. The arguments that come from the level editor's 8-bit files are
// converted with utf8FromAnsi.
std::string shownArgument(std::string_view text, std::size_t limit = 120);

// Every message id, for tables that must cover them all.
inline constexpr Msg kAllMessages[] = {
#define KESTREL_MESSAGE(id, buttons, icon, enTitle, enText, frTitle, frText) Msg::id,
#include "session/messages.def"
};

// The file-open dialogs the program shows; their titles and filters are in the
// caption table.
enum class FileDialog { LevelEditor, SamList };

} // namespace kestrel
