#pragma once
// The main window: the sound list, the line frame, the current letter and
// WAD name, and the program's commands. It holds no rule of its own: every
// event goes to the core, then the window is drawn again from the state.

#include "session/main_state.h"
#include "session/ports.h"

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace kestrel::ui {

class ToggleList;

class FmSFX : public QWidget {
    Q_OBJECT
public:
    FmSFX(MainState& state, Ports& ports, QWidget* parent = nullptr);

    // Start-up: places the window, reads the settings, loads the catalogue and
    // opens row 0. False when no level editor was chosen on a first start.
    bool start();

    // Draws every control from the state.
    void redraw();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void placeOnScreen();
    void applyLanguage();

    void onRowClicked(int row);
    void onRowStepped(int row);
    void onSelectEditor();
    void onLanguageClicked(int index);

    MainState& state_;
    Ports& ports_;
    bool redrawing_ = false;

    ToggleList* liSfx_ = nullptr;
    QGroupBox* frOrig_ = nullptr;
    QPlainTextEdit* txLig_ = nullptr;
    QLineEdit* txOrig_ = nullptr;
    QLineEdit* txModif_ = nullptr;
    QLineEdit* txLett_ = nullptr;
    QLineEdit* txWad_ = nullptr;
    QToolButton* cdSelLE_ = nullptr;
    QButtonGroup* opLang_ = nullptr;
    QRadioButton* opLangButtons_[2] = {nullptr, nullptr};
};

} // namespace kestrel::ui
