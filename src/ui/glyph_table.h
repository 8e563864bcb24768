#pragma once
// 8-bit text in one font drawn glyph by glyph from a table of the font's
// glyphs and advances. The sound rows and the field view show the lines of
// the program's files in the fixed-pitch font: shaping each line again at
// every paint, most of what drawing text costs, gains nothing there.

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>

#include <array>
#include <limits>
#include <optional>

class QPainter;
class QString;

namespace kestrel::ui {

class GlyphTable {
public:
    // Draws `text` in the painter's font, its baseline starting at `origin`.
    // False, and nothing drawn, when the font lacks one of the characters:
    // the caller then draws it as text, which finds another font for it.
    bool draw(QPainter& painter, QPointF origin, const QString& text);
    // The width of `text` in `font`, or nothing when the font lacks one of
    // its characters.
    std::optional<qreal> width(const QFont& font, const QString& text);
    // The font's ascent and height.
    qreal ascent(const QFont& font);
    qreal height(const QFont& font);

private:
    struct Glyph {
        quint32 index = kUnknown; // 0: the font has none
        qreal advance = 0;
    };
    static constexpr quint32 kUnknown = std::numeric_limits<quint32>::max();

    void follow(const QFont& font);
    Glyph glyphOf(QChar c);
    std::optional<qreal> layOut(const QString& text);

    QFont font_;
    QRawFont raw_;
    qreal ascent_ = 0, height_ = 0;
    std::array<Glyph, 256> latin_{};
    QList<quint32> glyphs_;
    QList<QPointF> places_;
};

} // namespace kestrel::ui

#include <QMargins>
#include <QStyledItemDelegate>

namespace kestrel::ui {

// Rows of 8-bit text in a fixed-pitch font, drawn as the style draws an item
// view's rows (ground, text, focus frame) but with the text's glyphs taken
// from a table. A row the table cannot draw as the style would (too long
// for the view, a character the font lacks, an icon) is drawn by the style.
class FixedRowLook : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    mutable GlyphTable glyphs_;
    mutable QSize marginsFor_;
    mutable QMargins textMargins_;
};

} // namespace kestrel::ui
