#include "format/settings.h"

#include "format/ansi.h"
#include "format/record_file.h"

namespace kestrel {

Settings defaultSettings() {
    Settings s;
    s.editorDrive = "C:\\";
    s.editorDir = "C:\\Program Files\\Fenwick Studio\\lvedit\\";
    return s;
}

namespace {

// Marks a path stored as UTF-8: the UTF-8 byte-order mark, which reads as
// "ï»¿" in Windows-1252 and so begins no real folder's name.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

} // namespace

std::string storedPath(std::string_view path) {
    // A path that itself begins with the mark's three characters is stored
    // marked too, so that it reads back whole.
    const auto ansi = ansiFromUtf8(path);
    if (ansi && ansi->compare(0, kUtf8Mark.size(), kUtf8Mark) != 0) return *ansi;
    return std::string(kUtf8Mark) + std::string(path);
}

std::string pathFromStored(std::string_view stored) {
    if (stored.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        return std::string(stored.substr(kUtf8Mark.size()));
    return utf8FromAnsi(stored);
}

Settings parseSettings(std::string_view bytes, const Settings& base) {
    Settings s = base;
    const auto lines = splitLines(bytes);
    std::string* text[] = {&s.editorDrive, &s.editorDir, &s.letter, &s.wadName};
    for (std::size_t k = 0; k < 4 && k < lines.size(); ++k) {
        const auto fields = parseRecordLine(lines[k]);
        if (!fields.empty()) *text[k] = k < 2 ? pathFromStored(fields[0]) : fields[0];
    }
    if (lines.size() > 4) {
        const auto fields = parseRecordLine(lines[4]);
        s.language = !fields.empty() && fields[0] == "F" ? Language::French : Language::English;
    }
    return s;
}

std::string formatSettings(const Settings& s) {
    const std::string language = s.language == Language::English ? "E" : "F";
    return joinLinesCrLf({formatRecordLine({storedPath(s.editorDrive)}),
                          formatRecordLine({storedPath(s.editorDir)}), formatRecordLine({s.letter}),
                          formatRecordLine({s.wadName}), formatRecordLine({language})});
}

std::optional<Settings> editorFromProgramPath(const std::string& path, const Settings& base) {
    const std::size_t lastSep = path.find_last_of("\\/");
    if (lastSep == std::string::npos) return std::nullopt;
    Settings s = base;
    if (path.size() >= 2 && path[1] == ':')
        s.editorDrive = path.substr(0, 2) + "\\";
    else if (path[0] == '/' || path[0] == '\\')
        s.editorDrive = path.substr(0, 1);
    else
        return std::nullopt;
    s.editorDir = path.substr(0, lastSep + 1);
    return s;
}

} // namespace kestrel
