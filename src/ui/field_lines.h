#pragma once
// Two lines of fixed-pitch text, one above the other, that scroll sideways
// together: the default line and the current line of the open sound, field
// under field. Read-only; the mouse selects text (double click a word,
// Ctrl+A all of it) and Ctrl+C or the context menu copies it. A light
// widget: setting the lines lays nothing out, and only what shows is drawn.

#include "glyph_table.h"

#include <QAbstractScrollArea>
#include <QString>

#include <array>

namespace kestrel::ui {

class FieldLines : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit FieldLines(QWidget* parent = nullptr);

    // Both lines; the view keeps its sideways place when they change.
    void setLines(const QString& first, const QString& second);
    QString text() const; // both lines, joined by a line break
    QString selectedText() const;
    // The room the lines take inside the frame, before the scroll bar.
    int margin() const { return kMargin; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static constexpr int kMargin = 4;
    // A place in the text: the line (0 or 1) and the character before which
    // it stands.
    struct Place {
        int line = 0;
        int column = 0;
        bool operator==(const Place&) const = default;
        bool operator<(const Place& o) const {
            return line != o.line ? line < o.line : column < o.column;
        }
    };
    Place placeAt(QPoint point) const;
    // How far `text` reaches, and `text` drawn, in the widget's font.
    qreal advance(const QString& text) const;
    void drawLine(QPainter& painter, QPointF baseline, const QString& text) const;
    void updateScrollRange();
    void copy() const;
    void selectAll();

    std::array<QString, 2> lines_;
    mutable GlyphTable glyphs_;
    Place anchor_, cursor_; // the selection runs between them
};

} // namespace kestrel::ui
