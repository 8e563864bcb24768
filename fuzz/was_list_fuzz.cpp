// The .WAS list of a WAD (the objects it holds), from which the import gives
// the letter to the sounds of every object it names.

#include "wad_import_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::fuzz::ImportRun run(true);
    run.put(".WAS", kestrel::fuzz::bytesOf(data, size));
    run.run();
    return 0;
}
