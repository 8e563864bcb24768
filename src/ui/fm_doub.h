#pragma once
// The doubles dialog: the sounds that share a sample with another, each
// selected when a .SAM import may give it the letter. Modal; OK saves the
// marks, Cancel leaves the file alone.

#include "actions/doubles.h"
#include "session/main_state.h"
#include "session/ports.h"

#include <QDialog>

class QListView;
class QPushButton;

namespace kestrel::ui {

class FmDoub : public QDialog {
    Q_OBJECT
public:
    FmDoub(const MainState& state, Ports& ports, QWidget* parent);

    void accept() override;
    // The file and its records as the dialog leaves them.
    const DoublesDialog& doubles() const { return doubles_; }

private:
    const MainState& state_;
    Ports& ports_;
    DoublesDialog doubles_;
    QListView* liDoub_ = nullptr;
};

// Shows the dialog modally, then reads the marks again whatever the answer.
void manageDoubles(MainState& state, Ports& ports, QWidget* parent);

} // namespace kestrel::ui
