// How long reading and marking the catalogue takes, at the catalogue's size
// and far beyond it.

#include "actions/catalogue.h"
#include "actions/marks.h"
#include "fake_ports.h"
#include "format/sound_line.h"
#include "installation.h"

#include <benchmark/benchmark.h>

using namespace kestrel;
using namespace kestrel::testing;

namespace {

std::vector<std::string> realisticLines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back("MACHINE_HUM_" + std::to_string(i) +
                        ":\t\thum1 hum2 hum3 hum4\t\tVOL45\tP V\tCH03\tPIT12\tRAD40\t#f #d #k");
    return lines;
}

void ParseSoundLines(benchmark::State& state) {
    const auto lines = realisticLines(static_cast<int>(state.range(0)));
    for (auto _ : state)
        for (const std::string& line : lines) benchmark::DoNotOptimize(parseSoundLine(line));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ParseSoundLines)->Arg(370)->Arg(100000);

// An installation of `count` sounds in the fake file system, its state
// pointing at it.
MainState installed(FakePorts& fake, benchmark::State& state) {
    Installation inst;
    inst.sounds = realisticLines(static_cast<int>(state.range(0)));
    return inst.install(fake.files);
}

void LoadCatalogue(benchmark::State& state) {
    FakePorts fake;
    const MainState base = installed(fake, state);
    for (auto _ : state) {
        MainState s = base;
        loadCatalogue(s, fake.ports);
        benchmark::DoNotOptimize(s.rows.data());
    }
}
BENCHMARK(LoadCatalogue)->Arg(370)->Arg(10000);

void MarkEveryRow(benchmark::State& state) {
    FakePorts fake;
    MainState s = installed(fake, state);
    // A character rather than a literal: GCC 12 at -O3 warns falsely (-Wrestrict)
    // on a one-character string literal assigned to a string.
    s.choice.txLett = 'd';
    loadCatalogue(s, fake.ports);
    for (auto _ : state) {
        markSoundList(s, -1);
        benchmark::DoNotOptimize(s.rows.data());
    }
}
BENCHMARK(MarkEveryRow)->Arg(370)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
