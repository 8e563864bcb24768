#include "fm_sfx.h"

#include "captions.h"
#include "catalogue/selection.h"
#include "looks.h"
#include "session/startup.h"
#include "text_codec.h"
#include "toggle_list.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrel::ui {

namespace {

// Room kept to the right of the window for the object dialog: 4365 twips.
constexpr int kObjectDialogRoom = 4365 / 15;

// Characters of a sound row: number, colon, name, letter mark.
constexpr int kRowChars = 3 + 2 + 22 + 9;
// Characters of a field view shown in full, with a few WAD letters.
constexpr int kFieldViewChars = 90;
constexpr int kListRows = 34;

QLabel* label(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QToolButton* commandButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setIconSize(QSize(24, 24));
    b->setFixedSize(34, 34);
    return b;
}

QLineEdit* lineBox(QWidget* parent, const char* name, int maxLength) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setMaxLength(maxLength);
    return t;
}

} // namespace

FmSFX::FmSFX(MainState& state, Ports& ports, QWidget* parent)
    : QWidget(parent), state_(state), ports_(ports) {
    setObjectName(QStringLiteral("FmSFX"));
    setWindowTitle(QString::fromLatin1(kWindowTitle));
    buildControls();
    applyLanguage();
    setFixedSize(sizeHint());
}

// The window: the sound list down the left; on the right, top to bottom, the
// line frame, the sound's editors (values and flags, samples, WAD letters),
// the letter and WAD boxes with their commands and the object field, the
// search frame, and the strip of program commands with the language choice.
void FmSFX::buildControls() {
    const QFontMetrics fixed(fixedFont());

    auto* label11 = label(this, "Label11");
    liSfx_ = new ToggleList(this);
    liSfx_->setObjectName(QStringLiteral("LiSFX"));
    paintAsList(*liSfx_);
    liSfx_->setFixedWidth(fixed.horizontalAdvance(QString(kRowChars, u'M')) +
                          liSfx_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12);
    liSfx_->setMinimumHeight(fixed.lineSpacing() * kListRows);
    connect(liSfx_, &ToggleList::rowClicked, this, &FmSFX::onRowClicked);
    connect(liSfx_, &ToggleList::rowStepped, this, &FmSFX::onRowStepped);
    auto* label14 = label(this, "Label14");
    label14->setText(QString::fromLatin1(kVersionLabel));

    // The line frame: the default line above the current line, field by field.
    frOrig_ = new QGroupBox(this);
    frOrig_->setObjectName(QStringLiteral("FrOrig"));
    frOrig_->setFont(fixedFont());
    txLig_ = new QPlainTextEdit(frOrig_);
    txLig_->setObjectName(QStringLiteral("TxLig"));
    txLig_->setReadOnly(true);
    txLig_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txLig_->setFont(fixedFont());
    txLig_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txLig_->setFixedSize(fixed.horizontalAdvance(QString(kFieldViewChars, u'M')) + 12,
                         fixed.lineSpacing() * 2 + 14);
    auto* label2 = label(frOrig_, "Label2");
    auto* label16 = label(frOrig_, "Label16");
    auto* lineGrid = new QGridLayout(frOrig_);
    auto* captions = new QVBoxLayout;
    captions->setSpacing(0);
    captions->addWidget(label2);
    captions->addWidget(label16);
    lineGrid->addLayout(captions, 0, 0, Qt::AlignVCenter);
    lineGrid->addWidget(txLig_, 0, 1);
    // The two field views on their own; only their joined form is shown.
    txOrig_ = lineBox(this, "TxOrig", 32767);
    txModif_ = lineBox(this, "TxModif", 32767);
    txOrig_->hide();
    txModif_->hide();

    // The current letter and the current WAD's file name.
    auto* frame3 = new QGroupBox(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    txLett_ = lineBox(frame3, "TxLett", 2);
    txLett_->setReadOnly(true);
    txLett_->setFixedWidth(fixed.horizontalAdvance(QStringLiteral("MMMM")) + 12);
    txLett_->setFont(fixedFont());
    auto* letters = new QHBoxLayout(frame3);
    letters->addWidget(label(frame3, "Label5"));
    letters->addWidget(txLett_);
    letters->addStretch();

    auto* frame4 = new QGroupBox(this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    txWad_ = lineBox(frame4, "TxWAD", 255);
    txWad_->setReadOnly(true);
    txWad_->setFont(fixedFont());
    auto* wad = new QHBoxLayout(frame4);
    wad->addWidget(label(frame4, "Label10"));
    wad->addWidget(txWad_, 1);

    // The program's commands and the language choice.
    cdSelLE_ = commandButton(this, "CdSelLE", QStyle::SP_DirOpenIcon);
    connect(cdSelLE_, &QToolButton::clicked, this, &FmSFX::onSelectEditor);
    opLang_ = new QButtonGroup(this);
    auto* commands = new QHBoxLayout;
    commands->addWidget(cdSelLE_);
    commands->addStretch();
    const char* langCaptions[] = {kEnglishCaption, kFrenchCaption};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(langCaptions[i]), this);
        b->setObjectName(QStringLiteral("OpLang%1").arg(i));
        opLang_->addButton(b, i);
        opLangButtons_[i] = b;
        commands->addWidget(b);
    }
    opLangButtons_[0]->setChecked(true);
    connect(opLang_, &QButtonGroup::idClicked, this, &FmSFX::onLanguageClicked);

    auto* letterRow = new QHBoxLayout;
    letterRow->addWidget(frame3);
    letterRow->addWidget(frame4, 1);

    auto* right = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(frOrig_), static_cast<QWidget*>(frame3),
                       static_cast<QWidget*>(frame4)})
        w->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    right->addWidget(frOrig_);
    right->addLayout(letterRow);
    right->addStretch();
    right->addLayout(commands);

    auto* left = new QVBoxLayout;
    left->addWidget(label11);
    left->addWidget(liSfx_, 1);
    left->addWidget(label14);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);
}

