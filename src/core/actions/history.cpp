#include "actions/history.h"

#include "actions/apply.h"
#include "actions/catalogue.h"
#include "actions/marks.h"
#include "actions/sound_list.h"
#include "format/text_kind.h"
#include "session/paths.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <tuple>

namespace kestrel {

namespace {

constexpr std::string_view kPrefix = "Sounds-";
constexpr std::string_view kSuffix = ".txt";
constexpr int kMaxNumber = 999; // far beyond what one second ever takes

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// What the name of a kept version says: when it was kept ("YYYYMMDD-HHMMSS")
// and its number among those of that second (1 for the plain name).
struct VersionName {
    std::string name;
    std::string stamp;
    int number = 1;

    bool newerThan(const VersionName& o) const {
        return std::tie(stamp, number) > std::tie(o.stamp, o.number);
    }
};

// Only "Sounds-DDDDDDDD-DDDDDD.txt" and "Sounds-DDDDDDDD-DDDDDD-N.txt" (N from
// 2) are the program's: any other file in the folder is left alone.
std::optional<VersionName> parseVersionName(const std::string& name) {
    constexpr std::size_t stampSize = 15;
    std::string_view rest(name);
    if (rest.size() < kPrefix.size() + stampSize + kSuffix.size() ||
        !sameIgnoringCase(rest.substr(0, kPrefix.size()), kPrefix) ||
        !sameIgnoringCase(rest.substr(rest.size() - kSuffix.size()), kSuffix))
        return std::nullopt;
    rest = rest.substr(kPrefix.size(), rest.size() - kPrefix.size() - kSuffix.size());
    const std::string_view stamp = rest.substr(0, stampSize);
    if (!allDigits(stamp.substr(0, 8)) || stamp[8] != '-' || !allDigits(stamp.substr(9)))
        return std::nullopt;
    VersionName parsed{name, std::string(stamp), 1};
    rest.remove_prefix(stampSize);
    if (rest.empty()) return parsed;
    const std::string_view number = rest.substr(1);
    if (rest[0] != '-' || number.empty() || number.size() > 3 || number[0] == '0' ||
        !allDigits(number))
        return std::nullopt;
    parsed.number = std::stoi(std::string(number));
    if (parsed.number < 2) return std::nullopt;
    return parsed;
}

std::string versionFileName(const std::string& stamp, int number) {
    std::string name = std::string(kPrefix) + stamp;
    if (number > 1) name += "-" + std::to_string(number);
    return name + std::string(kSuffix);
}

// "20261208-101500" as "2026-12-08 10:15:00".
std::string shownTime(const std::string& stamp) {
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " +
           stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
}

// The kept versions in the folder, newest first.
std::vector<VersionName> versionNames(const MainState& state, Ports& ports) {
    std::vector<VersionName> names;
    for (const std::string& name : ports.files.list(historyFolder(state), "Sounds-*.txt"))
        if (auto parsed = parseVersionName(name)) names.push_back(std::move(*parsed));
    std::sort(names.begin(), names.end(),
              [](const VersionName& a, const VersionName& b) { return a.newerThan(b); });
    return names;
}

// The first name of this second that no file holds yet; nothing when all are taken.
std::optional<std::string> freeVersionPath(const MainState& state, Ports& ports,
                                           const std::string& stamp) {
    for (int number = 1; number <= kMaxNumber; ++number) {
        const std::string path = historyFolder(state) + versionFileName(stamp, number);
        if (!ports.files.find(path)) return path;
    }
    return std::nullopt;
}

// Keeps the newest versions; the one just kept stays whatever its name says
// (the clock may have been set back).
void removeOldVersions(const MainState& state, Ports& ports, const std::string& justKept) {
    std::vector<VersionName> others = versionNames(state, ports);
    others.erase(std::remove_if(others.begin(), others.end(),
                                [&](const VersionName& v) {
                                    return sameIgnoringCase(historyFolder(state) + v.name,
                                                            justKept);
                                }),
                 others.end());
    for (std::size_t i = kKeptVersions - 1; i < others.size(); ++i)
        (void)ports.files.remove(historyFolder(state) + others[i].name);
}

// The lines of two versions that differ by ID; a sound in one only is paired
// with "".
std::vector<LinePair> differingLines(const SoundsText& kept, const SoundsText& current) {
    std::vector<LinePair> pairs;
    const std::size_t n = std::max(kept.soundCount(), current.soundCount());
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view above = i < kept.soundCount() ? kept.sound(i) : std::string_view();
        const std::string_view below =
            i < current.soundCount() ? current.sound(i) : std::string_view();
        const bool inBoth = i < kept.soundCount() && i < current.soundCount();
        if (inBoth && above == below) continue;
        pairs.push_back({static_cast<int>(i), std::string(above), std::string(below)});
    }
    return pairs;
}

KeptVersion describeVersion(const MainState& state, Ports& ports, const VersionName& name) {
    KeptVersion version;
    version.path = historyFolder(state) + name.name;
    version.time = shownTime(name.stamp);
    ReadResult read = ports.files.read(version.path);
    if (!read.ok) {
        version.readable = false;
        return version;
    }
    version.size = read.bytes.size();
    version.differing = static_cast<int>(
        differingLines(SoundsText::parse(std::move(read.bytes)), *state.soundsFile.text).size());
    return version;
}

// The bytes of a kept version when they may replace sounds.txt; a message
// says why not otherwise.
std::optional<std::string> restorableBytes(const MainState& state, Ports& ports,
                                           const KeptVersion& version) {
    ReadResult read = ports.files.read(version.path);
    if (!read.ok) {
        ports.dialogs.message(Msg::FileUnreadable, {version.path, read.error});
        return std::nullopt;
    }
    if (const auto why = whyNotCatalogue(read.bytes, state.soundCount())) {
        ports.dialogs.message(Msg::FileNotText, {version.path, *why});
        return std::nullopt;
    }
    return std::move(read.bytes);
}

} // namespace

