// How long each of the main window's event handlers takes in the core, on the
// catalogue's 370 sounds and on 100,000. Every benchmark's events bring the
// state back where it was, one iteration or two later, so that all
// iterations do the same work; the "events" counter says how many user
// events one iteration holds.

#include "actions/apply.h"
#include "actions/current_sound.h"
#include "actions/doubles.h"
#include "actions/import.h"
#include "actions/letters.h"
#include "actions/marks.h"
#include "actions/search.h"
#include "actions/sound_list.h"
#include "actions/undo.h"
#include "bench_catalogue.h"

#include <benchmark/benchmark.h>

using namespace kestrel;
using namespace kestrel::bench;

namespace {

// The sound the events work on: an ordinary row without the current letter.
constexpr int kFirstRow = 300;

// A session as the main window has it after start-up, with one sound open.
struct Session {
    BenchPorts fake;
    MainState state;
    int row = -1;

    explicit Session(int count) {
        const testing::Installation inst = catalogue(count);
        state = inst.install(fake.files);
        loadCatalogue(state, fake.ports);
        markSoundList(state, -1);
        row = unmarkedRow(state, kFirstRow);
        makeRowCurrent(state, fake.ports, row);
    }
};

int sizeOf(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}

void events(benchmark::State& state, int perIteration) {
    state.counters["events"] = perIteration;
}

// A click on the open sound's row: the first gives it the current letter,
// the next takes it away again.
void ClickRow(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) clickRow(s.state, s.fake.ports, s.row);
    events(state, 1);
}

// Down, then Up again.
void StepRows(benchmark::State& state) {
    Session s(sizeOf(state));
    const int next = unmarkedRow(s.state, s.row + 1);
    for (auto _ : state) {
        makeRowCurrent(s.state, s.fake.ports, next);
        makeRowCurrent(s.state, s.fake.ports, s.row);
    }
    events(state, 2);
}

void LeaveValueBox(benchmark::State& state) {
    Session s(sizeOf(state));
    bool odd = false;
    for (auto _ : state) {
        s.state.ed.txVol = (odd = !odd) ? "57" : "58";
        leaveValueBox(s.state, ValueBox::Vol);
    }
    events(state, 1);
}

// Return in the volume box: the box is judged, then the values accepted.
void ValueBoxReturn(benchmark::State& state) {
    Session s(sizeOf(state));
    bool odd = false;
    for (auto _ : state) {
        s.state.ed.txVol = (odd = !odd) ? "57" : "58";
        acceptFromValueBox(s.state, ValueBox::Vol);
    }
    events(state, 1);
}

void TickFlag(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) setFlagBox(s.state, FlagBox::P, !s.state.ed.ckP);
    events(state, 1);
}

void AcceptValues(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) acceptValues(s.state);
    events(state, 1);
}

void SelectSample(benchmark::State& state) {
    Session s(sizeOf(state));
    int k = 0;
    for (auto _ : state) selectSample(s.state, k ^= 1);
    events(state, 1);
}

void RenameSample(benchmark::State& state) {
    Session s(sizeOf(state));
    const std::string samples = s.state.dirs.sampleDir;
    s.fake.files.files[samples + "gear1.wav"] = "RIFF";
    s.fake.files.files[samples + "gear2.wav"] = "RIFF";
    bool odd = false;
    for (auto _ : state) {
        s.state.ed.txSamp = (odd = !odd) ? "gear1" : "gear2";
        renameSample(s.state, s.fake.ports);
    }
    events(state, 1);
}

// "Add Letter" then "Remove Letter" on the open sound.
void AddRemoveLetter(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) {
        addLetter(s.state, s.fake.ports);
        removeLetter(s.state, s.fake.ports);
    }
    events(state, 2);
}

// The same with an object of 40 sounds chosen: every row is marked again.
void AddRemoveObjectLetter(benchmark::State& state) {
    Session s(sizeOf(state));
    s.state.objects.txObjet = "CONVEYOR";
    for (int id = 300; id < 340; ++id) s.state.objDlg.liOK.push_back(id);
    for (auto _ : state) {
        addLetter(s.state, s.fake.ports);
        removeLetter(s.state, s.fake.ports);
    }
    events(state, 2);
}

// The letter leaves every line; the lines get it back between iterations.
void EraseLetterEverywhere(benchmark::State& state) {
    Session s(sizeOf(state));
    const WorkingLines lines = s.state.liText;
    for (auto _ : state) {
        state.PauseTiming();
        s.state.liText = lines;
        markSoundList(s.state, -1);
        state.ResumeTiming();
        eraseLetterEverywhere(s.state, s.fake.ports);
    }
    events(state, 1);
}

