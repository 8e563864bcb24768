#include "fm_doub.h"

#include "captions.h"
#include "controls.h"
#include "glyph_table.h"
#include "looks.h"
#include "text_codec.h"

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrel::ui {

namespace {

// The records as rows, each made when it is drawn: a catalogue of 100,000
// sounds has 25,000 doubles, of which a screenful shows. A row is
// selectable only while its record is marked (see MarkedRows).
class DoubleRows : public QAbstractListModel {
public:
    DoubleRows(const DoublesDialog& doubles, QObject* parent)
        : QAbstractListModel(parent), doubles_(doubles) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(doubles_.records.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!has(index) || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
        return fromAnsi(doubleRowText(doubles_.records[static_cast<std::size_t>(index.row())]));
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!has(index)) return Qt::NoItemFlags;
        const auto row = static_cast<std::size_t>(index.row());
        return row < doubles_.selected.size() && doubles_.selected[row]
                   ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                   : Qt::ItemIsEnabled;
    }

    void rowsMarked(int first, int last) { emit dataChanged(index(first), index(last)); }

private:
    bool has(const QModelIndex& index) const {
        return index.isValid() && static_cast<std::size_t>(index.row()) < doubles_.records.size();
    }
    const DoublesDialog& doubles_;
};

// The list's selection is the records' marks. One range covers every row
// and only the marked rows are selectable, so the selection model reports
// exactly the marked rows as selected without holding a range for each run
// of them; every change of the selection the view asks for changes the
// marks instead. A drag toggles its rows against the marks at its start,
// as the selection model's current selection does.
class MarkedRows : public QItemSelectionModel {
public:
    MarkedRows(DoubleRows* rows, std::vector<bool>& marks, QObject* parent)
        : QItemSelectionModel(rows, parent), rows_(rows), marks_(marks) {
        const int count = rows->rowCount();
        if (count > 0)
            QItemSelectionModel::select(QItemSelection(rows->index(0), rows->index(count - 1)),
                                        QItemSelectionModel::Select);
    }

    void select(const QModelIndex& index, SelectionFlags command) override {
        select(QItemSelection(index, index), command);
    }

    void select(const QItemSelection& selection, SelectionFlags command) override {
        if (command == NoUpdate) return;
        const bool inDrag = (command & Current) != 0;
        if (inDrag && !dragging_) atDragStart_ = marks_;
        if (inDrag) marks_ = atDragStart_;
        dragging_ = inDrag;
        const int count = static_cast<int>(marks_.size());
        // Only the rows that may have changed are drawn again: a drag puts
        // back the marks of every row, as does a clear.
        int first = 0, last = count - 1;
        if (!(command & Clear) && !inDrag) {
            first = count;
            last = -1;
        }
        if (command & Clear) std::fill(marks_.begin(), marks_.end(), false);
        for (const QItemSelectionRange& range : selection) {
            const int top = std::max(0, range.top()), bottom = std::min(count - 1, range.bottom());
            first = std::min(first, top);
            last = std::max(last, bottom);
            for (int r = top; r <= bottom; ++r) {
                auto mark = marks_[static_cast<std::size_t>(r)];
                if (command & Toggle)
                    mark = !mark;
                else if (command & Select)
                    mark = true;
                else if (command & Deselect)
                    mark = false;
            }
        }
        if (first <= last) rows_->rowsMarked(first, last);
    }

private:
    DoubleRows* rows_;
    std::vector<bool>& marks_;
    std::vector<bool> atDragStart_;
    bool dragging_ = false;
};

// Space toggles the current row. Every row starts with a blank (the IDs are
// right-aligned), so the view's type-ahead search for the space would move
// on to the next row and toggle that one too.
class DoublesView : public QListView {
public:
    using QListView::QListView;
    void keyboardSearch(const QString& search) override {
        if (!search.trimmed().isEmpty()) QListView::keyboardSearch(search);
    }
};

} // namespace

FmDoub::FmDoub(const MainState& state, Ports& ports, QWidget* parent)
    : QDialog(parent), state_(state), ports_(ports) {
    setObjectName(QStringLiteral("FmDoub"));
    auto* header = new QLabel(this);
    header->setObjectName(QStringLiteral("Label11"));
    header->setFont(fixedFont());

    liDoub_ = new DoublesView(this);
    liDoub_->setObjectName(QStringLiteral("LiDoub"));
    liDoub_->setSelectionMode(QAbstractItemView::MultiSelection);
    // Every row is one line of the same width: the rows are not measured one
    // by one.
    liDoub_->setUniformItemSizes(true);
    liDoub_->setItemDelegate(new FixedRowLook(liDoub_));
    paintAsList(*liDoub_);
    const QFontMetrics fixed(fixedFont());
    liDoub_->setMinimumWidth(fixed.horizontalAdvance(QString(62, u'M')) + 40);
    liDoub_->setMinimumHeight(fixed.lineSpacing() * 24);
    // The header's columns start where the rows' text does.
    header->setContentsMargins(liDoub_->frameWidth() + 2, 0, 0, 0);

    doubles_ = openDoublesDialog(state, ports);
    auto* rows = new DoubleRows(doubles_, liDoub_);
    liDoub_->setModel(rows);
    QItemSelectionModel* unused = liDoub_->selectionModel();
    liDoub_->setSelectionModel(new MarkedRows(rows, doubles_.selected, liDoub_));
    delete unused;
    liDoub_->selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);

    auto* footer = new QLabel(this);
    footer->setObjectName(QStringLiteral("Label1"));
    footer->setWordWrap(true);

    auto* ok = new QPushButton(this);
    ok->setObjectName(QStringLiteral("CdOK"));
    ok->setEnabled(doubles_.readOk);
    connect(ok, &QPushButton::clicked, this, &FmDoub::accept);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("CdCancel"));
    connect(cancel, &QPushButton::clicked, this, &FmDoub::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(footer, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(header);
    column->addWidget(liDoub_, 1);
    column->addLayout(buttons);
    applyControlTexts(*this, doublesDialogTexts(), state.language);
    nameByLabels(*this, {{"Label11", "LiDoub"}});

    if (const QScreen* screen = parent ? parent->screen() : nullptr) {
        resize(sizeHint());
        move(screen->geometry().center() - rect().center());
    }
}

void FmDoub::accept() {
    if (saveDoublesDialog(state_, ports_, doubles_)) QDialog::accept();
}

void manageDoubles(MainState& state, Ports& ports, QWidget* parent) {
    FmDoub dialog(state, ports, parent);
    dialog.exec();
    closeDoublesDialog(state, ports.files, dialog.doubles());
}

} // namespace kestrel::ui
