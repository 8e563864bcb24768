// The custom-lines file of a WAD (sounds/<WAD>.tor), which the WAD list
// import puts back into the working lines before it gives the letter.

#include "wad_import_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::fuzz::ImportRun run(false);
    run.putCustomLines(kestrel::fuzz::bytesOf(data, size));
    run.run();
    return 0;
}
