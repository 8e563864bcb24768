#include "automation.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QIcon>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace kestrel::app {

namespace {

constexpr int kTickMs = 10;
constexpr qint64 kFindMs = 10'000;
constexpr qint64 kWaitMs = 60'000;

struct Step {
    int line = 0;
    QString verb;
    QStringList args; // the fixed arguments, then the rest of the line
};

// How many blank-separated arguments come before the rest of the line.
std::optional<int> fixedArgsOf(const QString& verb) {
    static const std::pair<const char*, int> verbs[] = {
        {"click", 1},       {"row", 2},    {"type", 1},       {"key", 2},        {"answer", 1},
        {"choose-file", 0}, {"expect", 2}, {"wait", 2},       {"expect-row", 2}, {"focus-is", 1},
        {"shot", 1},        {"quit", 0},   {"double-row", 2}, {"resize", 2}};
    for (const auto& [name, count] : verbs)
        if (verb == QLatin1String(name)) return count;
    return std::nullopt;
}

[[noreturn]] void fail(int line, const QString& why) {
    std::fprintf(stderr, "KESTREL_SCRIPT line %d: %s\n", line, qPrintable(why));
    std::fflush(stderr);
    std::_Exit(3);
}

std::vector<Step> readScript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) fail(0, QStringLiteral("cannot read ") + path);
    std::vector<Step> steps;
    int number = 0;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        ++number;
        QString text = QString::fromUtf8(raw).trimmed();
        if (text.isEmpty() || text.startsWith(u'#')) continue;
        Step step{number, text.section(u' ', 0, 0), {}};
        const auto fixed = fixedArgsOf(step.verb);
        if (!fixed) fail(number, QStringLiteral("unknown step ") + step.verb);
        QString rest = text.section(u' ', 1).trimmed();
        for (int i = 0; i < *fixed; ++i) {
            if (rest.isEmpty()) fail(number, step.verb + QStringLiteral(": too few arguments"));
            step.args << rest.section(u' ', 0, 0);
            rest = rest.section(u' ', 1).trimmed();
        }
        step.args << rest;
        steps.push_back(step);
    }
    return steps;
}

// The windows in the order a name is looked for: the modal one first.
QList<QWidget*> windowsToSearch() {
    QList<QWidget*> windows;
    if (QWidget* modal = QApplication::activeModalWidget()) windows << modal;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && !windows.contains(w)) windows << w;
    return windows;
}

// The windows a step could have reached, to tell why it found nothing.
QString shownWindows() {
    QString out = QStringLiteral("; shown:");
    for (QWidget* top : windowsToSearch()) {
        out += QStringLiteral(" [%1 \"%2\"").arg(top->objectName(), top->windowTitle());
        if (auto* box = qobject_cast<QMessageBox*>(top)) out += u' ' + box->text();
        out += u']';
    }
    return out;
}

// A shown control of that name ("Window/Control" picks the window; "-" is
// the control with the keyboard focus).
QWidget* findControl(const QString& name) {
    if (name == QLatin1String("-")) return QApplication::focusWidget();
    const QString window = name.contains(u'/') ? name.section(u'/', 0, 0) : QString();
    const QString control = name.section(u'/', -1);
    for (QWidget* top : windowsToSearch()) {
        if (!window.isEmpty() && top->objectName() != window) continue;
        if (top->objectName() == control) return top;
        for (QWidget* w : top->findChildren<QWidget*>(control))
            if (w->isVisible()) return w;
    }
    return nullptr;
}

std::optional<QKeyCombination> keyOf(const QString& text) {
    QString portable = text;
    portable.replace(QLatin1String("Escape"), QLatin1String("Esc"));
    const QKeySequence sequence = QKeySequence::fromString(portable, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) return std::nullopt;
    return sequence[0];
}

std::optional<QMessageBox::StandardButton> buttonOf(const QString& text) {
    static const std::pair<const char*, QMessageBox::StandardButton> buttons[] = {
        {"Ok", QMessageBox::Ok},       {"Cancel", QMessageBox::Cancel},
        {"Yes", QMessageBox::Yes},     {"No", QMessageBox::No},
        {"Apply", QMessageBox::Apply}, {"Discard", QMessageBox::Discard}};
    for (const auto& [name, button] : buttons)
        if (text == QLatin1String(name)) return button;
    return std::nullopt;
}

QString propertyText(const QWidget& w, const QString& property) {
    const QVariant value = w.property(property.toLatin1().constData());
    if (!value.isValid()) return QStringLiteral("<no property %1>").arg(property);
    // An icon reads as its largest size, "none" when it has no picture.
    if (value.typeId() == QMetaType::QIcon) {
        const QList<QSize> sizes = value.value<QIcon>().availableSizes();
        if (sizes.isEmpty()) return QStringLiteral("none");
        return QStringLiteral("%1x%2").arg(sizes.last().width()).arg(sizes.last().height());
    }
    return value.toString();
}

