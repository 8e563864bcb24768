#pragma once
// The object dialog: a small borderless window beside the main window in
// which the user picks a game object by type and name. It does not block the
// main window; what it shows comes from the main window's state.

#include "session/main_state.h"
#include "session/ports.h"

#include <QPoint>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QListWidget;
class QToolButton;

namespace kestrel::ui {

class FmObjet : public QWidget {
    Q_OBJECT
public:
    // `changed` runs after every event, so that the main window redraws too.
    FmObjet(MainState& state, Ports& ports, std::function<void()> changed, QWidget* parent);

    // Beside the main window: its left edge at the main window's right edge,
    // centred on the screen's height.
    void placeBeside(const QWidget& mainWindow);

    void redraw();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyLanguage();
    template <class F> void act(F&& operation);

    MainState& state_;
    Ports& ports_;
    std::function<void()> changed_;
    bool redrawing_ = false;
    // Where the mouse was pressed on the header; none while no drag is under way.
    std::optional<QPoint> dragAnchor_;

    QLabel* label3_ = nullptr;
    QComboBox* cbType_ = nullptr;
    QListWidget* liObj_ = nullptr;
    QListWidget* liSid_ = nullptr;
    QToolButton* cdOk_ = nullptr;
};

} // namespace kestrel::ui
