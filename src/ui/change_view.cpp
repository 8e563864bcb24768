#include "change_view.h"

#include "format/field_view.h"
#include "format/sound_line.h"
#include "looks.h"
#include "text_codec.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kestrel::ui {

namespace {

enum Role { AboveRole = Qt::UserRole, BelowRole, AboveSpansRole, BelowSpansRole, IdRole };

constexpr int kLines = 3;
constexpr int kViewChars = 96;
const QColor kDifferent{150, 84, 0};

QVariantList spansOf(const std::vector<ColumnSpan>& spans) {
    QVariantList out;
    for (const ColumnSpan& s : spans)
        out << QPoint(static_cast<int>(s.start), static_cast<int>(s.length));
    return out;
}

// The ID and name, then each version on its own line with its differing
// fields on a darker ground.
class PairDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        const QFontMetrics m(fixedFont());
        return {m.horizontalAdvance(QString(kViewChars, u'M')) + 12, m.lineSpacing() * kLines + 8};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool chosen = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        painter->fillRect(option.rect,
                          chosen ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        const QColor text =
            chosen ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
        painter->setFont(fixedFont());
        const QFontMetrics m(fixedFont());
        const int left = option.rect.left() + 6;
        int top = option.rect.top() + 4;
        painter->setPen(text);
        painter->drawText(QRect(left, top, option.rect.width() - 8, m.lineSpacing()), Qt::AlignLeft,
                          index.data(Qt::DisplayRole).toString());
        const Role lines[] = {AboveRole, BelowRole};
        const Role spans[] = {AboveSpansRole, BelowSpansRole};
        const qreal indent = left + m.horizontalAdvance(QStringLiteral("  "));
        for (int i = 0; i < 2; ++i) {
            top += m.lineSpacing();
            const QString line = index.data(lines[i]).toString();
            // Measured on the text itself, so the ground sits under its field
            // whatever the font's rounding.
            const QFontMetricsF f(painter->font());
            for (const QVariant& v : index.data(spans[i]).toList()) {
                const QPoint s = v.toPoint();
                const qreal from = f.horizontalAdvance(line.left(s.x()));
                const qreal width =
                    f.horizontalAdvance(line.mid(s.x(), s.y()).leftJustified(s.y()));
                painter->fillRect(QRectF(indent + from, top, width, m.lineSpacing()), kDifferent);
            }
            painter->setPen(text);
            painter->drawText(QRectF(indent, top, option.rect.width(), m.lineSpacing()),
                              Qt::AlignLeft, line);
        }
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(text, 1, Qt::DotLine));
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }
};

} // namespace

ChangeView::ChangeView(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new PairDelegate(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    paintAsList(*this);
    const QFontMetrics m(fixedFont());
    setMinimumSize(m.horizontalAdvance(QString(kViewChars, u'M')) + 40,
                   (m.lineSpacing() * kLines + 8) * 6);
}

void ChangeView::showPairs(const std::vector<LinePair>& pairs) {
    clear();
    for (const LinePair& p : pairs) {
        const SoundRecord above = parseSoundLine(p.above);
        const SoundRecord below = parseSoundLine(p.below);
        const SoundRecord& named = p.below.empty() ? above : below;
        auto* item = new QListWidgetItem(
            QStringLiteral("%1: %2").arg(p.id, 3).arg(fromAnsi(trimTrailingSpaces(named.name))),
            this);
        item->setData(AboveRole, fromAnsi(fieldView(above)));
        item->setData(BelowRole, fromAnsi(fieldView(below)));
        item->setData(AboveSpansRole, spansOf(differingFields(above, below)));
        item->setData(BelowSpansRole, spansOf(differingFields(below, above)));
        item->setData(IdRole, p.id);
        // What a screen reader says: both lines, whole.
        item->setData(
            Qt::AccessibleTextRole,
            QStringLiteral("%1 %2 → %3").arg(item->text(), fromAnsi(p.above), fromAnsi(p.below)));
    }
}

std::vector<int> ChangeView::chosenIds() const {
    std::vector<int> ids;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        ids.push_back(index.data(IdRole).toInt());
    std::sort(ids.begin(), ids.end());
    return ids;
}

int ChangeView::idOf(const QListWidgetItem& item) const {
    return item.data(IdRole).toInt();
}

} // namespace kestrel::ui
