#pragma once
// The names a line or a command line carries: WAD names and sample names.

#include <string_view>

namespace kestrel {

// The WAD name names files (the custom lines, the .SAM and .WAS lists, the
// built sound files) and stands in the build's command line: it must be a
// plain file name that no command interpreter reads as anything else.
// Not empty; no blank, control character, path or wildcard character
// (\ / : * ? "), nothing a command line treats specially (& | < > ^ %), and
// not a Windows device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9).
bool isSafeWadName(std::string_view name);

// Whether a sample name may stand in a line: no blank, no control character.
bool isUsableSampleName(std::string_view name);

// Whether a name is a file name of a folder's own: not empty, no control
// character, nothing that leads out of the folder.
bool namesAFileInFolder(std::string_view name);

// Whether a sample name would lead out of the samples folder: a folder
// separator or "..".
bool namesAFolder(std::string_view name);

} // namespace kestrel
