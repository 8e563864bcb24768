// The .SAM list of a WAD (the samples it plays), from which the import gives
// the letter to every sound playing one of them.

#include "wad_import_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kestrel::fuzz::ImportRun run(false);
    run.put(".SAM", kestrel::fuzz::bytesOf(data, size));
    run.run();
    return 0;
}
