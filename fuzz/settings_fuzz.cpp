// The settings file Kestrel.par: whatever it holds, the settings read from it
// are saved and read again unchanged, and a value a line does not give keeps
// the one the reading started from. Also the level editor's folders taken
// from the path of its program.

#include "format/record_file.h"
#include "format/settings.h"
#include "fuzz_support.h"

using namespace kestrel;

namespace {

void checkValue(const std::string& value) {
    FUZZ_CHECK(!fuzz::holdsLineEnd(value));
}

void checkProgramPath(const std::string& path, const Settings& base) {
    const auto found = editorFromProgramPath(path, base);
    if (!found) return;
    FUZZ_CHECK(found->letter == base.letter && found->wadName == base.wadName);
    FUZZ_CHECK(found->language == base.language);
    // The folder is the path up to its last separator, and starts with the drive.
    const std::string& dir = found->editorDir;
    FUZZ_CHECK(!dir.empty() && (dir.back() == '/' || dir.back() == '\\'));
    FUZZ_CHECK(path.compare(0, dir.size(), dir) == 0);
    FUZZ_CHECK(path.find_first_of("/\\", dir.size()) == std::string::npos);
    const std::string& drive = found->editorDrive;
    FUZZ_CHECK(drive == "/" || drive == "\\" || (drive.size() == 3 && drive.substr(1) == ":\\"));
    // The drive is where the path starts.
    FUZZ_CHECK(path.compare(0, drive.size() == 1 ? 1 : 2, drive, 0, drive.size() == 1 ? 1 : 2) ==
               0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const Settings base = defaultSettings();
    const Settings read = parseSettings(bytes, base);
    for (const std::string* value :
         {&read.editorDrive, &read.editorDir, &read.letter, &read.wadName})
        checkValue(*value);

    // A value the file does not give is the one of the base.
    const std::size_t lines = splitLines(bytes).size();
    if (lines < 1) FUZZ_CHECK(read.editorDrive == base.editorDrive);
    if (lines < 2) FUZZ_CHECK(read.editorDir == base.editorDir);
    if (lines < 3) FUZZ_CHECK(read.letter == base.letter);
    if (lines < 4) FUZZ_CHECK(read.wadName == base.wadName);
    if (lines < 5) FUZZ_CHECK(read.language == base.language);

    // Saving writes every value, so the base no longer matters when reading back.
    const std::string saved = formatSettings(read);
    const Settings other{"D:\\", "D:\\elsewhere\\", "zz", "OTHER", Language::French};
    FUZZ_CHECK(parseSettings(saved, other) == read);
    FUZZ_CHECK(formatSettings(parseSettings(saved, base)) == saved);

    checkProgramPath(std::string(bytes), base);
    return 0;
}
