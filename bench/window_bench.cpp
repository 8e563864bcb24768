// How long each user event takes through the real main window, as the user
// feels it: the event is sent to the control a user would use (a click on a
// list row or a button, keys in a box), the window's slot runs the core and
// draws the window again, and the events that follow it (layouts, painting)
// are processed before the clock stops. The window lives on the fake ports,
// on the catalogue's 370 sounds and on 100,000.
//
// Every benchmark's events bring the window back where it was, one iteration
// or two later, so that all iterations do the same work; the "events" counter
// says how many user events one iteration holds, "paints" how many paint
// events followed.
//
// Under callgrind started with --collect-atstart=no, only the measured
// events are counted: the window's set-up and the resets between
// iterations are left out.

#include "actions/marks.h"
#include "actions/sound_list.h"
#include "actions/undo.h"
#include "bench_catalogue.h"
#include "fm_sfx.h"
#include "session/paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define KESTREL_TOGGLE_COUNTING() CALLGRIND_TOGGLE_COLLECT
#else
#define KESTREL_TOGGLE_COUNTING() ((void)0)
#endif

using namespace kestrel;
using namespace kestrel::bench;

namespace {

constexpr int kFirstRow = 300;

// Counts the events delivered to any object, and the paint events among them.
class EventCounter : public QObject {
public:
    long events = 0;
    long paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        ++events;
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

EventCounter* eventCounter() {
    static EventCounter* counter = [] {
        auto* c = new EventCounter;
        qApp->installEventFilter(c);
        return c;
    }();
    return counter;
}

// What follows an event: posted events, delayed layouts and the repaints
// they ask for, round after round until a round delivers nothing more.
void settle() {
    constexpr int kMostRounds = 10;
    for (int round = 0; round < kMostRounds; ++round) {
        const long before = eventCounter()->events;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        if (eventCounter()->events == before) return;
    }
}

// The main window on a catalogue of `count` sounds, shown and active, with
// an ordinary sound without the current letter open.
struct Session {
    BenchPorts fake;
    MainState state;
    std::unique_ptr<ui::FmSFX> fm;
    int row = -1;
    bool ready = false;

    explicit Session(int count) {
        const testing::Installation inst = catalogue(count);
        inst.writeFiles(fake.files);
        state.dirs.appDir = inst.appDir;
        fm = std::make_unique<ui::FmSFX>(state, fake.ports);
        if (!fm->start()) return;
        fm->show();
        fm->activateWindow();
        if (!QTest::qWaitForWindowActive(fm.get())) return;
        row = unmarkedRow(state, kFirstRow);
        if (row < 0) return;
        open(row);
        ready = true;
    }

    // Opens `n` as the program does, outside the measured events.
    void open(int n) {
        makeRowCurrent(state, fake.ports, n);
        fm->redraw();
        list()->scrollTo(list()->model()->index(n, 0));
        settle();
    }

    template <class W = QWidget> W* find(const char* name) const {
        W* w = fm->findChild<W*>(QString::fromLatin1(name));
        if (!w) {
            std::fprintf(stderr, "the window has no control %s\n", name);
            std::abort();
        }
        return w;
    }
    QListView* list() const { return find<QListView>("LiSFX"); }