namespace {

// Keeps sounds.txt as it is on disk under the first free name of this second.
// The kept file's path, "" when there is no sounds.txt to keep, nothing when
// it could not be kept (the failure has been shown).
std::optional<std::string> keepVersion(const MainState& state, Ports& ports) {
    const auto sounds = ports.files.find(soundsPath(state));
    if (!sounds) return std::string();
    const std::string stamp = ports.files.localTime();
    const auto target = freeVersionPath(state, ports, stamp);
    if (!target) {
        ports.dialogs.message(Msg::FileNotWritten,
                              {historyFolder(state) + versionFileName(stamp, 1),
                               "every name of this second is taken"});
        return std::nullopt;
    }
    Status kept = ports.files.makeDir(historyFolder(state));
    if (kept) kept = ports.files.keepAs(*sounds, *target);
    if (!kept) {
        ports.dialogs.message(Msg::FileNotWritten, {*target, kept.error});
        return std::nullopt;
    }
    return *target;
}

} // namespace

bool replaceSoundsFile(const MainState& state, Ports& ports, std::string_view bytes) {
    const auto kept = keepVersion(state, ports);
    if (!kept) return false;
    const Status written = ports.files.write(soundsPath(state), bytes);
    if (!written) {
        // The version kept is the file still in place, perhaps under a second
        // name: it goes, so that nothing written into sounds.txt in place
        // later can reach the history.
        if (!kept->empty()) (void)ports.files.remove(*kept);
        ports.dialogs.message(Msg::FileNotWritten, {soundsPath(state), written.error});
        return false;
    }
    if (!kept->empty()) removeOldVersions(state, ports, *kept);
    return true;
}

std::vector<KeptVersion> keptVersions(const MainState& state, Ports& ports) {
    std::vector<KeptVersion> versions;
    for (const VersionName& name : versionNames(state, ports))
        versions.push_back(describeVersion(state, ports, name));
    return versions;
}

std::vector<LinePair> keptDifferences(const MainState& state, Ports& ports,
                                      const KeptVersion& version) {
    const ReadResult read = ports.files.read(version.path);
    if (!read.ok) return {};
    return differingLines(SoundsText::parse(read.bytes), *state.soundsFile.text);
}

bool restoreKeptVersion(MainState& state, Ports& ports, const KeptVersion& version) {
    if (ports.dialogs.message(Msg::HistoryRestoreConfirm, {version.time}) != Answer::Ok)
        return false;
    const auto bytes = restorableBytes(state, ports, version);
    if (!bytes) return false;
    if (!settlePendingChanges(state, ports)) return false;
    if (!replaceSoundsFile(state, ports, *bytes)) return false;
    loadCatalogue(state, ports);
    clearHistory(state);
    markSoundList(state, -1);
    makeRowCurrent(state, ports, 0);
    return true;
}

} // namespace kestrel
