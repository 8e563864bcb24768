#include "fm_doub.h"

#include "captions.h"
#include "controls.h"
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
// sounds has 25,000 doubles, of which a screenful shows.
class DoubleRows : public QAbstractListModel {
public:
    DoubleRows(const std::vector<DoubleRecord>& records, QObject* parent)
        : QAbstractListModel(parent), records_(records) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(records_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || static_cast<std::size_t>(index.row()) >= records_.size() ||
            (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
            return {};
        return fromAnsi(doubleRowText(records_[static_cast<std::size_t>(index.row())]));
    }

private:
    const std::vector<DoubleRecord>& records_;
};

} // namespace

FmDoub::FmDoub(const MainState& state, Ports& ports, QWidget* parent)
    : QDialog(parent), state_(state), ports_(ports) {
    setObjectName(QStringLiteral("FmDoub"));
    auto* header = new QLabel(this);
    header->setObjectName(QStringLiteral("Label11"));
    header->setFont(fixedFont());

    liDoub_ = new QListView(this);
    liDoub_->setObjectName(QStringLiteral("LiDoub"));
    liDoub_->setSelectionMode(QAbstractItemView::MultiSelection);
    // Every row is one line of the same width: the rows are not measured one
    // by one.
    liDoub_->setUniformItemSizes(true);
    paintAsList(*liDoub_);
    const QFontMetrics fixed(fixedFont());
    liDoub_->setMinimumWidth(fixed.horizontalAdvance(QString(62, u'M')) + 40);
    liDoub_->setMinimumHeight(fixed.lineSpacing() * 24);
    // The header's columns start where the rows' text does.
    header->setContentsMargins(liDoub_->frameWidth() + 2, 0, 0, 0);

    doubles_ = openDoublesDialog(state, ports);
    liDoub_->setModel(new DoubleRows(doubles_.records, liDoub_));
    // The selected records are selected all at once, a range per run of
    // them: row by row, Qt takes the square of the number of records.
    QItemSelection marked;
    const int count = static_cast<int>(doubles_.selected.size());
    for (int i = 0; i < count; ++i) {
        if (!doubles_.selected[static_cast<std::size_t>(i)]) continue;
        int last = i;
        while (last + 1 < count && doubles_.selected[static_cast<std::size_t>(last) + 1]) ++last;
        marked.select(liDoub_->model()->index(i, 0), liDoub_->model()->index(last, 0));
        i = last;
    }
    liDoub_->selectionModel()->select(marked, QItemSelectionModel::Select);
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
    // Read from the selection's ranges at once: asking row by row walks
    // every range for each row.
    std::fill(doubles_.selected.begin(), doubles_.selected.end(), false);
    const int count = static_cast<int>(doubles_.selected.size());
    for (const QItemSelectionRange& range : liDoub_->selectionModel()->selection())
        for (int r = std::max(0, range.top()); r <= std::min(count - 1, range.bottom()); ++r)
            doubles_.selected[static_cast<std::size_t>(r)] = true;
    if (saveDoublesDialog(state_, ports_, doubles_)) QDialog::accept();
}

void manageDoubles(MainState& state, Ports& ports, QWidget* parent) {
    FmDoub dialog(state, ports, parent);
    dialog.exec();
    closeDoublesDialog(state, ports.files, dialog.doubles());
}

} // namespace kestrel::ui
