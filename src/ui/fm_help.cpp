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

void FmHelp::placeBelow(const QWidget& window, const QWidget& button) {
    const QPoint at = button.mapTo(&window, QPoint(0, 0));
    int left = window.geometry().x() + at.x() + 3;
    int top = window.geometry().y() + at.y() + button.height() + 30;
    if (const QScreen* screen = window.screen()) {
        const QRect area = screen->geometry();
        if (left + width() > area.right() + 1) left = area.right() + 1 - width();
        if (top + height() > area.bottom() + 1) top = area.bottom() + 1 - height();
    }
    move(left, top);
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
