#include "app_dir.h"
#include "captions.h"
#include "controls.h"
#include "fake_ports.h"
#include "fm_sfx.h"
#include "installation.h"
#include "modal.h"
#include "qt_dialogs.h"
#include "qt_programs.h"
#include "platform/os_files.h"
#include "tool_fixture.h"
#include "format/record_file.h"
#include "text_codec.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QCursor>
#include <QToolButton>

#include <memory>

using namespace kestrel;
using namespace kestrel::testing;
using namespace kestrel::ui;

namespace {

Installation testInstallation() {
    Installation inst;
    inst.sounds = Installation::numberedSounds(40);
    inst.sounds[3] = "BELL:\t\tbell1 bell2\t\tVOL50\tP\tCH02\t\t\t#b";
    inst.sounds[4] = "GULL:\t\tgull1\t\t\tVOL20\t\tCH01\t\t\t#b";
    inst.defaults = inst.sounds;
    inst.defaults[3] = "BELL:\t\tbell1\t\t\tVOL40\t\tCH02\t\t\t#b";
    return inst;
}

// The main window on a fake installation; message boxes and file dialogs are
// either the real ones or scripted.
struct Window {
    FakePorts fake;
    QtDialogs qtDialogs;
    MainState state;
    std::unique_ptr<Ports> ports;
    std::unique_ptr<FmSFX> fm;

    explicit Window(const Installation& inst, bool realDialogs = false, bool withSettings = true)
        : qtDialogs([this] { return state.language; }) {
        inst.writeFiles(fake.files, withSettings);
        state.dirs.appDir = inst.appDir;
        Dialogs& dialogs = realDialogs ? static_cast<Dialogs&>(qtDialogs) : fake.dialogs;
        ports = std::make_unique<Ports>(Ports{dialogs, fake.files, fake.sound, fake.programs});
        fm = std::make_unique<FmSFX>(state, *ports);
        qtDialogs.setWindow(fm.get());
    }

    template <class W> W* find(const char* name) const {
        return fm->findChild<W*>(QString::fromLatin1(name));
    }
    QListWidget* list() const { return find<QListWidget>("LiSFX"); }

    void clickRow(int row) const {
        QListWidget* l = list();
        l->scrollToItem(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
};

} // namespace

class FmSFXTest : public QObject {
    Q_OBJECT

private slots:
    void startShowsTheCatalogueAndOpensRowZero() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        QCOMPARE(w.fm->windowTitle(), QStringLiteral("Kestrel V1.1"));
        QCOMPARE(w.find<QLabel>("Label14")->text(), QStringLiteral("V 1.1 : 2005-2006"));
        QListWidget* list = w.list();
        QCOMPARE(list->count(), 40);
        QCOMPARE(list->currentRow(), 0);
        // Every sound carrying the current letter "a" is marked and selected.
        QCOMPARE(list->item(0)->text(), QStringLiteral("  0: SOUND0                    :[OK]"));
        QVERIFY(list->item(0)->isSelected());
        QCOMPARE(list->item(3)->text(), QStringLiteral("  3: BELL") + QString(18, u' '));
        QVERIFY(!list->item(3)->isSelected());
        QCOMPARE(list->item(27)->text(), QStringLiteral(" 27:"));
        QVERIFY(!list->item(27)->isSelected());
        QCOMPARE(w.find<QLineEdit>("TxLett")->text(), QStringLiteral("a"));
        QCOMPARE(w.find<QLineEdit>("TxWAD")->text(), QStringLiteral("HARBOUR"));
        QCOMPARE(w.find<QGroupBox>("FrOrig")->title(),
                 QStringLiteral("Line in sounds.txt = SOUND0:") + QString(17, u' '));
    }

