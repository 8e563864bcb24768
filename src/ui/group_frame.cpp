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

QStyleOptionGroupBox GroupFrame::styleOption() const {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // The pointer over a box that does not follow it changes nothing drawn.
    if (!testAttribute(Qt::WA_Hover)) option.state &= ~QStyle::State_MouseOver;
    return option;
}

GroupFrame::Look GroupFrame::lookOf(const QStyleOptionGroupBox& option) const {
    return {size(),
            !option.text.isEmpty(),
            static_cast<int>(option.state),
            palette().cacheKey(),
            font(),
            devicePixelRatio(),
            layoutDirection()};
}

// Where the title and its box stand: measuring the title lays it out, so it
// is done when the title or the look changes only.
void GroupFrame::placeTitle(const QStyleOptionGroupBox& option, bool newLook) {
    if (!newLook && titleFor_ == option.text) return;
    const auto rectOf = [&](QStyle::SubControl part) {
        return style()->subControlRect(QStyle::CC_GroupBox, &option, part, this);
    };
    titleRect_ = rectOf(QStyle::SC_GroupBoxLabel);
    if (isCheckable()) titleRect_ |= rectOf(QStyle::SC_GroupBoxCheckBox);
    titleFor_ = option.text;
}

// The picture of the frame, drawn again when the look changes; a style that
// puts the title on the frame's line breaks the line for it, so there the
// frame is also drawn again for a title that takes another place.
void GroupFrame::prepareFrame(const QStyleOptionGroupBox& option) {
    const Look look = lookOf(option);
    const bool newLook = frame_.isNull() || !(look == drawnFor_);
    placeTitle(option, newLook);
    if (!newLook && (frameTitleRect_ == titleRect_ || !titleBreaksFrame(*this))) return;
    const qreal ratio = look.pixelRatio;
    frame_ = QPixmap(size() * ratio);
    frame_.setDevicePixelRatio(ratio);
    // On the window's plain colour, which is what shows behind the box, the
    // picture is opaque: drawing and copying it is cheapest so.
    const QBrush ground = palette().window();
    if (ground.style() == Qt::SolidPattern && ground.isOpaque())
        frame_.fill(ground.color());
    else
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

void GroupFrame::paintEvent(QPaintEvent* event) {
    // The whole box as far as it shows (shown, resized, its title changed;
    // children that fill their ground are left out) is drawn as a group
    // box draws itself, which costs less than drawing a picture and copying
    // all of it; the picture is made the first time part of it is needed.
    if (event->rect().contains(visibleRegion().boundingRect())) {
        QGroupBox::paintEvent(event);
        return;
    }
    QStyleOptionGroupBox option = styleOption();
    prepareFrame(option);
    QPainter painter(this);
    const QRect part = event->rect();
    const qreal ratio = drawnFor_.pixelRatio;
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
