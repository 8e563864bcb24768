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
    state.liOrig = {};
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
    state.soundsFile.text = SoundsText::parse(std::move(bytes));
    const SoundsText& text = state.soundsFile.text;
    state.liText.reserve(text.soundCount());
    state.rows.reserve(text.soundCount());
    for (std::size_t i = 0; i < text.soundCount(); ++i) {
        state.rows.push_back({soundRowText(state.soundCount(), text.sound(i)), false});
        state.liText.emplace_back(text.sound(i));
    }
    return true;
}

} // namespace

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
