#include "glyph_table.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QString>
#include <QStyle>

namespace kestrel::ui {

bool GlyphTable::draw(QPainter& painter, QPointF origin, const QString& text) {
    follow(painter.font());
    if (!layOut(text)) return false;
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs_);
    run.setPositions(places_);
    painter.drawGlyphRun(origin, run);
    return true;
}

std::optional<qreal> GlyphTable::width(const QFont& font, const QString& text) {
    follow(font);
    return layOut(text);
}

// The glyph and place of each character, one after the other from 0, and
// how far they reach; nothing when the font lacks one of them.
std::optional<qreal> GlyphTable::layOut(const QString& text) {
    glyphs_.resize(text.size());
    places_.resize(text.size());
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Glyph glyph = glyphOf(text[i]);
        if (glyph.index == 0) return std::nullopt;
        glyphs_[i] = glyph.index;
        places_[i] = QPointF(x, 0);
        x += glyph.advance;
    }
    return x;
}

qreal GlyphTable::ascent(const QFont& font) {
    follow(font);
    return ascent_;
}

qreal GlyphTable::height(const QFont& font) {
    follow(font);
    return height_;
}

void GlyphTable::follow(const QFont& font) {
    if (font == font_ && !raw_.familyName().isEmpty()) return;
    font_ = font;
    raw_ = QRawFont::fromFont(font);
    const QFontMetricsF metrics(font);
    ascent_ = metrics.ascent();
    height_ = metrics.height();
    latin_.fill({});
}

GlyphTable::Glyph GlyphTable::glyphOf(QChar c) {
    Glyph* known = c.unicode() < latin_.size() ? &latin_[c.unicode()] : nullptr;
    if (known && known->index != kUnknown) return *known;
    Glyph glyph{0, 0};
    int count = 1;
    if (raw_.glyphIndexesForChars(&c, 1, &glyph.index, &count) && count == 1 && glyph.index != 0) {
        QPointF advance;
        raw_.advancesForGlyphIndexes(&glyph.index, &advance, 1);
        glyph.advance = advance.x();
    } else {
        glyph.index = 0;
    }
    if (known) *known = glyph;
    return glyph;
}

} // namespace kestrel::ui

namespace kestrel::ui {

void FixedRowLook::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QWidget* view = option.widget;
    const QStyle* style = view ? view->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    // Where the style puts a row's text, asked once for rows of one size:
    // the style measures the text to answer.
    if (row.rect.size() != marginsFor_) {
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &row, view);
        textMargins_ = QMargins(text.left() - row.rect.left(), text.top() - row.rect.top(),
                                row.rect.right() - text.right(), row.rect.bottom() - text.bottom());
        marginsFor_ = row.rect.size();
    }
    const QRect textRect = row.rect.marginsRemoved(textMargins_).adjusted(margin, 0, -margin, 0);
    const auto width = glyphs_.width(row.font, row.text);
    const bool plain = row.features == QStyleOptionViewItem::HasDisplay && row.icon.isNull() &&
                       row.displayAlignment == (Qt::AlignLeft | Qt::AlignVCenter);
    if (!plain || !width || *width > textRect.width()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &row, painter, view);
    const QPalette::ColorGroup group = !(row.state & QStyle::State_Enabled)  ? QPalette::Disabled
                                       : !(row.state & QStyle::State_Active) ? QPalette::Inactive
                                                                             : QPalette::Normal;
    const bool selected = row.state & QStyle::State_Selected;
    painter->setPen(
        row.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(row.font);
    // Placed as the style places one line of text: centred on whole pixels.
    const int lineHeight = static_cast<int>(glyphs_.height(row.font));
    const int top = textRect.top() + (textRect.height() - lineHeight) / 2;
    // Every glyph was found when the row was measured.
    glyphs_.draw(*painter, QPointF(textRect.left(), top + glyphs_.ascent(row.font)), row.text);
    if (row.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(row);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &row, view);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor =
            row.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
    }
    painter->restore();
}

} // namespace kestrel::ui
