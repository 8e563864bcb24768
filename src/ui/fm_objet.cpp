#include "fm_objet.h"

#include "actions/objects.h"
#include "actions/undo.h"
#include "captions.h"
#include "controls.h"
#include "icons.h"
#include "looks.h"
#include "text_codec.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrel::ui {

namespace {

QLabel* label(QWidget* parent, const char* objectName, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(objectName));
    return l;
}

QListWidget* fixedList(QWidget* parent, const char* objectName) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(objectName));
    l->setFont(fixedFont());
    return l;
}

} // namespace

FmObjet::FmObjet(MainState& state, Ports& ports, std::function<void()> changed, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), state_(state), ports_(ports),
      changed_(std::move(changed)) {
    setObjectName(QStringLiteral("FmObjet"));

    // The header strip is the dialog's title and the handle that moves it.
    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("Picture2"));
    header->setAutoFillBackground(true);
    QPalette grey = header->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    grey.setColor(QPalette::WindowText, Qt::white);
    header->setPalette(grey);
    auto* icon = label(header, "Image1");
    icon->setPixmap(drawnIcon(Glyph::List).pixmap(16, 16));
    label3_ = label(header, "Label3");
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(6, 4, 6, 4);
    headerRow->addWidget(icon);
    headerRow->addWidget(label3_, 1);
    for (QWidget* handle : {static_cast<QWidget*>(header), static_cast<QWidget*>(icon),
                            static_cast<QWidget*>(label3_)})
        handle->installEventFilter(this);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Picture1"));
    panel->setAutoFillBackground(true);
    QPalette light = panel->palette();
    light.setColor(QPalette::Window, QColor(224, 224, 224));
    panel->setPalette(light);

    cbType_ = new QComboBox(panel);
    cbType_->setObjectName(QStringLiteral("CbType"));
    cbType_->setEditable(false);
    connect(cbType_, &QComboBox::activated, this,
            [this](int i) { act([&] { pickObjectType(state_, i); }); });

    liObj_ = fixedList(panel, "LiOBJ");
    connect(liObj_, &QListWidget::currentRowChanged, this,
            [this](int i) { act([&] { highlightObject(state_, i); }); });
    connect(liObj_, &QListWidget::itemDoubleClicked, this,
            [this] { act([&] { acceptObject(state_); }); });
    liSid_ = fixedList(panel, "LiSID");
    liSid_->setFixedWidth(QFontMetrics(fixedFont()).horizontalAdvance(QStringLiteral("MMMMM")) +
                          30);
    // A change of the current entry by any means is a click: the mouse's
    // own click follows its press, so only the keyboard's moves count here.
    const auto clickId = [this](int row) {
        act([&] {
            recordStep(state_, StepKind::Letter, [&] { clickObjectSoundId(state_, ports_, row); });
        });
    };
    connect(liSid_, &QListWidget::itemClicked, this,
            [this, clickId](QListWidgetItem* item) { clickId(liSid_->row(item)); });
    connect(liSid_, &QListWidget::currentRowChanged, this, [clickId](int row) {
        if (QGuiApplication::mouseButtons() == Qt::NoButton) clickId(row);
    });

    cdOk_ = new QToolButton(panel);
    cdOk_->setObjectName(QStringLiteral("CdOK"));
    cdOk_->setIcon(drawnIcon(Glyph::Accept));
    cdOk_->setIconSize(QSize(22, 22));
    cdOk_->setFixedSize(32, 32);
    setTipAndName(*cdOk_, QString::fromLatin1(kSelectObjectTip));
    connect(cdOk_, &QToolButton::clicked, this, [this] { act([&] { acceptObject(state_); }); });

    auto* names = new QVBoxLayout;
    names->addWidget(label(panel, "Label2"));
    names->addWidget(liObj_, 1);
    auto* ids = new QVBoxLayout;
    ids->addWidget(label(panel, "Label4", QStringLiteral("ID")));
    ids->addWidget(liSid_, 1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(names, 1);
    lists->addLayout(ids);
    auto* panelColumn = new QVBoxLayout(panel);
    panelColumn->addWidget(label(panel, "Label1"));
    panelColumn->addWidget(cbType_);
    panelColumn->addLayout(lists, 1);
    panelColumn->addWidget(cdOk_, 0, Qt::AlignRight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(header);
    column->addWidget(panel, 1);
    setFixedSize(QSize(QFontMetrics(fixedFont()).horizontalAdvance(QString(25, u'M')) + 110, 420));
    applyLanguage();
}

template <class F> void FmObjet::act(F&& operation) {
    if (redrawing_) return;
    operation();
    redraw();
    changed_();
}

void FmObjet::placeBeside(const QWidget& mainWindow) {
    const QRect main = mainWindow.frameGeometry();
    const QScreen* screen = mainWindow.screen();
    const int screenHeight = screen ? screen->geometry().height() : main.height();
    move(main.x() + main.width(), (screenHeight - height()) / 2);
}

void FmObjet::applyLanguage() {
    const Language l = state_.language;
    applyControlTexts(*this, objectDialogTexts(), l);
    nameByLabels(*this, {{"Label1", "CbType"}, {"Label2", "LiOBJ"}, {"Label4", "LiSID"}});
    const QStringList types = objectTypeNames(l);
    const QScopedValueRollback guard(redrawing_, true);
    for (int i = 0; i < types.size(); ++i) {
        if (i < cbType_->count())
            cbType_->setItemText(i, types[i]);
        else
            cbType_->addItem(types[i]);
    }
}

void FmObjet::redraw() {
    const QScopedValueRollback guard(redrawing_, true);
    const ObjectDialog& d = state_.objDlg;
    cbType_->setCurrentIndex(d.cbType);
    showListItems(liObj_, d.liObj, d.liObjSel);
    QStringList ids;
    for (const int id : d.liSid) ids.append(QString::number(id));
    showListItems(liSid_, ids, d.liSidSel);
    cdOk_->setEnabled(d.cdOkEnabled);
}

// Every activation takes the captions and type names of the language in force.
bool FmObjet::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) applyLanguage();
    return QWidget::event(e);
}

// Dragging the header moves the window; the anchor stays put, so the window
// follows the mouse.
bool FmObjet::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        dragAnchor_ = static_cast<QMouseEvent*>(e)->globalPosition().toPoint() - pos();
        return true;
    case QEvent::MouseMove:
        if (dragAnchor_)
            move(static_cast<QMouseEvent*>(e)->globalPosition().toPoint() - *dragAnchor_);
        return true;
    case QEvent::MouseButtonRelease: dragAnchor_.reset(); return true;
    default: return QWidget::eventFilter(watched, e);
    }
}

} // namespace kestrel::ui
