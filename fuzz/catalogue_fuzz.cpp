// A whole catalogue loaded with the input as sounds.txt (and as the default
// lines, as in an installation never edited), then a few edits chosen by the
// input's first bytes, then Apply and a reload.
//
// Loading keeps every line of the file; the edits never add, drop or unmake
// a sound line; the marks follow the lines; and what Apply writes reads back
// as the working lines.

#include "actions/apply.h"
#include "actions/catalogue.h"
#include "actions/current_sound.h"
#include "actions/letters.h"
#include "actions/marks.h"
#include "actions/search.h"
#include "actions/sound_list.h"
#include "format/record_file.h"
#include "fuzz_support.h"
#include "installation.h"

using namespace kestrel;
using namespace kestrel::testing;

namespace {

constexpr std::size_t kEditBytes = 6;

std::string asLoaded(const std::string& line) {
    return line.find('#') == std::string::npos ? line : trimTrailingSpaces(line);
}

// A file that is not 8-bit text (NUL bytes, a UTF-16 or UTF-32 byte-order
// mark) is not read: its lines written back would be a corrupt mix.
bool isText(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos && !bytes.starts_with("\xFF\xFE") &&
           !bytes.starts_with("\xFE\xFF");
}

// The installation around the catalogue, laid out once and copied for each
// input.
struct Installed {
    FakeFiles files;
    MainState state;
    Installed() : state(Installation{}.install(files)) {}
};

const Installed& installed() {
    static const Installed made;
    return made;
}

class Session {
public:
    explicit Session(std::string_view bytes) : state_(installed().state) {
        fake_.files = installed().files;
        fake_.files.files[state_.dirs.sfxDir + "Sounds.txt"] = std::string(bytes);
        fake_.files.files[state_.dirs.appDir + "Kestrel.tos"] = std::string(bytes);
        loadCatalogue(state_, fake_.ports);
        if (!isText(bytes)) {
            checkRefused(bytes);
            return;
        }
        checkLoaded(bytes);
        markSoundList(state_, -1);
        sounds_ = state_.soundCount();
        // Names for renaming come from the input's last bytes.
        const std::size_t from = bytes.size() > 8 ? bytes.size() - 8 : 0;
        name_ = std::string(bytes.substr(from));
    }

    // The sound the edits start on, as after a click on its row.
    void open(std::size_t pick) {
        if (sounds_ > 0)
            makeRowCurrent(state_, fake_.ports,
                           static_cast<int>(pick % static_cast<std::size_t>(sounds_)));
        fake_.dialogs.answers.clear();
        checkSounds();
    }

    void edit(unsigned byte, unsigned step) {
        const unsigned op = byte % 12;
        const unsigned arg = byte / 12;
        MainState& s = state_;
        Ports& ports = fake_.ports;
        switch (op) {
        case 0: makeRowCurrent(s, ports, row(arg, step)); break;
        case 1: clickRow(s, ports, row(arg, step)); break;
        case 2: {
            const ValueBox box = static_cast<ValueBox>(arg % 4);
            std::string text = std::to_string(static_cast<int>(arg * 7 % 130) - 20);
            std::string* boxes[] = {&s.ed.txVol, &s.ed.txCh, &s.ed.txPit, &s.ed.txRad};
            *boxes[arg % 4] = text.substr(0, box == ValueBox::Pit ? 3 : 2);
            leaveValueBox(s, box);
            break;
        }
        case 3: setFlagBox(s, static_cast<FlagBox>(arg % 5), (arg / 5) % 2 == 0); break;
        case 4: acceptValues(s); break;
        case 5:
            if (!s.ed.liWad.empty() && arg % 2 == 1)
                s.ed.liWad.erase(s.ed.liWad.begin() + static_cast<long>(arg % s.ed.liWad.size()));
            rebuildWadLetters(s);
            break;
        case 6:
            s.search.txSearch = arg % 3 == 0   ? kLetterMarkSearch
                                : arg % 3 == 1 ? "#b"
                                               : std::to_string(arg);
            s.search.searchUp = arg % 2 == 1;
            searchStep(s, ports);
            break;
        case 7: addLetter(s, ports); break;
        case 8: removeLetter(s, ports); break;
        case 9:
            fake_.dialogs.answers = {Answer::Ok};
            if (arg % 2 == 0)
                eraseLetterEverywhere(s, ports);
            else
                toggleGenericMarks(s, ports);
            break;
        case 10:
            if (!s.ed.liSamp.empty()) selectSample(s, static_cast<int>(arg % s.ed.liSamp.size()));
            s.ed.txSamp = name_.substr(0, 1 + arg % 8);
            renameSample(s, ports);
            break;
        default: {
            const char* letters[] = {"a", "b", "d", "g", "", "#b", " x"};
            s.choice.txLett = letters[arg % 7];
            fake_.dialogs.answers = {arg % 2 == 0 ? Answer::Ok : Answer::Cancel};
            leaveLetterBox(s, ports);
            break;
        }
        }
        fake_.dialogs.answers.clear();
        checkSounds();
    }

