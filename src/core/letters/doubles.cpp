#include "letters/doubles.h"

#include "catalogue/record_file.h"
#include "catalogue/sound_line.h"

#include <algorithm>
#include <optional>

namespace kestrel {

namespace {

// Field `i`, moved out of the record's fields; "" when the record is shorter.
std::string takeField(std::vector<std::string>& fields, std::size_t i) {
    return i < fields.size() ? std::move(fields[i]) : std::string();
}

} // namespace

std::vector<DoubleRecord> readDoubles(std::string_view bytes) {
    std::vector<DoubleRecord> out;
    for (const std::string& line : splitLines(bytes)) {
        auto fields = parseRecordLine(line);
        if (fields.empty()) continue;
        const auto id = readRecordNumber(fields[0]);
        if (!id) continue;
        out.push_back({*id, takeField(fields, 1), takeField(fields, 2), takeField(fields, 3),
                       takeField(fields, 4), takeField(fields, 5)});
    }
    return out;
}

std::string formatDoubles(const std::vector<DoubleRecord>& records) {
    std::string out;
    for (const DoubleRecord& r : records) {
        out += formatRecordLine({r.id, r.mark, r.gen, r.name, r.samples, r.letters});
        out += "\r\n";
    }
    return out;
}

std::string doubleRowText(const DoubleRecord& record) {
    return padNumber(static_cast<int>(record.id), 3, ' ') + ": " +
           fixedWidth(record.name, kNameWidth) + " " + fixedWidth(record.samples, kSamplesWidth);
}

std::string doublesPath(const MainState& state) { return state.dirs.appDir + "Kestrel.tod"; }

void loadDoubleMarks(MainState& state, Files& files) {
    const std::size_t size = std::max<std::size_t>(kCatalogueSize, state.liText.size());
    state.doubleMarks.assign(size, kDoubleSelected);
    const ReadResult file = files.read(doublesPath(state));
    if (file.ok) {
        for (const DoubleRecord& r : readDoubles(file.bytes))
            if (r.id >= 0 && r.id < static_cast<long>(size)) state.doubleMarks[r.id] = r.mark;
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
    dialog.records = readDoubles(file.bytes);
    for (const DoubleRecord& r : dialog.records) dialog.selected.push_back(r.selected());
    return dialog;
}

bool saveDoublesDialog(const MainState& state, Ports& ports, const DoublesDialog& dialog) {
    if (!dialog.readOk) return false;
    std::vector<DoubleRecord> records = dialog.records;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const bool on = i < dialog.selected.size() && dialog.selected[i];
        records[i].mark = on ? kDoubleSelected : kDoubleUnselected;
    }
    const Status written = ports.files.write(doublesPath(state), formatDoubles(records));
    if (!written) ports.dialogs.message(Msg::FileNotWritten, {doublesPath(state), written.error});
    return written.ok;
}

} // namespace kestrel
