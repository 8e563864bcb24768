// kestrel-batch FILE.bat: runs the build's batch file in the current folder
// (see batch_runner.h).

#include "batch_runner.h"

#include <fstream>
#include <iostream>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: kestrel-batch FILE.bat\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "kestrel-batch: cannot read " << argv[1] << "\n";
        return 2;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
#ifndef _WIN32
    const bool interactive = isatty(STDIN_FILENO) != 0;
#else
    const bool interactive = true;
#endif
    batch::Context ctx{std::filesystem::current_path(), std::cout, std::cerr, interactive};
    return batch::runBatch(bytes.str(), ctx);
}
