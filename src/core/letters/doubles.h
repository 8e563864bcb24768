#pragma once
// The doubles file Kestrel.tod: which sounds sharing a sample with another may
// receive a letter from a .SAM import, and the dialog that manages them.

#include "session/main_state.h"
#include "session/ports.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

inline constexpr const char* kDoubleSelected = "OK ";
inline constexpr const char* kDoubleUnselected = "   ";

// One record: the sound ID, its mark, "GEN" or three spaces, the name field
// (24 characters), the samples field (32 characters) and the WAD letters.
struct DoubleRecord {
    long id = 0;
    std::string mark, gen, name, samples, letters;

    bool selected() const { return mark == kDoubleSelected; }
    bool operator==(const DoubleRecord&) const = default;
};

// The records of a doubles file, in file order. A line whose first field is
// no number is not a record and is skipped; missing fields read as empty.
std::vector<DoubleRecord> readDoubles(std::string_view bytes);

// A new file, one CR LF line per record, strings quoted.
std::string formatDoubles(const std::vector<DoubleRecord>& records);

// The file again with the mark of each record whose row selection differs
// from its mark rewritten (the selection of record i is selected[i]; a
// missing one is unselected). Every other byte, line end and line that is no
// record stays as it was read.
std::string withDoubleMarks(std::string_view bytes, const std::vector<bool>& selected);

// A row of the dialog: the ID right-aligned in three places, ": ", the name
// field, one space and the samples field.
std::string doubleRowText(const DoubleRecord& record);

// Fills state.doubleMarks: "OK " for every sound, then each record's mark,
// then three spaces for the protected sounds. A missing file reads as empty.
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

std::string doublesPath(const MainState& state);

// Opening the dialog: the file is read; an unreadable file is reported.
DoublesDialog openDoublesDialog(const MainState& state, Ports& ports);

// OK: the file is written back as it was read, only the marks of the rows
// whose selection changed rewritten; nothing is written when none did. When
// the file changed on disk since it was read, it is replaced only on Yes.
// False when nothing was written because the user said no, or, after a
// message, because the file could not be written (the old one stays).
bool saveDoublesDialog(const MainState& state, Ports& ports, const DoublesDialog& dialog);

} // namespace kestrel
