#pragma once
// The program's folder, where Kestrel's data files and settings file live.

#include <string>
#include <vector>

namespace kestrel::app {

// "--appdir DIR" (or "--appdir=DIR") on the command line, else the
// KESTREL_APPDIR environment variable, else the executable's own folder.
std::string programFolder(const std::vector<std::string>& args, const std::string& environment,
                          const std::string& executableDir);

// The KESTREL_APPDIR variable as a path (UTF-8), empty when it is not set.
std::string appDirVariable();

} // namespace kestrel::app