// What a step came to: done, not yet possible (it is tried again at the next
// tick until its time is up), or failed with a reason.
struct Outcome {
    enum Kind { Done, NotYet, Failed } kind = Done;
    QString why;
    static Outcome done() { return {}; }
    static Outcome notYet(QString why) { return {NotYet, std::move(why)}; }
    static Outcome failed(QString why) { return {Failed, std::move(why)}; }
};

class ScriptRunner : public QObject {
public:
    ScriptRunner(QWidget& mainWindow, std::vector<Step> steps)
        : QObject(qApp), mainWindow_(mainWindow), steps_(std::move(steps)) {
        sinceStep_.start();
        scheduleTick();
    }

private:
    // A timer is never fired again while its own handler runs, so every
    // tick is a new one.
    void scheduleTick() { QTimer::singleShot(kTickMs, this, &ScriptRunner::tick); }

    // A step that opens a modal window blocks in that window's event loop;
    // the next steps then run from the ticks of that loop, and deal with it.
    void tick() {
        if (next_ < steps_.size()) scheduleTick();
        if (running_ && QApplication::activeModalWidget() == runningUnder_) return;
        if (next_ >= steps_.size()) {
            if (mainWindow_.isVisible()) mainWindow_.close();
            return;
        }
        const std::size_t index = next_;
        const Step step = steps_[index];
        const bool wasRunning = running_;
        QWidget* const wasUnder = runningUnder_;
        running_ = true;
        runningUnder_ = QApplication::activeModalWidget();
        if (trace_ && !tried_)
            std::fprintf(stderr, "KESTREL_SCRIPT line %d: %s\n", step.line,
                         qPrintable(step.verb + u' ' + step.args.join(u' ')));
        tried_ = true;
        const Outcome outcome = attempt(step);
        running_ = wasRunning;
        runningUnder_ = wasUnder;

        if (outcome.kind == Outcome::Failed) fail(step.line, outcome.why);
        if (outcome.kind == Outcome::NotYet) {
            const qint64 limit = step.verb == QLatin1String("wait") ? kWaitMs : kFindMs;
            if (sinceStep_.elapsed() > limit) fail(step.line, outcome.why + shownWindows());
            return;
        }
        if (next_ == index) advance(index);
    }

    void advance(std::size_t done) {
        next_ = done + 1;
        tried_ = false;
        sinceStep_.restart();
    }

    // Marks the step done before an action that may not come back until a
    // modal window it opens is closed.
    void beginAction() { advance(next_); }

    Outcome attempt(const Step& step) {
        const QString& verb = step.verb;
        const QStringList& a = step.args;
        if (verb == QLatin1String("quit")) {
            beginAction();
            mainWindow_.close();
            return Outcome::done();
        }
        if (verb == QLatin1String("answer")) return answer(a[0], a[1]);
        if (verb == QLatin1String("choose-file")) return chooseFile(a[0]);

        QWidget* w = findControl(a[0]);
        if (!w) return Outcome::notYet(QStringLiteral("no shown control ") + a[0]);
        if (verb == QLatin1String("expect") || verb == QLatin1String("wait")) {
            // A script line cannot end in blanks: neither can the value.
            const QString value = propertyText(*w, a[1]).trimmed();
            if (value == a[2]) return Outcome::done();
            const QString why =
                QStringLiteral("%1 %2 is \"%3\", not \"%4\"").arg(a[0], a[1], value, a[2]);
            return verb == QLatin1String("wait") ? Outcome::notYet(why) : Outcome::failed(why);
        }
        if (verb == QLatin1String("expect-row")) return expectRow(*w, a);
        if (verb == QLatin1String("resize")) {
            // "resize Window WIDTHxHEIGHT", as a user dragging its corner.
            const QStringList size = a[1].split(u'x');
            if (size.size() != 2) return Outcome::failed(QStringLiteral("a size is WIDTHxHEIGHT"));
            w->window()->resize(size[0].toInt(), size[1].toInt());
            return Outcome::done();
        }
        if (verb == QLatin1String("shot")) {
            if (!w->grab().save(a[1]))
                return Outcome::failed(QStringLiteral("cannot write ") + a[1]);
            return Outcome::done();
        }
        if (!w->isEnabled()) return Outcome::notYet(a[0] + QStringLiteral(" is disabled"));
        // A user's click or key goes to the window in front, as the window
        // manager would make it after a dialog closes.
        if (!w->window()->isActiveWindow()) {
            w->window()->activateWindow();
            if (!QTest::qWaitForWindowActive(w->window(), 2000))
                return Outcome::failed(
                    QStringLiteral("the window of %1 cannot be made active").arg(a[0]));
        }
        if (verb == QLatin1String("focus-is")) {
            if (QApplication::focusWidget() == w) return Outcome::done();
            const QWidget* f = QApplication::focusWidget();
            return Outcome::failed(QStringLiteral("the focus is on ") +
                                   (f ? f->objectName() : QStringLiteral("nothing")));
        }
        if (verb == QLatin1String("click")) {
            beginAction();
            QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
            return Outcome::done();
        }
        if (verb == QLatin1String("row")) return clickRow(*w, a, false);
        if (verb == QLatin1String("double-row")) return clickRow(*w, a, true);
        if (verb == QLatin1String("type")) {
            beginAction();
            QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
            QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(w, a[1]);
            return Outcome::done();
        }
        // verb == "key"
        const auto key = keyOf(a[1]);
        if (!key) return Outcome::failed(QStringLiteral("unknown key ") + a[1]);
        beginAction();
        QTest::keyClick(w, key->key(), key->keyboardModifiers());
        return Outcome::done();
    }

