#include "actions/objects.h"

#include "actions/sound_list.h"
#include "session/paths.h"

namespace kestrel {

namespace {

// The file's bytes; a failure is reported the first time only.
std::string readObjectList(MainState& state, Ports& ports) {
    ReadResult file = ports.files.read(objectListPath(state));
    if (file.ok) return std::move(file.bytes);
    if (!state.objects.objectListUnreadable)
        ports.dialogs.message(Msg::FileUnreadable, {objectListPath(state), file.error});
    state.objects.objectListUnreadable = true;
    return {};
}

void loadObjectDialog(MainState& state, Ports& ports) {
    ObjectDialog& d = state.objDlg;
    d = ObjectDialog{};
    d.types = readTypeObjects(readObjectList(state, ports));
    d.loaded = true;
    // The first type is shown and listed from the start.
    pickObjectType(state, 0);
}

} // namespace

void loadImportObjects(MainState& state, Ports& ports) {
    state.objects.importObjects = readImportObjects(readObjectList(state, ports));
}

void toggleObjectDialog(MainState& state, Ports& ports) {
    if (state.objects.objetOpen) {
        state.objects.objetOpen = false;
        return;
    }
    if (!state.objDlg.loaded) loadObjectDialog(state, ports);
    state.objects.objetOpen = true;
}

void eraseObjectName(MainState& state) {
    state.objects.txObjet.clear();
}

void pickObjectType(MainState& state, int index) {
    ObjectDialog& d = state.objDlg;
    if (index >= 0 && index < 8) {
        d.cbType = index;
        d.currentType = index + 1;
    }
    d.liObj.clear();
    d.liObjSel = -1;
    d.liSid.clear();
    d.liSidSel = -1;
    d.cdOkEnabled = false;
    if (d.currentType <= 0 || d.currentType >= static_cast<int>(d.types.size())) return;
    for (const GameObject& object : d.types[static_cast<std::size_t>(d.currentType)]) {
        if (object.name.empty()) break;
        d.liObj.push_back(object.name);
    }
}

void highlightObject(MainState& state, int index) {
    ObjectDialog& d = state.objDlg;
    if (index < 0 || index >= static_cast<int>(d.liObj.size())) {
        d.liObjSel = -1;
        d.cdOkEnabled = false;
        return;
    }
    d.liObjSel = index;
    const GameObject& object =
        d.types[static_cast<std::size_t>(d.currentType)][static_cast<std::size_t>(index)];
    d.liSid = object.ids;
    d.liSidSel = -1;
    d.cdOkEnabled = true;
}

void clickObjectSoundId(MainState& state, Ports& ports, int index) {
    ObjectDialog& d = state.objDlg;
    if (index < 0 || index >= static_cast<int>(d.liSid.size())) return;
    d.liSidSel = index;
    const int id = d.liSid[static_cast<std::size_t>(index)];
    if (id < 0 || id >= static_cast<int>(state.rows.size())) return;
    makeRowCurrent(state, ports, id);
}

void acceptObject(MainState& state) {
    ObjectDialog& d = state.objDlg;
    if (d.liObjSel < 0) {
        state.objects.txObjet.clear();
        return;
    }
    state.objects.txObjet = d.liObj[static_cast<std::size_t>(d.liObjSel)];
    d.liOK = d.liSid;
}

std::vector<int> objectSoundRows(const MainState& state) {
    std::vector<int> rows;
    for (const int id : state.objDlg.liOK)
        if (id >= 0 && id < state.soundCount() && !isProtected(id)) rows.push_back(id);
    return rows;
}

} // namespace kestrel