    void click(const char* control) const {
        QTest::mouseClick(find(control), Qt::LeftButton);
        settle();
    }
    void clickItem(QAbstractItemView* l, int k) const {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualRect(l->model()->index(k, 0)).center());
        settle();
    }
    // A click in the box, Ctrl+A and the new text typed.
    void typeInto(const char* box, const char* text) const {
        auto* edit = find<QLineEdit>(box);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }
    void key(QWidget* w, Qt::Key k) const {
        QTest::keyClick(w, k);
        settle();
    }
};

// Stops the clock and the counting for the resets between events, and
// starts them again; around the first event, which is neither timed nor
// counted, it does nothing.
class Clock {
public:
    explicit Clock(benchmark::State* state) : state_(state) {}
    void pause() const {
        if (!state_) return;
        state_->PauseTiming();
        KESTREL_TOGGLE_COUNTING();
    }
    void resume() const {
        if (!state_) return;
        KESTREL_TOGGLE_COUNTING();
        state_->ResumeTiming();
    }

private:
    benchmark::State* state_;
};

// Runs the benchmark's loop, and reports its counters. A session that could
// not be brought up, or an event that never reached the core, is an error.
template <class Setup, class Iteration>
void measure(benchmark::State& state, int events, Setup setup, Iteration iteration) {
    Session s(static_cast<int>(state.range(0)));
    if (!s.ready) {
        state.SkipWithError("the window did not come up");
        return;
    }
    if (const char* why = setup(s)) {
        state.SkipWithError(why);
        return;
    }
    // The first event is neither timed nor counted: what is measured is the
    // window as it answers once it has been used (its pictures and glyphs
    // made), as in every iteration of the loop after the first.
    iteration(s, Clock(nullptr));
    const long paintsBefore = eventCounter()->paints;
    const Clock clock(&state);
    KESTREL_TOGGLE_COUNTING();
    for (auto _ : state) iteration(s, clock);
    KESTREL_TOGGLE_COUNTING();
    state.counters["events"] = events;
    state.counters["paints"] =
        benchmark::Counter(static_cast<double>(eventCounter()->paints - paintsBefore),
                           benchmark::Counter::kAvgIterations);
}

const char* nothing(Session&) {
    return nullptr;
}

// The open sound's row clicked: the first click gives it the current
// letter, the next takes it away again.
void ClickRow(benchmark::State& state) {
    measure(
        state, 1,
        [](Session& s) -> const char* {
            const bool was = s.state.rows[static_cast<std::size_t>(s.row)].selected;
            s.clickItem(s.list(), s.row);
            const bool now = s.state.rows[static_cast<std::size_t>(s.row)].selected;
            s.clickItem(s.list(), s.row);
            return was != now ? nullptr : "the click did not reach the list";
        },
        [](Session& s, const Clock&) { s.clickItem(s.list(), s.row); });
}

// Down, then Up again.
void StepRows(benchmark::State& state) {
    measure(
        state, 2,
        [](Session& s) -> const char* {
            s.list()->setFocus();
            const int from = s.state.currentRow;
            s.key(s.list(), Qt::Key_Down);
            const bool moved = s.state.currentRow == from + 1;
            s.key(s.list(), Qt::Key_Up);
            return moved ? nullptr : "the key did not reach the list";
        },
        [](Session& s, const Clock&) {
            s.key(s.list(), Qt::Key_Down);
            s.key(s.list(), Qt::Key_Up);
        });
}

// A new volume typed, then Tab leaves the box.
void LeaveValueBox(benchmark::State& state) {
    measure(state, 1, nothing, [odd = false](Session& s, const Clock&) mutable {
        s.typeInto("TxVOL", (odd = !odd) ? "57" : "58");
        s.key(s.find("TxVOL"), Qt::Key_Tab);
    });
}

// A new volume typed, then Return accepts the values.
void ValueBoxReturn(benchmark::State& state) {
    measure(state, 1, nothing, [odd = false](Session& s, const Clock&) mutable {
        s.typeInto("TxVOL", (odd = !odd) ? "57" : "58");
        s.key(s.find("TxVOL"), Qt::Key_Return);
    });
}

void TickFlag(benchmark::State& state) {
    measure(state, 1, nothing, [](Session& s, const Clock&) { s.click("CkP"); });
}

void AcceptValues(benchmark::State& state) {
    measure(state, 1, nothing, [](Session& s, const Clock&) { s.click("CdMajVal"); });
}

// The second sample clicked, then the first.
void SelectSample(benchmark::State& state) {
    measure(state, 2, nothing, [](Session& s, const Clock&) {
        auto* samples = s.find<QListWidget>("LiSamp");
        s.clickItem(samples, 1);
        s.clickItem(samples, 0);
    });
}

// A new name typed in the sample box, then "Rename".
void RenameSample(benchmark::State& state) {
    measure(
        state, 1,
        [](Session& s) -> const char* {
            s.fake.files.files[s.state.dirs.sampleDir + "gear1.wav"] = "RIFF";
            s.fake.files.files[s.state.dirs.sampleDir + "gear2.wav"] = "RIFF";
            return nullptr;
        },
        [odd = false](Session& s, const Clock&) mutable {
            s.typeInto("TxSamp", (odd = !odd) ? "gear1" : "gear2");
            s.click("CdRename");
        });
}

// "Add Letter" then "Remove Letter" on the open sound.
void AddRemoveLetter(benchmark::State& state) {
    measure(state, 2, nothing, [](Session& s, const Clock&) {
        s.click("CdAddWAD");
        s.click("CdDel");
    });
}

// The same with an object of 40 sounds chosen.
void AddRemoveObjectLetter(benchmark::State& state) {
    measure(
        state, 2,
        [](Session& s) -> const char* {
            s.state.objects.txObjet = "CONVEYOR";
            for (int id = 300; id < 340; ++id) s.state.objDlg.liOK.push_back(id);
            s.fm->redraw();
            settle();
            return nullptr;
        },
        [](Session& s, const Clock&) {
            s.click("CdAddWAD");
            s.click("CdDel");
        });
}

// "Remove letter from every lines"; the lines, their marks and the open
// sound come back between iterations.
void EraseLetterEverywhere(benchmark::State& state) {
    WorkingLines lines;
    measure(
        state, 1,
        [&lines](Session& s) -> const char* {
            lines = s.state.liText;
            return nullptr;
        },
        [&lines](Session& s, const Clock& clock) {
            clock.pause();
            s.state.liText = lines;
            markSoundList(s.state, -1);
            s.open(s.row);
            clock.resume();
            s.click("CdErase");
        });
}

// "Show #g sounds", then "Hide".
void ToggleGenericMarks(benchmark::State& state) {
    measure(state, 2, nothing, [](Session& s, const Clock&) {
        s.click("CdShow");
        s.click("CdShow");
    });
}

// "Search" for a text no row or line holds, from row 0 down.
void SearchFindingNothing(benchmark::State& state) {
    measure(
        state, 1,
        [](Session& s) -> const char* {
            s.open(0);
            s.typeInto("TxSearch", "no such sound");
            return s.state.search.txSearch == "no such sound" ? nullptr
                                                              : "the text did not reach the box";
        },
        [](Session& s, const Clock&) { s.click("CdLook"); });
}

// French, then English again.
void SwitchLanguage(benchmark::State& state) {
    measure(state, 2, nothing, [](Session& s, const Clock&) {
        s.click("OpLang1");
        s.click("OpLang0");
    });
}

void RestoreLine(benchmark::State& state) {
    measure(state, 1, nothing, [](Session& s, const Clock&) { s.click("CdRstWAD"); });
}

// Cancels the doubles dialog once its event loop runs and it has been
// drawn, as the user sees it before closing it.
void cancelDialogWhenShown(int triesLeft = 1000) {
    QTimer::singleShot(0, qApp, [triesLeft] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            settle();
            dialog->reject();
        } else if (triesLeft > 0) {
            cancelDialogWhenShown(triesLeft - 1);
        }
    });
}