    void applyAndReload() {
        markSoundList(state_, -1);
        for (std::size_t i = 0; i < state_.rows.size(); ++i) {
            const SoundRow& r = state_.rows[i];
            FUZZ_CHECK(r.selected == r.marked);
            FUZZ_CHECK(rowText(state_, i).ends_with(kLetterMark) == r.marked);
        }
        const std::vector<std::string> working = state_.liText.strings();
        fake_.dialogs.answers = {Answer::Yes, Answer::Yes};
        applyChanges(state_, fake_.ports);
        FUZZ_CHECK(fake_.files.bytes(state_.dirs.sfxDir + "Sounds.txt") == soundsFileBytes(state_));
        loadCatalogue(state_, fake_.ports);
        FUZZ_CHECK(state_.soundCount() == static_cast<int>(working.size()));
        for (std::size_t i = 0; i < working.size(); ++i)
            FUZZ_CHECK(state_.liText[i] == asLoaded(working[i]));
    }

private:
    FakePorts fake_;
    MainState state_;
    int sounds_ = 0;
    std::string name_;

    int row(unsigned arg, unsigned step) const {
        const int count = static_cast<int>(state_.rows.size());
        return count == 0
                   ? -1
                   : static_cast<int>((arg * 37 + step * 101) % static_cast<unsigned>(count));
    }

    // Nothing is read, and Apply leaves sounds.txt as it was.
    void checkRefused(std::string_view bytes) {
        FUZZ_CHECK(!state_.catalogueComplete);
        fake_.dialogs.answers = {Answer::Yes, Answer::Yes};
        applyChanges(state_, fake_.ports);
        FUZZ_CHECK(fake_.files.bytes(state_.dirs.sfxDir + "Sounds.txt") == bytes);
    }

    // Every line is kept where it stood; only lines with letters lose their
    // trailing spaces.
    void checkLoaded(std::string_view bytes) {
        FUZZ_CHECK(state_.catalogueComplete);
        const std::vector<std::string> lines = splitLines(bytes);
        FUZZ_CHECK(state_.soundsFile.text->lineCount() == lines.size());
        std::string expected;
        std::size_t sounds = 0;
        for (const std::string& line : lines) {
            const bool sound = line.find(':') != std::string::npos;
            sounds += sound;
            expected += (sound ? asLoaded(line) : line) + "\r\n";
        }
        FUZZ_CHECK(static_cast<std::size_t>(state_.soundCount()) == sounds);
        FUZZ_CHECK(state_.liOrig.size() == lines.size());
        FUZZ_CHECK(state_.rows.size() == sounds);
        FUZZ_CHECK(soundsFileBytes(state_) == expected);
    }

    // The edits keep every sound, as a sound line, with its row.
    void checkSounds() const {
        FUZZ_CHECK(state_.soundCount() == sounds_);
        FUZZ_CHECK(state_.rows.size() == static_cast<std::size_t>(sounds_));
        FUZZ_CHECK(state_.currentRow >= -1 && state_.currentRow < sounds_);
        for (int i = 0; i < sounds_; ++i) {
            const std::string_view line = state_.liText[static_cast<std::size_t>(i)];
            FUZZ_CHECK(line.find(':') != std::string::npos);
            FUZZ_CHECK(!fuzz::holdsLineEnd(line));
            const std::string number = padNumber(i, 3, ' ') + ":";
            FUZZ_CHECK(rowText(state_, static_cast<std::size_t>(i)).starts_with(number));
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    Session session(bytes);
    if (!isText(bytes)) return 0;
    session.open(size);
    for (std::size_t k = 0; k < kEditBytes && k < size; ++k)
        session.edit(data[k], static_cast<unsigned>(k));
    session.applyAndReload();
    return 0;
}