void FmSFX::placeOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size().expandedTo(size());
    move(area.x() + (area.width() - outer.width() - kObjectDialogRoom) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

bool FmSFX::start() {
    placeOnScreen();
    const bool ready = startMainWindow(state_, ports_) == StartOutcome::Ready;
    if (ready) redraw();
    return ready;
}

void FmSFX::applyLanguage() {
    applyControlTexts(*this, mainWindowTexts(), state_.language);
    frOrig_->setTitle(lineFrameCaption(state_.language, state_.frOrigName));
}

void FmSFX::redraw() {
    const QScopedValueRollback guard(redrawing_, true);
    opLangButtons_[state_.language == Language::English ? 0 : 1]->setChecked(true);
    applyLanguage();
    liSfx_->showRows(state_.rows, state_.currentRow);
    txOrig_->setText(fromAnsi(state_.txOrig));
    txModif_->setText(fromAnsi(state_.txModif));
    if (state_.txOrig.empty() && state_.txModif.empty())
        txLig_->clear();
    else
        txLig_->setPlainText(fromAnsi(state_.txOrig) + u'\n' + fromAnsi(state_.txModif));
    txLett_->setText(fromAnsi(state_.txLett));
    txWad_->setText(fromAnsi(state_.txWad));
}

void FmSFX::onRowClicked(int row) {
    clickRow(state_, ports_, row);
    redraw();
}

void FmSFX::onRowStepped(int row) {
    makeRowCurrent(state_, ports_, row);
    redraw();
}

void FmSFX::onSelectEditor() {
    if (chooseEditorAgain(state_, ports_)) redraw();
}

void FmSFX::onLanguageClicked(int index) {
    if (redrawing_) return;
    state_.language = index == 0 ? Language::English : Language::French;
    redraw();
}

void FmSFX::closeEvent(QCloseEvent* event) {
    closeMainWindow(state_, ports_);
    event->accept();
}

} // namespace kestrel::ui
