#include "fm_history.h"

#include "captions.h"
#include "change_view.h"
#include "controls.h"
#include "looks.h"
#include "text_codec.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kestrel::ui {

FmHistory::FmHistory(MainState& state, Ports& ports, std::function<void()> redrawMain,
                     QWidget* parent)
    : QDialog(parent), state_(state), ports_(ports), redrawMain_(std::move(redrawMain)) {
    setObjectName(QStringLiteral("FmHistory"));
    auto* top = new QLabel(this);
    top->setObjectName(QStringLiteral("Label1"));
    liVersions_ = new QTreeWidget(this);
    liVersions_->setObjectName(QStringLiteral("LiVersions"));
    liVersions_->setRootIsDecorated(false);
    liVersions_->setHeaderLabels(historyColumns(state.language));
    liVersions_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* bottom = new QLabel(this);
    bottom->setObjectName(QStringLiteral("Label2"));
    liDiff_ = new ChangeView(this);
    liDiff_->setObjectName(QStringLiteral("LiDiff"));
    liDiff_->setSelectionMode(QAbstractItemView::NoSelection);

    restore_ = new QPushButton(this);
    restore_->setObjectName(QStringLiteral("CdRestoreVersion"));
    restore_->setEnabled(false);
    connect(restore_, &QPushButton::clicked, this, &FmHistory::restoreChosen);
    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("CdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    versions_ = keptVersions(state, ports);
    const QLocale locale(state.language == Language::French ? QLocale::French : QLocale::English);
    for (const KeptVersion& v : versions_) {
        auto* item = new QTreeWidgetItem(liVersions_);
        item->setText(0, fromAnsi(v.time));
        item->setText(1, locale.formattedDataSize(static_cast<qint64>(v.size)));
        item->setText(2, v.readable ? QString::number(v.differing) : QStringLiteral("?"));
        item->setTextAlignment(1, Qt::AlignRight);
        item->setTextAlignment(2, Qt::AlignRight);
    }
    liVersions_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    liVersions_->header()->setStretchLastSection(true);
    auto* none = new QLabel(this);
    none->setObjectName(QStringLiteral("LbNone"));
    none->setVisible(versions_.empty());
    liVersions_->setMinimumHeight(liVersions_->sizeHintForRow(0) * 7 +
                                  liVersions_->header()->height());
    connect(liVersions_, &QTreeWidget::currentItemChanged, this,
            [this] { showVersion(liVersions_->indexOfTopLevelItem(liVersions_->currentItem())); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restore_);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(top);
    column->addWidget(liVersions_);
    column->addWidget(none);
    column->addWidget(bottom);
    column->addWidget(liDiff_, 1);
    column->addLayout(buttons);
    applyControlTexts(*this, historyDialogTexts(), state.language);
    nameByLabels(*this, {{"Label1", "LiVersions"}, {"Label2", "LiDiff"}});
    if (!versions_.empty()) liVersions_->setCurrentItem(liVersions_->topLevelItem(0));
    resize(sizeHint().width(), sizeHint().height() * 5 / 4);
    if (parent && parent->screen()) move(parent->screen()->geometry().center() - rect().center());
}

void FmHistory::showVersion(int index) {
    const bool valid = index >= 0 && index < static_cast<int>(versions_.size());
    restore_->setEnabled(valid && versions_[static_cast<std::size_t>(index)].readable);
    liDiff_->showPairs(
        valid ? keptDifferences(state_, ports_, versions_[static_cast<std::size_t>(index)])
              : std::vector<LinePair>{});
}

void FmHistory::restoreChosen() {
    const int index = liVersions_->indexOfTopLevelItem(liVersions_->currentItem());
    if (index < 0 || index >= static_cast<int>(versions_.size())) return;
    if (!restoreKeptVersion(state_, ports_, versions_[static_cast<std::size_t>(index)])) return;
    redrawMain_();
    accept();
}

} // namespace kestrel::ui
