#pragma once
// The help window: the help text of the language in force, without border
// or title, beside the help button; any click closes it.

#include <QDialog>

class QPlainTextEdit;

namespace kestrel::ui {

// Where the help window goes: below the help button (at `buttonAt` in the
// main window), measured from the main window's outer edge, and kept on
// `screen`.
QPoint helpWindowPlace(const QRect& mainFrame, const QPoint& buttonAt, int buttonHeight,
                       const QSize& size, const QRect& screen);

class FmHelp : public QDialog {
    Q_OBJECT
public:
    // `text` is shown as it is, in the window's light yellow on black.
    FmHelp(const QString& text, QWidget* parent = nullptr);

    // Beside `button` of `window`, held on the screen.
    void placeBelow(const QWidget& window, const QWidget& button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPlainTextEdit* txHlp_ = nullptr;
};

} // namespace kestrel::ui
