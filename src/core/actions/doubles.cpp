#include "actions/doubles.h"

#include "format/sound_line.h"
#include "session/paths.h"

#include <algorithm>

namespace kestrel {

namespace {

// Another Kestrel may have saved its own marks since the dialog read the
// file: replacing it unasked would silently undo them.
bool changedSinceRead(const std::string& path, Files& files, const DoublesDialog& dialog) {
    const ReadResult now = files.read(path);
    return !now.ok || now.bytes != dialog.bytes;
}

} // namespace

void loadDoubleMarks(MainState& state, Files& files) {
    const std::size_t size = std::max<std::size_t>(kCatalogueSize, state.liText.size());
    state.doubleMarks.assign(size, kDoubleSelected);
    const ReadResult file = files.read(doublesPath(state));
    if (file.ok) {
        for (auto& [id, mark] : readDoubleMarks(file.bytes))
            if (id >= 0 && id < static_cast<long>(size)) state.doubleMarks[id] = std::move(mark);
    }
    for (int id : kProtectedIds)
        if (id < static_cast<int>(size)) state.doubleMarks[id] = kDoubleUnselected;
}

DoublesDialog openDoublesDialog(const MainState& state, Ports& ports) {
    DoublesDialog dialog;
    const ReadResult file = ports.files.read(doublesPath(state));
    if (!file.ok) {
        ports.dialogs.message(Msg::FileUnreadable, {doublesPath(state), file.error});
        return dialog;
    }
    dialog.readOk = true;
    dialog.bytes = file.bytes;
    dialog.records = readDoubles(file.bytes);
    for (const DoubleRecord& r : dialog.records) dialog.selected.push_back(r.selected());
    return dialog;
}

bool saveDoublesDialog(const MainState& state, Ports& ports, const DoublesDialog& dialog) {
    if (!dialog.readOk) return false;
    const std::string bytes = withDoubleMarks(dialog.bytes, dialog.selected);
    if (bytes == dialog.bytes) return true;
    const std::string path = doublesPath(state);
    if (changedSinceRead(path, ports.files, dialog) &&
        ports.dialogs.message(Msg::DoublesChangedOnDisk, {path}) != Answer::Yes)
        return false;
    const Status written = ports.files.write(path, bytes);
    if (!written) ports.dialogs.message(Msg::FileNotWritten, {path, written.error});
    return written.ok;
}

} // namespace kestrel