// "Manage doubles": the dialog opens with the doubles file and is cancelled.
void OpenDoublesDialog(benchmark::State& state) {
    measure(state, 1, nothing, [](Session& s, const Clock&) {
        cancelDialogWhenShown();
        s.click("CdDoub");
    });
}

// A letter typed in the letter box, then Tab leaves it.
void typeLetter(Session& s, const char* letter) {
    s.typeInto("TxLett", letter);
    s.key(s.find("TxLett"), Qt::Key_Tab);
}

// "c" typed as the current letter, then "d": every row is marked again for
// each letter, and both letters mark some rows.
void ChangeLetter(benchmark::State& state) {
    measure(
        state, 2,
        [](Session& s) -> const char* {
            const long forA = markedRows(s.state);
            typeLetter(s, "c");
            const long forC = markedRows(s.state);
            typeLetter(s, "d");
            const long forD = markedRows(s.state);
            return forC > 0 && forD > 0 && forC != forA && forD != forC
                       ? nullptr
                       : "the letter box did not mark the rows";
        },
        [](Session& s, const Clock&) {
            typeLetter(s, "c");
            typeLetter(s, "d");
        });
}

// Undo of the import, with the open sound shown again as before it.
void takeBackImport(Session& s) {
    undoStep(s.state);
    s.open(s.row);
}

