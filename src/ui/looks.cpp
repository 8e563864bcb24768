#include "looks.h"

#include <QPalette>
#include <QWidget>

namespace kestrel::ui {

QFont fixedFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(8.25);
    return font;
}

void paintAsList(QWidget& widget) {
    QPalette p = widget.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, kListBack);
        p.setColor(group, QPalette::Text, kListText);
        p.setColor(group, QPalette::Highlight, QColor(0, 84, 166));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    widget.setPalette(p);
    widget.setFont(fixedFont());
}

} // namespace kestrel::ui
