// How long the letter commands that touch many lines take.

#include "actions/catalogue.h"
#include "actions/import.h"
#include "actions/letters.h"
#include "actions/marks.h"
#include "actions/sound_list.h"
#include "fake_ports.h"
#include "installation.h"

#include <benchmark/benchmark.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

Installation latches(int count) {
    Installation inst;
    inst.sounds.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        inst.sounds.push_back("LATCH_" + std::to_string(i) +
                              ":\t\tlatch1 latch2\t\t\tVOL45\tP\tCH03\t\tRAD40\t#f #a #d");
    return inst;
}

void EraseLetterThenMark(benchmark::State& state) {
    Loaded l(latches(static_cast<int>(state.range(0))));
    const WorkingLines lines = l.state.liText;
    for (auto _ : state) {
        state.PauseTiming();
        l.state.liText = lines;
        l.fake.dialogs.answers = {Answer::Ok};
        state.ResumeTiming();
        eraseLetterEverywhere(l.state, l.fake.ports); // marks every row again
    }
}
BENCHMARK(EraseLetterThenMark)->Arg(370)->Arg(100000)->Unit(benchmark::kMillisecond);

void AddLetterToObject(benchmark::State& state) {
    Loaded l(latches(static_cast<int>(state.range(0))));
    // A character rather than a literal: GCC 12 at -O3 warns falsely (-Wrestrict)
    // on a one-character string literal assigned to a string.
    l.state.choice.txLett = 'q';
    l.state.objects.txObjet = "CONVEYOR";
    for (int id = 300; id < 340; ++id) l.state.objDlg.liOK.push_back(id);
    makeRowCurrent(l.state, l.fake.ports, 0);
    const WorkingLines lines = l.state.liText;
    for (auto _ : state) {
        state.PauseTiming();
        l.state.liText = lines;
        state.ResumeTiming();
        addLetter(l.state, l.fake.ports);
    }
}
BENCHMARK(AddLetterToObject)->Arg(370)->Arg(100000)->Unit(benchmark::kMillisecond);

// A catalogue of `count` sounds with samples of their own, and a .SAM list
// of 300 of those samples spread over it.
Installation chimes(int count) {
    Installation inst;
    for (int i = 0; i < count; ++i)
        inst.sounds.push_back("CHIME_" + std::to_string(i) + ":\t\tch" + std::to_string(i) +
                              "a ch" + std::to_string(i) + "b\t\tVOL45\tP\tCH03\t\t\t#d");
    return inst;
}

void addSamList(Loaded& l, int count) {
    std::string sam;
    for (int k = 0; k < 300; ++k) sam += "ch" + std::to_string(k * count / 300) + "b.wav\r\n";
    l.fake.files.files[l.state.dirs.wadDir + "CHIMES.SAM"] = sam;
    l.state.choice.txLett = 'q'; // a character, as in AddLetterToObject
    l.state.choice.txWad = "CHIMES";
}

void MatchSamList(benchmark::State& state) {
    Loaded l(chimes(static_cast<int>(state.range(0))));
    addSamList(l, static_cast<int>(state.range(0)));
    const WorkingLines lines = l.state.liText;
    for (auto _ : state) {
        state.PauseTiming();
        l.state.liText = lines;
        state.ResumeTiming();
        importWadList(l.state, l.fake.ports); // matches, marks every row, opens row 0
    }
}
BENCHMARK(MatchSamList)->Arg(370)->Arg(100000)->Unit(benchmark::kMillisecond);

// The scan the import avoids: every record against every line.
void ScanEveryLinePerSample(benchmark::State& state) {
    Loaded l(chimes(static_cast<int>(state.range(0))));
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        int found = 0;
        for (int k = 0; k < 300; ++k) {
            const std::string sample = "ch" + std::to_string(k * count / 300) + "b";
            for (std::size_t i = 0; i < l.state.liText.size(); ++i)
                found += holdsSample(l.state.liText[i], sample);
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(ScanEveryLinePerSample)->Arg(370)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
