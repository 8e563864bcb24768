#pragma once
// A group box that draws its frame once into a picture and copies that
// picture when it is painted again. A group box is painted again under
// every child that changes (its labels and buttons do not fill their
// background), and the style's frame costs more to draw than the child
// itself. The title is drawn as it is, and only where it was uncovered.

#include <QGroupBox>
#include <QPixmap>

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
    Look drawnFor_;
    QPixmap frame_;
    std::optional<QString> titleFor_;
    QRect titleRect_, frameTitleRect_;
};

} // namespace kestrel::ui
