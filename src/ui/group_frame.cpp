#include "group_frame.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>

namespace kestrel::ui {

void GroupFrame::paintEvent(QPaintEvent* event) {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const qreal ratio = devicePixelRatio();
    const Look look{size(),   !option.text.isEmpty(), static_cast<int>(option.state),
                    palette().cacheKey(), font(),     ratio,
                    layoutDirection()};
    const bool newLook = frame_.isNull() || !(look == drawnFor_);
    // Where the title and its box stand: measuring the title lays it out,
    // so it is done when the title or the look changes only.
    if (newLook || titleFor_ != option.text) {
        const auto rectOf = [&](QStyle::SubControl part) {
            return style()->subControlRect(QStyle::CC_GroupBox, &option, part, this);
        };
        titleRect_ = rectOf(QStyle::SC_GroupBoxLabel) | rectOf(QStyle::SC_GroupBoxCheckBox);
        titleFor_ = option.text;
    }
    // Some styles break the frame's line for the title: the frame is drawn
    // for the place the title takes.
    if (newLook || frameTitleRect_ != titleRect_) {
        frame_ = QPixmap(size() * ratio);
        frame_.setDevicePixelRatio(ratio);
        frame_.fill(Qt::transparent);
        // Drawn as on the box itself: its font, text colour and ground.
        QPainter painter(&frame_);
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        painter.setBrush(palette().brush(backgroundRole()));
        QStyleOptionGroupBox frameOnly = option;
        frameOnly.subControls &= QStyle::SC_GroupBoxFrame;
        style()->drawComplexControl(QStyle::CC_GroupBox, &frameOnly, &painter, this);
        drawnFor_ = look;
        frameTitleRect_ = titleRect_;
    }
    QPainter painter(this);
    const QRect part = event->rect();
    painter.drawPixmap(part.topLeft(), frame_, QRect(part.topLeft() * ratio, part.size() * ratio));
    if (!event->region().intersects(titleRect_)) return;
    option.subControls &= QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxCheckBox;
    style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
}

void GroupFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) frame_ = QPixmap();
    QGroupBox::changeEvent(event);
}

} // namespace kestrel::ui
