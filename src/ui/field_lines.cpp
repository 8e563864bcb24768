#include "field_lines.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QtMath>

#include <algorithm>

namespace kestrel::ui {

FieldLines::FieldLines(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FieldLines::setLines(const QString& first, const QString& second) {
    if (lines_[0] == first && lines_[1] == second) return;
    lines_ = {first, second};
    anchor_ = cursor_ = {};
    updateScrollRange();
    viewport()->update();
    setAccessibleDescription(text());
}

QString FieldLines::text() const {
    return lines_[0].isEmpty() && lines_[1].isEmpty() ? QString() : lines_[0] + u'\n' + lines_[1];
}

QString FieldLines::selectedText() const {
    const auto [from, to] = std::minmax(anchor_, cursor_);
    if (from == to) return {};
    if (from.line == to.line) return lines_[from.line].mid(from.column, to.column - from.column);
    return lines_[0].mid(from.column) + u'\n' + lines_[1].left(to.column);
}

qreal FieldLines::advance(const QString& text) const {
    if (const auto width = glyphs_.width(font(), text)) return *width;
    return QFontMetricsF(font()).horizontalAdvance(text);
}

void FieldLines::drawLine(QPainter& painter, QPointF baseline, const QString& text) const {
    if (!glyphs_.draw(painter, baseline, text)) painter.drawText(baseline, text);
}

void FieldLines::updateScrollRange() {
    const QFontMetrics metrics(font());
    const int widest = qCeil(std::max(advance(lines_[0]), advance(lines_[1]))) + 2 * kMargin;
    horizontalScrollBar()->setRange(0, std::max(0, widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(metrics.averageCharWidth() * 2);
}

void FieldLines::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void FieldLines::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateScrollRange();
}

void FieldLines::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QFontMetrics metrics(font());
    const int left = kMargin - horizontalScrollBar()->value();
    const auto [from, to] = std::minmax(anchor_, cursor_);
    for (int line = 0; line < 2; ++line) {
        const int top = kMargin + line * metrics.lineSpacing();
        const QString& text = lines_[static_cast<std::size_t>(line)];
        // The selected part of this line, as columns.
        const int start = line < from.line    ? static_cast<int>(text.size())
                          : line == from.line ? from.column
                                              : 0;
        const int end = line > to.line    ? 0
                        : line == to.line ? to.column
                                          : static_cast<int>(text.size());
        const QPoint baseline(left, top + metrics.ascent());
        painter.setPen(palette().color(QPalette::Text));
        if (from == to || start >= end) {
            drawLine(painter, baseline, text);
            continue;
        }
        // The selection: its ground, then the text over it in its own colour.
        const int x0 = left + qRound(advance(text.left(start)));
        const QRect selected(x0, top, left + qRound(advance(text.left(end))) - x0,
                             metrics.lineSpacing());
        painter.fillRect(selected, palette().brush(QPalette::Highlight));
        drawLine(painter, baseline, text);
        painter.save();
        painter.setClipRect(selected);
        painter.setPen(palette().color(QPalette::HighlightedText));
        drawLine(painter, baseline, text);
        painter.restore();
    }
}

FieldLines::Place FieldLines::placeAt(QPoint point) const {
    const QFontMetrics metrics(font());
    const int line = std::clamp((point.y() - kMargin) / std::max(1, metrics.lineSpacing()), 0, 1);
    const QString& text = lines_[static_cast<std::size_t>(line)];
    const int x = point.x() - kMargin + horizontalScrollBar()->value();
    // The boundary between two characters nearest the point.
    int column = 0;
    while (column < text.size() &&
           advance(text.left(column)) + advance(QString(text.at(column))) / 2 < x)
        ++column;
    return {line, column};
}

void FieldLines::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    cursor_ = placeAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
    viewport()->update();
}

void FieldLines::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    cursor_ = placeAt(event->position().toPoint());
    viewport()->update();
}

// A double click selects the word (the run of characters between blanks).
void FieldLines::mouseDoubleClickEvent(QMouseEvent* event) {
    const Place at = placeAt(event->position().toPoint());
    const QString& text = lines_[static_cast<std::size_t>(at.line)];
    int start = at.column, end = at.column;
    while (start > 0 && !text.at(start - 1).isSpace()) --start;
    while (end < text.size() && !text.at(end).isSpace()) ++end;
    anchor_ = {at.line, start};
    cursor_ = {at.line, end};
    viewport()->update();
}

void FieldLines::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void FieldLines::copy() const {
    if (const QString part = selectedText(); !part.isEmpty())
        QApplication::clipboard()->setText(part);
}

void FieldLines::selectAll() {
    anchor_ = {};
    cursor_ = {1, static_cast<int>(lines_[1].size())};
    viewport()->update();
}

// Qt's own words for the two commands, in the language of Qt's texts.
void FieldLines::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"),
                                         this, &FieldLines::copy);
    copyAction->setEnabled(anchor_ != cursor_);
    menu.addSeparator();
    menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"), this,
                   &FieldLines::selectAll);
    menu.exec(event->globalPos());
}

} // namespace kestrel::ui
