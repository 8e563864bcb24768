#include "fm_sfx.h"

#include "actions/apply.h"
#include "actions/current_sound.h"
#include "actions/help.h"
#include "actions/import.h"
#include "actions/letters.h"
#include "actions/objects.h"
#include "actions/search.h"
#include "actions/sfx_build.h"
#include "actions/sound_list.h"
#include "actions/startup.h"
#include "actions/undo.h"
#include "captions.h"
#include "controls.h"
#include "field_lines.h"
#include "fm_changes.h"
#include "fm_check.h"
#include "fm_doub.h"
#include "fm_help.h"
#include "fm_history.h"
#include "fm_objet.h"
#include "group_frame.h"
#include "icons.h"
#include "looks.h"
#include "sample_wave.h"
#include "text_codec.h"
#include "toggle_list.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>
#include <QValidator>

#include <utility>

namespace kestrel::ui {

// A typing limit that a longer text set by the program does not cut: the
// sample box takes 8 characters, but a longer stored name shows whole.
class GrowingLimit : public QValidator {
public:
    GrowingLimit(int limit, QObject* parent) : QValidator(parent), base_(limit), limit_(limit) {}
    void allowFor(const QString& shown) { limit_ = std::max(base_, int(shown.size())); }
    State validate(QString& input, int&) const override {
        return input.size() <= limit_ ? Acceptable : Invalid;
    }

private:
    int base_;
    int limit_;
};

namespace {

// How long the note that a build put its files in place stays.
constexpr int kBuiltNoteMs = 10000;

// Room kept to the right of the window for the object dialog, in pixels.
constexpr int kObjectDialogRoom = 291;

// Characters of a sound row: number, colon, name, letter mark.
constexpr int kRowChars = 3 + 2 + 22 + 9;
// Characters of a field view shown in full, with a few WAD letters.
constexpr int kFieldViewChars = 90;
constexpr int kListRows = 40;
// The smallest sound list and line view: the window shrinks to these, the
// list and the line scrolling (beyond, the right side scrolls as a whole).
constexpr int kFewestListRows = 8;
constexpr int kFewestFieldViewChars = 40;
// Where the window was left and its size, in Kestrel.ini.
const QString kGeometryKey = QStringLiteral("window/geometry");

// A scroll area that asks for the whole of its contents (Qt's asks for at
// most 36 by 24 lines).
class WholeScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth())
                        : QScrollArea::sizeHint();
    }
};

// Qt's own texts (the labels and buttons of file dialogs, the standard
// buttons) in the language in force, from Qt's translations when installed.
// One translator, installed the first time French is chosen, follows the
// language from then on: installing or removing a translator tells every
// widget that the language changed, and every window is drawn again whole
// for texts that Kestrel sets itself.
class QtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool load() {
        return french_.load(QStringLiteral("qtbase_fr"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    void use(Language language) { inFrench_ = language == Language::French; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        return inFrench_ ? french_.translate(context, source, disambiguation, n) : QString();
    }
    bool isEmpty() const override { return !inFrench_ || french_.isEmpty(); }

private:
    QTranslator french_;
    bool inFrench_ = false;
};

void useQtTextsIn(Language language) {
    static QtTexts* texts = nullptr;
    if (!texts) {
        if (language != Language::French) return;
        auto* loaded = new QtTexts(qApp);
        if (!loaded->load()) {
            delete loaded;
            return;
        }
        QCoreApplication::installTranslator(loaded);
        texts = loaded;
    }
    texts->use(language);
}

constexpr ValueBox kValueBoxes[] = {ValueBox::Vol, ValueBox::Ch, ValueBox::Pit, ValueBox::Rad};
constexpr FlagBox kFlagBoxes[] = {FlagBox::P, FlagBox::V, FlagBox::R, FlagBox::N, FlagBox::L};

QString name(const char* n) {
    return QString::fromLatin1(n);
}

QLabel* label(QWidget* parent, const char* objectName, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name(objectName));
    return l;
}

QToolButton* commandButton(QWidget* parent, const char* objectName, Glyph icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name(objectName));
    b->setIcon(drawnIcon(icon));
    b->setIconSize(QSize(22, 22));
    b->setFixedSize(32, 32);
    // A click takes the focus, so a value box being left is handled first.
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QLineEdit* lineBox(QWidget* parent, const char* objectName, int maxLength) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name(objectName));
    t->setMaxLength(maxLength);
    t->setFont(fixedFont());
    return t;
}

QListWidget* smallList(QWidget* parent, const char* objectName, int rows) {
    auto* l = new QListWidget(parent);
    l->setObjectName(name(objectName));
    paintAsList(*l);
    l->setFixedHeight(QFontMetrics(fixedFont()).lineSpacing() * rows + 8);
    return l;
}

std::string& valueText(SoundEditors& ed, int i) {
    std::string* texts[] = {&ed.txVol, &ed.txCh, &ed.txPit, &ed.txRad};
    return *texts[i];
}

bool flagChecked(const SoundEditors& ed, int i) {
    const bool checks[] = {ed.ckP, ed.ckV, ed.ckR, ed.ckN, ed.ckL};
    return checks[i];
}

void setTextIfChanged(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

} // namespace

