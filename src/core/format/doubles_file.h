#pragma once
// The doubles file Kestrel.tod: which sounds sharing a sample with another may
// receive a letter from a .SAM import.

#include <string>
#include <string_view>
#include <utility>
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

// The same records' IDs and marks alone, for the import's use.
std::vector<std::pair<long, std::string>> readDoubleMarks(std::string_view bytes);

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

} // namespace kestrel