    void clickingARowShowsItsDefaultAndCurrentLine() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        w.clickRow(3);
        QCOMPARE(w.list()->currentRow(), 3);
        QCOMPARE(w.find<QGroupBox>("FrOrig")->title(),
                 QStringLiteral("Line in sounds.txt = BELL:") + QString(19, u' '));
        const QStringList lines = w.find<QPlainTextEdit>("TxLig")->toPlainText().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], fromAnsi(w.state.txOrig));
        QCOMPARE(lines[1], fromAnsi(w.state.txModif));
        QVERIFY(lines[0].startsWith(QStringLiteral("bell1 ")));
        QVERIFY(lines[1].startsWith(QStringLiteral("bell1 bell2")));
        QCOMPARE(w.find<QLineEdit>("TxOrig")->text(), lines[0]);
        QVERIFY(!w.find<QLineEdit>("TxOrig")->isVisible());
        // The click gave the current letter to the sound; no other row changes.
        QVERIFY(w.list()->item(3)->isSelected());
        QVERIFY(w.list()->item(3)->text().endsWith(QStringLiteral(":[OK]")));
        QVERIFY(lines[1].endsWith(QStringLiteral("#b #a")));
        QCOMPARE(w.find<QListWidget>("LiWAD")->currentItem()->text(), QStringLiteral("#a - HARBOUR"));
        QVERIFY(w.list()->item(0)->isSelected());
        QVERIFY(!w.list()->item(4)->isSelected());
    }

    void keysMoveTheCurrentRowAndSpaceTogglesIt() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        w.fm->show();
        w.list()->setFocus();
        QTest::keyClick(w.list(), Qt::Key_Down);
        QCOMPARE(w.list()->currentRow(), 1);
        QCOMPARE(w.state.currentRow, 1);
        QVERIFY(w.list()->item(1)->isSelected());
        QTest::keyClick(w.list(), Qt::Key_End);
        QCOMPARE(w.state.currentRow, 39);
        QTest::keyClick(w.list(), Qt::Key_Space);
        QCOMPARE(w.state.currentRow, 39);
        QCOMPARE(w.list()->item(39)->isSelected(), w.state.rows[39].selected);
    }

    void typicalRoadChangesVolumeAndAppliesIt() {
        Installation inst = testInstallation();
        inst.sounds.insert(inst.sounds.begin(), "; sounds of the harbour");
        Window w(inst);
        QVERIFY(w.fm->start());
        w.fm->show();
        w.fm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.fm.get()));
        w.clickRow(3);
        auto* vol = w.find<QLineEdit>("TxVOL");
        QCOMPARE(vol->text(), QStringLiteral("50"));
        vol->setFocus();
        vol->selectAll();
        QTest::keyClicks(vol, "7");
        // The click itself moves the focus: the box is judged before the button acts.
        QTest::mouseClick(w.find<QToolButton>("CdMajVal"), Qt::LeftButton);
        const std::string bell = "BELL:\t\t\tbell1 bell2\t\t\tVOL07\tP\tCH02\t\t\t#b #a";
        QCOMPARE(w.state.liText[3], bell);
        QVERIFY(w.find<QPlainTextEdit>("TxLig")->toPlainText().contains(QStringLiteral("VOL07")));

        w.fake.dialogs.answers.push_back(Answer::Yes);
        QTest::mouseClick(w.find<QToolButton>("CdValidW"), Qt::LeftButton);
        QVERIFY(w.fake.dialogs.showed(Msg::ApplyConfirm));
        std::vector<std::string> expected = inst.sounds;
        expected[4] = bell;
        // The protected sound 27 lost the current letter when the rows were marked.
        expected[28] = "SOUND27:\ts27\tVOL01\t";
        QCOMPARE(w.fake.files.bytes(inst.sfxDir() + "Sounds.txt"), joinLinesCrLf(expected));
        QCOMPARE(w.fake.files.bytes(inst.sfxDir() + "Orig_Sounds.txt"), joinLinesCrLf(inst.sounds));
        // Sound 3's samples differ from its default line: it is a custom line of the WAD.
        QCOMPARE(w.fake.files.bytes("/app/sounds/HARBOUR.tor"), "3,\"" + bell + "\"\r\n");
    }

    void samplesPlayAndRenameThroughTheWindow() {
        Installation inst = testInstallation();
        inst.sounds[4] = "GULL:\t\tseagull_far\t\tVOL20\t\tCH01\t\t\t#b";
        Window w(inst);
        w.fake.files.files[inst.editorDir + "sound/Samples/BELL1.WAV"] = "RIFF";
        QVERIFY(w.fm->start());
        w.clickRow(3);
        auto* samples = w.find<QListWidget>("LiSamp");
        QCOMPARE(samples->count(), 2);
        QCOMPARE(samples->currentRow(), 0);
        QTest::mouseClick(w.find<QToolButton>("CdPlay"), Qt::LeftButton);
        QCOMPARE(w.fake.sound.played, std::vector<std::string>{inst.editorDir + "sound/Samples/BELL1.WAV"});

        QTest::mouseClick(samples->viewport(), Qt::LeftButton, {},
                          samples->visualItemRect(samples->item(1)).center());
        auto* box = w.find<QLineEdit>("TxSamp");
        QCOMPARE(box->text(), QStringLiteral("bell2"));
        box->selectAll();
        QTest::keyClicks(box, "tollingbell");
        QCOMPARE(box->text(), QStringLiteral("tollingb")); // eight characters typed at most
        QTest::mouseClick(w.find<QToolButton>("CdRename"), Qt::LeftButton);
        QVERIFY(w.fake.dialogs.showed(Msg::SampleMissingRename));
        QCOMPARE(w.state.liText[3], std::string("BELL:\t\t\tbell1 tollingb\t\t\tVOL50\tP\tCH02\t\t\t#b #a"));
        QCOMPARE(samples->item(1)->text(), QStringLiteral("tollingb"));

        // A longer stored name shows whole; only typing is limited.
        w.clickRow(4);
        QCOMPARE(box->text(), QStringLiteral("seagull_far"));
    }

    void flagBoxesRAndNExcludeEachOther() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        w.clickRow(3);
        auto* r = w.find<QCheckBox>("CkR");
        auto* n = w.find<QCheckBox>("CkN");
        QVERIFY(w.find<QCheckBox>("CkP")->isChecked());
        r->click();
        QVERIFY(r->isChecked());
        n->click();
        QVERIFY(n->isChecked());
        QVERIFY(!r->isChecked());
        QCOMPARE(w.state.cur.rn, std::string("N"));
        n->click();
        QVERIFY(!n->isChecked() && !r->isChecked());
        QCOMPARE(w.state.cur.rn, std::string());
    }

    void restoringTheLineAndTheDefaults() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        w.clickRow(3);
        QTest::mouseClick(w.find<QToolButton>("CdRstWAD"), Qt::LeftButton);
        QCOMPARE(w.state.liText[3], w.state.liOrig[3]);
        QCOMPARE(w.find<QListWidget>("LiSamp")->count(), 1);
        QVERIFY(!w.find<QCheckBox>("CkP")->isChecked());

        // The line restored is a change not applied: it is dropped.
        w.fake.dialogs.answers = {Answer::Ok, Answer::Discard};
        QTest::mouseClick(w.find<QToolButton>("CdDefaut"), Qt::LeftButton);
        QVERIFY(w.fake.dialogs.showed(Msg::RestoreConfirm));
        QCOMPARE(w.fake.files.bytes("/games/lvedit/sound/LevelSFX Creator/Sounds.txt"),
                 w.fake.files.bytes("/app/Kestrel.tos"));
        QCOMPARE(w.list()->currentRow(), 0);
    }

    // The Changes window lists what Apply would write; reverting the chosen
    // sounds is a step Undo takes back, and a double click opens a sound.
    void theChangesWindowRevertsAndOpens() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        w.fm->show(); // the keys work in the active window
        QVERIFY(QTest::qWaitForWindowActive(w.fm.get()));
        w.clickRow(3);
        w.clickRow(4);
        QCOMPARE(w.state.changedCount, 2);
        QCOMPARE(w.find<QLabel>("LbChanges")->text(), QStringLiteral("2 sounds changed, not applied"));
        int listed = 0;
        whenModalAppears([&](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>("LiChanges");
            listed = list->count();
            list->item(0)->setSelected(true);
            modal->findChild<QPushButton*>("CdRevert")->click();
            emit list->itemDoubleClicked(list->item(0));
            if (modal->isVisible()) modal->close();
        });
        QTest::keyClick(w.list(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(listed, 2);
        QCOMPARE(w.state.changedCount, 1);
        QVERIFY(!w.state.rows[3].changed);
        QCOMPARE(w.list()->currentRow(), 4);
        QVERIFY(w.find<QToolButton>("CdUndo")->toolTip().startsWith(
            QStringLiteral("Undo: bring back 1 sound from Sounds.txt")));
        w.fm->activateWindow(); // as the window manager does when the dialog closes
        QVERIFY(QTest::qWaitForWindowActive(w.fm.get()));
        QTest::keyClick(w.list(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.state.changedCount, 2);
        // In a text box the keys undo its typing, not a step.
        QLineEdit* vol = w.find<QLineEdit>("TxVOL");
        vol->setFocus();
        QTest::keyClicks(vol, QStringLiteral("7"));
        QTest::keyClick(vol, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.state.changedCount, 2);
    }

    void letterBoxConfirmsAWadOfTheTable() {
        Window w(testInstallation(), true);
        QVERIFY(w.fm->start());
        w.fm->show();
        w.fm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.fm.get()));
        auto* letter = w.find<QLineEdit>("TxLett");
        const auto typeLetterAndLeave = [&](const char* typed, QMessageBox::StandardButton answer) {
            QString text;
            whenModalAppears([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (!box) {
                    modal->close();
                    return;
                }
                text = box->text();
                box->button(answer)->click();
            });
            w.fm->activateWindow();
            if (!QTest::qWaitForWindowActive(w.fm.get())) return QStringLiteral("not active");
            letter->setFocus();
            letter->selectAll();
            QTest::keyClicks(letter, typed);
            w.list()->setFocus(); // leaving the box
            return text;
        };
        QCOMPARE(typeLetterAndLeave("#b", QMessageBox::Cancel),
                 QStringLiteral("The letter [b] is already used for Bridge\nUse it anyway"));
        QCOMPARE(letter->text(), QString());
        QCOMPARE(w.find<QLineEdit>("TxWAD")->text(), QStringLiteral("HARBOUR"));

        typeLetterAndLeave("b", QMessageBox::Ok);
        QCOMPARE(letter->text(), QStringLiteral("b"));
        QCOMPARE(w.find<QLineEdit>("TxWAD")->text(), QStringLiteral("BRIDGE"));
        // The list is marked anew for "b" and row 0 is open.
        QVERIFY(w.list()->item(3)->text().endsWith(QStringLiteral(":[OK]")));
        QVERIFY(!w.list()->item(0)->isSelected());
        QCOMPARE(w.list()->currentRow(), 0);
    }

    void anObjectReceivesTheLetterThroughTheDialog() {
        Installation inst = testInstallation();
        inst.objects = "* Ennemies\r\nRAT                       2  004 003\r\n"
                       "* Friends\r\nHARBOUR_MASTER            2  005 006\r\n";
        inst.settings.letter = "k";
        Window w(inst);
        QVERIFY(w.fm->start());
        w.fm->show();
        QTest::mouseClick(w.find<QToolButton>("CdOBJ"), Qt::LeftButton);
        auto* dialog = w.find<QWidget>("FmObjet");
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->findChild<QLabel*>("Label3")->text(), QStringLiteral("Select object to Add or Remove"));
        auto* types = w.find<QComboBox>("CbType");
        QCOMPARE(types->count(), 8);
        QCOMPARE(types->itemText(7), QStringLiteral("Loops"));
        auto* objects = w.find<QListWidget>("LiOBJ");
        QCOMPARE(objects->item(0)->text(), QStringLiteral("RAT"));
        QTest::mouseClick(objects->viewport(), Qt::LeftButton, {},
                          objects->visualItemRect(objects->item(0)).center());
        QCOMPARE(w.find<QListWidget>("LiSID")->count(), 2);
        QTest::mouseClick(w.find<QToolButton>("CdOK"), Qt::LeftButton);
        QCOMPARE(w.find<QLineEdit>("TxObjet")->text(), QStringLiteral("RAT"));
        // The main window has a Label3 too; the dialog keeps its own text.
        QCOMPARE(dialog->findChild<QLabel*>("Label3")->text(),
                 QStringLiteral("Select object to Add or Remove"));

        QTest::mouseClick(w.find<QToolButton>("CdAddWAD"), Qt::LeftButton);
        for (int id : {3, 4}) {
            QVERIFY(w.list()->item(id)->isSelected());
            QVERIFY(w.list()->item(id)->text().endsWith(QStringLiteral(":[OK]")));
            QVERIFY(w.state.liText[static_cast<std::size_t>(id)].ends_with("#k"));
        }
        QCOMPARE(w.list()->currentRow(), 4);

        // A click on a marked row takes the letter from that sound only.
        w.clickRow(3);
        QVERIFY(!w.list()->item(3)->isSelected());
        QVERIFY(!w.state.liText[3].ends_with("#k"));
        QVERIFY(w.state.liText[4].ends_with("#k"));

        QTest::mouseClick(w.find<QToolButton>("CdEfface"), Qt::LeftButton);
        QCOMPARE(w.find<QLineEdit>("TxObjet")->text(), QString());
        // French while the dialog is on: it shows the French names at once.
        w.find<QRadioButton>("OpLang1")->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(types->itemText(0), QStringLiteral("Ennemis"));
        // Both windows have a Label1 and a Label3: each keeps its own text.
        QCOMPARE(dialog->findChild<QLabel*>("Label3")->text(),
                 QStringLiteral("Choisir l'objet à Ajouter/Enlever"));
        QCOMPARE(dialog->findChild<QLabel*>("Label1")->text(), QStringLiteral("Type d'Objet"));
        QCOMPARE(controlOf(*w.fm, "Label1")->property("text").toString(),
                 QStringLiteral("WADs (lettres) assignés"));
        QTest::mouseClick(w.find<QToolButton>("CdOBJ"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }

    void samImportAndTheDoublesDialog() {
        Installation inst = testInstallation();
        inst.sounds[5] = "HOOT:\t\tbell2 hoot\t\tVOL10";
        inst.sounds[6] = "BELL_FAR:\t\tbell1\t\tVOL10";
        inst.doubles = "5,\"OK \",\"   \",\"HOOT:\",\"bell2 hoot\",\"\"\r\n"
                       "6,\"OK \",\"GEN\",\"BELL_FAR:\",\"bell1\",\"\"\r\n";
        inst.settings.letter = "k";
        Window w(inst);
        w.fake.files.files["/games/lvedit/graphics/wads/HARBOUR.SAM"] = "bell1.wav\r\nfoghorn.wav\r\n";
        QVERIFY(w.fm->start());
        QCOMPARE(w.find<QToolButton>("CdLoadSAM")->toolTip(), QStringLiteral("Load SAM file"));
        w.find<QRadioButton>("OpWAD1")->click();
        QCOMPARE(w.find<QToolButton>("CdLoadSAM")->toolTip(), QStringLiteral("Load WAS file"));
        w.find<QRadioButton>("OpLang1")->click();
        QCOMPARE(w.find<QToolButton>("CdLoadSAM")->toolTip(), QStringLiteral("Charger le fichier WAS"));
        w.find<QRadioButton>("OpLang0")->click();
        w.find<QRadioButton>("OpWAD0")->click();

        w.fake.dialogs.answers.push_back(Answer::Ok);
        QTest::mouseClick(w.find<QToolButton>("CdLoadSAM"), Qt::LeftButton);
        QVERIFY(w.fake.dialogs.showed(Msg::SamImportConfirm));
        QCOMPARE(w.fake.dialogs.shown.back().args, (std::vector<std::string>{"HARBOUR", "foghorn"}));
        for (int id : {3, 6}) QVERIFY(w.list()->item(id)->isSelected());
        QVERIFY(!w.list()->item(5)->isSelected());

        // Unselect sound 6 in the doubles dialog; the next import leaves it alone.
        QStringList rows;
        whenModalAppears([&](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>("LiDoub");
            for (int i = 0; list && i < list->count(); ++i) rows << list->item(i)->text();
            if (list) list->item(1)->setSelected(false);
            if (auto* ok = modal->findChild<QPushButton*>("CdOK")) ok->click();
            else modal->close();
        });
        QTest::mouseClick(w.find<QToolButton>("CdDoub"), Qt::LeftButton);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], QStringLiteral("  5: HOOT:") + QString(19, u' ') + QStringLiteral(" bell2 hoot") +
                              QString(22, u' '));
        QCOMPARE(w.state.doubleMarks[6], std::string("   "));
        QVERIFY(w.fake.files.bytes("/app/Kestrel.tod").find("6,\"   \",\"GEN\",\"BELL_FAR:\"") !=
                std::string::npos);

        // The letters of the first import are not applied: they are dropped.
        w.fake.dialogs.answers = {Answer::Ok, Answer::Discard};
        QTest::mouseClick(w.find<QToolButton>("CdLoadSAM"), Qt::LeftButton);
        QVERIFY(w.list()->item(3)->isSelected());
        QVERIFY(!w.list()->item(6)->isSelected());
        QCOMPARE(w.state.liText[6], inst.sounds[6]);
    }

    // The whole build on disk: the real batch runner runs the stand-in
    // compiler in the compiler folder while the window waits for its files.
    void generateSfxBuildsTheWadFilesWhileTheWindowWaits() {
        DiskInstallation disk;
        Installation inst = testInstallation();
        inst.appDir = (disk.root / "app").string() + "/";
        inst.editorDir = disk.root.string() + "/";
        inst.settings.editorDir = inst.editorDir;
        inst.settings.letter = "b";
        inst.settings.wadName = "level1";
        FakeFiles staged;
        inst.writeFiles(staged);
        std::filesystem::create_directories(disk.root / "app");
        for (const auto& [path, bytes] : staged.files) DiskInstallation::put(path, bytes);
        for (const char* sample : {"bell1", "bell2", "gull1"}) disk.putSample(sample);
        std::filesystem::copy_file(SNDPACK_PROGRAM, disk.sfxDir / "sndpack");

        FakeDialogs dialogs;
        OsFiles files;
        FakeSound sound;
        app::QtPrograms programs;
        Ports ports{dialogs, files, sound, programs};
        MainState state;
        state.dirs.appDir = inst.appDir;
        FmSFX fm(state, ports);
        QVERIFY(fm.start());
        auto* build = fm.findChild<QToolButton*>("CdCopy");
        QCOMPARE(build->toolTip(), QStringLiteral("Generate SFX file"));

        dialogs.answers = {Answer::Ok};
        QTest::mouseClick(build, Qt::LeftButton);
        QCOMPARE(dialogs.shown.at(0).id, Msg::BuildConfirm);
        QVERIFY(!build->isEnabled());
        QVERIFY(!fm.findChild<QListWidget*>("LiSFX")->isEnabled());
        QVERIFY(!fm.findChild<QToolButton*>("CdStop")->isEnabled());
        QVERIFY(QApplication::overrideCursor() &&
                QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        QVERIFY(fm.findChild<QLabel*>("LbBuild")->text().startsWith(u"Building level1.SAM"));

        QTRY_VERIFY_WITH_TIMEOUT(!state.build.watching(), 20000);
        QVERIFY(build->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
        QCOMPARE(DiskInstallation::bytes(disk.wadsDir / "level1.SAM"),
                 std::string("bell1.wav\r\nbell2.wav\r\ngull1.wav\r\n"));
        QVERIFY(std::filesystem::exists(disk.wadsDir / "level1.SFX"));
        QVERIFY(!std::filesystem::exists(disk.sfxDir / "CreateSFX.bat"));
        QCOMPARE(fm.findChild<QLabel*>("LbBuild")->text(),
                 QStringLiteral("level1.SAM and .SFX are in the wads folder"));
    }

    void generateSfxAsksForALetterAndANameFirst() {
        Installation inst = testInstallation();
        inst.settings.letter = "";
        Window w(inst, true);
        QVERIFY(w.fm->start());
        w.fm->show();
        QString title, text;
        whenModalAppears([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        QTest::mouseClick(w.find<QToolButton>("CdCopy"), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Generate SFX"));
        QCOMPARE(text, QStringLiteral("Type a letter and a name for the WAD"));
        QCOMPARE(w.fm->focusWidget(), w.find<QLineEdit>("TxLett"));
        QVERIFY(w.fake.programs.batches.empty());
    }

    void protectedRowShowsTheRealMessageAndLeavesNoRowCurrent() {
        Window w(testInstallation(), true);
        QVERIFY(w.fm->start());
        QString title, text;
        whenModalAppears([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box) {
                title = box->windowTitle();
                text = box->text();
            }
            modal->close();
        });
        w.clickRow(27);
        QCOMPARE(title, QStringLiteral("Select"));
        QCOMPARE(text, QStringLiteral("This line should not be modified"));
        QCOMPARE(w.state.currentRow, -1);
        QCOMPARE(w.list()->currentRow(), -1);
        QVERIFY(!w.list()->item(27)->isSelected());
        QCOMPARE(w.find<QGroupBox>("FrOrig")->title(), QStringLiteral("Line in sounds.txt"));
        QVERIFY(w.find<QPlainTextEdit>("TxLig")->toPlainText().isEmpty());
        // The keys step on from the refused row, in both directions.
        QTest::keyClick(w.list(), Qt::Key_Down);
        QCOMPARE(w.state.currentRow, 28);
        whenModalAppears([](QWidget* modal) { modal->close(); });
        w.clickRow(27);
        QTest::keyClick(w.list(), Qt::Key_Up);
        QCOMPARE(w.state.currentRow, 26);
    }

    void frenchSettingsShowFrenchTextsAndTheSwitchGoesBack() {
        Installation inst = testInstallation();
        inst.settings.language = Language::French;
        Window w(inst);
        QVERIFY(w.fm->start());
        QVERIFY(w.find<QRadioButton>("OpLang1")->isChecked());
        QCOMPARE(w.find<QLabel>("Label11")->text(), QStringLiteral("ID sons"));
        QCOMPARE(w.find<QToolButton>("CdSelLE")->toolTip(),
                 QString::fromUtf8("Choisir l'éditeur de niveaux"));
        QCOMPARE(w.find<QRadioButton>("OpLang1")->toolTip(),
                 QString::fromUtf8("Affichage en Français"));
        QVERIFY(w.find<QGroupBox>("FrOrig")->title().startsWith(
            QStringLiteral("Ligne dans sounds.txt = SOUND0:")));

        w.find<QRadioButton>("OpLang0")->click();
        QCOMPARE(w.state.language, Language::English);
        QCOMPARE(w.find<QLabel>("Label11")->text(), QStringLiteral("Sound ID"));
        QCOMPARE(w.find<QRadioButton>("OpLang0")->toolTip(), QStringLiteral("English display"));
        QVERIFY(w.find<QGroupBox>("FrOrig")->title().startsWith(
            QStringLiteral("Line in sounds.txt = SOUND0:")));
    }

    void closingWritesTheSettings() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        w.find<QRadioButton>("OpLang1")->click();
        w.fm->close();
        QCOMPARE(w.fake.files.bytes("/app/Kestrel.par"),
                 std::string("\"/\"\r\n\"/games/lvedit/\"\r\n\"a\"\r\n\"HARBOUR\"\r\n\"F\"\r\n"));
    }

    void cancellingTheLevelEditorChoiceChangesNothing() {
        Window w(testInstallation(), true);
        QVERIFY(w.fm->start());
        // Stepped to, not clicked: no change waits to be applied.
        for (int i = 0; i < 4; ++i) QTest::keyClick(w.list(), Qt::Key_Down);
        QString title;
        whenModalAppears([&](QWidget* modal) {
            title = modal->windowTitle();
            if (auto* dialog = qobject_cast<QFileDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        w.find<QToolButton>("CdSelLE")->click();
        QCOMPARE(title, QStringLiteral("Select Level editor"));
        QCOMPARE(w.state.currentRow, 4);
        QCOMPARE(w.list()->currentRow(), 4);
        QVERIFY(w.fake.files.writes.empty());
    }

    void firstStartWithoutAnEditorEndsTheProgram() {
        Window w(testInstallation(), false, false);
        w.fake.dialogs.fileAnswers.push_back(std::nullopt);
        QVERIFY(!w.fm->start());
        QVERIFY(w.fake.dialogs.showed(Msg::NoEditorSelected));
        QCOMPARE(messageText(Msg::NoEditorSelected, Language::French).text,
                 QString::fromUtf8("Pas d'éditeur de niveaux sélectionné.\nProgramme annulé"));
    }

    void everyControlOfTheSwitchTableShowsItsTextInBothLanguages() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        for (const Language language : {Language::French, Language::English}) {
            w.find<QRadioButton>(language == Language::English ? "OpLang0" : "OpLang1")->click();
            for (const ControlText& t : mainWindowTexts()) {
                QWidget* control = controlOf(*w.fm, t.control);
                QVERIFY2(control, t.control);
                const QString wanted = pick(language, t.english, t.french);
                QVERIFY2(!QString::fromUtf8(t.english).isEmpty() && !QString::fromUtf8(t.french).isEmpty(),
                         t.control);
                QString shown = control->toolTip();
                if (t.role == TextRole::Caption) {
                    if (auto* l = qobject_cast<QLabel*>(control)) shown = l->text();
                    else if (auto* g = qobject_cast<QGroupBox*>(control)) shown = g->title();
                    else shown = qobject_cast<QAbstractButton*>(control)->text();
                }
                QCOMPARE(shown, wanted);
            }
            QCOMPARE(w.find<QToolButton>("CdLoadSAM")->toolTip(), loadListTip(language, false));
        }
    }

    void searchStepsFromTheWindowByButtonReturnAndTheLetterMark() {
        Installation inst = testInstallation();
        inst.settings.letter = "b";
        Window w(inst);
        QVERIFY(w.fm->start());
        auto* box = w.find<QLineEdit>("TxSearch");
        QTest::keyClicks(box, "gull");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w.state.currentRow, 4);
        QCOMPARE(w.list()->currentRow(), 4);
        QTest::mouseClick(w.find<QLabel>("LbFOK"), Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral(":[OK]"));
        w.find<QRadioButton>("OpSens1")->click();
        QTest::mouseClick(w.find<QToolButton>("CdLook"), Qt::LeftButton);
        QCOMPARE(w.state.currentRow, 3); // BELL carries #b
        QTest::mouseClick(w.find<QToolButton>("CdLook"), Qt::LeftButton);
        QCOMPARE(w.state.currentRow, 3); // nothing above: no wrap-around
        QVERIFY(w.fake.dialogs.shown.empty());
    }

    void helpOpensBesideItsButtonAndAClickClosesIt() {
        Installation inst = testInstallation();
        Window w(inst);
        w.fake.files.files["/app/Kestrel_Eng1.txt"] = "Kestrel help\r\nPress a row.";
        w.fake.files.files["/app/Kestrel1.txt"] = "old help";
        QVERIFY(w.fm->start());
        w.fm->show();
        QString text, name;
        bool frameless = false, closed = false;
        whenModalAppears([&](QWidget* modal) {
            name = modal->objectName();
            frameless = modal->windowFlags().testFlag(Qt::FramelessWindowHint);
            auto* help = modal->findChild<QPlainTextEdit*>("TxHlp");
            text = help->toPlainText();
            QTest::mouseClick(help->viewport(), Qt::LeftButton);
            closed = !modal->isVisible();
        });
        QTest::mouseClick(w.find<QToolButton>("CdHlp"), Qt::LeftButton);
        QCOMPARE(name, QStringLiteral("FmHelp"));
        QVERIFY(frameless);
        QCOMPARE(text, QStringLiteral("Kestrel help\nPress a row.\n"));
        QVERIFY(closed);
        QVERIFY(!w.fake.files.find("/app/Kestrel1.txt"));

        // In French, with no French help file, the window says so.
        w.find<QRadioButton>("OpLang1")->click();
        whenModalAppears([&](QWidget* modal) {
            text = modal->findChild<QPlainTextEdit*>("TxHlp")->toPlainText();
            modal->close();
        });
        QTest::mouseClick(w.find<QToolButton>("CdHlp"), Qt::LeftButton);
        QCOMPARE(text, QStringLiteral("Le fichier d'aide /app/Kestrel_Fra1.txt est absent ou illisible."));
    }

    void theKeyboardWorksTheWindow() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        w.fm->show();
        QVERIFY(QTest::qWaitForWindowActive(w.fm.get()));

        // Tab reads the window from the sound list to the program's commands.
        const QStringList expected = {"LiSFX", "TxVOL", "TxCH", "TxPIT", "TxRAD", "CkP", "CkV", "CkR",
                                      "CkN", "CkL", "CdMajVal", "LiSamp", "TxSamp", "CdPlay",
                                      "CdRename", "LiWAD", "CdRstWAD", "TxLett", "CdAddWAD"};
        QStringList chain;
        QWidget* at = w.list();
        do {
            if (expected.contains(at->objectName()) && !chain.contains(at->objectName()))
                chain << at->objectName();
            at = at->nextInFocusChain();
        } while (at != w.list());
        QCOMPARE(chain, expected);
        w.list()->setFocus();
        QTest::keyClick(w.list(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("TxVOL"));

        // Return in a value box accepts the values.
        w.clickRow(3);
        auto* vol = w.find<QLineEdit>("TxVOL");
        vol->setFocus();
        vol->selectAll();
        QTest::keyClicks(vol, "60");
        QTest::keyClick(vol, Qt::Key_Return);
        QVERIFY(w.state.liText[3].find("VOL60") != std::string::npos);
        QVERIFY(w.find<QPlainTextEdit>("TxLig")->toPlainText().contains(QStringLiteral("VOL60")));

        // Alt+P ticks the P flag as a click would.
        auto* p = w.find<QCheckBox>("CkP");
        const bool was = p->isChecked();
        QTest::keyClick(w.fm.get(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(p->isChecked(), !was);
        QCOMPARE(w.state.cur.p.empty(), was);

        // Escape closes the help window.
        bool closed = false;
        whenModalAppears([&](QWidget* modal) {
            QTest::keyClick(modal->findChild<QPlainTextEdit*>("TxHlp"), Qt::Key_Escape);
            closed = !modal->isVisible();
        });
        QTest::mouseClick(w.find<QToolButton>("CdHlp"), Qt::LeftButton);
        QVERIFY(closed);
    }

    void soundsTxtOpensInTheTextEditor() {
        Window w(testInstallation());
        QVERIFY(w.fm->start());
        QTest::mouseClick(w.find<QToolButton>("CdEdit"), Qt::LeftButton);
        QCOMPARE(w.fake.programs.opened,
                 std::vector<std::string>{"/games/lvedit/sound/LevelSFX Creator/Sounds.txt"});
    }

    void everyMessageHasBothLanguages() {
        for (const Msg id : kAllMessages) {
            for (const Language l : {Language::English, Language::French}) {
                const MessageText t = messageText(id, l, {"x", "y"});
                QVERIFY(!t.title.isEmpty());
                QVERIFY(!t.text.isEmpty());
            }
        }
        // An argument that itself looks like a placeholder is shown as it is.
        QCOMPARE(messageText(Msg::FileUnreadable, Language::English, {"C:\\a%2b", "gone"}).text,
                 QStringLiteral("The file\nC:\\a%2b\ncould not be read: gone"));
    }

    void theProgramFolderComesFromTheCommandLineTheEnvironmentOrTheExecutable() {
        using kestrel::app::programFolder;
        QCOMPARE(programFolder({"kestrel", "--appdir", "/x"}, "/env", "/exe"), std::string("/x"));
        QCOMPARE(programFolder({"kestrel", "--appdir=/y"}, "/env", "/exe"), std::string("/y"));
        QCOMPARE(programFolder({"kestrel"}, "/env", "/exe"), std::string("/env"));
        QCOMPARE(programFolder({"kestrel"}, "", "/exe"), std::string("/exe"));
        QCOMPARE(programFolder({"kestrel", "--appdir"}, nullptr, "/exe"), std::string("/exe"));
    }

    void everyByteSurvivesTheTextConverter() {
        std::string all;
        for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
        QCOMPARE(toAnsi(fromAnsi(all)), all);
        QCOMPARE(fromAnsi("\x80\xe9"), QString::fromUtf8("€é"));
        QCOMPARE(toAnsi(QString::fromUtf8("Ω")), std::string("?"));
    }
};

QTEST_MAIN(FmSFXTest)
#include "fm_sfx_test.moc"
