// How long writing lines again, applying the catalogue to disk and opening a
// sound take.

#include "actions/apply.h"
#include "actions/catalogue.h"
#include "actions/sound_list.h"
#include "actions/startup.h"
#include "fake_ports.h"
#include "format/rebuild.h"
#include "installation.h"
#include "platform/os_files.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

std::vector<std::string> catalogueLines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back("CRANE_WINCH_" + std::to_string(i) +
                        ":\t\twinch1 winch2 winch3\t\tVOL45\tP V\tCH03\tPIT-12\tRAD40\t#f #d");
    return lines;
}

// The default lines of those sounds, as a user's catalogue differs from
// them: every sound has had a letter given since, and every 80th a sample
// renamed, which makes it a custom line of the WAD.
std::vector<std::string> defaultLines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back("CRANE_WINCH_" + std::to_string(i) + ":\t\twinch1 " +
                        (i % 80 == 0 ? "pulley2" : "winch2") +
                        " winch3\t\tVOL45\tP V\tCH03\tPIT-12\tRAD40\t#f");
    return lines;
}

void RebuildEveryLine(benchmark::State& state) {
    std::vector<SoundRecord> records;
    for (const std::string& line : catalogueLines(static_cast<int>(state.range(0))))
        records.push_back(parseSoundLine(line));
    for (auto _ : state)
        for (const SoundRecord& rec : records) benchmark::DoNotOptimize(rebuildLine(rec));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(RebuildEveryLine)->Arg(370)->Arg(100000);

// A folder of its own under the temporary folder, so that benchmarks run at
// the same time never share one.
std::filesystem::path freshTempFolder() {
    std::random_device random;
    return std::filesystem::temp_directory_path() /
           ("kestrel-bench-" + std::to_string(random()) + std::to_string(random()));
}

// A real installation in a temporary folder, through the real file port.
struct DiskInstallation {
    std::filesystem::path root = freshTempFolder();
    MainState state;

    DiskInstallation() {
        std::filesystem::remove_all(root);
        Installation inst;
        inst.appDir = (root / "app").string() + "/";
        inst.editorDir = (root / "editor").string() + "/";
        inst.settings.editorDir = inst.editorDir;
        inst.sounds = catalogueLines(kCatalogueSize);
        inst.defaults = defaultLines(kCatalogueSize);
        FakeFiles files;
        inst.writeFiles(files);
        for (const auto& [path, bytes] : files.files) {
            std::filesystem::create_directories(std::filesystem::path(path).parent_path());
            std::ofstream(path, std::ios::binary) << bytes;
        }
        state.dirs.appDir = inst.appDir;
        applySettings(state, inst.settings);
    }
    ~DiskInstallation() { std::filesystem::remove_all(root); }
};

class YesDialogs : public Dialogs {
public:
    Answer message(Msg, const std::vector<std::string>&) override { return Answer::Yes; }
    std::optional<std::string> openFile(FileDialog, const std::string&) override { return {}; }
    void focus(std::string_view) override {}
};

void ApplyToDisk(benchmark::State& state) {
    DiskInstallation disk;
    OsFiles files;
    YesDialogs dialogs;
    FakeSound sound;
    FakePrograms programs;
    Ports ports{dialogs, files, sound, programs};
    loadCatalogue(disk.state, ports);
    for (auto _ : state) applyChanges(disk.state, ports);
}
BENCHMARK(ApplyToDisk)->Unit(benchmark::kMicrosecond);

// The floor Apply is measured against: copying the same bytes.
void CopySoundsFile(benchmark::State& state) {
    DiskInstallation disk;
    OsFiles files;
    const std::string from = disk.state.dirs.sfxDir + "Sounds.txt";
    const std::string to = disk.state.dirs.sfxDir + "Copy.txt";
    for (auto _ : state) benchmark::DoNotOptimize(files.copy(from, to));
}
BENCHMARK(CopySoundsFile)->Unit(benchmark::kMicrosecond);

// The plain copy of the same bytes, with nothing of Kestrel's around it.
void PlainCopySoundsFile(benchmark::State& state) {
    DiskInstallation disk;
    const std::filesystem::path from = disk.state.dirs.sfxDir + "Sounds.txt";
    const std::filesystem::path to = disk.state.dirs.sfxDir + "Copy.txt";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::filesystem::copy_file(
            from, to, std::filesystem::copy_options::overwrite_existing));
}
BENCHMARK(PlainCopySoundsFile)->Unit(benchmark::kMicrosecond);

void OpenOneSound(benchmark::State& state) {
    Installation inst;
    inst.sounds = catalogueLines(kCatalogueSize);
    FakePorts fake;
    MainState s = inst.install(fake.files);
    loadCatalogue(s, fake.ports);
    for (auto _ : state) {
        makeRowCurrent(s, fake.ports, 5);
        benchmark::DoNotOptimize(s.txModif.data());
    }
}
BENCHMARK(OpenOneSound);

} // namespace