FmSFX::FmSFX(MainState& state, Ports& ports, QWidget* parent)
    : QWidget(parent), state_(state), ports_(ports) {
    setObjectName(QStringLiteral("FmSFX"));
    setWindowTitle(name(kWindowTitle));

    // The window: the sound list down the left; on the right, top to bottom,
    // the line frame, the sound's editors (values and flags, samples, WAD
    // letters), the letter and WAD boxes with their commands and the object
    // field, the search frame, and the strip of program commands with the
    // language choice.
    auto* right = new QVBoxLayout;
    right->addWidget(buildLineFrame());
    right->addLayout(buildEditors());
    right->addLayout(buildLetters());
    right->addWidget(buildSearch());
    right->addStretch();
    right->addLayout(buildCommands());
    // On a screen too small for it, the right side scrolls; everywhere else
    // the scroll area is not seen.
    auto* panel = new QWidget(this);
    panel->setLayout(right);
    right->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new WholeScrollArea(this);
    scroll->setObjectName(QStringLiteral("ScrRight"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(panel);
    auto* top = new QHBoxLayout(this);
    top->addLayout(buildSoundList());
    top->addWidget(scroll, 1);

    // TmSFX: one check of a running build per interval.
    tmSfx_ = new QTimer(this);
    tmSfx_->setObjectName(QStringLiteral("TmSFX"));
    tmSfx_->setSingleShot(true);
    connect(tmSfx_, &QTimer::timeout, this, &FmSFX::buildChecked);
    clock_.start();

    applyLanguage();
    setKeyboardOrder();
    // The window opens at its natural size and may grow or shrink: the sound
    // list takes the height, the line frame and the WAD letters the width.
    const QSize natural = sizeHint();
    const QFontMetrics fixed(fixedFont());
    liSfx_->setMinimumHeight(fixed.lineSpacing() * kFewestListRows);
    txLig_->setMinimumWidth(fixed.horizontalAdvance(QString(kFewestFieldViewChars, u'M')) + 12);
    txSearch_->setMinimumWidth(fixed.horizontalAdvance(QString(8, u'M')) + 12);
    lbBuild_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(12, u'x')));
    // Every size hint cached with the natural sizes is dropped, so that the
    // window's smallest size is that of the smallest parts.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->updateGeometry();
        if (w->layout()) w->layout()->invalidate();
    }
    layout()->activate();
    resize(natural);
}

// The boxes lose their focus while the window is taken down: that is no
// user leaving them.
FmSFX::~FmSFX() {
    for (QLineEdit* box : valueBoxes_) box->removeEventFilter(this);
    txLett_->removeEventFilter(this);
    txWad_->removeEventFilter(this);
    lbFok_->removeEventFilter(this);
}

template <class F> void FmSFX::act(F&& operation) {
    if (redrawing_) return;
    operation();
    redraw();
}

template <class F> void FmSFX::edit(StepKind kind, F&& operation) {
    act([&] { recordStep(state_, kind, operation); });
}

void FmSFX::undo() {
    if (!state_.build.windowDisabled()) act([&] { undoStep(state_); });
}

void FmSFX::redo() {
    if (!state_.build.windowDisabled()) act([&] { redoStep(state_); });
}

void FmSFX::openChangesWindow() {
    if (state_.build.windowDisabled()) return;
    FmChanges changes(
        state_, ports_, [this] { redraw(); }, this);
    changes.exec();
    redraw();
}

void FmSFX::openCheckWindow() {
    if (state_.build.windowDisabled()) return;
    FmCheck check(
        state_, ports_, [this] { redraw(); }, this);
    check.exec();
    redraw();
}

void FmSFX::openHistoryWindow() {
    if (state_.build.windowDisabled()) return;
    FmHistory history(
        state_, ports_, [this] { redraw(); }, this);
    history.exec();
    redraw();
}

QLayout* FmSFX::buildSoundList() {
    const QFontMetrics fixed(fixedFont());
    liSfx_ = new ToggleList(this);
    liSfx_->setObjectName(QStringLiteral("LiSFX"));
    paintAsList(*liSfx_);
    liSfx_->setFixedWidth(fixed.horizontalAdvance(QString(kRowChars, u'M')) +
                          liSfx_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 12);
    liSfx_->setMinimumHeight(fixed.lineSpacing() * kListRows);
    connect(liSfx_, &ToggleList::rowClicked, this,
            [this](int row) { edit(StepKind::Letter, [&] { clickRow(state_, ports_, row); }); });
    connect(liSfx_, &ToggleList::rowStepped, this, [this](int row) {
        edit(StepKind::Letter, [&] { makeRowCurrent(state_, ports_, row); });
    });

    auto* column = new QVBoxLayout;
    column->addWidget(label(this, "Label11"));
    column->addWidget(liSfx_, 1);
    column->addWidget(label(this, "Label14", name(kVersionLabel)));
    return column;
}

