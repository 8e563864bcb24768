#pragma once
// The changes not applied: every sound whose working line differs from its
// line in sounds.txt, both lines shown. A double click opens the sound in
// the main window; the chosen sounds can be brought back to sounds.txt's
// lines in one step that Undo takes back. Modal.

#include "session/main_state.h"
#include "session/ports.h"

#include <QDialog>

#include <functional>

class QLabel;

namespace kestrel::ui {

class ChangeView;

class FmChanges : public QDialog {
    Q_OBJECT
public:
    FmChanges(MainState& state, Ports& ports, std::function<void()> redrawMain, QWidget* parent);

private:
    void refresh();
    void revertChosen();

    MainState& state_;
    Ports& ports_;
    std::function<void()> redrawMain_;
    ChangeView* list_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* none_ = nullptr;
};

} // namespace kestrel::ui
