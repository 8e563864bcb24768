#include "toggle_list.h"

#include "actions/marks.h"
#include "glyph_table.h"
#include "text_codec.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kestrel::ui {

namespace {

constexpr int kOnRole = Qt::UserRole;          // the row carries the letter
constexpr int kChangedRole = Qt::UserRole + 1; // its sound carries a change not applied
const QColor kChangedMark{255, 140, 0};
// Space between a row's start and its text, as the style's own item view leaves.
constexpr int kTextMargin = 3;

// Draws a row as a line of text on the list's ground, or on the highlight
// when it is on; a bar at its start when its sound carries a change not
// applied; a dotted frame round the current row even when the list has no
// focus, since it is the sound the editors show.
class SoundRowLook : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QPalette::ColorGroup group =
            !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (option.state & QStyle::State_Active) ? QPalette::Active
                                                    : QPalette::Inactive;
        const bool on = index.data(kOnRole).toBool();
        const QRect& rect = option.rect;
        if (on) painter->fillRect(rect, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(
            option.palette.color(group, on ? QPalette::HighlightedText : QPalette::Text));
        const QRect textRect = rect.adjusted(kTextMargin, 0, 0, 0);
        const QString text = index.data(Qt::DisplayRole).toString();
        const QFont& font = painter->font();
        const QPointF origin(textRect.left(), textRect.top() +
                                                  (textRect.height() - glyphs_.height(font)) / 2 +
                                                  glyphs_.ascent(font));
        if (!glyphs_.draw(*painter, origin, text))
            painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              text);
        if (index.data(kChangedRole).toBool())
            painter->fillRect(QRect(rect.left(), rect.top(), 3, rect.height()), kChangedMark);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (!view || view->currentIndex() != index) return;
        painter->save();
        painter->setPen(QPen(option.palette.color(group, QPalette::Text), 1, Qt::DotLine));
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }

private:
    mutable GlyphTable glyphs_;
};

} // namespace

// The program's rows as a model: nothing is copied, every question is
// answered from the rows themselves. A row that is on is selectable, and
// the view's one selection range covers every row, so the selection model
// reports exactly the rows that are on as selected without holding a range
// for each.
class SoundRows : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Whether the rows are new to the view (another list, or another
    // number of rows): the view then forgets its selection and layout.
    bool show(const MainState& state) {
        if (state_ == &state && count_ == static_cast<int>(state.rows.size())) return false;
        beginResetModel();
        state_ = &state;
        count_ = static_cast<int>(state.rows.size());
        endResetModel();
        return true;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : count_;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const SoundRow* row = at(index);
        if (!row) return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return fromAnsi(rowText(*state_, static_cast<std::size_t>(index.row())));
        case kOnRole: return row->selected;
        case kChangedRole: return row->changed;
        default: return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        const SoundRow* row = at(index);
        if (!row) return Qt::NoItemFlags;
        return row->selected ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled;
    }

private:
    // The row, or none: while an event runs (a message box open in it) the
    // rows may already be fewer than the view was last told.
    const SoundRow* at(const QModelIndex& index) const {
        if (!state_ || !index.isValid()) return nullptr;
        const auto i = static_cast<std::size_t>(index.row());
        return i < state_->rows.size() ? &state_->rows[i] : nullptr;
    }

    const MainState* state_ = nullptr;
    int count_ = 0;
};

ToggleList::ToggleList(QWidget* parent) : QListView(parent), rows_(new SoundRows(this)) {
    setModel(rows_);
    setItemDelegate(new SoundRowLook(this));
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ToggleList::showRows(const MainState& state) {
    const std::vector<SoundRow>& rows = state.rows;
    const int currentRow = state.currentRow;
    const int n = static_cast<int>(rows.size());
    if (rows_->show(state)) {
        if (n > 0)
            selectionModel()->select(QItemSelection(rows_->index(0), rows_->index(n - 1)),
                                     QItemSelectionModel::Select);
        shown_.clear();
        toldOn_.clear();
        shownCurrent_ = -2;
    }
    const QModelIndex index = currentRow >= 0 ? rows_->index(currentRow) : QModelIndex();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (currentRow != shownCurrent_ && index.isValid()) scrollTo(index);
    shownCurrent_ = currentRow;
    if (currentRow >= 0) stepFrom_ = currentRow;
    drawChangedRowsOnScreen(state);
    tellAccessibilityOfMarks(rows);
}

// The rows on screen that show something else than at the last comparison
// are drawn again; rows off screen are drawn from the rows when they come
// into view.
void ToggleList::drawChangedRowsOnScreen(const MainState& state) {
    const auto [first, last] = rowsOnScreen(static_cast<int>(state.rows.size()));
    std::vector<Shown> now;
    now.reserve(static_cast<std::size_t>(std::max(0, last - first + 1)));
    for (int r = first; r <= last; ++r) {
        const auto i = static_cast<std::size_t>(r);
        const SoundRow& row = state.rows[i];
        now.push_back({rowText(state, i), row.selected, row.changed});
        const int before = r - shownFirst_;
        if (before < 0 || before >= static_cast<int>(shown_.size()) ||
            !(shown_[static_cast<std::size_t>(before)] == now.back()))
            update(rows_->index(r));
    }
    shown_ = std::move(now);
    shownFirst_ = first;
}

// A screen reader hears which rows were turned on or off. Only while one
// follows the program is every row compared.
void ToggleList::tellAccessibilityOfMarks(const std::vector<SoundRow>& rows) {
    if (!QAccessible::isActive()) {
        toldOn_.clear();
        return;
    }
    const bool first = toldOn_.size() != rows.size();
    toldOn_.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const char on = rows[i].selected ? 1 : 0;
        if (toldOn_[i] == on) continue;
        toldOn_[i] = on;
        if (first) continue;
        QAccessibleEvent event(this, on ? QAccessible::SelectionAdd : QAccessible::SelectionRemove);
        event.setChild(static_cast<int>(i));
        QAccessible::updateAccessibility(&event);
    }
}

// The rows the view shows, first and last (none: first past last).
std::pair<int, int> ToggleList::rowsOnScreen(int count) const {
    if (count == 0) return {0, -1};
    const QModelIndex top = indexAt(QPoint(0, 0));
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    return {top.isValid() ? top.row() : 0, bottom.isValid() ? bottom.row() : count - 1};
}

// A row never changes its size: every row is one line of the list's font
// (uniform item sizes). QListView lays every row out again at each change of
// a row; the base view draws that row.
void ToggleList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles) {
    // NOLINTNEXTLINE(bugprone-parent-virtual-call)
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
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

// The rows look the same whether or not the window is active, so they are
// not all drawn again when a dialog opens over the window or closes: the
// item view would draw every row again at each change of activation, and
// the viewport takes the change as any widget does.
bool ToggleList::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        return false;
    return QListView::viewportEvent(event);
}

// Qt makes the first row current when a list without a current row gets the
// focus (after the message of a refused protected row, say): the program's
// current row, or none, stays, and the keys step from the refused row.
void ToggleList::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    const QModelIndex index = shownCurrent_ >= 0 ? rows_->index(shownCurrent_) : QModelIndex();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void ToggleList::keyPressEvent(QKeyEvent* event) {
    const int last = rows_->rowCount() - 1;
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