// The default line above the current line, field by field.
QWidget* FmSFX::buildLineFrame() {
    const QFontMetrics fixed(fixedFont());
    frOrig_ = new GroupFrame(this);
    frOrig_->setObjectName(QStringLiteral("FrOrig"));
    frOrig_->setFont(fixedFont());
    frOrig_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    txLig_ = new FieldLines(frOrig_);
    txLig_->setObjectName(QStringLiteral("TxLig"));
    txLig_->setFont(fixedFont());
    // Room for the scroll bar of a long field view below both lines, never
    // over the second.
    txLig_->setMinimumWidth(fixed.horizontalAdvance(QString(kFieldViewChars, u'M')) + 12);
    txLig_->setFixedHeight(fixed.lineSpacing() * 2 + 14 +
                           txLig_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    auto* captions = new QVBoxLayout;
    captions->setSpacing(0);
    captions->addWidget(label(frOrig_, "Label2"));
    captions->addWidget(label(frOrig_, "Label16"));

    auto* restore = commandButton(frOrig_, "CdRstWAD", Glyph::RestoreLine);
    connect(restore, &QToolButton::clicked, this,
            [this] { edit(StepKind::RestoreLine, [&] { restoreLine(state_); }); });

    auto* grid = new QGridLayout(frOrig_);
    // The captions stand beside the two lines, above the scroll bar's room.
    captions->setContentsMargins(0, txLig_->frameWidth() + txLig_->margin(), 0, 0);
    grid->addLayout(captions, 0, 0, Qt::AlignTop);
    grid->addWidget(txLig_, 0, 1);
    grid->addWidget(restore, 0, 2, Qt::AlignVCenter);
    return frOrig_;
}

QLayout* FmSFX::buildEditors() {
    const QFontMetrics fixed(fixedFont());

    // Values and flags.
    auto* values = new QGridLayout;
    const char* boxNames[] = {"TxVOL", "TxCH", "TxPIT", "TxRAD"};
    const char* boxCaptions[] = {"VOL", "CH", "PIT", "RAD"};
    const int lengths[] = {2, 2, 3, 2};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* box = lineBox(this, boxNames[i], lengths[i]);
        box->setFixedWidth(fixed.horizontalAdvance(QStringLiteral("MMMM")) + 12);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this,
                [this, i](const QString& t) { valueText(state_.ed, i) = toAnsi(t); });
        connect(box, &QLineEdit::returnPressed, this, [this, i] {
            edit(StepKind::AcceptValues, [&] { acceptFromValueBox(state_, kValueBoxes[i]); });
        });
        valueBoxes_[i] = box;
        auto* caption = new QLabel(name(boxCaptions[i]), this);
        caption->setBuddy(box); // names the box to screen readers
        values->addWidget(caption, i, 0);
        values->addWidget(box, i, 1);
    }
    const char* flagNames[] = {"CkP", "CkV", "CkR", "CkN", "CkL"};
    const char* flagCaptions[] = {"&P", "&V", "&R", "&N", "&L"};
    for (int i = 0; i < 5; ++i) {
        auto* box = new QCheckBox(name(flagCaptions[i]), this);
        box->setObjectName(name(flagNames[i]));
        connect(box, &QCheckBox::clicked, this,
                [this, i](bool on) { act([&] { setFlagBox(state_, kFlagBoxes[i], on); }); });
        flagBoxes_[i] = box;
        values->addWidget(box, i, 2);
    }
    auto* accept = commandButton(this, "CdMajVal", Glyph::Accept);
    connect(accept, &QToolButton::clicked, this,
            [this] { edit(StepKind::AcceptValues, [&] { acceptValues(state_); }); });
    values->addWidget(accept, 4, 0, 1, 2, Qt::AlignLeft);

    // Samples.
    liSamp_ = smallList(this, "LiSamp", 6);
    liSamp_->setFixedWidth(fixed.horizontalAdvance(QString(12, u'M')) + 30);
    connect(liSamp_, &QListWidget::currentRowChanged, this,
            [this](int k) { act([&] { selectSample(state_, k); }); });
    txSamp_ = lineBox(this, "TxSamp", 32767);
    txSampLimit_ = new GrowingLimit(8, txSamp_);
    txSamp_->setValidator(txSampLimit_);
    txSamp_->setFixedWidth(liSamp_->width());
    connect(txSamp_, &QLineEdit::textEdited, this,
            [this](const QString& t) { state_.ed.txSamp = toAnsi(t); });
    auto* play = commandButton(this, "CdPlay", Glyph::Play);
    connect(play, &QToolButton::clicked, this,
            [this] { act([&] { playSample(state_, ports_); }); });
    auto* rename = commandButton(this, "CdRename", Glyph::Rename);
    connect(rename, &QToolButton::clicked, this,
            [this] { edit(StepKind::RenameSample, [&] { renameSample(state_, ports_); }); });
    auto* sampleButtons = new QHBoxLayout;
    sampleButtons->addWidget(play);
    sampleButtons->addWidget(rename);
    sampleButtons->addStretch();
    auto* samples = new QVBoxLayout;
    samples->addWidget(label(this, "LbSonN"));
    samples->addWidget(liSamp_);
    samples->addWidget(txSamp_);
    samples->addLayout(sampleButtons);
    samples->addStretch();

    // The WAD letters of the sound.
    liWad_ = smallList(this, "LiWAD", 6);
    connect(liWad_, &QListWidget::currentRowChanged, this,
            [this](int k) { act([&] { state_.ed.liWadSel = k; }); });
    auto* wads = new QVBoxLayout;
    wads->addWidget(label(this, "Label1"));
    wads->addWidget(liWad_);
    wvSamp_ = new SampleWave(this);
    wads->addWidget(wvSamp_, 1);

    auto* valuesColumn = new QVBoxLayout;
    valuesColumn->addWidget(label(this, "Label4"));
    valuesColumn->addLayout(values);
    valuesColumn->addStretch();

    auto* row = new QHBoxLayout;
    row->addLayout(valuesColumn);
    row->addSpacing(12);
    row->addLayout(samples);
    row->addSpacing(12);
    row->addLayout(wads, 1);
    return row;
}

