#include "glyph_table.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QString>

namespace kestrel::ui {

bool GlyphTable::draw(QPainter& painter, QPointF origin, const QString& text) {
    follow(painter.font());
    glyphs_.resize(text.size());
    places_.resize(text.size());
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const Glyph glyph = glyphOf(text[i]);
        if (glyph.index == 0) return false;
        glyphs_[i] = glyph.index;
        places_[i] = QPointF(x, 0);
        x += glyph.advance;
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs_);
    run.setPositions(places_);
    painter.drawGlyphRun(origin, run);
    return true;
}

std::optional<qreal> GlyphTable::width(const QFont& font, const QString& text) {
    follow(font);
    qreal x = 0;
    for (const QChar c : text) {
        const Glyph glyph = glyphOf(c);
        if (glyph.index == 0) return std::nullopt;
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
