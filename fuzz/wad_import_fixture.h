#pragma once
// The WAD list import on a small installation, for the targets that fuzz one
// of the files it reads (the WAD's custom lines, its .SAM list, its .WAS
// list): the import runs as the user starts it, then the catalogue must
// still be whole, and must survive Apply and a reload.

#include "actions/apply.h"
#include "actions/catalogue.h"
#include "actions/doubles.h"
#include "actions/import.h"
#include "actions/marks.h"
#include "actions/objects.h"
#include "format/record_file.h"
#include "fuzz_support.h"
#include "installation.h"

#include <string>
#include <vector>

namespace kestrel::fuzz {

inline constexpr int kImportSounds = 80;
inline constexpr const char* kImportLetter = "d";
inline constexpr const char* kImportWad = "DOCKS";

// Sounds with one or two samples each, some already carrying the letter,
// some another WAD's or the generic one.
inline testing::Installation importInstallation() {
    testing::Installation inst;
    for (int i = 0; i < kImportSounds; ++i) {
        std::string line = "SOUND" + std::to_string(i) + ":\t\tsmp" + std::to_string(i);
        if (i % 3 != 0) line += " smp" + std::to_string(i + 1);
        line += "\t\tVOL10\t\t\t\t\t";
        if (i % 9 == 0) line += "#g ";
        if (i % 4 == 0) line += "#d ";
        line += "#b";
        inst.sounds.push_back(line);
    }
    inst.sounds[1] = "ROPE:\t\trope1 rope2\t\tVOL10";
    inst.sounds[5] = "HORN:\t\thorn\t\tVOL10\tP";
    inst.sounds[6] = "BELL:\t\tbell1";
    inst.sounds[7] = "GULL:\t\tgull1 gull2 ";
    inst.doubles = "4,\"   \",\"\",\"\",\"\",\"\"\r\n8,\"   \",\"\",\"\",\"\",\"\"\r\n";
    inst.objects = "* Ennemies\r\nCRANE                     2  001 005\r\n"
                   "CRANE (arm)               1  006\r\nSEA_LOOP                  1  007\r\n"
                   "* Items\r\nBELL                      3  006 070 500\r\n";
    inst.settings.letter = kImportLetter;
    inst.settings.wadName = kImportWad;
    return inst;
}

// The installation read and its object list loaded, as the import finds
// them: made once, and copied for each run.
struct ImportStart {
    testing::Loaded app{importInstallation()};
    ImportStart() { loadImportObjects(app.state, app.fake.ports); }
};

class ImportRun {
public:
    explicit ImportRun(bool wasMode) : state_(start().app.state) {
        fake_.dialogs = start().app.fake.dialogs;
        fake_.files = start().app.fake.files;
        state_.choice.wasMode = wasMode;
        before_ = state_.liText.strings();
        put(".SAM", "rope1.wav\r\nhorn.wav,smp10.wav\r\n");
    }

    // One of the WAD's lists, by extension.
    void put(const std::string& extension, std::string_view bytes) {
        fake_.files.files[state_.dirs.wadDir + kImportWad + extension] = std::string(bytes);
        (extension == ".SAM" ? sam_ : was_) = std::string(bytes);
    }
    void putCustomLines(std::string_view bytes) {
        fake_.files.files[state_.dirs.appDir + "sounds/" + kImportWad + ".tor"] =
            std::string(bytes);
        customLines_ = true;
    }

    void run() {
        fake_.dialogs.answers = {Answer::Ok};
        loadWadList(state_, fake_.ports);
        FUZZ_CHECK(fake_.dialogs.showed(state_.choice.wasMode ? Msg::WasImportConfirm
                                                              : Msg::SamImportConfirm));
        checkCatalogue();
        if (!customLines_) checkOnlyTheLetterWasGiven();
        checkApplyAndReload();
    }

private:
    static const ImportStart& start() {
        static const ImportStart made;
        return made;
    }

    testing::FakePorts fake_;
    MainState state_;
    std::vector<std::string> before_;
    bool customLines_ = false;
    std::string sam_, was_;

    // Every field of every line of a list.
    static std::vector<std::string> records(const std::string& bytes) {
        std::vector<std::string> out;
        for (const std::string& line : splitLines(bytes))
            for (std::string& field : parseRecordLine(line)) out.push_back(std::move(field));
        return out;
    }