// The current letter, the chosen object and the letter commands; the
// current WAD's file name with the commands that work on the whole WAD.
QLayout* FmSFX::buildLetters() {
    const QFontMetrics fixed(fixedFont());
    auto* frame3 = new GroupFrame(this);
    frame3->setObjectName(QStringLiteral("Frame3"));
    txLett_ = lineBox(frame3, "TxLett", 32);
    txLett_->setFixedWidth(fixed.horizontalAdvance(QStringLiteral("MMMM")) + 12);
    connect(txLett_, &QLineEdit::textEdited, this,
            [this](const QString& t) { state_.choice.txLett = toAnsi(t); });
    txLett_->installEventFilter(this);
    txObjet_ = lineBox(frame3, "TxObjet", 32767);
    txObjet_->setReadOnly(true);
    txObjet_->setFocusPolicy(Qt::NoFocus);
    txObjet_->setFixedWidth(fixed.horizontalAdvance(QString(25, u'M')) + 12);

    auto* add = commandButton(frame3, "CdAddWAD", Glyph::GiveLetter);
    connect(add, &QToolButton::clicked, this,
            [this] { edit(StepKind::Letter, [&] { addLetter(state_, ports_); }); });
    auto* del = commandButton(frame3, "CdDel", Glyph::TakeLetter);
    connect(del, &QToolButton::clicked, this,
            [this] { edit(StepKind::Letter, [&] { removeLetter(state_, ports_); }); });
    auto* erase = commandButton(frame3, "CdErase", Glyph::Trash);
    connect(erase, &QToolButton::clicked, this, [this] {
        edit(StepKind::EraseLetter, [&] { eraseLetterEverywhere(state_, ports_); });
    });
    auto* objects = commandButton(frame3, "CdOBJ", Glyph::Objects);
    connect(objects, &QToolButton::clicked, this,
            [this] { act([&] { toggleObjectDialog(state_, ports_); }); });
    auto* eraseObject = commandButton(frame3, "CdEfface", Glyph::Clear);
    connect(eraseObject, &QToolButton::clicked, this,
            [this] { act([&] { eraseObjectName(state_); }); });

    auto* letters = new QGridLayout(frame3);
    letters->addWidget(label(frame3, "Label5"), 0, 0);
    letters->addWidget(txLett_, 0, 1, Qt::AlignLeft);
    letters->addWidget(add, 0, 2);
    letters->addWidget(del, 0, 3);
    letters->addWidget(erase, 0, 4);
    letters->addWidget(label(frame3, "Label17"), 1, 0);
    letters->addWidget(txObjet_, 1, 1, 1, 2);
    letters->addWidget(objects, 1, 3);
    letters->addWidget(eraseObject, 1, 4);

    auto* frame4 = new GroupFrame(this);
    frame4->setObjectName(QStringLiteral("Frame4"));
    txWad_ = lineBox(frame4, "TxWAD", 255);
    txWad_->setFixedWidth(fixed.horizontalAdvance(QString(12, u'M')) + 12);
    connect(txWad_, &QLineEdit::textEdited, this,
            [this](const QString& t) { state_.choice.txWad = toAnsi(t); });
    txWad_->installEventFilter(this);
    auto* show = commandButton(frame4, "CdShow", Glyph::ShowGeneric);
    connect(show, &QToolButton::clicked, this, [this] {
        edit(StepKind::StripProtected, [&] { toggleGenericMarks(state_, ports_); });
    });
    auto* apply = commandButton(frame4, "CdValidW", Glyph::Apply);
    connect(apply, &QToolButton::clicked, this, [this] {
        act([&] { applyChanges(state_, ports_); });
        // The note of what Apply wrote stays a little, then goes.
        if (state_.appliedCount < 0) return;
        const int note = ++appliedNotes_;
        QTimer::singleShot(kBuiltNoteMs, this, [this, note] {
            if (note != appliedNotes_) return;
            state_.appliedCount = -1;
            redraw();
        });
    });
    // Which list of the WAD the import reads, and the import itself.
    opWad_ = new QButtonGroup(this);
    auto* lists = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(i == 0 ? QStringLiteral("SAM") : QStringLiteral("WAS"), frame4);
        b->setObjectName(QStringLiteral("OpWAD%1").arg(i));
        opWad_->addButton(b, i);
        opWadButtons_[i] = b;
        lists->addWidget(b);
    }
    opWadButtons_[0]->setChecked(true);
    connect(opWad_, &QButtonGroup::idClicked, this,
            [this](int i) { act([&] { state_.choice.wasMode = i == 1; }); });
    auto* load = commandButton(frame4, "CdLoadSAM", Glyph::ImportList);
    connect(load, &QToolButton::clicked, this,
            [this] { edit(StepKind::ImportList, [&] { loadWadList(state_, ports_); }); });
    auto* doubles = commandButton(frame4, "CdDoub", Glyph::Doubles);
    connect(doubles, &QToolButton::clicked, this,
            [this] { act([&] { manageDoubles(state_, ports_, this); }); });

    auto* wad = new QGridLayout(frame4);
    wad->addWidget(label(frame4, "Label10"), 0, 0);
    wad->addWidget(txWad_, 0, 1);
    wad->addWidget(show, 0, 2);
    wad->addWidget(apply, 0, 3);
    wad->addLayout(lists, 1, 0, 1, 2);
    wad->addWidget(load, 1, 2);
    wad->addWidget(doubles, 1, 3);
    wad->setColumnStretch(4, 1);

    for (QWidget* w : {static_cast<QWidget*>(frame3), static_cast<QWidget*>(frame4)})
        w->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* row = new QHBoxLayout;
    row->addWidget(frame3);
    row->addWidget(frame4, 1);
    return row;
}

