#pragma once
// The catalogue check's findings: severity, sound, what is wrong, sorted by
// sound ID, with a count per severity. A double click opens the sound in the
// main window; the check runs again on demand. Modal.

#include "actions/check.h"
#include "session/main_state.h"
#include "session/ports.h"

#include <QDialog>

#include <functional>

class QLabel;
class QTreeWidget;

namespace kestrel::ui {

class FmCheck : public QDialog {
    Q_OBJECT
public:
    FmCheck(MainState& state, Ports& ports, std::function<void()> redrawMain, QWidget* parent);

private:
    void refresh();

    MainState& state_;
    Ports& ports_;
    std::function<void()> redrawMain_;
    QTreeWidget* list_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* none_ = nullptr;
};

} // namespace kestrel::ui
