#include "actions/import.h"

#include "actions/apply.h"
#include "actions/catalogue.h"
#include "actions/doubles.h"
#include "actions/marks.h"
#include "actions/sound_list.h"
#include "format/ansi.h"
#include "format/names.h"
#include "format/rebuild.h"
#include "format/record_file.h"
#include "format/sound_line.h"
#include "format/text_kind.h"
#include "session/paths.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace kestrel {

namespace {

constexpr auto npos = std::string::npos;
constexpr std::size_t kMaxObjectSounds = 20;
// The sound every WAD loads, whatever its objects.
constexpr int kAlwaysLoadedId = 60;

bool isTabOrSpace(char c) {
    return c == ' ' || c == '\t';
}

constexpr std::array<bool, 256> kEndsWord = [] {
    std::array<bool, 256> ends{};
    ends[' '] = ends['\t'] = ends['\0'] = ends['\r'] = ends['\n'] = true;
    return ends;
}();

bool endsWord(char c) {
    return kEndsWord[static_cast<unsigned char>(c)];
}

// The records of a .SAM or .WAS list: every field of every line.
std::vector<std::string> listRecords(const std::string& bytes) {
    std::vector<std::string> out;
    for (const std::string& line : splitLines(bytes))
        for (std::string& field : parseRecordLine(line)) out.push_back(std::move(field));
    return out;
}

// The bytes of a file found without regard to case; "" when there is none,
// and also, after a message, when it cannot be read.
std::string readIfPresent(Ports& ports, const std::string& path) {
    const auto found = ports.files.find(path);
    if (!found) return {};
    ReadResult file = ports.files.read(*found);
    if (!file.ok) ports.dialogs.message(Msg::FileUnreadable, {*found, file.error});
    return std::move(file.bytes);
}

std::vector<std::string> readList(Ports& ports, const std::string& path) {
    return listRecords(readIfPresent(ports, path));
}

void putBackCustomLines(MainState& state, Ports& ports) {
    ports.files.makeDir(customLinesDir(state));
    if (!isSafeWadName(state.choice.txWad)) return;
    for (const std::string& record : splitLines(readIfPresent(ports, customLinesPath(state)))) {
        const auto fields = parseRecordLine(record);
        if (fields.size() < 2) continue;
        const auto id = readRecordNumber(fields[0]);
        if (!id || *id < 0 || *id >= state.soundCount()) continue;
        // A line without a colon is no sound line: put in the catalogue, it
        // would be written to sounds.txt as a comment, and every later sound
        // would move up one place at the next reading. A line that is not
        // 8-bit text would make sounds.txt a file the next reading refuses.
        if (fields[1].find(':') == std::string::npos || whyNotText(fields[1])) continue;
        const auto row = static_cast<std::size_t>(*id);
        state.setWorkingLine(row, fields[1]);
    }
}

// Whether a sample name can be found as one word of a line: it holds no
// blank and does not look like a letter tag.
bool isPlainWord(std::string_view sample) {
    return sample.find_first_of(" \t") == npos && sample.front() != '#';
}

// The sounds whose lines hold each of a list's sample names as a word, found
// in one pass over the lines before any letter is given. Only the list's
// names are kept, and a word is looked up only when a name has its length
// and first byte, so a long catalogue costs one read of its lines.
class NameHolders {
public:
    explicit NameHolders(const std::vector<std::string_view>& names) {
        // About 32 bits a name: a word no name shares a print with passes
        // in 98 cases of 100.
        while (shift_ > kFewestBits && (std::uint64_t{1} << (64 - shift_)) < 32 * names.size())
            --shift_;
        prints_.assign((std::size_t{1} << (64 - shift_)) / 64, 0);
        for (const std::string_view name : names) {
            holders_.try_emplace(name);
            if (name.size() < lengths_.size()) lengths_[name.size()] = true;
            firsts_[static_cast<unsigned char>(name.front())] = true;
            const std::uint64_t print = printOf(name);
            prints_[print / 64] |= std::uint64_t{1} << (print % 64);
        }
    }