// The search box, its direction and case, and the letter mark shortcut.
QWidget* FmSFX::buildSearch() {
    auto* frame1 = new GroupFrame(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    txSearch_ = lineBox(frame1, "TxSearch", 255);
    txSearch_->setMinimumWidth(QFontMetrics(fixedFont()).horizontalAdvance(QString(24, u'M')) + 12);
    connect(txSearch_, &QLineEdit::textEdited, this,
            [this](const QString& t) { state_.search.txSearch = toAnsi(t); });
    // Return in the box steps as the button does.
    connect(txSearch_, &QLineEdit::returnPressed, this,
            [this] { act([&] { searchStep(state_, ports_); }); });
    auto* look = commandButton(frame1, "CdLook", Glyph::Search);
    connect(look, &QToolButton::clicked, this,
            [this] { act([&] { searchStep(state_, ports_); }); });

    lbFok_ = label(frame1, "LbFOK", QStringLiteral("[OK]"));
    lbFok_->setFont(fixedFont());
    lbFok_->setAutoFillBackground(true);
    QPalette p = lbFok_->palette();
    p.setColor(QPalette::Window, kListBack);
    p.setColor(QPalette::WindowText, kListText);
    lbFok_->setPalette(p);
    lbFok_->setContentsMargins(4, 2, 4, 2);
    lbFok_->setCursor(Qt::PointingHandCursor);
    lbFok_->installEventFilter(this);

    opSens_ = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(frame1);
        b->setObjectName(QStringLiteral("OpSens%1").arg(i));
        opSens_->addButton(b, i);
        opSensButtons_[i] = b;
    }
    opSensButtons_[0]->setChecked(true);
    connect(opSens_, &QButtonGroup::idClicked, this,
            [this](int i) { act([&] { state_.search.searchUp = i == 1; }); });
    ckUl_ = new QCheckBox(frame1);
    ckUl_->setObjectName(QStringLiteral("CkUL"));
    connect(ckUl_, &QCheckBox::clicked, this,
            [this](bool on) { act([&] { state_.search.caseSensitive = on; }); });

    auto* row = new QHBoxLayout(frame1);
    row->addWidget(label(frame1, "Label3"));
    row->addWidget(txSearch_);
    row->addWidget(look);
    row->addWidget(lbFok_);
    row->addSpacing(12);
    row->addWidget(opSensButtons_[0]);
    row->addWidget(opSensButtons_[1]);
    row->addSpacing(12);
    row->addWidget(ckUl_);
    row->addStretch();
    return frame1;
}

void FmSFX::openHelpWindow() {
    const auto text = openHelp(state_, ports_);
    FmHelp help(text ? fromAnsi(*text) : helpMissingNote(state_.language, helpFilePath(state_)),
                this);
    help.placeBelow(*this, *cdHlp_);
    help.exec();
}

