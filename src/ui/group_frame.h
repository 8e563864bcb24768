#pragma once
// A group box that keeps a picture of its frame for the times it is painted
// again in part. A group box is painted again under every child that
// changes (its labels and buttons do not fill their background), and the
// style's frame costs more to draw than the child itself; the picture is
// copied instead, and the title drawn only where it was uncovered. A box
// painted whole draws itself as any group box does.

#include <QGroupBox>
#include <QPixmap>
#include <QStyleOptionGroupBox>

#include <optional>

namespace kestrel::ui {

class GroupFrame : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // What the frame was drawn for; any change draws it again.
    struct Look {
        QSize size;
        bool titled = false;
        int state = 0;
        qint64 palette = 0;
        QFont font;
        qreal pixelRatio = 0;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        bool operator==(const Look&) const = default;
    };
    QStyleOptionGroupBox styleOption() const;
    Look lookOf(const QStyleOptionGroupBox& option) const;
    void placeTitle(const QStyleOptionGroupBox& option, bool newLook);
    void prepareFrame(const QStyleOptionGroupBox& option);

    Look drawnFor_;
    QPixmap frame_;
    std::optional<QString> titleFor_;
    QRect titleRect_, frameTitleRect_;
};

} // namespace kestrel::ui