    // Blanks and words are read up to the byte that ends them, with no test
    // of the line's end: after every working line comes the nul after a
    // line of its own, or, after a line of sounds.txt as read, the blanks
    // trimmed off and then a line end or the nul at the text's end; and no
    // line holds a line end or a nul.
    void scan(const WorkingLines& lines) {
        for (std::size_t id = 0; id < lines.size(); ++id) {
            const std::string_view line = lines[id];
            const char* at = line.data();
            const char* const end = at + line.size();
            for (;;) {
                while (isTabOrSpace(*at)) ++at;
                if (at >= end) break;
                const char* const word = at;
                while (!endsWord(*++at)) {
                }
                note({word, static_cast<std::size_t>(at - word)}, static_cast<int>(id));
            }
        }
    }

    const std::vector<int>& of(std::string_view name) const {
        static const std::vector<int> none;
        const auto it = holders_.find(name);
        return it == holders_.end() ? none : it->second;
    }

private:
    // A print of a word made from its length and its first and last eight
    // bytes, in a few instructions: most words of a catalogue are no name
    // of the list, and are passed over without hashing them whole.
    std::uint64_t printOf(std::string_view word) const {
        std::uint64_t head = word.size(), tail = 0;
        if (word.size() >= 8) {
            std::memcpy(&head, word.data(), 8);
            std::memcpy(&tail, word.data() + word.size() - 8, 8);
        } else {
            for (const char c : word) head = (head << 8) | static_cast<unsigned char>(c);
        }
        const std::uint64_t mixed =
            (head ^ (tail * 0x9E3779B97F4A7C15U) ^ word.size()) * 0xC2B2AE3D27D4EB4FU;
        return mixed >> shift_;
    }

    void note(std::string_view word, int id) {
        if ((word.size() < lengths_.size() && !lengths_[word.size()]) ||
            !firsts_[static_cast<unsigned char>(word.front())])
            return;
        const std::uint64_t print = printOf(word);
        if ((prints_[print / 64] & (std::uint64_t{1} << (print % 64))) == 0) return;
        const auto it = holders_.find(word);
        if (it == holders_.end()) return;
        std::vector<int>& ids = it->second;
        if (ids.empty() || ids.back() != id) ids.push_back(id);
    }

    static constexpr int kFewestBits = 64 - 22; // at most 4 Mbit
    std::unordered_map<std::string_view, std::vector<int>> holders_;
    int shift_ = 64 - 12;               // the prints have 64 - shift_ bits
    std::vector<std::uint64_t> prints_; // one bit for each print a name has
    std::array<bool, 64> lengths_{}; // names as long as the index, and longer, are always looked up
    std::array<bool, 256> firsts_{};
};

void importSamList(MainState& state, Ports& ports) {
    const std::vector<std::string> records =
        readList(ports, wadFilePath(state, state.choice.txWad, ".SAM"));
    std::vector<std::string_view> names;
    for (const std::string& record : records)
        if (record.size() >= 5 &&
            isPlainWord(std::string_view(record).substr(0, record.size() - 4)))
            names.push_back(std::string_view(record).substr(0, record.size() - 4));
    NameHolders holders(names);
    holders.scan(state.liText);
    int unrecognized = 0;
    std::string lastUnrecognized;
    for (const std::string& record : records) {
        if (record.size() < 5) continue; // no name before the extension
        const std::string_view sample = std::string_view(record).substr(0, record.size() - 4);
        // A sample with a blank, or that looks like a tag, is looked for in
        // the lines as they stand, letters given so far included.
        const bool plain = isPlainWord(sample);
        std::vector<int> direct;
        for (int id = 0; !plain && id < state.soundCount(); ++id)
            if (holdsSample(state.liText[static_cast<std::size_t>(id)], sample))
                direct.push_back(id);
        const std::vector<int>& ids = plain ? holders.of(sample) : direct;
        if (ids.empty()) {
            ++unrecognized;
            lastUnrecognized = record;
            continue;
        }
        for (const int id : ids)
            if (static_cast<std::size_t>(id) < state.doubleSelected.size() &&
                state.doubleSelected[static_cast<std::size_t>(id)])
                giveLetter(state, id);
    }
    if (unrecognized > 0)
        ports.dialogs.message(Msg::SamplesUnrecognized,
                              {utf8FromAnsi(state.choice.txWad), utf8FromAnsi(lastUnrecognized)});
}

void importWasList(MainState& state, Ports& ports) {
    for (const std::string& record :
         readList(ports, wadFilePath(state, state.choice.txWad, ".WAS"))) {
        const std::size_t colon = record.find(':');
        // A record without a name before its colon would name every object.
        if (colon == npos || colon == 0) continue;
        const std::string_view name = std::string_view(record).substr(0, colon);
        for (const GameObject& object : state.objects.importObjects) {
            // A nameless object would stand in every WAD.
            if (object.name.empty()) continue;
            if (object.name.find(name) == npos && name.find(object.name) == npos) continue;
            for (std::size_t k = 0; k < object.ids.size() && k < kMaxObjectSounds; ++k) {
                if (object.ids[k] == 0) break;
                giveLetter(state, object.ids[k]);
            }
        }
    }
    giveLetter(state, kAlwaysLoadedId);
}

} // namespace