// The program's commands and the language choice.
QLayout* FmSFX::buildCommands() {
    auto* strip = new QHBoxLayout;
    auto* select = commandButton(this, "CdSelLE", Glyph::OpenFolder);
    connect(select, &QToolButton::clicked, this, [this] {
        // The working lines are dropped with the old installation.
        bool chosen = false;
        act([&] {
            chosen = settlePendingChanges(state_, ports_) && chooseEditorAgain(state_, ports_);
        });
        // A new installation is opened as at start-up: the window placed first.
        if (chosen) placeOnScreen();
    });
    auto* defaults = commandButton(this, "CdDefaut", Glyph::Defaults);
    connect(defaults, &QToolButton::clicked, this,
            [this] { act([&] { restoreDefaults(state_, ports_); }); });
    auto* build = commandButton(this, "CdCopy", Glyph::Build);
    connect(build, &QToolButton::clicked, this, [this] {
        act([&] { startBuild(state_, ports_, clock_.elapsed()); });
        if (state_.build.windowDisabled()) tmSfx_->start(kFirstBuildCheckMs);
        if (std::exchange(state_.build.checkAsked, false)) openCheckWindow();
    });
    auto* stop = commandButton(this, "CdStop", Glyph::Quit);
    connect(stop, &QToolButton::clicked, this, &QWidget::close);
    auto* edit = commandButton(this, "CdEdit", Glyph::EditText);
    connect(edit, &QToolButton::clicked, this,
            [this] { act([&] { openSoundsInEditor(state_, ports_); }); });
    cdHlp_ = commandButton(this, "CdHlp", Glyph::Help);
    connect(cdHlp_, &QToolButton::clicked, this, &FmSFX::openHelpWindow);
    // Undo and Redo of the working lines, what they hold that sounds.txt
    // does not, and the versions of sounds.txt kept.
    cdUndo_ = commandButton(this, "CdUndo", Glyph::Undo);
    connect(cdUndo_, &QToolButton::clicked, this, &FmSFX::undo);
    cdRedo_ = commandButton(this, "CdRedo", Glyph::Redo);
    connect(cdRedo_, &QToolButton::clicked, this, &FmSFX::redo);
    auto* changes = commandButton(this, "CdChanges", Glyph::Changes);
    connect(changes, &QToolButton::clicked, this, &FmSFX::openChangesWindow);
    auto* history = commandButton(this, "CdHistory", Glyph::History);
    connect(history, &QToolButton::clicked, this, &FmSFX::openHistoryWindow);
    auto* check = commandButton(this, "CdCheck", Glyph::Check);
    connect(check, &QToolButton::clicked, this, &FmSFX::openCheckWindow);
    for (QToolButton* b : {select, defaults, build, edit, cdHlp_}) strip->addWidget(b);
    strip->addSpacing(8);
    for (QToolButton* b : {cdUndo_, cdRedo_, changes, history, check}) strip->addWidget(b);

    // Outside a text box, the keys of Undo and Redo work on the working
    // lines; inside one, the box takes them for its own typing first.
    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, slot);
    };
    // One shortcut per key: two for the same key would both stay silent.
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &FmSFX::undo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &FmSFX::redo);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &FmSFX::redo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_D), &FmSFX::openChangesWindow);
    // The desktop's usual keys for the usual commands. A button reached by
    // its key takes the focus first, as a click would, so that a box being
    // left is judged before the button acts.
    const auto press = [this](const char* control) {
        return [this, control] {
            if (auto* b = findChild<QAbstractButton*>(QLatin1String(control));
                b && b->isEnabled()) {
                b->setFocus(Qt::ShortcutFocusReason);
                b->click();
            }
        };
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), press("CdValidW"));
    shortcut(QKeySequence(Qt::Key_F1), press("CdHlp"));
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), press("CdStop"));
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        txSearch_->setFocus(Qt::ShortcutFocusReason);
        txSearch_->selectAll();
    });
    // F3 finds the next match in the direction chosen, Shift+F3 the one the
    // other way, leaving the choice as it is.
    shortcut(QKeySequence(Qt::Key_F3), [this] { act([&] { searchStep(state_, ports_); }); });
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] {
        act([&] {
            const bool up = std::exchange(state_.search.searchUp, !state_.search.searchUp);
            searchStep(state_, ports_);
            state_.search.searchUp = up;
        });
    });

    // How a build stands, and the way out of a wait that goes on; below it,
    // the sounds carrying changes not applied.
    lbBuild_ = label(this, "LbBuild");
    lbBuild_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(36, u'x')));
    lbBuild_->setWordWrap(true);
    lbChanges_ = label(this, "LbChanges");
    // One line whatever it says, so that a click that changes the count
    // draws this label again and not the whole window laid out anew.
    lbChanges_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lbChanges_->setFixedHeight(QFontMetrics(lbChanges_->font()).height());
    cdStopWait_ = new QToolButton(this);
    cdStopWait_->setObjectName(QStringLiteral("CdStopWait"));
    cdStopWait_->hide();
    connect(cdStopWait_, &QToolButton::clicked, this,
            [this] { act([&] { stopWaitingForBuild(state_); }); });
    auto* notes = new QVBoxLayout;
    notes->setSpacing(0);
    notes->addWidget(lbChanges_);
    notes->addWidget(lbBuild_);
    strip->addSpacing(8);
    strip->addLayout(notes, 1);
    strip->addWidget(cdStopWait_);

    opLang_ = new QButtonGroup(this);
    const char* captions[] = {kEnglishCaption, kFrenchCaption};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QRadioButton(name(captions[i]), this);
        b->setObjectName(QStringLiteral("OpLang%1").arg(i));
        opLang_->addButton(b, i);
        opLangButtons_[i] = b;
        strip->addWidget(b);
    }
    opLangButtons_[0]->setChecked(true);
    connect(opLang_, &QButtonGroup::idClicked, this, [this](int i) {
        // The object dialog is shown again so that it takes the new texts.
        if (state_.objects.objetOpen && fmObjet_) fmObjet_->hide();
        act([&] { state_.language = i == 0 ? Language::English : Language::French; });
    });
    strip->addSpacing(12);
    strip->addWidget(stop);
    return strip;
}

// Tab goes from the sound list through the sound's editors, the letter and
// WAD commands and the search to the program's commands, as they are read.
void FmSFX::setKeyboardOrder() {
    static const char* const order[] = {
        "LiSFX",     "TxVOL",     "TxCH",     "TxPIT",      "TxRAD",    "CkP",     "CkV",
        "CkR",       "CkN",       "CkL",      "CdMajVal",   "LiSamp",   "TxSamp",  "CdPlay",
        "CdRename",  "LiWAD",     "CdRstWAD", "TxLett",     "CdAddWAD", "CdDel",   "CdErase",
        "CdOBJ",     "CdEfface",  "TxWAD",    "CdShow",     "CdValidW", "OpWAD0",  "OpWAD1",
        "CdLoadSAM", "CdDoub",    "TxSearch", "CdLook",     "OpSens0",  "OpSens1", "CkUL",
        "CdSelLE",   "CdDefaut",  "CdCopy",   "CdEdit",     "CdHlp",    "CdUndo",  "CdRedo",
        "CdChanges", "CdHistory", "CdCheck",  "CdStopWait", "OpLang0",  "OpLang1", "CdStop"};
    const Controls controls(*this);
    QWidget* previous = nullptr;
    for (const char* control : order) {
        QWidget* w = controls(control);
        if (!w) continue;
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
}

void FmSFX::placeOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    // A window larger than the screen (a small screen, a large scale) is
    // brought down to it, as far as its smallest size allows.
    const QSize frame = frameGeometry().size().expandedTo(size()) - size();
    resize(size().boundedTo(screen->availableGeometry().size() - frame));
    const QRect area = screen->geometry();
    const QSize outer = frameGeometry().size().expandedTo(size());
    // Centred with room for the object dialog on its right, but never off
    // the screen's left or top edge.
    move(std::max(area.x(), area.x() + (area.width() - outer.width() - kObjectDialogRoom) / 2),
         std::max(area.y(), area.y() + (area.height() - outer.height()) / 2));
}

