#pragma once
// The doubles marks of the catalogue and the dialog that manages them.

#include "format/doubles_file.h"
#include "session/main_state.h"
#include "session/paths.h"
#include "session/ports.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// Fills state.doubleSelected: selected for every sound, then as each
// record's mark says, then unselected for the protected sounds. A missing
// file reads as empty.
// The table covers at least the 370 catalogue places and every loaded sound.
void loadDoubleMarks(MainState& state, Files& files);

// The doubles dialog while it is open: the file as read, its records and
// which rows are selected. Saving is refused when the file could not be
// read, so that a shortened file is never written.
struct DoublesDialog {
    bool readOk = false;
    std::string bytes; // written back with the new marks; tells whether the file changed since
    std::vector<DoubleRecord> records;
    std::vector<bool> selected;
};

// Opening the dialog: the file is read; an unreadable file is reported.
DoublesDialog openDoublesDialog(const MainState& state, Ports& ports);

// OK: the file is written back as it was read, only the marks of the rows
// whose selection changed rewritten; nothing is written when none did. When
// the file changed on disk since it was read, it is replaced only on Yes.
// False when nothing was written because the user said no, or, after a
// message, because the file could not be written (the old one stays).
// Once written, the dialog holds the file as written: its bytes and marks.
bool saveDoublesDialog(const MainState& state, Ports& ports, DoublesDialog& dialog);

// Closing the dialog, saved or not: the marks follow the file, taken from
// the dialog's records while the file holds what the dialog read or wrote,
// read again otherwise.
void closeDoublesDialog(MainState& state, Files& files, const DoublesDialog& dialog);

} // namespace kestrel
