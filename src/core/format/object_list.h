#pragma once
// The object list Kestrel.too: which game objects use which sounds, grouped
// by object type. Two readers take it in two shapes: by type for the object
// dialog, and as one sequence for the .WAS import.

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct GameObject {
    std::string name;
    std::vector<int> ids; // the sound IDs, up to the first 0
};

// Objects by type: entry 0 holds the records before the first type header
// (never shown), entry t the objects of type t. A type's list as the dialog
// shows it ends at its first object without a name.
using TypeObjectTable = std::vector<std::vector<GameObject>>;

// One record of the file (a line up to its first comma, leading blanks
// skipped): the name in columns 1-25 with its trailing spaces cut, the count
// in columns 26-27, then the IDs in three columns each, one column apart.
GameObject readObjectRecord(std::string_view record);

TypeObjectTable readTypeObjects(std::string_view bytes);

// Every object of every type in file order, except those whose name holds
// "(" or "LOOP" (parts of an object, and looping ambience).
std::vector<GameObject> readImportObjects(std::string_view bytes);

} // namespace kestrel
