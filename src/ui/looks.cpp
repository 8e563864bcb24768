#include "looks.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QWidget>

namespace kestrel::ui {

QFont fixedFont() {
    // The desktop's fixed-pitch face at the size of its general font, so
    // that the lists keep pace with everything else on a larger desktop font.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (const qreal size = QApplication::font().pointSizeF(); size > 0) font.setPointSizeF(size);
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
