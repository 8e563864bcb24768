// kestrel-batch [--root DIR] [--status FILE] FILE.bat: runs the build's
// batch file in the current folder (see batch_runner.h).

#include "batch_runner.h"

#include <fstream>
#include <iostream>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

int usage() {
    std::cerr << "usage: kestrel-batch [--root DIR] [--status FILE] FILE.bat\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::filesystem::path root, status, batchFile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--root" || args[i] == "--status") && i + 1 < args.size()) {
            (args[i] == "--root" ? root : status) = args[i + 1];
            ++i;
        } else if (batchFile.empty() && args[i].rfind("--", 0) != 0) {
            batchFile = args[i];
        } else {
            return usage();
        }
    }
    if (batchFile.empty()) return usage();
    std::ifstream in(batchFile, std::ios::binary);
    if (!in) {
        std::cerr << "kestrel-batch: cannot read " << batchFile.string() << "\n";
        return 2;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
#ifndef _WIN32
    const bool interactive = isatty(STDIN_FILENO) != 0;
#else
    const bool interactive = true;
#endif
    batch::Context ctx{
        std::filesystem::current_path(), std::cout, std::cerr, interactive, root, status};
    return batch::runBatch(bytes.str(), ctx);
}
