#pragma once
// The settings file Kestrel.par: five double-quoted values, one a line, in
// 8-bit text. The two paths are UTF-8 in memory; the file holds them in
// Windows-1252 as the old versions wrote them, or, when Windows-1252 cannot
// hold one, as UTF-8 after the UTF-8 byte-order mark.

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

enum class Language { English, French };

struct Settings {
    std::string editorDrive;
    std::string editorDir;
    std::string letter;
    std::string wadName;
    Language language = Language::English;

    bool operator==(const Settings&) const = default;
};

// Where the level editor lives when nothing has been chosen yet.
Settings defaultSettings();

// Reads the values present; a missing or malformed value keeps the one of
// `base`. Only "F" selects French.
Settings parseSettings(std::string_view bytes, const Settings& base);

std::string formatSettings(const Settings& settings);

// A path as the file holds it, and back.
std::string storedPath(std::string_view path);
std::string pathFromStored(std::string_view stored);

// The level editor's drive and folder from the path of its program: the root
// of the path ("C:\" or "/") and everything up to the last folder separator.
// Nothing when the path has no folder.
std::optional<Settings> editorFromProgramPath(const std::string& path, const Settings& base);

} // namespace kestrel
