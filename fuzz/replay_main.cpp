// Without libFuzzer, a fuzz target runs once on each saved input: every file
// named on the command line, and every file inside each folder named (its
// subfolders included), in name order. A target that finds a broken rule
// aborts; a name that is neither a file nor a folder is an error, so that a
// misspelt path cannot make the replay pass on nothing.

#include "fuzz_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool collect(const fs::path& path, std::vector<fs::path>& inputs) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        inputs.push_back(path);
        return true;
    }
    if (!fs::is_directory(path, error)) {
        std::cerr << "replay: no such file or folder: " << path.string() << '\n';
        return false;
    }
    std::vector<fs::path> found;
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error))
        if (it->is_regular_file(error)) found.push_back(it->path());
    if (error) {
        std::cerr << "replay: cannot list " << path.string() << ": " << error.message() << '\n';
        return false;
    }
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
    return true;
}

bool readAll(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: " << argv[0] << " FILE_OR_FOLDER...\n";
        return 2;
    }
    std::vector<fs::path> inputs;
    bool allFound = true;
    for (int i = 1; i < argc; ++i) allFound = collect(argv[i], inputs) && allFound;
    if (!allFound) return 2;
    if (inputs.empty()) {
        std::cerr << "replay: no input to run\n";
        return 2;
    }
    for (const fs::path& path : inputs) {
        std::vector<std::uint8_t> bytes;
        if (!readAll(path, bytes)) {
            std::cerr << "replay: cannot read " << path.string() << '\n';
            return 2;
        }
        std::cerr << "replay: " << path.string() << " (" << bytes.size() << " bytes)\n";
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::cout << "replay: " << inputs.size() << " inputs, no broken rule\n";
    return 0;
}
