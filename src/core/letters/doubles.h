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

// The file again, one CR LF line per record, strings quoted.
std::string formatDoubles(const std::vector<DoubleRecord>& records);

// A row of the dialog: the ID right-aligned in three places, ": ", the name
// field, one space and the samples field.
std::string doubleRowText(const DoubleRecord& record);

// Fills state.doubleMarks: "OK " for every sound, then each record's mark,
// then three spaces for the protected sounds. A missing file reads as empty.
// The table covers at least the 370 catalogue places and every loaded sound.
void loadDoubleMarks(MainState& state, Files& files);

// The doubles dialog while it is open: the records as read and which rows
// are selected. Saving is refused when the file could not be read, so that a
// shortened file is never written.
struct DoublesDialog {
    bool readOk = false;
    std::vector<DoubleRecord> records;
    std::vector<bool> selected;
};

std::string doublesPath(const MainState& state);

// Opening the dialog: the file is read; an unreadable file is reported.
DoublesDialog openDoublesDialog(const MainState& state, Ports& ports);

// OK: every record is written back as it was read, with the mark of its row.
// False, after a message, when the file could not be written (the old one
// stays).
bool saveDoublesDialog(const MainState& state, Ports& ports, const DoublesDialog& dialog);

} // namespace kestrel
