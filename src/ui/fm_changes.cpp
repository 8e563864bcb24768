#include "fm_changes.h"

#include "actions/sound_list.h"
#include "actions/undo.h"
#include "captions.h"
#include "change_view.h"
#include "controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kestrel::ui {

FmChanges::FmChanges(MainState& state, Ports& ports, std::function<void()> redrawMain,
                     QWidget* parent)
    : QDialog(parent), state_(state), ports_(ports), redrawMain_(std::move(redrawMain)) {
    setObjectName(QStringLiteral("FmChanges"));
    auto* explain = new QLabel(this);
    explain->setObjectName(QStringLiteral("Label1"));
    explain->setWordWrap(true);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("LbCount"));
    none_ = new QLabel(this);
    none_->setObjectName(QStringLiteral("LbNone"));
    list_ = new ChangeView(this);
    list_->setObjectName(QStringLiteral("LiChanges"));
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        makeRowCurrent(state_, ports_, list_->idOf(*item));
        redrawMain_();
        accept();
    });

    auto* revert = new QPushButton(this);
    revert->setObjectName(QStringLiteral("CdRevert"));
    connect(revert, &QPushButton::clicked, this, &FmChanges::revertChosen);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this, revert] { revert->setEnabled(!list_->chosenIds().empty()); });
    revert->setEnabled(false);
    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("CdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(count_, 1);
    buttons->addWidget(revert);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(explain);
    column->addWidget(list_, 1);
    column->addWidget(none_);
    column->addLayout(buttons);
    applyControlTexts(*this, changesDialogTexts(), state.language);
    nameByLabels(*this, {{"Label1", "LiChanges"}});
    refresh();
    resize(sizeHint().width(), sizeHint().height() * 3 / 2);
    if (parent && parent->screen()) move(parent->screen()->geometry().center() - rect().center());
}

void FmChanges::refresh() {
    list_->showPairs(pendingChanges(state_));
    count_->setText(changesNote(state_.language, state_.changedCount, -1));
    none_->setVisible(state_.changedCount == 0);
    if (list_->count() > 0) list_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void FmChanges::revertChosen() {
    const std::vector<int> ids = list_->chosenIds();
    if (ids.empty()) return;
    recordStep(state_, StepKind::RevertSounds, [&] { revertSounds(state_, ids); });
    refresh();
    redrawMain_();
}

} // namespace kestrel::ui
