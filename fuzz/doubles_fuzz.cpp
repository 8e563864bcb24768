// The doubles file Kestrel.tod: the records read are written out and read
// back as the same records; with every row's selection changed, the file
// reads back as the same records with the new marks and keeps every line
// that is no record and every field beyond the mark; unchanged, it is the
// same bytes and the dialog writes nothing. The marks table built from it has
// a mark for every sound.

#include "actions/doubles.h"
#include "fake_ports.h"
#include "format/record_file.h"
#include "fuzz_support.h"
#include "session/main_state.h"

#include <algorithm>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

std::vector<bool> selectionOf(const std::vector<DoubleRecord>& records, bool flipped) {
    std::vector<bool> selected;
    for (const DoubleRecord& r : records) selected.push_back(r.selected() != flipped);
    return selected;
}

// The fields after the mark, as many as the line has.
std::vector<std::string> fieldsAfterMark(std::string_view line) {
    std::vector<std::string> fields = parseRecordLine(line);
    fields.erase(fields.begin(), fields.begin() + std::min<std::size_t>(fields.size(), 2));
    return fields;
}

void checkMarksRewritten(std::string_view bytes, const std::vector<DoubleRecord>& records) {
    FUZZ_CHECK(withDoubleMarks(bytes, selectionOf(records, false)) == bytes);
    const std::string flipped = withDoubleMarks(bytes, selectionOf(records, true));
    const std::vector<DoubleRecord> saved = readDoubles(flipped);
    FUZZ_CHECK(saved.size() == records.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        DoubleRecord expected = records[i];
        expected.mark = expected.selected() ? kDoubleUnselected : kDoubleSelected;
        FUZZ_CHECK(saved[i] == expected);
    }
    const std::vector<std::string> before = splitLines(bytes), after = splitLines(flipped);
    FUZZ_CHECK(before.size() == after.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (readDoubles(before[i]).empty()) FUZZ_CHECK(after[i] == before[i]);
        FUZZ_CHECK(fieldsAfterMark(after[i]) == fieldsAfterMark(before[i]));
    }
}

void checkMarks(std::string_view bytes, const std::vector<DoubleRecord>& records) {
    FakePorts fake;
    MainState state;
    state.dirs.appDir = "/app/";
    state.liText = WorkingLines(std::vector<std::string>(400, "A:\ts"));
    fake.files.files[doublesPath(state)] = std::string(bytes);
    loadDoubleMarks(state, fake.files);
    FUZZ_CHECK(state.doubleSelected.size() == 400);
    for (int id : kProtectedIds) FUZZ_CHECK(!state.doubleSelected[static_cast<std::size_t>(id)]);
    // The last record of a sound gives its mark.
    std::vector<const DoubleRecord*> last(400, nullptr);
    for (const DoubleRecord& r : records)
        if (r.id >= 0 && r.id < 400) last[static_cast<std::size_t>(r.id)] = &r;
    for (std::size_t id = 0; id < 400; ++id) {
        if (isProtected(static_cast<int>(id))) continue;
        FUZZ_CHECK(state.doubleSelected[id] == (!last[id] || last[id]->selected()));
    }

    // The dialog: OK without a change writes nothing; with every row
    // changed, it writes the file with every mark rewritten.
    DoublesDialog dialog = openDoublesDialog(state, fake.ports);
    FUZZ_CHECK(dialog.readOk);
    FUZZ_CHECK(dialog.records == records);
    FUZZ_CHECK(dialog.selected == selectionOf(records, false));
    FUZZ_CHECK(saveDoublesDialog(state, fake.ports, dialog));
    FUZZ_CHECK(fake.files.calls.empty());
    dialog.selected = selectionOf(records, true);
    FUZZ_CHECK(saveDoublesDialog(state, fake.ports, dialog));
    FUZZ_CHECK(fake.files.bytes(doublesPath(state)) ==
               withDoubleMarks(bytes, selectionOf(records, true)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const std::vector<DoubleRecord> records = readDoubles(bytes);
    const std::string written = formatDoubles(records);
    FUZZ_CHECK(readDoubles(written) == records);
    FUZZ_CHECK(formatDoubles(readDoubles(written)) == written);
    for (const DoubleRecord& r : records) {
        for (const std::string* field : {&r.mark, &r.gen, &r.name, &r.samples, &r.letters})
            FUZZ_CHECK(!fuzz::holdsLineEnd(*field));
        const std::string row = doubleRowText(r);
        FUZZ_CHECK(row.size() >= 3 + 2 + kNameWidth + 1 + kSamplesWidth);
        FUZZ_CHECK(row.compare(row.size() - kSamplesWidth, kSamplesWidth,
                               fixedWidth(r.samples, kSamplesWidth)) == 0);
    }
    checkMarksRewritten(bytes, records);
    checkMarks(bytes, records);
    return 0;
}
