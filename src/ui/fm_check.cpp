#include "fm_check.h"

#include "actions/sound_list.h"
#include "captions.h"
#include "controls.h"
#include "icons.h"
#include "text_codec.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrel::ui {

namespace {

constexpr int kIdRole = Qt::UserRole;

} // namespace

FmCheck::FmCheck(MainState& state, Ports& ports, std::function<void()> redrawMain, QWidget* parent)
    : QDialog(parent), state_(state), ports_(ports), redrawMain_(std::move(redrawMain)) {
    setObjectName(QStringLiteral("FmCheck"));
    auto* explain = new QLabel(this);
    explain->setObjectName(QStringLiteral("Label1"));
    explain->setWordWrap(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("LiFindings"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels(findingColumns(state.language));
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int id = item->data(0, kIdRole).toInt();
        if (id < 0) return;
        makeRowCurrent(state_, ports_, id);
        redrawMain_();
        accept();
    });
    none_ = new QLabel(this);
    none_->setObjectName(QStringLiteral("LbNone"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("LbCount"));
    auto* again = new QPushButton(this);
    again->setObjectName(QStringLiteral("CdRefresh"));
    connect(again, &QPushButton::clicked, this, &FmCheck::refresh);
    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("CdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(count_, 1);
    buttons->addWidget(again);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(explain);
    column->addWidget(list_, 1);
    column->addWidget(none_);
    column->addLayout(buttons);
    applyControlTexts(*this, checkDialogTexts(), state.language);
    nameByLabels(*this, {{"Label1", "LiFindings"}});
    refresh();
    // Wide enough for every column whole, within the screen.
    int width = 2 * list_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QFontMetrics text(list_->font());
    for (int c = 0; c < list_->columnCount(); ++c) {
        int column = list_->header()->sectionSizeHint(c);
        for (int i = 0; i < list_->topLevelItemCount(); ++i)
            column = std::max(column, text.horizontalAdvance(list_->topLevelItem(i)->text(c)));
        width += column + text.averageCharWidth() * 2;
    }
    width += list_->iconSize().width() > 0 ? list_->iconSize().width() : text.height();
    const QRect screen = parent && parent->screen() ? parent->screen()->availableGeometry()
                                                    : QRect(0, 0, 1280, 1024);
    const QFontMetrics metrics(font());
    resize(std::clamp(width + 2 * layout()->contentsMargins().left(), 600, screen.width() * 9 / 10),
           std::min(metrics.lineSpacing() * 28, screen.height() * 8 / 10));
    if (parent && parent->screen()) move(screen.center() - rect().center());
}

void FmCheck::refresh() {
    const std::vector<Finding> findings = checkCatalogue(state_, ports_);
    const QIcon icons[] = {drawnIcon(Glyph::Error), drawnIcon(Glyph::Warning)};
    list_->clear();
    QList<QTreeWidgetItem*> items;
    for (const Finding& f : findings) {
        const Severity severity = severityOf(f.problem);
        auto* item = new QTreeWidgetItem;
        item->setIcon(0, icons[severity == Severity::Error ? 0 : 1]);
        item->setText(0, severityName(severity, state_.language));
        item->setText(1, f.id < 0 ? QString() : QString::number(f.id));
        item->setTextAlignment(1, Qt::AlignRight);
        item->setText(2, findingSoundName(state_, f.id));
        item->setText(3, findingText(f, state_.language));
        item->setToolTip(3, item->text(3));
        item->setData(0, kIdRole, f.id);
        items.append(item);
    }
    list_->addTopLevelItems(items);
    if (!items.isEmpty()) list_->setCurrentItem(items.front());
    none_->setVisible(findings.empty());
    const int errors = errorCount(findings);
    count_->setText(
        findingsSummary(state_.language, errors, static_cast<int>(findings.size()) - errors));
}

} // namespace kestrel::ui
