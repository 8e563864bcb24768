#include "actions/catalogue.h"

#include "actions/current_sound.h"
#include "actions/doubles.h"
#include "actions/undo.h"
#include "format/record_file.h"
#include "format/sound_line.h"
#include "format/text_kind.h"
#include "session/paths.h"

#include <algorithm>
#include <charconv>

namespace kestrel {

namespace {

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

// What every load starts afresh: no current sound, no generic marks.
void resetView(MainState& state) {
    state.choice.showG = false;
    state.currentRow = -1;
    state.buttons.setAll(false);
    state.txOrig.clear();
    state.txModif.clear();
    state.frOrigName.reset();
    clearEditors(state);
}

void resetCatalogue(MainState& state) {
    resetView(state);
    state.wads = {};
    state.rows.clear();
    state.dropWorkingLines();
    state.liOrig = {};
    state.soundsFile = {};
    state.catalogueSources.clear();
    state.changedCount = 0;
}

std::vector<ReadFile> sourcePaths(const MainState& state) {
    return {{wadTablePath(state), {}}, {defaultLinesPath(state), {}}, {doublesPath(state), {}}};
}

// Whether the catalogue's files are as the last load read them (sounds.txt
// as read or as Apply last wrote it), by time and size.
bool unchangedOnDisk(const MainState& state, Files& files) {
    if (state.catalogueSources.empty() || !state.soundsFile.stamp ||
        files.stamp(soundsPath(state)) != state.soundsFile.stamp)
        return false;
    std::vector<ReadFile> now = sourcePaths(state);
    for (ReadFile& file : now) file.stamp = files.stamp(file.path);
    return now == state.catalogueSources;
}

// The catalogue as a load of the same files leaves it, from what the last
// one read: every working line goes back to its line in sounds.txt. The
// rows keep their marks until they are marked again.
void putBackLoadedLines(MainState& state) {
    resetView(state);
    const SoundsText& disk = *state.soundsFile.text;
    for (std::size_t i = 0; i < disk.soundCount(); ++i) {
        if (state.liText.isLineOf(disk, i)) continue;
        if (state.liText[i] != disk.sound(i)) state.setWorkingLine(i, disk.sound(i));
    }
    refreshChangedRows(state);
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
    state.liOrig = TextLines::split(std::move(bytes), loadedLine);
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
    state.soundsFile.text = std::make_shared<const SoundsText>(SoundsText::parse(std::move(bytes)));
    state.liText = WorkingLines(state.soundsFile.text);
    state.rows.resize(state.liText.size());
    return true;
}

} // namespace

std::string soundRowText(int id, std::string_view line) {
    std::string text;
    appendSoundRowText(text, id, line);
    return text;
}

void appendSoundRowText(std::string& out, int id, std::string_view line) {
    constexpr std::size_t kNumberWidth = 3, kNameWidth = 22;
    // Written in place, in one resize: a search makes the text of every row
    // it passes.
    char digits[16];
    const char* const end = std::to_chars(digits, digits + sizeof digits, id).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    const std::size_t pad = length < kNumberWidth ? kNumberWidth - length : 0;
    const bool named = !isProtected(id);
    const std::size_t at = out.size();
    out.resize(at + pad + length + (named ? 2 + kNameWidth : 1), ' ');
    char* p = out.data() + at + pad;
    p = std::copy(static_cast<const char*>(digits), end, p);
    *p++ = ':';
    if (!named) return;
    const std::string_view name = line.substr(0, std::min(line.find(':'), kNameWidth));
    std::copy(name.begin(), name.end(), p + 1);
}

bool loadCatalogue(MainState& state, Ports& ports) {
    resetCatalogue(state);
    // Taken before the reads, as sounds.txt's stamp is.
    std::vector<ReadFile> sources = sourcePaths(state);
    for (ReadFile& file : sources) file.stamp = ports.files.stamp(file.path);
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
    if (wadsRead && state.catalogueComplete) state.catalogueSources = std::move(sources);
    return wadsRead && state.catalogueComplete;
}

bool readCatalogueAgain(MainState& state, Ports& ports) {
    if (!unchangedOnDisk(state, ports.files) ||
        state.liText.size() != state.soundsFile.text->soundCount() ||
        state.rows.size() != state.liText.size())
        return loadCatalogue(state, ports);
    putBackLoadedLines(state);
    return true;
}

} // namespace kestrel
