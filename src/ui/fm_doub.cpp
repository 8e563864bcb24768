#include "fm_doub.h"

#include "captions.h"
#include "looks.h"
#include "text_codec.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kestrel::ui {

namespace {

QListWidget* hiddenList(QWidget* parent, const char* name, const QStringList& items) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    list->hide();
    return list;
}

} // namespace

FmDoub::FmDoub(const MainState& state, Ports& ports, QWidget* parent)
    : QDialog(parent), state_(state), ports_(ports) {
    setObjectName(QStringLiteral("FmDoub"));
    auto* header = new QLabel(this);
    header->setObjectName(QStringLiteral("Label11"));
    header->setFont(fixedFont());

    liDoub_ = new QListWidget(this);
    liDoub_->setObjectName(QStringLiteral("LiDoub"));
    liDoub_->setSelectionMode(QAbstractItemView::MultiSelection);
    paintAsList(*liDoub_);
    const QFontMetrics fixed(fixedFont());
    liDoub_->setMinimumWidth(fixed.horizontalAdvance(QString(62, u'M')) + 40);
    liDoub_->setMinimumHeight(fixed.lineSpacing() * 24);
    // The header's columns start where the rows' text does.
    header->setContentsMargins(liDoub_->frameWidth() + 2, 0, 0, 0);

    doubles_ = openDoublesDialog(state, ports);
    QStringList gen, letters;
    for (std::size_t i = 0; i < doubles_.records.size(); ++i) {
        const DoubleRecord& r = doubles_.records[i];
        auto* item = new QListWidgetItem(fromAnsi(doubleRowText(r)), liDoub_);
        item->setSelected(doubles_.selected[i]);
        gen << fromAnsi(r.gen);
        letters << fromAnsi(r.letters);
    }
    liDoub_->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    hiddenList(this, "LiGEN", gen);
    hiddenList(this, "LiLETT", letters);

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

    if (const QScreen* screen = parent ? parent->screen() : nullptr) {
        resize(sizeHint());
        move(screen->geometry().center() - rect().center());
    }
}

void FmDoub::accept() {
    for (int i = 0; i < liDoub_->count(); ++i)
        doubles_.selected[static_cast<std::size_t>(i)] = liDoub_->item(i)->isSelected();
    if (saveDoublesDialog(state_, ports_, doubles_)) QDialog::accept();
}

void manageDoubles(MainState& state, Ports& ports, QWidget* parent) {
    FmDoub dialog(state, ports, parent);
    dialog.exec();
    loadDoubleMarks(state, ports.files);
}

} // namespace kestrel::ui
