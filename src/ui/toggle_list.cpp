#include "toggle_list.h"

#include "text_codec.h"

#include <QAccessible>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kestrel::ui {

namespace {

// Whether a row's sound carries a change not applied.
constexpr int kChangedRole = Qt::UserRole;
const QColor kChangedMark{255, 140, 0};

// Draws a frame round the current row even when the list has no focus: it
// is the sound the editors show. A row whose sound carries a change not
// applied has a bar at its start, on any ground.
class CurrentRowFrame : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        if (index.data(kChangedRole).toBool())
            painter->fillRect(QRect(option.rect.left(), option.rect.top(), 3, option.rect.height()),
                              kChangedMark);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (!view || view->currentIndex() != index) return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Text), 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

// Up to this many rows changing their selection are changed one by one;
// more, and the whole selection is set again at once.
constexpr std::size_t kFewChanges = 16;

// The runs of rows from `first` to `last` for which `on` holds, one range
// each.
template <class On>
QItemSelection runsOf(const QAbstractItemModel& model, int first, int last, On on) {
    QItemSelection runs;
    for (int i = std::max(0, first); i <= last; ++i) {
        if (!on(i)) continue;
        int end = i;
        while (end + 1 <= last && on(end + 1)) ++end;
        runs.select(model.index(i, 0), model.index(end, 0));
        i = end;
    }
    return runs;
}

} // namespace

ToggleList::ToggleList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new CurrentRowFrame(this));
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ToggleList::showRows(const std::vector<SoundRow>& rows, int currentRow) {
    const int n = static_cast<int>(rows.size());
    if (count() != n) {
        clear();
        QStringList texts;
        texts.reserve(n);
        shownTexts_.clear();
        shownTexts_.reserve(rows.size());
        for (const SoundRow& r : rows) {
            texts.append(fromAnsi(r.text));
            shownTexts_.push_back(r.text);
        }
        addItems(texts);
        // The new rows start unselected; the selection model says nothing of it.
        shownSelected_.assign(rows.size(), false);
        shownChanged_.assign(rows.size(), false);
        shownCurrent_ = -2;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (shownChanged_[i] != rows[i].changed) {
            item(static_cast<int>(i))->setData(kChangedRole, rows[i].changed);
            shownChanged_[i] = rows[i].changed;
        }
        if (shownTexts_[i] == rows[i].text) continue;
        item(static_cast<int>(i))->setText(fromAnsi(rows[i].text));
        shownTexts_[i] = rows[i].text;
    }
    showSelection(rows);
    const QModelIndex index = currentRow >= 0 ? model()->index(currentRow, 0) : QModelIndex();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (currentRow != shownCurrent_ && index.isValid()) scrollTo(index);
    shownCurrent_ = currentRow;
    if (currentRow >= 0) stepFrom_ = currentRow;
}

// A row never changes its size: every row is one line of the list's font
// (uniform item sizes). QListView lays every row out again and draws the
// whole list at each change of a row's text; the base view draws that row.
void ToggleList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles) {
    // NOLINTNEXTLINE(bugprone-parent-virtual-call)
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
}

void ToggleList::showSelection(const std::vector<SoundRow>& rows) {
    QItemSelectionModel& selection = *selectionModel();
    const int n = static_cast<int>(rows.size());
    const std::vector<bool> shown = shownSelected_;
    std::vector<int> changed;
    for (int i = 0; i < n; ++i)
        if (shown[static_cast<std::size_t>(i)] != rows[static_cast<std::size_t>(i)].selected)
            changed.push_back(i);
    if (changed.empty()) return;
    if (changed.size() <= kFewChanges) {
        for (const int i : changed)
            selection.select(model()->index(i, 0), rows[static_cast<std::size_t>(i)].selected
                                                       ? QItemSelectionModel::Select
                                                       : QItemSelectionModel::Deselect);
        return;
    }
    // The whole selection is set again, one range per run of selected rows,
    // and cleared first: Qt compares an old and a new selection range by
    // range, which takes the square of their number unless one is empty. The
    // view then hears of the rows that changed among those it shows, and
    // draws those.
    const auto on = [&rows](int i) { return rows[static_cast<std::size_t>(i)].selected; };
    const auto was = [&shown](int i) {
        return static_cast<bool>(shown[static_cast<std::size_t>(i)]);
    };
    const QItemSelection wanted = runsOf(*model(), 0, n - 1, on);
    const auto [first, last] = rowsToDraw(n);
    const QItemSelection turnedOn =
        runsOf(*model(), first, last, [&](int i) { return on(i) && !was(i); });
    const QItemSelection turnedOff =
        runsOf(*model(), first, last, [&](int i) { return !on(i) && was(i); });
    {
        const QScopedValueRollback quiet(settingSelection_, true);
        selection.clearSelection();
        selection.select(wanted, QItemSelectionModel::Select);
    }
    QListWidget::selectionChanged(turnedOn, turnedOff);
}

