// The doubles file Kestrel.tod: the records read are written out and read
// back as the same records; the marks table built from it has a mark for
// every sound; and the doubles dialog writes back every record it read,
// only the marks following the rows.

#include "fake_ports.h"
#include "fuzz_support.h"
#include "letters/doubles.h"
#include "session/main_state.h"

using namespace kestrel;
using namespace kestrel::testing;

namespace {

bool isMark(const std::string& mark) {
    return mark == kDoubleSelected || mark == kDoubleUnselected;
}

void checkMarks(std::string_view bytes, const std::vector<DoubleRecord>& records) {
    FakePorts fake;
    MainState state;
    state.dirs.appDir = "/app/";
    state.liText.assign(400, "A:\ts");
    fake.files.files[doublesPath(state)] = std::string(bytes);
    loadDoubleMarks(state, fake.files);
    FUZZ_CHECK(state.doubleMarks.size() == 400);
    for (int id : kProtectedIds)
        FUZZ_CHECK(state.doubleMarks[static_cast<std::size_t>(id)] == kDoubleUnselected);
    // The last record of a sound gives its mark.
    std::vector<const DoubleRecord*> last(400, nullptr);
    for (const DoubleRecord& r : records)
        if (r.id >= 0 && r.id < 400) last[static_cast<std::size_t>(r.id)] = &r;
    for (std::size_t id = 0; id < 400; ++id) {
        if (isProtected(static_cast<int>(id))) continue;
        FUZZ_CHECK(state.doubleMarks[id] ==
                   (last[id] ? last[id]->mark : std::string(kDoubleSelected)));
    }

    // The dialog, saved with each row as it was read: the file then holds
    // the same records, each mark now one of the two the dialog writes.
    DoublesDialog dialog = openDoublesDialog(state, fake.ports);
    FUZZ_CHECK(dialog.readOk);
    FUZZ_CHECK(dialog.records == records);
    FUZZ_CHECK(dialog.selected.size() == records.size());
    FUZZ_CHECK(saveDoublesDialog(state, fake.ports, dialog));
    const std::vector<DoubleRecord> saved = readDoubles(fake.files.bytes(doublesPath(state)));
    FUZZ_CHECK(saved.size() == records.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        DoubleRecord expected = records[i];
        expected.mark = expected.selected() ? kDoubleSelected : kDoubleUnselected;
        FUZZ_CHECK(saved[i] == expected);
        FUZZ_CHECK(isMark(saved[i].mark));
    }
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
    checkMarks(bytes, records);
    return 0;
}
