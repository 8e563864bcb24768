#pragma once
// The catalogues the handler benchmarks run on: any number of sounds laid
// out as a level editor's sounds.txt has them, with the ports a user's
// session would answer through.

#include "actions/doubles.h"
#include "fake_ports.h"
#include "installation.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace kestrel::bench {

// The letter sets the sounds carry, in turn. The current letter is "a":
// about a third of the rows are marked, in short runs scattered over the
// list, as in a real catalogue where a WAD takes a sound here and there.
inline const char* const kLetterCycle[] = {"#a",    "#b", "#g", "#a #c", "",   "#d",
                                           "#b #e", "",   "#a", "#c",    "#g", "#a #k"};

// `id` in six digits: every line of a catalogue is as long at 100,000
// sounds as at 370, so that only the number of sounds changes.
inline std::string sixDigits(int id) {
    std::string n = std::to_string(id);
    return std::string(n.size() < 6 ? 6 - n.size() : 0, '0') + n;
}

// Sound `id`: two samples of its own, a volume, flags, a channel, a pitch, a
// radius, and the letters of its place in the cycle.
inline std::string soundLine(int id) {
    const std::string n = sixDigits(id);
    const auto cycle = static_cast<std::size_t>(id) % std::size(kLetterCycle);
    return "MACHINE_" + n + ":\t\tm" + n + "a m" + n + "b\t\tVOL45\tP\tCH03\tPIT12\tRAD40\t" +
           kLetterCycle[cycle];
}

// The doubles file of a catalogue of `count` sounds: one sound in four
// shares a sample with another.
inline std::string doublesFile(int count) {
    std::vector<DoubleRecord> records;
    for (int id = 1; id < count; id += 4) {
        const std::string n = sixDigits(id);
        records.push_back({id, id % 3 == 0 ? kDoubleUnselected : kDoubleSelected, "   ",
                           "MACHINE_" + n + ":", "m" + n + "a m" + n + "b", "#a"});
    }
    return formatDoubles(records);
}

// The .SAM list of a WAD that plays one sound in 20 of a catalogue of
// `count` sounds, by the first sample of each, one file a line as the build
// writes it. None of those sounds carries the current letter yet.
inline std::string samList(int count) {
    std::string list;
    for (int id = 1; id < count; id += 20) list += "m" + sixDigits(id) + "a.wav\r\n";
    return list;
}

inline testing::Installation catalogue(int count) {
    testing::Installation inst;
    inst.sounds.reserve(static_cast<std::size_t>(count));
    for (int id = 0; id < count; ++id) inst.sounds.push_back(soundLine(id));
    inst.doubles = doublesFile(count);
    return inst;
}

// Every question answered as a user going ahead would: Yes, or OK.
class GoAheadDialogs : public Dialogs {
public:
    Answer message(Msg id, const std::vector<std::string>&) override {
        return styleOf(id).buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    std::optional<std::string> openFile(FileDialog, const std::string&) override { return {}; }
    void focus(std::string_view) override {}
};

// The fake file system keeps a folder made once, not once per call: every
// look-up of a missing file reads the folders made, which would otherwise make
// each Apply or import a little slower than the one before. Its files change
// only through the port, so a stamp is the time of the last write, as a real
// one is, not a digest of megabytes at each look.
class BenchFiles : public testing::FakeFiles {
public:
    BenchFiles() { watchesBytes = false; }
    Status makeDir(const std::string& path) override {
        if (std::find(dirs.begin(), dirs.end(), path) != dirs.end()) return Status::success();
        return FakeFiles::makeDir(path);
    }
};

struct BenchPorts {
    GoAheadDialogs dialogs;
    BenchFiles files;
    testing::FakeSound sound;
    testing::FakePrograms programs;
    Ports ports{dialogs, files, sound, programs};
};

// The first row at or after `from` that is no protected sound and does not
// carry the current letter.
inline int unmarkedRow(const MainState& state, int from) {
    for (int row = from; row < static_cast<int>(state.rows.size()); ++row)
        if (!isProtected(row) && !state.rows[static_cast<std::size_t>(row)].selected) return row;
    return -1;
}

// How many rows carry the letter mark.
inline long markedRows(const MainState& state) {
    return std::count_if(state.rows.begin(), state.rows.end(),
                         [](const SoundRow& row) { return row.selected; });
}

// Every handler is measured at the catalogue's own size and at 100,000 sounds.
inline void catalogueSizes(benchmark::internal::Benchmark* b) {
    b->Arg(kCatalogueSize)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

} // namespace kestrel::bench