// Where the window was and how large, kept between runs beside Kestrel's
// other files.
QSettings FmSFX::windowState() const {
    return QSettings(fromUtf8Text(windowStatePath(state_)), QSettings::IniFormat);
}

bool FmSFX::start() {
    // The first time the window is placed by the rule; afterwards where it
    // was left, on a screen that is still there.
    placeOnScreen();
    if (const QByteArray kept = windowState().value(kGeometryKey).toByteArray(); !kept.isEmpty())
        restoreGeometry(kept);
    const bool ready = startMainWindow(state_, ports_) == StartOutcome::Ready;
    if (ready) redraw();
    // The keys work on the sound list from the start, the first control of
    // the keyboard order.
    liSfx_->setFocus();
    return ready;
}

void FmSFX::applyLanguage() {
    // The fixed texts change with the language only.
    if (textsLanguage_ != state_.language) {
        useQtTextsIn(state_.language);
        applyControlTexts(*this, mainWindowTexts(), state_.language);
        nameByLabels(*this, {{"Label11", "LiSFX"},
                             {"LbSonN", "LiSamp"},
                             {"Label1", "LiWAD"},
                             {"Label5", "TxLett"},
                             {"Label17", "TxObjet"},
                             {"Label10", "TxWAD"},
                             {"Label3", "TxSearch"}});
        textsLanguage_ = state_.language;
    }
    if (QWidget* load = named("CdLoadSAM"))
        setTipAndName(*load, loadListTip(state_.language, state_.choice.wasMode));
    frOrig_->setTitle(lineFrameCaption(state_.language, state_.frOrigName));
}

// The control of that name, looked up once: the redraw after every event
// asks for the same few.
QWidget* FmSFX::named(const char* control) {
    auto [at, added] = namedControls_.try_emplace(control, nullptr);
    if (added) at->second = controlOf(*this, control);
    return at->second;
}

void FmSFX::redraw() {
    const QScopedValueRollback guard(redrawing_, true);
    // While a build is waited for, everything but its note and way out is
    // disabled; the controls enabled one by one below stay so too.
    const bool building = state_.build.windowDisabled();
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != lbBuild_ && w != cdStopWait_) w->setEnabled(!building);
    opLangButtons_[state_.language == Language::English ? 0 : 1]->setChecked(true);
    opWadButtons_[state_.choice.wasMode ? 1 : 0]->setChecked(true);
    opSensButtons_[state_.search.searchUp ? 1 : 0]->setChecked(true);
    ckUl_->setChecked(state_.search.caseSensitive);
    setTextIfChanged(txSearch_, fromAnsi(state_.search.txSearch));
    applyLanguage();
    liSfx_->showRows(state_);
    txLig_->setLines(fromAnsi(state_.txOrig), fromAnsi(state_.txModif));
    redrawEditors();
    setTextIfChanged(txLett_, fromAnsi(state_.choice.txLett));
    setTextIfChanged(txWad_, fromAnsi(state_.choice.txWad));
    redrawObjectField();

    const EditButtons& b = state_.buttons;
    const std::pair<const char*, bool> enabled[] = {
        {"CdMajVal", b.majVal}, {"CdRstWAD", b.rstWad}, {"CdPlay", b.play}, {"CdRename", b.rename},
        {"CdAddWAD", b.addWad}, {"CdDel", b.del},       {"CdOBJ", b.obj}};
    for (const auto& [control, on] : enabled)
        if (QWidget* w = named(control)) w->setEnabled(on && !building);
    redrawChanges();
    redrawBuild();
}

void FmSFX::redrawChanges() {
    const bool building = state_.build.windowDisabled();
    const EditStep* back = stepToUndo(state_);
    const EditStep* again = stepToRedo(state_);
    cdUndo_->setEnabled(back && !building);
    cdRedo_->setEnabled(again && !building);
    setTipAndName(*cdUndo_, undoTip(state_.language, back));
    setTipAndName(*cdRedo_, redoTip(state_.language, again));
    lbChanges_->setText(changesNote(state_.language, state_.changedCount, state_.appliedCount));
}

void FmSFX::redrawBuild() {
    const BuildState& b = state_.build;
    const bool disabled = b.windowDisabled();
    if (disabled != hourglass_) {
        if (disabled)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
        hourglass_ = disabled;
    }
    lbBuild_->setText(buildNote(state_.language, b));
    cdStopWait_->setVisible(b.canStopWaiting);
}

