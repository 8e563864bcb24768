#pragma once
// The WAD name names files (the custom lines, the .SAM and .WAS lists, the
// built sound files) and stands in the build's command line: it must be a
// plain file name that no command interpreter reads as anything else.

#include <string_view>

namespace kestrel {

// Not empty; no blank, control character, path or wildcard character
// (\ / : * ? "), and nothing a command line treats specially (& | < > ^ %).
bool isSafeWadName(std::string_view name);

} // namespace kestrel
