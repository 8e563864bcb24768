#pragma once
// Everything the main window owns. Widgets are drawn from this state; hidden
// lists are plain vectors.

#include "format/object_list.h"
#include "format/settings.h"
#include "format/sound_line.h"
#include "format/sounds_text.h"
#include "format/text_lines.h"
#include "format/working_lines.h"
#include "session/build_state.h"
#include "session/edit_steps.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrel {

#ifdef _WIN32
inline constexpr char kDirSep = '\\';
#else
inline constexpr char kDirSep = '/';
#endif

// The program's folder and the level editor's folders, each ending with a
// folder separator.
struct Folders {
    std::string appDir;
    std::string editorDrive;
    std::string editorDir;
    std::string sfxDir;
    std::string sampleDir;
    std::string wadDir;
};

// The WAD table, three parallel lists: title, letter code, WAD file name.
struct WadTable {
    std::vector<std::string> titles;
    std::vector<std::string> letters;
    std::vector<std::string> files;
};

// One row of the sound list. Its text is made from its sound's working line
// when it is shown or searched, so it never holds a name of its own. One
// byte a row.
struct SoundRow {
    bool marked : 1 = false; // its line carries the letter: the text ends with the mark
    bool selected : 1 = false;
    bool changed : 1 = false; // its working line differs from sounds.txt; drawn, never in the text
};

// The buttons that only work on a chosen sound or sample.
struct EditButtons {
    bool majVal = false, addWad = false, rstWad = false, del = false;
    bool play = false, rename = false, obj = false;

    void setAll(bool on) { majVal = addWad = rstWad = del = play = rename = obj = on; }
    bool operator==(const EditButtons&) const = default;
};

// sounds.txt as it was last read or written: its stamp, to notice a change
// made on disk meanwhile, and its text. A sound whose working line differs
// from its line in the text carries a change not applied.
struct SoundsFile {
    bool read = false;
    std::optional<FileStamp> stamp; // as the text was read or written
    // Shared with the working lines, which hold only their changes over it.
    std::shared_ptr<const SoundsText> text = std::make_shared<const SoundsText>();
};

// A file the catalogue was read from, with its stamp as it was read (none
// for a file that was missing).
struct ReadFile {
    std::string path;
    std::optional<FileStamp> stamp;
    bool operator==(const ReadFile&) const = default;
};

// The editors of the current sound: value boxes, flag boxes, samples list and
// WAD letters list, as the window shows them.
struct SoundEditors {
    std::string txVol, txCh, txPit, txRad;
    bool ckP = false, ckV = false, ckR = false, ckN = false, ckL = false;

    std::vector<std::string> liSamp;
    int liSampSel = -1;
    std::string curSample; // the sample Play uses
    std::string txSamp;
    bool txSampEnabled = false;

    std::vector<std::string> liWad; // "#a - Harbour"
    int liWadSel = -1;
};

// The object dialog: the objects by type, what it lists and shows, and the
// sound IDs of the object last accepted.
struct ObjectDialog {
    bool loaded = false;
    TypeObjectTable types;
    int currentType = 0; // 1 to 8 once a type is picked
    int cbType = 0;      // the entry the type box shows
    std::vector<std::string> liObj;
    int liObjSel = -1;
    std::vector<int> liSid;
    int liSidSel = -1;
    bool cdOkEnabled = true;
    std::vector<int> liOK;
};

// The WAD the letter commands work for.
struct LetterChoice {
    std::string txLett;     // the current WAD letter
    std::string txWad;      // the current WAD file name
    std::string lastLetter; // the letter the marks were last computed for
    bool showG = false;     // mark the "#g" sounds too
    bool wasMode = false;   // the WAD list import reads the .WAS list, not the .SAM list
};

// What the search box looks for, and how.
struct SearchOptions {
    std::string txSearch;       // the text to find
    bool searchUp = false;      // search towards row 0
    bool caseSensitive = false; // letters must match in case
};

// The game object whose sounds the letter commands change, and the object
// list the .WAS import reads.
struct ObjectChoice {
    std::vector<GameObject> importObjects; // the object list for the .WAS import
    bool objectListUnreadable = false;     // already reported once
    std::string txObjet;                   // the object whose sounds the letter commands change
    bool objetOpen = false;                // the object dialog is toggled on
};

struct MainState {
    Folders dirs;
    Language language = Language::English;
    bool noAudioTold = false;             // the missing audio output is told once
    bool noTerminalTold = false;          // so is a build without a window
    std::set<std::string> unplayableTold; // the files whose failure to play was told

    LetterChoice choice;
    SearchOptions search;

    WorkingLines liText; // working line of each sound
    TextLines liOrig;    // default line of each sound
    WadTable wads;
    // Per sound ID: whether the doubles file leaves it selected, its mark
    // being exactly "OK ".
    std::vector<bool> doubleSelected;

    std::vector<SoundRow> rows; // the sound list
    int currentRow = -1;

    SoundsFile soundsFile;
    // The WAD table, the default lines and the doubles file, as the last
    // load read them all; empty when it could not.
    std::vector<ReadFile> catalogueSources;
    int changedCount = 0;  // sounds whose rows are marked changed
    EditHistory history;   // the steps Undo and Redo walk
    int appliedCount = -1; // sounds changed by the last Apply, for its note; -1: none yet

    ObjectChoice objects;
    ObjectDialog objDlg;

    SoundRecord cur; // the parsed current line
    SoundEditors ed;
    std::string txOrig, txModif;           // field views of the default and current line
    std::optional<std::string> frOrigName; // the name field shown in the line frame's caption
    EditButtons buttons;

    BuildState build; // the build of the WAD's sound files

    // False when sounds.txt or the default lines could not be read at the last load:
    // such a partial catalogue must never be written back.
    bool catalogueComplete = false;
    std::string unreadFile; // the file that made it incomplete

    int soundCount() const { return static_cast<int>(liText.size()); }
    // Changes the working line of sound `id` (0 <= id < soundCount()):
    // every change of a working line goes through here, so that the step
    // being recorded knows the line as it was. `line` may be a working line.
    void setWorkingLine(std::size_t id, std::string_view line);
    // Every working line given up at once, as the catalogue is read again:
    // the step being recorded keeps them all as they were.
    void dropWorkingLines();
    // The default line of a sound; "" when the default lines are fewer.
    std::string_view defaultLine(int id) const;

private:
    // The step being recorded keeps the line as it was before its first change.
    void noteChange(std::size_t id);
};

// The sound IDs that are never edited, marked or searched.
inline constexpr int kProtectedIds[] = {27, 59, 110, 113, 115, 163, 185, 186, 199, 270, 62};
bool isProtected(int id);

// The catalogue is sized for this many sounds; more still load and show.
inline constexpr int kCatalogueSize = 370;

} // namespace kestrel
