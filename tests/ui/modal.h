#pragma once
// Acting on a modal dialog that a call is about to open: arm first, then make
// the call that blocks.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kestrel::testing {

// Polls for the next modal widget and hands it to `act`, which must close
// it. After a few seconds without one, gives up so a test cannot hang.
inline void whenModalAppears(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < 5000) return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (modal) act(modal);
    });
    timer->start();
}

} // namespace kestrel::testing
