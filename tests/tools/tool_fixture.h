#pragma once
// A level-editor installation on disk, in a fresh temporary folder, for the
// tools that work on real files.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace kestrel::testing {

struct DiskInstallation {
    std::filesystem::path base = std::filesystem::temp_directory_path() /
                                 ("kestrel-tools-" + std::to_string(std::random_device()()) +
                                  std::to_string(std::random_device()()));
    std::filesystem::path root = base / "editor", outside = base / "outside";
    std::filesystem::path sfxDir = root / "sound" / "LevelSFX Creator",
                          samplesDir = root / "sound" / "Samples",
                          wadsDir = root / "graphics" / "wads";

    DiskInstallation() {
        for (const auto& dir : {sfxDir, samplesDir, wadsDir, outside})
            std::filesystem::create_directories(dir);
    }
    ~DiskInstallation() {
        std::error_code ec;
        std::filesystem::remove_all(base, ec);
    }
    DiskInstallation(const DiskInstallation&) = delete;
    DiskInstallation& operator=(const DiskInstallation&) = delete;

    static void put(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string bytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // A short .wav-like file whose bytes name the sample.
    void putSample(const std::string& name) const {
        put(samplesDir / (name + ".wav"), "RIFF" + name);
    }
};

} // namespace kestrel::testing
