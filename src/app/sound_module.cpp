// Kestrel's sound module: the Sound port with Qt Multimedia, in a library of
// its own that the program loads on the first Play. Qt Multimedia and the
// audio libraries beneath it are then loaded by a session that plays a
// sample, and never by one that does not.

#include "qt_sound.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT kestrel::Sound* kestrelMakeSound() {
    return new kestrel::app::QtSound;
}
