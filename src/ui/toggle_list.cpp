#include "toggle_list.h"

#include "text_codec.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kestrel::ui {

namespace {

// Draws a frame round the current row even when the list has no focus: it
// is the sound the editors show.
class CurrentRowFrame : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (!view || view->currentIndex() != index) return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Text), 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

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
        for (const SoundRow& r : rows) texts.append(fromAnsi(r.text));
        addItems(texts);
        shownCurrent_ = -2;
    }
    for (int i = 0; i < n; ++i) {
        QListWidgetItem* it = item(i);
        const QString text = fromAnsi(rows[static_cast<std::size_t>(i)].text);
        if (it->text() != text) it->setText(text);
        if (it->isSelected() != rows[static_cast<std::size_t>(i)].selected)
            it->setSelected(rows[static_cast<std::size_t>(i)].selected);
    }
    const QModelIndex index = currentRow >= 0 ? model()->index(currentRow, 0) : QModelIndex();
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (currentRow != shownCurrent_ && index.isValid()) scrollTo(index);
    shownCurrent_ = currentRow;
}

void ToggleList::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) emit rowClicked(index.row());
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

void ToggleList::keyPressEvent(QKeyEvent* event) {
    const int last = count() - 1;
    const int from = currentRow();
    int to = -1;
    switch (event->key()) {
    case Qt::Key_Up: to = std::max(0, from - 1); break;
    case Qt::Key_Down: to = from < 0 ? 0 : std::min(last, from + 1); break;
    case Qt::Key_PageUp: to = std::max(0, from - rowsPerPage()); break;
    case Qt::Key_PageDown: to = std::min(last, std::max(0, from) + rowsPerPage()); break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = last; break;
    case Qt::Key_Space:
        if (from >= 0) emit rowClicked(from);
        return;
    // Past the list's own key handling: typing must not move the current row.
    default: QWidget::keyPressEvent(event); return; // NOLINT(bugprone-parent-virtual-call)
    }
    if (last >= 0 && to != from) emit rowStepped(to);
}

} // namespace kestrel::ui
