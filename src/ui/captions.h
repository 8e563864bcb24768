#pragma once
// Every text the windows show, in English and in French. No other file of the
// program holds a displayed text of either language, but for the message
// boxes, whose texts stand with their ids in session/messages.def.

#include "actions/check.h"
#include "actions/current_sound.h"
#include "session/edit_steps.h"
#include "session/main_state.h"
#include "session/messages.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <string>
#include <vector>

class QWidget;

namespace kestrel::ui {

// A tooltip also names a control that shows no text of its own (an icon
// button) to screen readers; Name names one that has neither.
enum class TextRole { Caption, Tooltip, Title, Name };

// A text of a control of the main window that changes with the language.
struct ControlText {
    const char* control; // objectName
    TextRole role;
    const char* english;
    const char* french;
};

std::span<const ControlText> mainWindowTexts();
std::span<const ControlText> objectDialogTexts();
std::span<const ControlText> doublesDialogTexts();
std::span<const ControlText> changesDialogTexts();
std::span<const ControlText> historyDialogTexts();
std::span<const ControlText> checkDialogTexts();

// The column titles of the check's findings.
QStringList findingColumns(Language language);

// The column titles of the list of kept versions.
QStringList historyColumns(Language language);

// What a step of the working lines did ("give #f to 6 sounds"), and the
// tooltips of Undo and Redo that name the step they would take (null: none).
QString stepName(Language language, const EditStep& step);
QString undoTip(Language language, const EditStep* step);
QString redoTip(Language language, const EditStep* step);

// The note of the sounds carrying changes not applied; after an Apply with
// nothing pending, what it wrote (`applied` >= 0); "" otherwise.
QString changesNote(Language language, int changed, int applied);

// The tooltip of the WAD list import, which names the list it reads.
QString loadListTip(Language language, bool wasList);

// The button of a message box or dialog that gives `answer`.
QString answerText(Answer answer, Language language);

// The help window's one line when the help file cannot be read.
QString helpMissingNote(Language language, const std::string& path);

// The eight object types, in the order of the object list file.
QStringList objectTypeNames(Language language);

// Sets every text of the table on `root` (a Title entry names it) and on
// the controls found under it.
void applyControlTexts(QWidget& root, std::span<const ControlText> table, Language language);

QString pick(Language language, const char* english, const char* french);

struct MessageText {
    QString title;
    QString text;
};

// The title and text of a message box, with "%1", "%2" … replaced by the
// arguments, which are Windows-1252 bytes.
MessageText messageText(Msg id, Language language, const std::vector<std::string>& args = {});

// A finding of the catalogue check, its subject filled in; the name of its
// severity; the count of each severity ("2 errors, 1 warning").
QString findingText(const Finding& finding, Language language);
QString severityName(Severity severity, Language language);
QString findingsSummary(Language language, int errors, int warnings);
// The name of a finding's sound, without its colon ("" for no sound).
QString findingSoundName(const MainState& state, int id);

// What the sample view says of a sample: its length, rate, channels and
// bits, or why it draws nothing.
QString sampleNote(Language language, const std::string& sample, const SampleView& view);
// The tooltip of a samples list entry without its .wav.
QString sampleMissingTip(Language language);

struct FileDialogText {
    QString title;
    QString filter;
};

FileDialogText fileDialogText(FileDialog which, Language language);

// The caption of the line frame: "Line in sounds.txt", and " = " with the
// current sound's name field once a sound is open.
QString lineFrameCaption(Language language, const std::optional<std::string>& nameField);

// The note of how the build of the WAD's sound files stands; "" when there
// is nothing to say.
QString buildNote(Language language, const BuildState& build);

// Texts that are the same in both languages.
inline constexpr const char* kWindowTitle = "Kestrel V1.1";
inline constexpr const char* kVersionLabel = "V 1.1 : 2005-2006";
inline constexpr const char* kEnglishCaption = "En";
inline constexpr const char* kFrenchCaption = "Fr";
inline constexpr const char* kSelectObjectTip = "Select object";

} // namespace kestrel::ui
