#include "icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <cmath>
#include <numbers>

namespace kestrel::ui {

namespace {

const QColor kInk{55, 71, 79};
const QColor kSteel{84, 110, 122};
const QColor kGreen{46, 125, 50};
const QColor kRed{198, 40, 40};
const QColor kBlue{21, 101, 192};
const QColor kAmber{249, 168, 37};
const QColor kDarkAmber{214, 137, 16};
const QColor kChangedBar{255, 140, 0};
const QColor kPaper{Qt::white};

// Draws on a 24 × 24 grid, whatever the size asked; a disabled icon is the
// same drawing in a faint grey.
class Canvas {
public:
    Canvas(QPainter& painter, const QRect& rect, QIcon::Mode mode) : p_(painter), mode_(mode) {
        p_.setRenderHint(QPainter::Antialiasing);
        p_.translate(rect.topLeft());
        p_.scale(rect.width() / 24.0, rect.height() / 24.0);
    }

    QColor ink(const QColor& c) const {
        if (mode_ != QIcon::Disabled) return c;
        const int grey = qGray(c.rgb());
        return {grey, grey, grey, c == kPaper ? 255 : 110};
    }

    void stroke(const QPainterPath& path, const QColor& c, qreal width) {
        p_.setPen(QPen(ink(c), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }
    void fill(const QPainterPath& path, const QColor& c) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(ink(c));
        p_.drawPath(path);
    }
    void line(QPointF a, QPointF b, const QColor& c, qreal width) {
        stroke(polyline({a, b}), c, width);
    }
    void disc(QPointF centre, qreal radius, const QColor& c) {
        QPainterPath path;
        path.addEllipse(centre, radius, radius);
        fill(path, c);
    }

    static QPainterPath polyline(std::initializer_list<QPointF> points) {
        QPainterPath path;
        bool first = true;
        for (const QPointF& pt : points) {
            if (first)
                path.moveTo(pt);
            else
                path.lineTo(pt);
            first = false;
        }
        return path;
    }
    static QPainterPath polygon(std::initializer_list<QPointF> points) {
        QPainterPath path = polyline(points);
        path.closeSubpath();
        return path;
    }

    // A sheet with a folded corner, and lines of text on it.
    void page(qreal x, qreal y, qreal w, qreal h, int lines = 3) {
        const QPainterPath sheet =
            polygon({{x, y}, {x + w - 4, y}, {x + w, y + 4}, {x + w, y + h}, {x, y + h}});
        fill(sheet, kPaper);
        stroke(sheet, kInk, 1.5);
        for (int i = 0; i < lines; ++i)
            line({x + 2.5, y + 6 + 3.5 * i}, {x + w - 3, y + 6 + 3.5 * i}, kSteel, 1.2);
    }

    // An arrow from `from` to `to`, its head at `to`.
    void arrow(QPointF from, QPointF to, const QColor& c, qreal width, qreal head = 4.5) {
        line(from, to, c, width);
        const QPointF d = from - to;
        const qreal length = std::hypot(d.x(), d.y());
        const QPointF u = d / length * head;
        const QPointF n(-u.y(), u.x());
        stroke(polyline({to + u + n, to, to + u - n}), c, width);
    }

    // A white arrow on a round ground.
    void badgeArrow(const QColor& ground, QPointF from, QPointF to) {
        disc({12, 12}, 10, ground);
        arrow(from, to, kPaper, 2.6);
    }

    void cross(QPointF centre, qreal half, const QColor& c, qreal width) {
        line(centre + QPointF(-half, -half), centre + QPointF(half, half), c, width);
        line(centre + QPointF(half, -half), centre + QPointF(-half, half), c, width);
    }

    void tick(QPointF a, QPointF b, QPointF c, const QColor& colour, qreal width) {
        stroke(polyline({a, b, c}), colour, width);
    }

    // A pencil lying from bottom left to top right, its point at `tip`.
    void pencil(QPointF tip, qreal length) {
        p_.save();
        p_.translate(tip);
        p_.rotate(135);
        fill(polygon({{-4, -2.2}, {-length, -2.2}, {-length, 2.2}, {-4, 2.2}}), kAmber);
        fill(polygon({{0, 0}, {-4, -2.2}, {-4, 2.2}}), QColor(240, 214, 170));
        fill(
            polygon({{-length, -2.2}, {-length - 2.2, -2.2}, {-length - 2.2, 2.2}, {-length, 2.2}}),
            kRed);
        stroke(
            polygon({{0, 0}, {-4, -2.2}, {-length - 2.2, -2.2}, {-length - 2.2, 2.2}, {-4, 2.2}}),
            kInk, 1);
        p_.restore();
    }

    // A bent arrow for Undo (back, to the left) or Redo (mirrored).
    void bentArrow(bool back) {
        const auto x = [back](qreal v) { return back ? v : 24 - v; };
        QPainterPath bend;
        bend.moveTo(x(19), 18);
        bend.cubicTo(x(19), 9.5, x(12), 8, x(6), 10);
        stroke(bend, kBlue, 2.6);
        stroke(polyline({{x(9.5), 5.5}, {x(5.5), 10}, {x(10.5), 13.5}}), kBlue, 2.6);
    }

    // A ring of `teeth` teeth.
    void gear(QPointF centre, qreal outer, qreal inner, int teeth) {
        QPainterPath path;
        const qreal step = 2 * std::numbers::pi / teeth;
        for (int k = 0; k < teeth; ++k) {
            const qreal a = k * step;
            const qreal spread[] = {-0.36, -0.18, 0.18, 0.36};
            const qreal radius[] = {inner, outer, outer, inner};
            for (int i = 0; i < 4; ++i) {
                const QPointF pt =
                    centre + QPointF(std::cos(a + spread[i] * step * 1.4) * radius[i],
                                     std::sin(a + spread[i] * step * 1.4) * radius[i]);
                if (k == 0 && i == 0)
                    path.moveTo(pt);
                else
                    path.lineTo(pt);
            }
        }
        path.closeSubpath();
        path.addEllipse(centre, 3, 3);
        path.setFillRule(Qt::OddEvenFill);
        fill(path, kSteel);
    }

private:
    QPainter& p_;
    QIcon::Mode mode_;
};

void draw(Canvas& c, Glyph glyph) {
    switch (glyph) {
    case Glyph::Accept: c.tick({4.5, 12.5}, {10, 18}, {19.5, 6}, kGreen, 3.4); break;
    case Glyph::Apply: {
        QPainterPath body;
        body.addRoundedRect(QRectF(3.5, 3.5, 17, 17), 2, 2);
        c.fill(body, kBlue);
        c.fill(Canvas::polygon({{7, 3.5}, {16.5, 3.5}, {16.5, 9.5}, {7, 9.5}}), kPaper);
        c.fill(Canvas::polygon({{13, 4.8}, {15, 4.8}, {15, 8.2}, {13, 8.2}}), kBlue);
        c.fill(Canvas::polygon({{6.5, 13}, {17.5, 13}, {17.5, 20.5}, {6.5, 20.5}}), kPaper);
        break;
    }
    case Glyph::Build: c.gear({12, 12}, 10, 7.2, 8); break;
    case Glyph::Changes:
        for (int i = 0; i < 3; ++i) c.line({9, 7.0 + 5 * i}, {20, 7.0 + 5 * i}, kInk, 2);
        c.fill(Canvas::polygon({{4, 4.5}, {6.5, 4.5}, {6.5, 19.5}, {4, 19.5}}), kChangedBar);
        break;
    case Glyph::Check:
        c.page(3.5, 2.5, 14, 19, 2);
        c.tick({9, 15}, {13, 19}, {21, 9}, kGreen, 3);
        break;
    case Glyph::Clear:
        c.disc({12, 12}, 9.5, kSteel);
        c.cross({12, 12}, 4, kPaper, 2.4);
        break;
    case Glyph::Defaults: {
        QPainterPath turn;
        turn.arcMoveTo(QRectF(4.5, 4.5, 15, 15), 60);
        turn.arcTo(QRectF(4.5, 4.5, 15, 15), 60, 280);
        c.stroke(turn, kBlue, 2.6);
        c.stroke(Canvas::polyline({{14.5, 2.5}, {16, 6.3}, {12, 7.8}}), kBlue, 2.6);
        break;
    }
    case Glyph::Doubles:
        c.page(3, 2.5, 12, 15, 3);
        c.page(9, 6.5, 12, 15, 3);
        break;
    case Glyph::EditText:
        c.page(3, 2.5, 13, 19, 4);
        c.pencil({11.5, 20}, 11);
        break;
    case Glyph::Error:
        c.disc({12, 12}, 10, kRed);
        c.cross({12, 12}, 4.2, kPaper, 2.6);
        break;
    case Glyph::GiveLetter: c.badgeArrow(kGreen, {12, 18}, {12, 6.5}); break;
    case Glyph::Help: {
        c.disc({12, 12}, 10, kBlue);
        QPainterPath mark;
        mark.moveTo(8.8, 9.2);
        mark.cubicTo(8.8, 5.2, 15.2, 5.2, 15.2, 9.2);
        mark.cubicTo(15.2, 11.8, 12, 11.8, 12, 14.3);
        c.stroke(mark, kPaper, 2.5);
        c.disc({12, 17.8}, 1.5, kPaper);
        break;
    }
    case Glyph::History: {
        QPainterPath ring;
        ring.arcMoveTo(QRectF(3.5, 3.5, 17, 17), 150);
        ring.arcTo(QRectF(3.5, 3.5, 17, 17), 150, -300);
        c.stroke(ring, kInk, 2);
        c.stroke(Canvas::polyline({{2.2, 6.5}, {4.6, 8.2}, {7.2, 6}}), kInk, 2);
        c.stroke(Canvas::polyline({{12, 7}, {12, 12}, {15.5, 14}}), kBlue, 2.2);
        break;
    }
    case Glyph::ImportList:
        c.page(2.5, 2.5, 12, 19, 4);
        c.arrow({22, 12}, {11.5, 12}, kBlue, 2.6);
        break;
    case Glyph::List:
        for (int i = 0; i < 3; ++i) {
            c.disc({5, 6.0 + 6 * i}, 1.8, kPaper);
            c.line({9.5, 6.0 + 6 * i}, {20, 6.0 + 6 * i}, kPaper, 2.2);
        }
        break;
    case Glyph::OpenFolder:
        c.fill(Canvas::polygon({{2.5, 5}, {9, 5}, {11, 7.5}, {20, 7.5}, {20, 19}, {2.5, 19}}),
               kDarkAmber);
        c.fill(Canvas::polygon({{5.5, 10.5}, {22.5, 10.5}, {20, 19}, {2.5, 19}}), kAmber);
        break;
    case Glyph::Objects:
        for (const qreal x : {4.0, 13.0})
            for (const qreal y : {4.0, 13.0}) {
                QPainterPath square;
                square.addRoundedRect(QRectF(x, y, 7, 7), 1.2, 1.2);
                c.fill(square, kSteel);
            }
        break;
    case Glyph::Play: c.fill(Canvas::polygon({{7.5, 4.5}, {19.5, 12}, {7.5, 19.5}}), kGreen); break;
    case Glyph::Quit: {
        QPainterPath ground;
        ground.addRoundedRect(QRectF(3, 3, 18, 18), 3, 3);
        c.fill(ground, kRed);
        c.cross({12, 12}, 4.5, kPaper, 2.6);
        break;
    }
    case Glyph::Redo: c.bentArrow(false); break;
    case Glyph::Rename:
        c.line({3, 21}, {21, 21}, kInk, 1.5);
        c.pencil({4, 19.5}, 16);
        break;
    case Glyph::RestoreLine: c.badgeArrow(kBlue, {18, 12}, {6.5, 12}); break;
    case Glyph::Search: {
        QPainterPath lens;
        lens.addEllipse(QPointF(10, 10), 6, 6);
        c.fill(lens, QColor(225, 240, 255));
        c.stroke(lens, kInk, 2.4);
        c.line({14.5, 14.5}, {20.5, 20.5}, kInk, 3.6);
        break;
    }
    case Glyph::ShowGeneric: {
        QPainterPath eye;
        eye.moveTo(2, 12);
        eye.quadTo(12, 2.5, 22, 12);
        eye.quadTo(12, 21.5, 2, 12);
        c.fill(eye, kPaper);
        c.stroke(eye, kInk, 1.8);
        c.disc({12, 12}, 3.8, kBlue);
        c.disc({12, 12}, 1.6, kInk);
        break;
    }
    case Glyph::TakeLetter: c.badgeArrow(kRed, {12, 6}, {12, 17.5}); break;
    case Glyph::Trash:
        c.line({4, 6.5}, {20, 6.5}, kInk, 2);
        c.stroke(Canvas::polyline({{9.5, 6}, {9.5, 3.5}, {14.5, 3.5}, {14.5, 6}}), kInk, 1.6);
        c.fill(Canvas::polygon({{6, 8.5}, {18, 8.5}, {17, 21}, {7, 21}}), kSteel);
        for (const qreal x : {9.5, 12.0, 14.5}) c.line({x, 11}, {x, 18.5}, kPaper, 1.2);
        break;
    case Glyph::Undo: c.bentArrow(true); break;
    case Glyph::Warning:
        c.fill(Canvas::polygon({{12, 2.5}, {22.5, 20.5}, {1.5, 20.5}}), kAmber);
        c.line({12, 9}, {12, 14}, kInk, 2.4);
        c.disc({12, 17.3}, 1.4, kInk);
        break;
    }
}

class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Glyph glyph) : glyph_(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        Canvas canvas(*painter, rect, mode);
        draw(canvas, glyph_);
        painter->restore();
    }

    // Each size and look is drawn once, then kept.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QString key = QStringLiteral("kestrel-icon-%1-%2x%3-%4")
                                .arg(static_cast<int>(glyph_))
                                .arg(size.width())
                                .arg(size.height())
                                .arg(static_cast<int>(mode));
        QPixmap picture;
        if (QPixmapCache::find(key, &picture)) return picture;
        picture = QPixmap(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(), size), mode, state);
        painter.end();
        QPixmapCache::insert(key, picture);
        return picture;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(glyph_); }

private:
    Glyph glyph_;
};

} // namespace

QIcon drawnIcon(Glyph glyph) {
    return QIcon(new DrawnIconEngine(glyph));
}

} // namespace kestrel::ui
