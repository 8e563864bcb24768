#include "actions/catalogue.h"

#include "actions/current_sound.h"
#include "actions/doubles.h"
#include "format/record_file.h"
#include "format/sound_line.h"
#include "format/text_kind.h"
#include "session/paths.h"

#include <algorithm>

namespace kestrel {

namespace {

bool isSoundLine(std::string_view line) {
    return line.find(':') != std::string::npos;
}

// Lines carrying WAD letters lose their trailing spaces when loaded.
std::string_view loadedLine(std::string_view line) {
    if (line.find('#') == std::string::npos) return line;
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
}

// A file that is not 8-bit text counts as unread: its lines would be
// written back as a corrupt mix.
bool readOrReport(Ports& ports, const std::string& path, std::string& bytes) {
    ReadResult file = ports.files.read(path);
    if (!file.ok) {
        ports.dialogs.message(Msg::FileUnreadable, {path, file.error});
        return false;
    }
    if (const auto why = whyNotText(file.bytes)) {
        ports.dialogs.message(Msg::FileNotText, {path, *why});
        return false;
    }
    bytes = std::move(file.bytes);
    return true;
}

void resetCatalogue(MainState& state) {
    state.choice.showG = false;
    state.wads = {};
    state.rows.clear();
    state.liText.clear();
    state.liOrig.clear();
    state.currentRow = -1;
    state.buttons.setAll(false);
    state.txOrig.clear();
    state.txModif.clear();
    state.frOrigName.reset();
    state.soundsFile = {};
    state.changedCount = 0;
    clearEditors(state);
}

bool loadWadTable(MainState& state, Ports& ports) {
    std::string bytes;
    if (!readOrReport(ports, wadTablePath(state), bytes)) return false;
    for (const std::string& line : splitLines(bytes)) {
        const auto fields = parseRecordLine(line);
        if (fields.size() < 3) continue;
        state.wads.titles.push_back(fields[0]);
        state.wads.letters.push_back(fields[1]);
        state.wads.files.push_back(fields[2]);
    }
    return true;
}

bool loadDefaultLines(MainState& state, Ports& ports) {
    std::string bytes;
    if (!readOrReport(ports, defaultLinesPath(state), bytes)) return false;
    forEachLine(bytes,
                [&state](std::string_view line) { state.liOrig.emplace_back(loadedLine(line)); });
    return true;
}

bool loadSoundLines(MainState& state, Ports& ports) {
    std::string bytes;
    // Taken before the read: a write in between makes the next look read
    // the file, not miss the change.
    const auto stamp = ports.files.stamp(soundsPath(state));
    if (!readOrReport(ports, soundsPath(state), bytes)) return false;
    state.soundsFile.read = true;
    state.soundsFile.stamp = stamp;
    // Room for every line at once: a long catalogue is not copied again
    // each time its lists grow.
    const auto count = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    state.soundsFile.layout.reserve(count);
    state.soundsFile.lines.reserve(count);
    state.liText.reserve(count);
    state.rows.reserve(count);
    forEachLine(bytes, [&state](std::string_view raw) {
        if (!isSoundLine(raw)) {
            state.soundsFile.layout.emplace_back(std::string(raw));
            return;
        }
        state.soundsFile.layout.emplace_back(std::nullopt);
        const std::string_view line = loadedLine(raw);
        state.rows.push_back({soundRowText(state.soundCount(), line), false});
        state.soundsFile.lines.emplace_back(line);
        state.liText.emplace_back(line);
    });
    state.soundsFile.bytes = std::move(bytes);
    return true;
}

} // namespace

std::vector<std::string> soundLinesOf(std::string_view bytes) {
    std::vector<std::string> lines;
    forEachLine(bytes, [&lines](std::string_view raw) {
        if (isSoundLine(raw)) lines.emplace_back(loadedLine(raw));
    });
    return lines;
}

std::string soundRowText(int id, std::string_view line) {
    const std::string number = padNumber(id, 3, ' ');
    if (isProtected(id)) return number + ":";
    return number + ": " + fixedWidth(line.substr(0, line.find(':')), 22);
}

bool loadCatalogue(MainState& state, Ports& ports) {
    resetCatalogue(state);
    const bool wadsRead = loadWadTable(state, ports);
    const bool defaultsRead = loadDefaultLines(state, ports);
    const bool soundsRead = loadSoundLines(state, ports);
    loadDoubleMarks(state, ports.files);
    // Apply writes from sounds.txt and the default lines, not from the table.
    state.catalogueComplete = defaultsRead && soundsRead;
    state.unreadFile = !soundsRead     ? soundsPath(state)
                       : !defaultsRead ? defaultLinesPath(state)
                                       : "";
    if (state.soundCount() > kCatalogueSize)
        ports.dialogs.message(Msg::TooManySounds, {std::to_string(state.soundCount())});
    return wadsRead && state.catalogueComplete;
}

} // namespace kestrel
