#pragma once
// The Files port on the real file system (std::filesystem, no Qt), with
// letter case ignored in every lookup. A write refuses a file marked
// read-only, keeps the permissions of the file it replaces and goes through
// a link to the file the link names.

#include "session/ports.h"

#include <filesystem>

namespace kestrel {

// The program's paths are UTF-8 texts on every system; these convert them to
// and from the system's own (Windows names files in UTF-16).
std::filesystem::path pathOf(const std::string& utf8);
std::string utf8Of(const std::filesystem::path& path);

// Whether `name` matches a pattern of "*" and "?" without regard to case.
bool matchesPattern(std::string_view name, std::string_view pattern);

class OsFiles : public Files {
public:
    std::optional<std::string> find(const std::string& path) override;
    ReadResult read(const std::string& path) override;
    Status write(const std::string& path, std::string_view bytes) override;
    Status copy(const std::string& from, const std::string& to) override;
    Status keepAs(const std::string& from, const std::string& to) override;
    Status remove(const std::string& path) override;
    Status makeDir(const std::string& path) override;
    std::vector<std::string> list(const std::string& dir, const std::string& pattern) override;
    std::optional<FileStamp> stamp(const std::string& path) override;
    std::string localTime() override;
};

} // namespace kestrel
