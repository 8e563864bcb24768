#pragma once
// Kestrel's own icons, drawn by the program at the size and pixel ratio each
// button asks for: nothing to decode at start-up, sharp on any screen, and
// one picture per command. Disabled buttons get the same drawing in grey.

#include <QIcon>

namespace kestrel::ui {

enum class Glyph {
    Accept,      // accept the values: a tick
    Apply,       // write sounds.txt: a disk
    Build,       // build the WAD's sound files: a gear
    Changes,     // the changes not applied: lines with the changed bar
    Check,       // check the catalogue: a page with a tick
    Clear,       // empty a box: a cross in a circle
    Defaults,    // the default lines back: a turning arrow
    Doubles,     // the doubles: two pages
    EditText,    // sounds.txt in a text editor: a page and a pencil
    Error,       // an error: a white cross on red
    GiveLetter,  // give the letter: an arrow up
    Help,        // the help: a question mark
    History,     // the versions kept: a clock turned back
    ImportList,  // import a .SAM or .WAS list: an arrow into a page
    List,        // a list of objects
    OpenFolder,  // choose the level editor: an open folder
    Objects,     // the objects: four squares
    Play,        // play the sample: a triangle
    Quit,        // leave Kestrel: a cross
    Redo,        // redo: an arrow bent forward
    Rename,      // rename the sample: a pencil
    RestoreLine, // the line back as in sounds.txt: an arrow back
    Search,      // search: a magnifying glass
    ShowGeneric, // show the #g sounds: an eye
    TakeLetter,  // take the letter: an arrow down
    Trash,       // take the letter from every sound: a bin
    Undo,        // undo: an arrow bent back
    Warning,     // a warning: an exclamation mark in a triangle
};

QIcon drawnIcon(Glyph glyph);

} // namespace kestrel::ui
