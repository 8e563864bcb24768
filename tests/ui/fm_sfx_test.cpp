// The window's texts in both languages, and the parts of the program that
// only a test inside it can reach. What the windows do is driven end to end
// by tests/e2e/e2e_test.py.

#include "app_dir.h"
#include "captions.h"
#include "controls.h"
#include "field_lines.h"
#include "fm_changes.h"
#include "fm_check.h"
#include "fm_doub.h"
#include "fm_help.h"
#include "fm_history.h"
#include "fm_objet.h"
#include "fm_sfx.h"
#include "glyph_table.h"
#include "group_frame.h"
#include "installation.h"
#include "lazy_sound.h"
#include "looks.h"
#include "text_codec.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStringListModel>
#include <QTest>

#include <algorithm>

using namespace kestrel;
using namespace kestrel::testing;
using namespace kestrel::ui;

namespace {

// Each control of `table` shows its text of `language`.
void checkTexts(QWidget& window, std::span<const ControlText> table, Language language) {
    for (const ControlText& t : table) {
        QVERIFY2(*t.english && *t.french, t.control);
        QWidget* control = t.role == TextRole::Title ? &window : controlOf(window, t.control);
        QVERIFY2(control, t.control);
        const char* property = t.role == TextRole::Title              ? "windowTitle"
                               : t.role == TextRole::Tooltip          ? "toolTip"
                               : t.role == TextRole::Name             ? "accessibleName"
                               : control->property("title").isValid() ? "title"
                                                                      : "text";
        QCOMPARE(control->property(property).toString(), pick(language, t.english, t.french));
    }
}

// Every control a user can reach is announced by a name of its own: not
// empty, and not the title of the frame it sits in.
void checkAccessibleNames(QWidget& window) {
    QStringList unnamed;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<FieldLines*>(w);
        if (!control || w->window() != &window || w->isHidden() ||
            w->focusPolicy() == Qt::NoFocus ||
            qobject_cast<QAbstractItemView*>(w->parentWidget()) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        const auto* frame = qobject_cast<QGroupBox*>(w->parentWidget());
        if (name.isEmpty() || (frame && name == frame->title()))
            unnamed << window.objectName() + u'/' + w->objectName() + u' ' + name;
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u'\n')));
}

// The main window started on an installation of `sounds`.
struct Started {
    explicit Started(std::vector<std::string> sounds) {
        inst.sounds = std::move(sounds);
        inst.writeFiles(fake.files);
        state.dirs.appDir = inst.appDir;
    }
    Installation inst;
    FakePorts fake;
    MainState state;
    FmSFX fm{state, fake.ports};
};

} // namespace

class FmSFXTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlOfTheSwitchTablesShowsItsTextInBothLanguages() {
        Started w(Installation::numberedSounds(3));
        auto& [inst, fake, state, fm] = w;
        QVERIFY(fm.start());
        for (const Language language : {Language::French, Language::English}) {
            QMetaObject::invokeMethod(
                controlOf(fm, language == Language::English ? "OpLang0" : "OpLang1"), "click");
            QCOMPARE(state.language, language);
            checkTexts(fm, mainWindowTexts(), language);
            QCOMPARE(controlOf(fm, "CdLoadSAM")->toolTip(), loadListTip(language, false));
            QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Yes);
            QCOMPARE(box.button(QMessageBox::Yes)->text(), pick(language, "&Yes", "&Oui"));
            // The dialogs take the language they open in.
            const auto redraw = [] {};
            FmObjet objects(state, fake.ports, redraw, &fm);
            FmDoub doubles(state, fake.ports, &fm);
            FmChanges changes(state, fake.ports, redraw, &fm);
            FmHistory history(state, fake.ports, redraw, &fm);
            FmCheck check(state, fake.ports, redraw, &fm);
            checkTexts(objects, objectDialogTexts(), language);
            checkTexts(doubles, doublesDialogTexts(), language);
            checkTexts(changes, changesDialogTexts(), language);
            checkTexts(history, historyDialogTexts(), language);
            checkTexts(check, checkDialogTexts(), language);
            for (QWidget* window : std::initializer_list<QWidget*>{&fm, &objects, &doubles,
                                                                   &changes, &history, &check})
                checkAccessibleNames(*window);
        }
    }

    void everyMessageHasBothLanguages() {
        for (const Msg id : kAllMessages) {
            const MessageText english = messageText(id, Language::English, {"x", "y"});
            const MessageText french = messageText(id, Language::French, {"x", "y"});
            QVERIFY(!english.title.isEmpty() && !english.text.isEmpty());
            QVERIFY(!french.title.isEmpty() && !french.text.isEmpty());
            QVERIFY2(english.text != french.text, qPrintable(english.text));
        }
        // An argument that itself looks like a placeholder is shown as it is.
        QCOMPARE(messageText(Msg::FileUnreadable, Language::English, {"C:\\a%2b", "gone"}).text,
                 QStringLiteral("The file\nC:\\a%2b\ncould not be read: gone"));
    }

    void everyByteSurvivesTheTextConverter() {
        std::string all;
        for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
        QCOMPARE(toAnsi(fromAnsi(all)), all);
        QCOMPARE(fromAnsi("\x80\xe9"), QString::fromUtf8("€é"));
        QCOMPARE(toAnsi(QString::fromUtf8("Ω")), std::string("?"));
    }

    void theHelpWindowAndTheMainWindowArePlacedByTheirRules() {
        // Below the help button, from the main window's outer edge (its title
        // bar included), held on the screen.
        const QRect frame(100, 50, 800, 600), screen(0, 0, 1280, 1024);
        QCOMPARE(helpWindowPlace(frame, {300, 560}, 30, {400, 300}, screen), QPoint(403, 670));
        QCOMPARE(helpWindowPlace(frame, {1000, 900}, 30, {400, 300}, screen), QPoint(880, 724));

        // Choosing the level editor again opens it as at start-up, placed.
        Started w(Installation::numberedSounds(3));
        auto& [inst, fake, state, fm] = w;
        QVERIFY(fm.start());
        const QPoint placed = fm.pos();
        fm.move(placed + QPoint(37, 41));
        fake.dialogs.fileAnswers = {inst.editorDir + "mapforge.exe"};
        QMetaObject::invokeMethod(controlOf(fm, "CdSelLE"), "click");
        QCOMPARE(fm.pos(), placed);
    }

    // The sound list answers every reader of the view from the rows: the
    // sounds that carry the letter are the selected rows, for item-view
    // clients and for screen readers alike.
    void theSoundsWithTheLetterAreTheSelectedRows() {
        Started w(Installation::numberedSounds(6));
        FmSFX& fm = w.fm;
        QVERIFY(fm.start());
        fm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fm));
        auto* list = qobject_cast<QAbstractItemView*>(controlOf(fm, "LiSFX"));
        const auto rowsSelected = [list] {
            QList<int> rows;
            for (const QModelIndex& i : list->selectionModel()->selectedIndexes()) rows << i.row();
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        for (const int row : {4, 1, 4, 2}) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(list->model()->index(row, 0)).center());
        }
        // Every sound starts with the letter: rows 1 and 2 lost it.
        QCOMPARE(rowsSelected(), (QList<int>{0, 3, 4, 5}));
        QCOMPARE(list->property("currentRow").toInt(), 2);
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
        QVERIFY(view->child(3)->state().selected);
        QVERIFY(!view->child(1)->state().selected);
        QVERIFY(view->child(1)->text(QAccessible::Name).contains(QStringLiteral("1: SOUND1")));
    }

    // The doubles list's selection is the records' marks, changed as a
    // multi-selection list's selection is: a click toggles a row, a drag
    // toggles the rows it passes, Space toggles the current row alone,
    // Ctrl+A marks all; OK writes what the view shows.
    void theDoublesListTogglesTheMarks() {
        Started w(Installation::numberedSounds(8));
        const std::string tod = "/app/Kestrel.tod";
        w.fake.files.files[tod] =
            "1,\"OK \"\r\n2,\"   \"\r\n3,\"OK \"\r\n4,\"   \"\r\n5,\"   \"\r\n";
        FmDoub dialog(w.state, w.fake.ports, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = qobject_cast<QAbstractItemView*>(controlOf(dialog, "LiDoub"));
        QWidget* rows = list->viewport();
        const auto at = [list](int row) {
            return list->visualRect(list->model()->index(row, 0)).center();
        };
        const auto shown = [list] {
            QString marks;
            for (int r = 0; r < list->model()->rowCount(); ++r)
                marks += list->selectionModel()->isSelected(list->model()->index(r, 0)) ? 'x' : '.';
            return marks + QString::number(list->selectionModel()->selectedIndexes().size());
        };
        const auto dragTo = [&](int row) {
            QMouseEvent move(QEvent::MouseMove, at(row), rows->mapToGlobal(at(row)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(rows, &move);
        };
        QCOMPARE(shown(), QStringLiteral("x.x..2"));
        for (const int row : {0, 3, 3}) QTest::mouseClick(rows, Qt::LeftButton, {}, at(row));
        QCOMPARE(shown(), QStringLiteral("..x..1"));
        QTest::mousePress(rows, Qt::LeftButton, {}, at(1));
        dragTo(3);
        QCOMPARE(shown(), QStringLiteral(".xxx.3"));
        dragTo(2);
        QTest::mouseRelease(rows, Qt::LeftButton, {}, at(2));
        QCOMPARE(shown(), QStringLiteral(".xx..2"));
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(shown(), QStringLiteral(".x...1"));
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
        QVERIFY(view->child(1)->state().selected && !view->child(2)->state().selected);
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::mouseClick(rows, Qt::LeftButton, {}, at(4));
        dialog.accept();
        QCOMPARE(w.fake.files.bytes(tod), std::string("1,\"OK \"\r\n2,\"OK \"\r\n3,\"OK \"\r\n"
                                                      "4,\"OK \"\r\n5,\"   \"\r\n"));
    }

    // The sound rows, the doubles list and the frames draw parts themselves,
    // for speed: what they draw is what Qt draws (to a rounding).
    void theQuickDrawingsLookAsQtsOwn() {
        const auto picture = [](QWidget& w, const QRegion& part) {
            QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(w.palette().color(QPalette::Window));
            w.render(&image, {}, part);
            return image;
        };
        const auto same = [](const QImage& a, const QImage& b) {
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    for (const int shift : {0, 8, 16})
                        if (std::abs(int(a.pixel(x, y) >> shift & 255) -
                                     int(b.pixel(x, y) >> shift & 255)) > 1)
                            return false;
            return a.size() == b.size();
        };
        QStringListModel rows(
            {QStringLiteral("  1: PLAYER_DIE:"), QStringLiteral(" 22: ROAR:  a b")});
        QListView plain, quick;
        quick.setItemDelegate(new FixedRowLook(&quick));
        for (QListView* list : {&plain, &quick}) {
            paintAsList(*list);
            list->setModel(&rows);
            list->resize(300, 80);
            list->selectionModel()->select(rows.index(1), QItemSelectionModel::Select);
            list->show();
            QVERIFY(QTest::qWaitForWindowExposed(list));
        }
        const QRect all = plain.viewport()->rect();
        QVERIFY(same(picture(*quick.viewport(), all), picture(*plain.viewport(), all)));
        GroupFrame frame;
        QGroupBox box;
        for (QGroupBox* b : {static_cast<QGroupBox*>(&frame), &box}) {
            b->setTitle(QStringLiteral("Letters"));
            b->resize(200, 100);
        }
        // Whole, under a child, and across the title.
        for (const QRect part : {box.rect(), QRect(20, 40, 30, 30), QRect(0, 0, 40, 30)})
            QVERIFY(same(picture(frame, part), picture(box, part)));
    }

    void aLongFieldViewKeepsBothLinesInSight() {
        Started w({"LONG:\ts1\tVOL01\t#a #b #c #d #e #f #h #i #j #k"});
        FmSFX& fm = w.fm;
        QVERIFY(fm.start());
        fm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fm));
        auto* box = qobject_cast<QAbstractScrollArea*>(controlOf(fm, "TxLig"));
        QVERIFY(box && box->horizontalScrollBar()->isVisible());
        QVERIFY(box->viewport()->height() >= 2 * box->fontMetrics().lineSpacing());
    }

    void theProgramFolderComesFromTheCommandLineTheEnvironmentOrTheExecutable() {
        using kestrel::app::programFolder;
        QCOMPARE(programFolder({"kestrel", "--appdir", "/x"}, "/env", "/exe"), std::string("/x"));
        QCOMPARE(programFolder({"kestrel", "--appdir=/y"}, "/env", "/exe"), std::string("/y"));
        QCOMPARE(programFolder({"kestrel"}, "/env", "/exe"), std::string("/env"));
        QCOMPARE(programFolder({"kestrel"}, "", "/exe"), std::string("/exe"));
        QCOMPARE(programFolder({"kestrel", "--appdir"}, "", "/exe"), std::string("/exe"));
    }

    // Play loads the sound module from the program's modules folder, or says
    // why it cannot.
    void theSoundModuleLoadsOnTheFirstPlayOrTheReasonIsGiven() {
        using kestrel::app::LazySound;
        LazySound beside(QCoreApplication::applicationDirPath() + QStringLiteral("/modules"));
        const Status played = beside.play("/no/such/sample.wav");
        QCOMPARE(played.error, std::string("it is not a regular file"));

        LazySound missing(QDir::tempPath() + QStringLiteral("/kestrel-no-module"));
        QVERIFY(missing.hasOutput());
        const Status failed = missing.play("/no/such/sample.wav");
        QVERIFY2(!failed.ok && failed.error.starts_with("the sound module ") &&
                     failed.error.find("could not be loaded") != std::string::npos,
                 failed.error.c_str());
    }
};

QTEST_MAIN(FmSFXTest)
#include "fm_sfx_test.moc"
