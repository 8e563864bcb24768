#include "group_frame.h"

#include <QHash>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>

namespace kestrel::ui {

namespace {

// Whether `style` breaks a group box's frame for its title (the title on
// the frame's line), found once by drawing a frame for a short title and
// for a long one.
bool titleBreaksFrame(QWidget& box) {
    static QHash<QString, bool> known;
    const QString name = box.style()->name();
    if (const auto it = known.constFind(name); it != known.cend()) return *it;
    const auto frameFor = [&box](const QString& title) {
        QStyleOptionGroupBox option;
        option.initFrom(&box);
        option.rect = QRect(0, 0, 200, 60);
        option.text = title;
        option.subControls = QStyle::SC_GroupBoxFrame;
        QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        box.style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, &box);
        return image;
    };
    const bool breaks = frameFor(QStringLiteral("M")) != frameFor(QStringLiteral("MMMMMMMMMM"));
    known.insert(name, breaks);
    return breaks;
}

} // namespace

void GroupFrame::paintEvent(QPaintEvent* event) {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // The pointer over a box that does not follow it changes nothing drawn.
    if (!testAttribute(Qt::WA_Hover)) option.state &= ~QStyle::State_MouseOver;
    const qreal ratio = devicePixelRatio();
    const Look look{size(),
                    !option.text.isEmpty(),
                    static_cast<int>(option.state),
                    palette().cacheKey(),
                    font(),
                    ratio,
                    layoutDirection()};
    const bool newLook = frame_.isNull() || !(look == drawnFor_);
    // Where the title and its box stand: measuring the title lays it out,
    // so it is done when the title or the look changes only.
    if (newLook || titleFor_ != option.text) {
        const auto rectOf = [&](QStyle::SubControl part) {
            return style()->subControlRect(QStyle::CC_GroupBox, &option, part, this);
        };
        titleRect_ = rectOf(QStyle::SC_GroupBoxLabel);
        if (isCheckable()) titleRect_ |= rectOf(QStyle::SC_GroupBoxCheckBox);
        titleFor_ = option.text;
    }
    // A style that puts the title on the frame's line breaks the line for
    // it: the frame is then drawn for the place the title takes.
    if (newLook || (frameTitleRect_ != titleRect_ && titleBreaksFrame(*this))) {
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
    if (event->type() == QEvent::StyleChange) {
        frame_ = QPixmap();
        titleFor_.reset();
    }
    QGroupBox::changeEvent(event);
}

} // namespace kestrel::ui
