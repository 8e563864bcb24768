#pragma once
// Start-up as the user sees it ends when the main window has been drawn
// once. With KESTREL_QUIT_AFTER_FIRST_PAINT set, the program writes the
// window's size on standard output at that moment and quits, so that its
// start-up can be timed as shipped, against a bare window of the same size.
// A message shown on the way (a catalogue larger than usual, say) is
// answered with its default button, so that any installation can be timed.

class QWidget;

namespace kestrel::app {

// Called before the window starts, so that it sees the start's messages.
void quitAfterFirstPaintIfAsked(QWidget& window);

} // namespace kestrel::app
