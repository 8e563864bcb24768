// The operations that write files, on a real installation in a temporary
// folder through OsFiles: in folders that refuse new files, and with a
// sounds.txt marked read-only.

#include "operations.h"
#include "actions/history.h"
#include "platform/os_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace kestrel;
using namespace kestrel::testing;
using namespace kestrel::testing::robust;
namespace fs = std::filesystem;

namespace {

using Disk = std::map<std::string, std::string>;

constexpr auto kReadOnlyDir = static_cast<fs::perms>(0555);
constexpr auto kReadOnlyFile = static_cast<fs::perms>(0444);
constexpr auto kGroupShared = static_cast<fs::perms>(0660);

// smallInstallation() laid out on disk, its catalogue loaded, an operation's
// edits made.
struct RealInstallation {
    fs::path root;
    Installation inst = smallInstallation();
    FakeDialogs dialogs;
    OsFiles files;
    FakeSound sound;
    FakePrograms programs;
    Ports ports{dialogs, files, sound, programs};
    MainState state;

    RealInstallation(const Operation& op, const std::string& tag)
        : root(fs::temp_directory_path() /
               ("kestrel-robust-" + std::to_string(::getpid()) + "-" + tag + "-" + op.name)) {
        fs::remove_all(root);
        inst.appDir = (root / "app").string() + "/";
        inst.editorDir = inst.settings.editorDir = (root / "lvedit").string() + "/";
        FakeFiles staged;
        inst.writeFiles(staged);
        if (op.withCustomLines) staged.files[paths().tor] = kKeptCustomLines;
        for (const auto& [path, bytes] : staged.files) {
            fs::create_directories(fs::path(path).parent_path());
            std::ofstream(path, std::ios::binary) << bytes;
        }
        fs::create_directories(paths().torDir);
        state.dirs.appDir = inst.appDir;
        applySettings(state, inst.settings);
        loadCatalogue(state, ports);
        markSoundList(state, -1);
        if (op.prepare) op.prepare(state, ports);
        dialogs.shown.clear();
    }
    ~RealInstallation() {
        std::error_code ec;
        for (const auto& dir : {inst.appDir, inst.sfxDir(), paths().torDir})
            fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }
    Paths paths() const { return Paths(inst); }
    bool run(const Operation& op) { return op.run(state, ports, dialogs, paths()); }

    Disk disk() {
        Disk out;
        for (const auto& e : fs::recursive_directory_iterator(root))
            if (e.is_regular_file()) out[e.path().string()] = files.read(e.path().string()).bytes;
        return out;
    }
    // Whether the folder still takes new files for this user (root ignores
    // the permission bits).
    static bool takesFiles(const fs::path& dir) {
        const fs::path probe = dir / "probe.tmp";
        const bool opened = std::ofstream(probe).is_open();
        std::error_code ec;
        fs::remove(probe, ec);
        return opened;
    }
};

class ReadOnlyFolder : public ::testing::TestWithParam<Operation> {};

fs::perms modeOf(const std::string& path) { return fs::status(path).permissions(); }

} // namespace

TEST_P(ReadOnlyFolder, NothingIsWrittenAndTheFailureIsShown) {
    const Operation& op = GetParam();
    RealInstallation real(op, "folder");
    const Disk before = real.disk();
    for (const auto& dir : {real.inst.appDir, real.inst.sfxDir(), real.paths().torDir})
        fs::permissions(dir, kReadOnlyDir);
    if (RealInstallation::takesFiles(real.inst.sfxDir()))
        GTEST_SKIP() << "running with rights that ignore a folder's permissions (root)";

    EXPECT_FALSE(real.run(op));
    ASSERT_FALSE(real.dialogs.shown.empty());
    EXPECT_TRUE(op.failures.count(real.dialogs.shown.back().id));
    EXPECT_EQ(real.disk(), before);
}

INSTANTIATE_TEST_SUITE_P(Operations, ReadOnlyFolder, ::testing::ValuesIn(operations()),
                         [](const auto& info) { return std::string(info.param.name); });

// Replacing a read-only sounds.txt is refused, whoever runs the program: the
// backup and the copy in the history may be made first, nothing else
// changes, and the file keeps its mode.
TEST(ReadOnlySoundsTxt, IsNeverReplaced) {
    for (const Operation& op : operations()) {
        const auto writesSounds = [](const auto& call) {
            return call.first == FileOp::Write && call.second == &Paths::sounds;
        };
        if (std::none_of(op.cleanCalls.begin(), op.cleanCalls.end(), writesSounds)) continue;
        SCOPED_TRACE(op.name);
        RealInstallation real(op, "file");
        const Paths p = real.paths();
        fs::permissions(p.sounds, kReadOnlyFile);
        Disk expected = real.disk();
        expected[p.backup] = expected.at(p.sounds);

        EXPECT_FALSE(real.run(op));
        const auto kept = keptVersions(real.state, real.ports); // named by the real clock
        ASSERT_EQ(kept.size(), 1u);
        expected[kept[0].path] = expected.at(p.sounds);
        ASSERT_FALSE(real.dialogs.shown.empty());
        EXPECT_EQ(real.dialogs.shown.back().id, Msg::FileNotWritten);
        EXPECT_EQ(real.dialogs.shown.back().args.at(0), p.sounds);
        EXPECT_EQ(real.disk(), expected);
        EXPECT_EQ(modeOf(p.sounds), kReadOnlyFile);
        EXPECT_EQ(real.state.soundsFile.bytes, expected.at(p.sounds));
    }
}

// A writable sounds.txt is replaced whole, and stays what it was: a file
// shared through its group permissions, or a link to a file elsewhere.
TEST(RealSoundsTxt, KeepsItsPermissionsAndItsLink) {
    const Operation apply = operations().front();
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "linked" : "shared");
        RealInstallation real(apply, linked ? "link" : "mode");
        const Paths p = real.paths();
        std::string file = p.sounds;
        if (linked) {
            file = (real.root / "elsewhere.txt").string();
            fs::rename(p.sounds, file);
            fs::create_symlink(file, p.sounds);
        }
        fs::permissions(file, kGroupShared);
        ASSERT_TRUE(real.run(apply));
        EXPECT_EQ(fs::is_symlink(p.sounds), linked);
        EXPECT_EQ(modeOf(file), kGroupShared);
        EXPECT_EQ(real.disk().at(file), soundsFileBytes(real.state));
    }
}