// "Show #g sounds", then "Hide".
void ToggleGenericMarks(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) {
        toggleGenericMarks(s.state, s.fake.ports);
        toggleGenericMarks(s.state, s.fake.ports);
    }
    events(state, 2);
}

// A text no row or line holds, from row 0 down: every row is looked at.
void SearchFindingNothing(benchmark::State& state) {
    Session s(sizeOf(state));
    makeRowCurrent(s.state, s.fake.ports, 0);
    s.state.search.txSearch = "no such sound";
    for (auto _ : state) searchStep(s.state, s.fake.ports);
    events(state, 1);
}

// The core's part of a language switch: the window draws the texts.
void SwitchLanguage(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) {
        s.state.language =
            s.state.language == Language::English ? Language::French : Language::English;
        benchmark::DoNotOptimize(s.state.language);
    }
    events(state, 1);
}

void RestoreLine(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) restoreLine(s.state);
    events(state, 1);
}

// What the doubles dialog reads when it opens, and the marks it leaves when
// it closes.
void OpenDoublesData(benchmark::State& state) {
    Session s(sizeOf(state));
    for (auto _ : state) {
        DoublesDialog dialog = openDoublesDialog(s.state, s.fake.ports);
        benchmark::DoNotOptimize(dialog.records.data());
        closeDoublesDialog(s.state, s.fake.files, dialog);
    }
    events(state, 1);
}

// "c" in the letter box and the box left, then "d": every row is marked
// again for each letter, and both letters mark some rows.
void ChangeLetter(benchmark::State& state) {
    Session s(sizeOf(state));
    const auto changeLetter = [&s](const char* letter) {
        s.state.choice.txLett = letter;
        leaveLetterBox(s.state, s.fake.ports);
    };
    const long forA = markedRows(s.state);
    changeLetter("c");
    const long forC = markedRows(s.state);
    changeLetter("d");
    const long forD = markedRows(s.state);
    if (forC == 0 || forD == 0 || forC == forA || forD == forC) {
        state.SkipWithError("the letter did not mark the rows");
        return;
    }
    for (auto _ : state) {
        changeLetter("c");
        changeLetter("d");
    }
    events(state, 2);
}

// "Load SAM file" with the current WAD's list naming one sound in 20, run
// as one step as the window runs it. The import reads the catalogue again,
// which changes not applied would stop at a question (the start-up took the
// letters off two protected sounds): the session applies them first, and
// Undo takes the import back between iterations, unmeasured.
void ImportSamList(benchmark::State& state) {
    Session s(sizeOf(state));
    s.fake.files.files[wadFilePath(s.state, s.state.choice.txWad, ".SAM")] = samList(sizeOf(state));
    const auto import = [&s] {
        recordStep(s.state, StepKind::ImportList, [&s] { loadWadList(s.state, s.fake.ports); });
    };
    const bool applied = applyChanges(s.state, s.fake.ports);
    const long before = markedRows(s.state);
    import();
    const long after = markedRows(s.state);
    undoStep(s.state);
    if (!applied || after <= before || s.state.changedCount != 0) {
        state.SkipWithError("the import gave the letter to no sound");
        return;
    }
    for (auto _ : state) {
        import();
        state.PauseTiming();
        undoStep(s.state);
        state.ResumeTiming();
    }
    events(state, 1);
}

// A new volume accepted on the open sound, then "Apply": sounds.txt, its
// copy in the history and the custom lines are written through the file port.
void ApplyChanges(benchmark::State& state) {
    Session s(sizeOf(state));
    bool odd = false;
    const auto changeAndApply = [&s, &odd] {
        s.state.ed.txVol = (odd = !odd) ? "57" : "58";
        acceptFromValueBox(s.state, ValueBox::Vol);
        return applyChanges(s.state, s.fake.ports);
    };
    const bool applied = changeAndApply();
    const std::string_view line = s.state.liText[static_cast<std::size_t>(s.row)];
    if (!applied || line.find("VOL57") == std::string::npos ||
        s.fake.files.bytes(soundsPath(s.state)).find(line) == std::string::npos) {
        state.SkipWithError("Apply did not write the new volume");
        return;
    }
    for (auto _ : state) changeAndApply();
    events(state, 2);
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
BENCHMARK(OpenDoublesData)->Apply(catalogueSizes);
BENCHMARK(ChangeLetter)->Apply(catalogueSizes);
BENCHMARK(ImportSamList)->Apply(catalogueSizes);
BENCHMARK(ApplyChanges)->Apply(catalogueSizes);

} // namespace
