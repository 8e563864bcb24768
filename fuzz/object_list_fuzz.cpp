// The object list Kestrel.too, read both ways: by type for the object dialog
// and as one sequence for the .WAS import. Every object holds a name of at
// most 25 characters and the sound IDs of its record; the import sees the
// objects the dialog sees, in the same order, less those it leaves out; and
// the dialog can show and accept any of them.

#include "actions/objects.h"
#include "fake_ports.h"
#include "format/object_list.h"
#include "format/record_file.h"
#include "fuzz_support.h"
#include "session/main_state.h"

using namespace kestrel;
using namespace kestrel::testing;

namespace {

void checkObject(const GameObject& object) {
    FUZZ_CHECK(object.name.size() <= 25);
    FUZZ_CHECK(object.name.empty() || object.name.back() != ' ');
    FUZZ_CHECK(!fuzz::holdsLineEnd(object.name));
    FUZZ_CHECK(object.ids.size() <= 99);
    for (const int id : object.ids) FUZZ_CHECK(id >= 1 && id <= 999);
}

bool sameObject(const GameObject& a, const GameObject& b) {
    return a.name == b.name && a.ids == b.ids;
}

// The object dialog on the table: every type listed, every object shown
// and accepted; the sound IDs it gives name rows of the catalogue.
void checkDialog(const TypeObjectTable& types) {
    FakePorts fake;
    MainState state;
    state.liText = WorkingLines(std::vector<std::string>(120, "A:\ts"));
    state.rows.assign(120, SoundRow{});
    state.objDlg.loaded = true;
    state.objDlg.types = types;
    for (int type = 0; type < 8; ++type) {
        pickObjectType(state, type);
        const ObjectDialog& d = state.objDlg;
        FUZZ_CHECK(d.currentType == type + 1);
        const std::size_t listed = d.liObj.size();
        FUZZ_CHECK(static_cast<std::size_t>(d.currentType) < types.size() || listed == 0);
        for (int k = 0; k <= static_cast<int>(listed); ++k) {
            highlightObject(state, k);
            acceptObject(state);
            if (k == static_cast<int>(listed)) {
                FUZZ_CHECK(state.objects.txObjet.empty());
                continue;
            }
            FUZZ_CHECK(state.objects.txObjet == d.liObj[static_cast<std::size_t>(k)] &&
                       !state.objects.txObjet.empty());
            for (const int row : objectSoundRows(state))
                FUZZ_CHECK(row >= 0 && row < state.soundCount() && !isProtected(row));
            for (int s = 0; s < static_cast<int>(d.liSid.size()) && s < 3; ++s) {
                clickObjectSoundId(state, fake.ports, s);
                FUZZ_CHECK(state.currentRow == -1 || (state.currentRow < state.soundCount() &&
                                                      !isProtected(state.currentRow)));
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const TypeObjectTable types = readTypeObjects(bytes);
    FUZZ_CHECK(!types.empty());
    for (const auto& type : types)
        for (const GameObject& object : type) checkObject(object);

    // The import sees the objects of the dialog's table, in file order.
    std::vector<const GameObject*> inFileOrder;
    for (const auto& type : types)
        for (const GameObject& object : type) inFileOrder.push_back(&object);
    std::size_t next = 0;
    for (const GameObject& object : readImportObjects(bytes)) {
        checkObject(object);
        FUZZ_CHECK(object.name.find('(') == std::string::npos);
        FUZZ_CHECK(object.name.find("LOOP") == std::string::npos);
        while (next < inFileOrder.size() && !sameObject(*inFileOrder[next], object)) ++next;
        FUZZ_CHECK(next < inFileOrder.size());
        ++next;
    }

    for (const std::string& line : splitLines(bytes)) checkObject(readObjectRecord(line));
    checkDialog(types);
    return 0;
}