// The rows the view shows, first and last; every row while an accessibility
// client follows each change, or when the view cannot tell.
std::pair<int, int> ToggleList::rowsToDraw(int count) const {
    if (QAccessible::isActive()) return {0, count - 1};
    const QModelIndex top = indexAt(QPoint(0, 0));
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    return {top.isValid() ? top.row() : 0, bottom.isValid() ? bottom.row() : count - 1};
}

// Every change of the selection is kept in shownSelected_. While
// showSelection sets the whole selection again, the view hears of it once,
// for the rows that changed.
void ToggleList::selectionChanged(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
    markShown(deselected, false);
    markShown(selected, true);
    if (!settingSelection_) QListWidget::selectionChanged(selected, deselected);
}

void ToggleList::markShown(const QItemSelection& ranges, bool on) {
    const int n = static_cast<int>(shownSelected_.size());
    for (const QItemSelectionRange& range : ranges)
        for (int r = std::max(0, range.top()); r <= std::min(n - 1, range.bottom()); ++r)
            shownSelected_[static_cast<std::size_t>(r)] = on;
}

// Qt's list draws every row between the first and the last row to draw
// again; rows that changed apart from each other are drawn one part at a
// time.
void ToggleList::paintEvent(QPaintEvent* event) {
    const QRegion region = event->region();
    if (region.rectCount() <= 1) {
        QListWidget::paintEvent(event);
        return;
    }
    for (const QRect& rect : region) {
        QPaintEvent part(rect);
        QListWidget::paintEvent(&part);
    }
}

void ToggleList::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) return;
    stepFrom_ = index.row();
    emit rowClicked(index.row());
}

// The second press of a double click is not a second toggle: a quick double
// click must not give a letter and take it back at once.
void ToggleList::mouseDoubleClickEvent(QMouseEvent*) {}

// Dragging over rows selects nothing; only clicks do.
void ToggleList::mouseMoveEvent(QMouseEvent*) {}
void ToggleList::mouseReleaseEvent(QMouseEvent*) {}

int ToggleList::rowsPerPage() const {
    const int rowHeight = std::max(1, sizeHintForRow(0));
    return std::max(1, viewport()->height() / rowHeight - 1);
}

// Qt makes the first row current when a list without a current row gets the
// focus (after the message of a refused protected row, say): the program's
// current row, or none, stays, and the keys step from the refused row.
void ToggleList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    const QModelIndex index = shownCurrent_ >= 0 ? model()->index(shownCurrent_, 0) : QModelIndex();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void ToggleList::keyPressEvent(QKeyEvent* event) {
    const int last = count() - 1;
    const int current = shownCurrent_ >= 0 ? shownCurrent_ : -1;
    const int from = current >= 0 ? current : std::min(stepFrom_, last);
    int to = -1;
    switch (event->key()) {
    case Qt::Key_Up: to = std::max(0, from - 1); break;
    case Qt::Key_Down: to = from < 0 ? 0 : std::min(last, from + 1); break;
    case Qt::Key_PageUp: to = std::max(0, from - rowsPerPage()); break;
    case Qt::Key_PageDown: to = std::min(last, std::max(0, from) + rowsPerPage()); break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = last; break;
    case Qt::Key_Space:
        if (current >= 0) emit rowClicked(current);
        return;
    // Past the list's own key handling: typing must not move the current row.
    default: QWidget::keyPressEvent(event); return; // NOLINT(bugprone-parent-virtual-call)
    }
    if (last < 0 || to == current) return;
    stepFrom_ = to;
    emit rowStepped(to);
}

} // namespace kestrel::ui
