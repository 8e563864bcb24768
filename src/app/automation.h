#pragma once
// A control script for test builds: when KESTREL_SCRIPT names a file, its
// steps drive the program's windows by control name, as a user would with
// the mouse and the keyboard, once the main window is shown.
//
// One step per line; blank lines and lines starting with "#" are skipped. A
// control is named by its object name, or "Window/Control" to pick the
// window; "-" names the control with the keyboard focus. The last argument of a step runs to the
// end of the line.
//
//   click NAME              a left click in the middle of the control
//   row NAME N              a left click on row N of a list
//   double-row NAME N       a double click on row N of a list
//   type NAME TEXT          the control takes the focus, its text is
//                           selected and TEXT is typed over it
//   key NAME KEY            a key press: Return, Escape, Tab, Space, Up,
//                           Down, a letter, with Alt+ / Ctrl+ / Shift+
//   answer BUTTON [TEXT]    waits for a message box (whose text holds TEXT),
//                           then presses Ok, Cancel, Yes or No
//   choose-file PATH        waits for a file dialog and opens PATH with it
//   expect NAME PROP VALUE  the control's property reads VALUE now
//   wait NAME PROP VALUE    the same, waited for up to 60 s
//   expect-row NAME N TEXT  row N of a list reads TEXT
//   focus-is NAME           the control has the keyboard focus, its window
//                           made active first
//   shot NAME FILE          a picture of the window or control, as PNG
//   quit                    closes the main window (the end of the script
//                           does the same)
//
// A step that fails prints "KESTREL_SCRIPT line N: why" and ends the
// program with exit status 3.

class QWidget;

namespace kestrel::app {

// Starts the script of KESTREL_SCRIPT, if there is one, on `mainWindow`.
void runScriptFromEnvironment(QWidget& mainWindow);

} // namespace kestrel::app
