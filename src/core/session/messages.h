#pragma once
// Every message box the program shows, named by id. The texts of both
// languages live in the window layer's caption table; the core only says
// which message, with which arguments, and how it is styled.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

enum class Msg {
    NoEditorSelected,  // first start: no level editor program chosen
    ProtectedLine,     // a protected sound's row was clicked
    FileUnreadable,    // a data or catalogue file is missing or unreadable: {path, reason}
    TooManySounds,     // sounds.txt holds more sounds than the catalogue is made for: {count}
    SettingsNotSaved,  // the settings file could not be written at close: {path, reason}
    SampleMissingPlay,   // Play: {sample name, samples folder}
    SampleHasSpace,      // Rename: a blank or control character in the name
    SampleTooLong,       // Rename: the names no longer fit
    SampleMissingRename, // Rename, a warning only: {sample name, samples folder}
    ApplyConfirm,        // Apply: write every working line to sounds.txt?
    ApplyIncomplete,     // Apply refused: the catalogue did not load completely
    SoundsChangedOnDisk, // Apply: sounds.txt changed since it was read; overwrite? {path}
    FileNotWritten,      // a file could not be written, copied or replaced: {path, reason}
    CustomLinesNotSaved, // sounds.txt written, but not the WAD's custom lines: {path, reason}
    RestoreConfirm,      // Restore defaults: go on?
    NoDefaults,          // Restore defaults: the default lines file is missing
    AddNoLetterOrWad,    // Add: the letter or the WAD name is empty
    AddConflict,         // Add: the sound already carries the letter, or "#g"
    RemoveGeneric,       // Remove: "#g" is never removed
    RemoveNoSelection,   // Remove: no letter chosen in the sound's letters list
    EraseNoLetter,       // Remove from every line: no letter
    EraseConfirm,        // Remove from every line: go on? {letter}
    ShowGNoLetter,       // Show #g sounds: no letter
    LetterReserved,      // the letter box holds "g"
    LetterInTable,       // the letter is a WAD's of the table: use it? {letter, WAD title}
    RemoveObjectNoLetter, // Remove from an object's sounds: no letter
    WadListNoLetter,      // WAD list import: no letter
    NoSamFile,            // WAD list import: no .SAM list of that name {WAD name}
    NoWasFile,            // WAS import: no .WAS list of that name {WAD name}
    SamImportConfirm,     // SAM import: go on? {WAD name, letter}
    WasImportConfirm,     // WAS import: go on? {WAD name, letter}
    SamplesUnrecognized,  // SAM import: samples no line names {WAD name, last such sample}
    WadNameUnsafe,        // the WAD name cannot name a file or stand in a command {name}
    LetterUnsafe,         // the letter cannot stand in a command {letter}
    BuildNoLetterOrWad,   // Generate SFX: the letter or the WAD name is empty
    BuildConfirm,         // Generate SFX: go on? {WAD name}
    BuildNoFolder,        // Generate SFX: the sound compiler folder is missing {folder}
    BuildNotStarted,      // Generate SFX: the batch could not be started {path, reason}
    BuildFailed,          // Generate SFX: the batch ended without the WAD's files {name, wads, compiler folder}
    EditorNotStarted,     // Open Sounds.txt: the text editor could not be started {path, reason}
    CustomLinesNoWadName, // sounds.txt written; no usable WAD name to keep the custom lines under {path}
    FileNotText,          // a catalogue file is not 8-bit text; nothing will be written to it {path, reason}
    DefaultsNotCatalogue, // Restore defaults: the default lines file is no catalogue {path, reason}
    SettingsUnreadable,   // the settings file exists but cannot be read; the program stops {path, reason}
    SampleHasFolder,      // Rename: a folder separator or ".." in the name
    BuildLeftovers,       // Generate SFX: .SAM/.SFX files of an earlier build are in the way {folder, names}
    BuildCompilerFailed,  // Generate SFX: the compiler reported a failure {name, status, compiler folder}
    DoublesChangedOnDisk, // Doubles OK: the doubles file changed since the dialog read it; replace? {path}
    PendingChanges,       // the working lines are about to be dropped: apply first? {count}
    HistoryRestoreConfirm, // replace sounds.txt with a kept version? {time}
};

enum class Buttons { Ok, OkCancel, YesNo, ApplyDiscardCancel };
enum class Icon { Exclamation, Question, Information, Critical };
enum class Answer { Ok, Cancel, Yes, No, Apply, Discard };

struct MsgStyle {
    Buttons buttons;
    Icon icon;
};

MsgStyle styleOf(Msg id);

// A message argument as it is shown: bytes that are not text (NUL and other
// control characters) as \xNN escapes, and a text longer than `limit` cut in
// its middle with "…" (its ends name the most), so that whatever a file held
// makes a readable message box.
std::string shownArgument(std::string_view text, std::size_t limit = 120);

// Every message id, for tables that must cover them all.
inline constexpr Msg kAllMessages[] = {
    Msg::NoEditorSelected,  Msg::ProtectedLine,       Msg::FileUnreadable,
    Msg::TooManySounds,     Msg::SettingsNotSaved,    Msg::SampleMissingPlay,
    Msg::SampleHasSpace,    Msg::SampleTooLong,       Msg::SampleMissingRename,
    Msg::ApplyConfirm,      Msg::ApplyIncomplete,     Msg::SoundsChangedOnDisk,
    Msg::FileNotWritten,    Msg::CustomLinesNotSaved, Msg::RestoreConfirm,
    Msg::NoDefaults,        Msg::AddNoLetterOrWad,    Msg::AddConflict,
    Msg::RemoveGeneric,     Msg::RemoveNoSelection,   Msg::EraseNoLetter,
    Msg::EraseConfirm,      Msg::ShowGNoLetter,       Msg::LetterReserved,
    Msg::LetterInTable,     Msg::RemoveObjectNoLetter, Msg::WadListNoLetter,
    Msg::NoSamFile,         Msg::NoWasFile,           Msg::SamImportConfirm,
    Msg::WasImportConfirm,  Msg::SamplesUnrecognized, Msg::WadNameUnsafe,
    Msg::LetterUnsafe,      Msg::BuildNoLetterOrWad,  Msg::BuildConfirm,
    Msg::BuildNoFolder,     Msg::BuildNotStarted,     Msg::BuildFailed,
    Msg::EditorNotStarted,  Msg::CustomLinesNoWadName, Msg::FileNotText,
    Msg::DefaultsNotCatalogue, Msg::SettingsUnreadable, Msg::SampleHasFolder,
    Msg::BuildLeftovers,    Msg::BuildCompilerFailed, Msg::DoublesChangedOnDisk,
    Msg::PendingChanges,    Msg::HistoryRestoreConfirm,
};

// The file-open dialogs the program shows; their titles and filters are in the
// caption table.
enum class FileDialog { LevelEditor, SamList };

} // namespace kestrel