// "Load SAM file" with the current WAD's list naming one sound in 20. The
// import reads the catalogue again, which changes not applied would stop at
// a question (the start-up took the letters off two protected sounds): the
// session applies them first, and Undo takes the import back between
// iterations, unmeasured.
void ImportSamList(benchmark::State& state) {
    measure(
        state, 1,
        [](Session& s) -> const char* {
            s.fake.files.files[wadFilePath(s.state, s.state.choice.txWad, ".SAM")] =
                samList(s.state.soundCount());
            s.click("CdValidW");
            const long before = markedRows(s.state);
            s.click("CdLoadSAM");
            const long after = markedRows(s.state);
            takeBackImport(s);
            return after > before && s.state.changedCount == 0
                       ? nullptr
                       : "the import gave the letter to no sound";
        },
        [](Session& s, const Clock& clock) {
            s.click("CdLoadSAM");
            clock.pause();
            takeBackImport(s);
            clock.resume();
        });
}

// A new volume typed and Return accepts it, then "Apply" writes sounds.txt,
// its copy in the history and the custom lines through the file port.
void ApplyThroughWindow(benchmark::State& state) {
    const auto changeAndApply = [](Session& s, const char* volume) {
        s.typeInto("TxVOL", volume);
        s.key(s.find("TxVOL"), Qt::Key_Return);
        s.click("CdValidW");
    };
    measure(
        state, 2,
        [changeAndApply](Session& s) -> const char* {
            changeAndApply(s, "57");
            const std::string_view line = s.state.liText[static_cast<std::size_t>(s.row)];
            return line.find("VOL57") != std::string::npos &&
                           s.fake.files.bytes(soundsPath(s.state)).find(line) != std::string::npos
                       ? nullptr
                       : "Apply did not write the new volume";
        },
        [changeAndApply, odd = true](Session& s, const Clock&) mutable {
            changeAndApply(s, (odd = !odd) ? "57" : "58");
        });
}

BENCHMARK(ClickRow)->Apply(catalogueSizes);
BENCHMARK(StepRows)->Apply(catalogueSizes);
BENCHMARK(LeaveValueBox)->Apply(catalogueSizes);
BENCHMARK(ValueBoxReturn)->Apply(catalogueSizes);
BENCHMARK(TickFlag)->Apply(catalogueSizes);
BENCHMARK(AcceptValues)->Apply(catalogueSizes);
BENCHMARK(SelectSample)->Apply(catalogueSizes);
BENCHMARK(RenameSample)->Apply(catalogueSizes);
BENCHMARK(AddRemoveLetter)->Apply(catalogueSizes);
BENCHMARK(AddRemoveObjectLetter)->Apply(catalogueSizes);
BENCHMARK(EraseLetterEverywhere)->Apply(catalogueSizes);
BENCHMARK(ToggleGenericMarks)->Apply(catalogueSizes);
BENCHMARK(SearchFindingNothing)->Apply(catalogueSizes);
BENCHMARK(SwitchLanguage)->Apply(catalogueSizes);
BENCHMARK(RestoreLine)->Apply(catalogueSizes);
BENCHMARK(OpenDoublesDialog)->Apply(catalogueSizes);
BENCHMARK(ChangeLetter)->Apply(catalogueSizes);
BENCHMARK(ImportSamList)->Apply(catalogueSizes);
BENCHMARK(ApplyThroughWindow)->Apply(catalogueSizes);

// The off-screen platform says at every fixed-size window that it cannot
// pass size hints on; that says nothing about the window.
QtMessageHandler otherMessages = nullptr;

void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints"))) return;
    if (otherMessages)
        otherMessages(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int main(int argc, char* argv[]) {
    // The window is drawn off screen unless a platform is asked for.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    otherMessages = qInstallMessageHandler(quietOffscreenNotes);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    QApplication app(argc, argv);
    eventCounter();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
