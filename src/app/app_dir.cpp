#include "app_dir.h"

#include <QString>

namespace kestrel::app {

std::string programFolder(const std::vector<std::string>& args, const std::string& environment,
                          const std::string& executableDir) {
    const std::string flag = "--appdir";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == flag && i + 1 < args.size()) return args[i + 1];
        if (args[i].rfind(flag + "=", 0) == 0) return args[i].substr(flag.size() + 1);
    }
    if (!environment.empty()) return environment;
    return executableDir;
}

std::string appDirVariable() {
    return qEnvironmentVariable("KESTREL_APPDIR").toStdString(); // UTF-8
}

} // namespace kestrel::app
