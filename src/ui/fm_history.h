#pragma once
// The versions of sounds.txt that Kestrel replaced: when each was kept, its
// size and how many sounds differ from sounds.txt now; for the chosen one,
// those sounds line by line; and the way to put it back. Modal.

#include "actions/history.h"
#include "session/main_state.h"
#include "session/ports.h"

#include <QDialog>

#include <functional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace kestrel::ui {

class ChangeView;

class FmHistory : public QDialog {
    Q_OBJECT
public:
    FmHistory(MainState& state, Ports& ports, std::function<void()> redrawMain, QWidget* parent);

private:
    void showVersion(int index);
    void restoreChosen();

    MainState& state_;
    Ports& ports_;
    std::function<void()> redrawMain_;
    std::vector<KeptVersion> versions_;
    QTreeWidget* liVersions_ = nullptr;
    ChangeView* liDiff_ = nullptr;
    QPushButton* restore_ = nullptr;
};

} // namespace kestrel::ui
