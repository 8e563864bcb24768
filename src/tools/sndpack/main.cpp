// sndpack NAME LETTER: builds NAME.SAM and NAME.SFX from Sounds.txt in the
// current folder (see sndpack.h).

#include "sndpack.h"

#include <iostream>

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return sndpack::run(std::filesystem::current_path(), args, std::cout, std::cerr);
}