    Outcome answer(const QString& buttonName, const QString& text) {
        // "Show" is the one button of its own kind a message box may have.
        const bool show = buttonName == QLatin1String("Show");
        const auto button = buttonOf(buttonName);
        if (!button && !show)
            return Outcome::failed(QStringLiteral("unknown button ") + buttonName);
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return Outcome::notYet(QStringLiteral("no message box"));
        if (!box->text().contains(text))
            return Outcome::failed(QStringLiteral("the message reads \"%1\"").arg(box->text()));
        QAbstractButton* b = nullptr;
        for (QAbstractButton* each : box->buttons())
            if (show ? box->buttonRole(each) == QMessageBox::ActionRole
                     : box->standardButton(each) == *button)
                b = each;
        if (!b) return Outcome::failed(QStringLiteral("the message has no button ") + buttonName);
        beginAction();
        b->click();
        return Outcome::done();
    }

    Outcome chooseFile(const QString& path) {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return Outcome::notYet(QStringLiteral("no file dialog"));
        beginAction();
        dialog->selectFile(path);
        // selectFile leaves the name box alone while it has the focus, and
        // the dialog then accepts whatever the box holds.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
        return Outcome::done();
    }

    Outcome clickRow(QWidget& w, const QStringList& a, bool twice) {
        bool ok = false;
        const int row = a[1].toInt(&ok);
        if (auto* combo = qobject_cast<QComboBox*>(&w)) {
            if (!ok || row < 0 || row >= combo->count())
                return Outcome::failed(QStringLiteral("no row ") + a[1]);
            beginAction();
            combo->setCurrentIndex(row);
            emit combo->activated(row);
            return Outcome::done();
        }
        auto* list = qobject_cast<QAbstractItemView*>(&w);
        if (!list) return Outcome::failed(a[0] + QStringLiteral(" is not a list"));
        if (!ok || row < 0 || row >= list->model()->rowCount())
            return Outcome::failed(QStringLiteral("no row ") + a[1]);
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        const QPoint at = list->visualRect(index).center();
        beginAction();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        if (twice) { // the second press of a double click, and its release
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        }
        return Outcome::done();
    }

    static Outcome expectRow(QWidget& w, const QStringList& a) {
        auto* list = qobject_cast<QAbstractItemView*>(&w);
        if (!list) return Outcome::failed(a[0] + QStringLiteral(" is not a list"));
        const QModelIndex index = list->model()->index(a[1].toInt(), 0);
        if (!index.isValid()) return Outcome::failed(QStringLiteral("no row ") + a[1]);
        const QString text = index.data().toString();
        if (text.trimmed() != a[2])
            return Outcome::failed(QStringLiteral("row %1 reads \"%2\"").arg(a[1], text));
        return Outcome::done();
    }

    QWidget& mainWindow_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    bool running_ = false;
    QWidget* runningUnder_ = nullptr;
    bool tried_ = false;
    const bool trace_ = qEnvironmentVariableIsSet("KESTREL_SCRIPT_TRACE");
    QElapsedTimer sinceStep_;
};

} // namespace

void runScriptFromEnvironment(QWidget& mainWindow) {
    const QString path = qEnvironmentVariable("KESTREL_SCRIPT");
    if (path.isEmpty()) return;
    new ScriptRunner(mainWindow, readScript(path));
}

} // namespace kestrel::app
