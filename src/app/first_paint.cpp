#include "first_paint.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace kestrel::app {

namespace {

// The window's first paint event comes first among its children's, in the
// same drawing pass: the quit, queued, runs once the whole pass is done.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, QObject* parent) : QObject(parent), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                QTimer::singleShot(0, box, [box] {
                    if (QPushButton* button = box->defaultButton())
                        button->click();
                    else
                        box->reject();
                });
        if (event->type() == QEvent::Paint && watched == &window_) {
            std::printf("%dx%d\n", window_.width(), window_.height());
            std::fflush(stdout);
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void quitAfterFirstPaintIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet("KESTREL_QUIT_AFTER_FIRST_PAINT"))
        qApp->installEventFilter(new FirstPaint(window, &window));
}

} // namespace kestrel::app
