// How long the letter commands that touch many lines take.

#include "catalogue/catalogue.h"
#include "catalogue/marks.h"
#include "fake_ports.h"
#include "installation.h"
#include "catalogue/selection.h"
#include "letters/letter_ops.h"

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
    const std::vector<std::string> lines = l.state.liText;
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
    l.state.txLett = "q";
    l.state.txObjet = "CONVEYOR";
    for (int id = 300; id < 340; ++id) l.state.objDlg.liOK.push_back(id);
    makeRowCurrent(l.state, l.fake.ports, 0);
    const std::vector<std::string> lines = l.state.liText;
    for (auto _ : state) {
        state.PauseTiming();
        l.state.liText = lines;
        state.ResumeTiming();
        addLetter(l.state, l.fake.ports);
    }
}
BENCHMARK(AddLetterToObject)->Arg(370)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
