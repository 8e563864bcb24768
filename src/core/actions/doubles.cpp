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

// Fills state.doubleSelected: selected for every place until a mark is set,
// and unselected for the protected sounds, whatever was set.
class MarkTable {
public:
    explicit MarkTable(MainState& state)
        : marks_(state.doubleSelected),
          size_(std::max<std::size_t>(kCatalogueSize, state.liText.size())) {
        marks_.assign(size_, true);
    }
    MarkTable(const MarkTable&) = delete;
    MarkTable& operator=(const MarkTable&) = delete;
    ~MarkTable() {
        for (int id : kProtectedIds)
            if (static_cast<std::size_t>(id) < size_) marks_[static_cast<std::size_t>(id)] = false;
    }
    void set(long id, std::string_view mark) {
        if (id >= 0 && static_cast<std::size_t>(id) < size_)
            marks_[static_cast<std::size_t>(id)] = mark == kDoubleSelected;
    }

private:
    std::vector<bool>& marks_;
    std::size_t size_;
};

} // namespace

void loadDoubleMarks(MainState& state, Files& files) {
    const ReadResult file = files.read(doublesPath(state));
    MarkTable table(state);
    if (file.ok)
        for (auto& [id, mark] : readDoubleMarks(file.bytes)) table.set(id, mark);
}

void closeDoublesDialog(MainState& state, Files& files, const DoublesDialog& dialog) {
    const ReadResult now = files.read(doublesPath(state));
    if (!dialog.readOk || !now.ok || now.bytes != dialog.bytes) {
        loadDoubleMarks(state, files);
        return;
    }
    MarkTable table(state);
    for (const DoubleRecord& record : dialog.records) table.set(record.id, record.mark);
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

bool saveDoublesDialog(const MainState& state, Ports& ports, DoublesDialog& dialog) {
    if (!dialog.readOk) return false;
    const std::string bytes = withDoubleMarks(dialog.bytes, dialog.selected);
    if (bytes == dialog.bytes) return true;
    const std::string path = doublesPath(state);
    if (changedSinceRead(path, ports.files, dialog) &&
        ports.dialogs.message(Msg::DoublesChangedOnDisk, {path}) != Answer::Yes)
        return false;
    const Status written = ports.files.write(path, bytes);
    if (!written) {
        ports.dialogs.message(Msg::FileNotWritten, {path, written.error});
        return false;
    }
    // The dialog now holds the file as written.
    dialog.bytes = bytes;
    for (std::size_t i = 0; i < dialog.records.size() && i < dialog.selected.size(); ++i)
        if (dialog.selected[i] != dialog.records[i].selected())
            dialog.records[i].mark = dialog.selected[i] ? kDoubleSelected : kDoubleUnselected;
    return true;
}

} // namespace kestrel