void FmSFX::buildChecked() {
    const auto ended = [this] { return state_.build.justBuilt || state_.build.buildOver; };
    const bool wasEnded = ended();
    act([&] { checkBuild(state_, ports_, clock_.elapsed()); });
    if (state_.build.watching()) tmSfx_->start(kBuildCheckMs);
    // The news that the build is over stays a little, then goes.
    if (ended() && !wasEnded)
        QTimer::singleShot(kBuiltNoteMs, this, [this, ended] {
            if (!ended()) return;
            state_.build.justBuilt = false;
            state_.build.buildOver = false;
            redraw();
        });
}

// A chosen object shows inverted, so the user sees that the letter commands
// work on all its sounds.
void FmSFX::redrawObjectField() {
    setTextIfChanged(txObjet_, fromAnsi(state_.objects.txObjet));
    QPalette p = txObjet_->palette();
    const QPalette normal = QApplication::palette(txObjet_);
    const bool chosen = !state_.objects.txObjet.empty();
    p.setColor(QPalette::Base,
               chosen ? normal.color(QPalette::Highlight) : normal.color(QPalette::Base));
    p.setColor(QPalette::Text,
               chosen ? normal.color(QPalette::Base) : normal.color(QPalette::Text));
    txObjet_->setPalette(p);
    syncObjectDialog();
    if (fmObjet_ && fmObjet_->isVisible()) fmObjet_->redraw();
}

// The dialog is made the first time it is shown: a session that never
// shows it does not pay for it at start-up.
FmObjet& FmSFX::objectDialog() {
    if (!fmObjet_) {
        fmObjet_ = new FmObjet(
            state_, ports_, [this] { redraw(); }, this);
        fmObjet_->setEnabled(!state_.build.windowDisabled());
    }
    return *fmObjet_;
}

void FmSFX::syncObjectDialog() {
    const bool wanted = state_.objects.objetOpen && !isMinimized();
    if (wanted == (fmObjet_ && fmObjet_->isVisible())) return;
    if (!wanted) {
        fmObjet_->hide();
        return;
    }
    FmObjet& dialog = objectDialog();
    if (!objetPlaced_) {
        dialog.placeBeside(*this);
        objetPlaced_ = true;
    }
    dialog.redraw();
    dialog.show();
}

void FmSFX::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) syncObjectDialog();
    QWidget::changeEvent(event);
}

void FmSFX::redrawEditors() {
    SoundEditors& ed = state_.ed;
    for (int i = 0; i < 4; ++i) setTextIfChanged(valueBoxes_[i], fromAnsi(valueText(ed, i)));
    for (int i = 0; i < 5; ++i) flagBoxes_[i]->setChecked(flagChecked(ed, i));
    showListItems(liSamp_, ed.liSamp, ed.liSampSel);
    showSampleFiles();
    const QString sample = fromAnsi(ed.txSamp);
    txSampLimit_->allowFor(sample);
    setTextIfChanged(txSamp_, sample);
    txSamp_->setEnabled(ed.txSampEnabled && !state_.build.windowDisabled());
    showListItems(liWad_, ed.liWad, ed.liWadSel);
}

// The sample view and the colour of the samples without their .wav are read
// from the samples folder only when the samples or the chosen one change.
void FmSFX::showSampleFiles() {
    const SoundEditors& ed = state_.ed;
    if (ed.liSamp != samplesShown_) {
        samplesShown_ = ed.liSamp;
        const std::vector<bool> present = samplesWithWav(state_, ports_);
        for (int i = 0; i < liSamp_->count() && i < static_cast<int>(present.size()); ++i) {
            QListWidgetItem* item = liSamp_->item(i);
            const bool here = present[static_cast<std::size_t>(i)];
            item->setForeground(here ? QBrush() : QBrush(kMissingSampleOnWhite));
            item->setToolTip(here ? QString() : sampleMissingTip(state_.language));
        }
        wavesFor_.clear();
    }
    if (ed.curSample == wavesFor_ && state_.language == wavesLanguage_ && !wavesFor_.empty())
        return;
    wavesFor_ = ed.curSample;
    wavesLanguage_ = state_.language;
    wvSamp_->show(ed.curSample, viewSample(state_, ports_, ed.curSample), state_.language);
}

// A value box is judged when the user leaves it: before the click of the
// button that took the focus, and before another sound is opened.
bool FmSFX::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbFok_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        act([&] { state_.search.txSearch = kLetterMarkSearch; });
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool userLeft =
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        for (int i = 0; i < 4; ++i)
            if (watched == valueBoxes_[i] && userLeft)
                act([&] { leaveValueBox(state_, kValueBoxes[i]); });
        if (watched == txLett_ && userLeft)
            edit(StepKind::StripProtected, [&] { leaveLetterBox(state_, ports_); });
        if (watched == txWad_ && userLeft) act([&] { leaveWadBox(state_); });
    }
    return QWidget::eventFilter(watched, event);
}

void FmSFX::closeEvent(QCloseEvent* event) {
    // Changes not applied are never dropped without a word.
    const bool goOn = settlePendingChanges(state_, ports_);
    redraw();
    if (!goOn) {
        event->ignore();
        return;
    }
    tmSfx_->stop();
    endBuildAtClose(state_, ports_);
    redrawBuild();
    closeMainWindow(state_, ports_);
    windowState().setValue(kGeometryKey, saveGeometry());
    if (fmObjet_) fmObjet_->close();
    event->accept();
}

} // namespace kestrel::ui