    // The sounds the list names, found the plain way: for a .SAM list, every
    // sound whose line holds one of its samples between blanks and that may
    // take a letter as a double; for a .WAS list, sound 60 and the sounds of
    // every object whose name holds, or is held by, a name the list gives.
    std::vector<bool> named() const {
        const MainState& s = state_;
        std::vector<bool> out(kImportSounds, false);
        if (!s.choice.wasMode) {
            for (const std::string& record : records(sam_)) {
                if (record.size() < 5) continue;
                const std::string sample = record.substr(0, record.size() - 4);
                for (int i = 0; i < kImportSounds; ++i) {
                    const auto row = static_cast<std::size_t>(i);
                    if (holdsSample(before_[row], sample) && s.doubleSelected[row]) out[row] = true;
                }
            }
            return out;
        }
        out[60] = true;
        for (const std::string& record : records(was_)) {
            const std::size_t colon = record.find(':');
            if (colon == std::string::npos || colon == 0) continue;
            const std::string name = record.substr(0, colon);
            for (const GameObject& object : s.objects.importObjects) {
                if (object.name.empty()) continue;
                if (object.name.find(name) == std::string::npos &&
                    name.find(object.name) == std::string::npos)
                    continue;
                for (std::size_t k = 0; k < object.ids.size() && k < 20 && object.ids[k] != 0; ++k)
                    if (object.ids[k] < kImportSounds)
                        out[static_cast<std::size_t>(object.ids[k])] = true;
            }
        }
        return out;
    }

    // Every sound is still there, still a sound line, its row numbered and
    // marked as its line says.
    void checkCatalogue() {
        const MainState& s = state_;
        FUZZ_CHECK(s.soundCount() == kImportSounds);
        FUZZ_CHECK(s.rows.size() == static_cast<std::size_t>(kImportSounds));
        for (int i = 0; i < kImportSounds; ++i) {
            const auto row = static_cast<std::size_t>(i);
            const std::string line(s.liText[row]);
            FUZZ_CHECK(!holdsLineEnd(line));
            FUZZ_CHECK(line.find(':') != std::string::npos);
            const std::string text = rowText(s, row);
            const std::string number = padNumber(i, 3, ' ') + ":";
            FUZZ_CHECK(text.starts_with(number));
            FUZZ_CHECK(s.rows[row].selected == text.ends_with(kLetterMark));
            if (!isProtected(i)) FUZZ_CHECK(s.rows[row].selected == hasLetterTag(line, "#d"));
        }
        FUZZ_CHECK(s.currentRow == 0);
    }

    // Without custom lines, a line either stays as it was or gains the
    // letter at its end, parted by at most one blank; the sounds the list
    // names carry the letter (unless generic), and only they gain it.
    void checkOnlyTheLetterWasGiven() {
        const MainState& s = state_;
        const std::vector<bool> wanted = named();
        for (int i = 0; i < kImportSounds; ++i) {
            if (isProtected(i)) continue;
            const auto row = static_cast<std::size_t>(i);
            const std::string& was = before_[row];
            const std::string line(s.liText[row]);
            if (wanted[row] && !hasLetterTag(was, "#g")) FUZZ_CHECK(hasLetterTag(line, "#d"));
            if (line == was) continue;
            FUZZ_CHECK(wanted[row]);
            FUZZ_CHECK(line.compare(0, was.size(), was) == 0);
            std::string_view added = std::string_view(line).substr(was.size());
            if (!added.empty() && isBlank(added.front())) added.remove_prefix(1);
            FUZZ_CHECK(added == "#d");
            FUZZ_CHECK(parseSoundLine(line).samples == parseSoundLine(was).samples);
        }
    }

    // Apply writes sounds.txt; reading it again gives back every working line.
    void checkApplyAndReload() {
        MainState& s = state_;
        const std::vector<std::string> working = s.liText.strings();
        fake_.dialogs.answers = {Answer::Yes, Answer::Yes};
        applyChanges(s, fake_.ports);
        loadCatalogue(s, fake_.ports);
        FUZZ_CHECK(s.soundCount() == static_cast<int>(working.size()));
        for (std::size_t i = 0; i < working.size(); ++i) {
            const std::string& line = working[i];
            const bool trimmed = line.find('#') != std::string::npos;
            FUZZ_CHECK(s.liText[i] == (trimmed ? trimTrailingSpaces(line) : line));
        }
    }
};

} // namespace kestrel::fuzz
