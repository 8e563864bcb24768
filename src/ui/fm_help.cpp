#include "fm_help.h"

#include "looks.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kestrel::ui {

FmHelp::FmHelp(const QString& text, QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("FmHelp"));
    setModal(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
    txHlp_ = new QPlainTextEdit(this);
    txHlp_->setObjectName(QStringLiteral("TxHlp"));
    txHlp_->setReadOnly(true);
    txHlp_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txHlp_->setFont(fixedFont());
    QPalette p = txHlp_->palette();
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, QColor(255, 255, 192));
    txHlp_->setPalette(p);
    txHlp_->setPlainText(text);
    // A click closes the window, wherever it lands; the scroll bar still scrolls.
    txHlp_->viewport()->installEventFilter(this);
    txHlp_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txHlp_);
    const QFontMetrics fixed(fixedFont());
    resize(fixed.horizontalAdvance(QString(82, u'M')) +
               txHlp_->verticalScrollBar()->sizeHint().width(),
           fixed.lineSpacing() * 36);
}

QPoint helpWindowPlace(const QRect& mainFrame, const QPoint& buttonAt, int buttonHeight,
                       const QSize& size, const QRect& screen) {
    int left = mainFrame.x() + buttonAt.x() + 3;
    int top = mainFrame.y() + buttonAt.y() + buttonHeight + 30;
    if (screen.isValid()) {
        if (left + size.width() > screen.right() + 1) left = screen.right() + 1 - size.width();
        if (top + size.height() > screen.bottom() + 1) top = screen.bottom() + 1 - size.height();
    }
    return {left, top};
}

void FmHelp::placeBelow(const QWidget& window, const QWidget& button) {
    const QRect screen = window.screen() ? window.screen()->geometry() : QRect();
    move(helpWindowPlace(window.frameGeometry(), button.mapTo(&window, QPoint(0, 0)),
                         button.height(), size(), screen));
}

bool FmHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == txHlp_->viewport() || watched == txHlp_)) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FmHelp::mousePressEvent(QMouseEvent*) {
    accept();
}

} // namespace kestrel::ui