bool holdsSample(std::string_view line, std::string_view sample) {
    if (sample.empty()) return false;
    for (std::size_t at = line.find(sample); at != npos; at = line.find(sample, at + 1)) {
        const std::size_t after = at + sample.size();
        const bool blankBefore = at == 0 || isTabOrSpace(line[at - 1]);
        const bool blankAfter = after == line.size() || isTabOrSpace(line[after]);
        if (blankBefore && blankAfter) return true;
    }
    return false;
}

std::string withLetterGiven(std::string_view line, std::string_view tag) {
    if (hasLetterTag(line, "#g") || hasLetterTag(line, tag)) return std::string(line);
    // A line with letters takes a space and the tag; one without takes the
    // blank that keeps the tag from reading as a sample or a flag.
    const std::string blank = line.find('#') != npos ? " " : blankBeforeTagAtEnd(line);
    return std::string(line) + blank + std::string(tag);
}

std::string wadNameOfPath(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::string_view file = slash == npos ? path : path.substr(slash + 1);
    if (file.size() <= 4) return {};
    std::string extension(file.substr(file.size() - 4));
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != ".sam") return {};
    return std::string(file.substr(0, file.size() - 4));
}

void giveLetter(MainState& state, int id) {
    if (id < 0 || id >= state.soundCount()) return;
    const auto i = static_cast<std::size_t>(id);
    const std::string given = withLetterGiven(state.liText[i], "#" + state.choice.txLett);
    // A line that already carries the letter stays the file's.
    if (given != state.liText[i]) state.setWorkingLine(i, given);
}

void importWadList(MainState& state, Ports& ports) {
    putBackCustomLines(state, ports);
    if (state.choice.wasMode)
        importWasList(state, ports);
    else
        importSamList(state, ports);
    // The reload took every mark away: the rows show the letters again,
    // even when the list named nothing the catalogue knows.
    markSoundList(state, -1);
    makeRowCurrent(state, ports, 0);
}

void loadWadList(MainState& state, Ports& ports) {
    if (state.choice.txLett.empty()) {
        ports.dialogs.message(Msg::WadListNoLetter, {});
        return;
    }
    if (state.choice.txWad.empty()) {
        const auto chosen = ports.dialogs.openFile(FileDialog::SamList, state.dirs.wadDir);
        if (!chosen) return;
        const std::string name = wadNameOfPath(*chosen);
        if (!name.empty()) state.choice.txWad = name;
    }
    // The import only reads files named by the WAD: a name that leads out of
    // the wads folder is refused, the build's stricter rule is not needed.
    if (!state.choice.txWad.empty() && !namesAFileInFolder(state.choice.txWad)) {
        ports.dialogs.message(Msg::WadNameUnsafe, {utf8FromAnsi(state.choice.txWad)});
        ports.dialogs.focus("TxWAD");
        return;
    }
    if (state.choice.txWad.empty() ||
        !ports.files.find(wadFilePath(state, state.choice.txWad, ".SAM"))) {
        ports.dialogs.message(Msg::NoSamFile, {utf8FromAnsi(state.choice.txWad)});
        return;
    }
    if (state.choice.wasMode && !ports.files.find(wadFilePath(state, state.choice.txWad, ".WAS"))) {
        ports.dialogs.message(Msg::NoWasFile, {utf8FromAnsi(state.choice.txWad)});
        return;
    }
    const Msg confirm = state.choice.wasMode ? Msg::WasImportConfirm : Msg::SamImportConfirm;
    if (ports.dialogs.message(confirm, {utf8FromAnsi(state.choice.txWad),
                                        utf8FromAnsi(state.choice.txLett)}) != Answer::Ok)
        return;
    if (!settlePendingChanges(state, ports)) return;
    readCatalogueAgain(state, ports);
    importWadList(state, ports);
}

} // namespace kestrel
