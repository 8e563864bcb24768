#include "actions/check.h"

#include "format/ansi.h"
#include "format/names.h"
#include "format/rebuild.h"
#include "format/sound_line.h"
#include "format/wav.h"
#include "session/paths.h"

#include <algorithm>

namespace kestrel {

namespace {

struct ProblemRow {
    Problem problem;
    Severity severity;
    FindingTexts texts;
};

// clang-format off
constexpr ProblemRow kProblems[] = {
    {Problem::NoSamplesFolder, Severity::Error,
     {"The samples folder %1 cannot be read: every sample is missing",
      "Le dossier des samples %1 est illisible : tous les samples manquent"}},
    {Problem::UnusableSample, Severity::Error,
     {"The sample name \"%1\" cannot be compiled (a blank, a folder, a control character or more than 8 characters)",
      "Le nom de sample « %1 » ne peut pas être compilé (un blanc, un dossier, un caractère de contrôle ou plus de 8 caractères)"}},
    {Problem::MissingWav, Severity::Error,
     {"%1 is missing from the samples folder", "%1 manque dans le dossier des samples"}},
    {Problem::ChangedByRebuild, Severity::Error,
     {"Writing this line again would change what it says",
      "Réécrire cette ligne changerait ce qu'elle dit"}},
    {Problem::UnsafeLetter, Severity::Error,
     {"The letter tag %1 holds characters the build refuses",
      "La lettre %1 contient des caractères que la génération refuse"}},
    {Problem::UnknownLetter, Severity::Warning,
     {"The letter %1 is not in the WAD table", "La lettre %1 n'est pas dans la table des WAD"}},
    {Problem::ProtectedWithLetters, Severity::Warning,
     {"A protected sound carries letters (%1): the marks will strip them",
      "Un son protégé porte des lettres (%1) : les marques les enlèveront"}},
    {Problem::LongName, Severity::Warning,
     {"The name part has %1 characters (24 or more): the old tools cut it",
      "Le nom a %1 caractères (24 ou plus) : les anciens outils le coupent"}},
    {Problem::LongSampleList, Severity::Warning,
     {"The sample list has %1 characters (more than 32): the old tools cut it",
      "La liste des samples a %1 caractères (plus de 32) : les anciens outils la coupent"}},
    {Problem::ManySamples, Severity::Warning,
     {"The line names %1 samples (more than 10): the old tools drop the others",
      "La ligne nomme %1 samples (plus de 10) : les anciens outils ignorent les autres"}},
    {Problem::RepeatedTag, Severity::Warning,
     {"The tag %1 stands twice on the line", "La lettre %1 figure deux fois sur la ligne"}},
    {Problem::DuplicateLine, Severity::Warning,
     {"The same line as sound %1", "La même ligne que le son %1"}},
    {Problem::WavUnreadable, Severity::Warning,
     {"%1 is not a wave file the game can read", "%1 n'est pas un fichier wave lisible par le jeu"}},
    {Problem::WavNotPcm, Severity::Warning, {"%1 is not PCM", "%1 n'est pas en PCM"}},
    {Problem::WavSilent, Severity::Warning, {"%1 is silent", "%1 est muet"}},
    {Problem::WavClips, Severity::Warning,
     {"%1 clips (its peak is at full scale)", "%1 sature (son pic atteint le maximum)"}},
};
// clang-format on

const ProblemRow& rowOf(Problem problem) {
    for (const ProblemRow& row : kProblems)
        if (row.problem == problem) return row;
    return kProblems[0];
}

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::vector<std::string> sortedWords(std::string_view line) {
    std::vector<std::string> words = wordsOf(line);
    std::sort(words.begin(), words.end());
    return words;
}

// A rebuild writes the fields in its own order and layout: only a word lost
// or changed matters.
bool changedByRebuild(std::string_view line, const SoundRecord& rec) {
    return sortedWords(line) != sortedWords(rebuildLine(rec));
}

bool compilable(const std::string& sample) {
    return !sample.empty() && sample.size() <= kMaxSampleName && isUsableSampleName(sample) &&
           !namesAFolder(sample);
}

void checkSamples(int id, const SoundRecord& rec, const SampleFolder& folder,
                  std::vector<Finding>& out) {
    for (const std::string& sample : rec.samples) {
        if (!compilable(sample)) {
            out.push_back({id, Problem::UnusableSample, sample});
            continue;
        }
        if (!folder.listed) continue;
        const std::string wav = lowerCase(utf8FromAnsi(sample) + ".wav");
        if (!folder.wavs.count(wav)) {
            out.push_back({id, Problem::MissingWav, sample + ".wav"});
        } else if (const auto bad = folder.wavProblems.find(wav); bad != folder.wavProblems.end()) {
            out.push_back({id, bad->second, sample + ".wav"});
        }
    }
}

void checkLetters(int id, const SoundRecord& rec, const std::vector<std::string>& wadLetters,
                  std::vector<Finding>& out) {
    const std::vector<std::string> tags = wordsOf(rec.letters);
    if (!tags.empty() && isProtected(id))
        out.push_back({id, Problem::ProtectedWithLetters, rec.letters});
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const std::string letter = tags[i].substr(1);
        if (!isSafeWadName(letter))
            out.push_back({id, Problem::UnsafeLetter, tags[i]});
        else if (letter != "g" &&
                 std::find(wadLetters.begin(), wadLetters.end(), letter) == wadLetters.end())
            out.push_back({id, Problem::UnknownLetter, tags[i]});
        if (std::find(tags.begin(), tags.begin() + static_cast<std::ptrdiff_t>(i), tags[i]) !=
            tags.begin() + static_cast<std::ptrdiff_t>(i))
            out.push_back({id, Problem::RepeatedTag, tags[i]});
    }
}

void checkSizes(int id, const SoundRecord& rec, std::vector<Finding>& out) {
    if (rec.name.size() >= kNameWidth)
        out.push_back({id, Problem::LongName, std::to_string(rec.name.size())});
    const std::string list = trimTrailingSpaces(rec.samplesText());
    if (list.size() > kSamplesWidth)
        out.push_back({id, Problem::LongSampleList, std::to_string(list.size())});
    if (rec.samples.size() > kMaxSamples)
        out.push_back({id, Problem::ManySamples, std::to_string(rec.samples.size())});
}

} // namespace

Severity severityOf(Problem problem) {
    return rowOf(problem).severity;
}

FindingTexts textsOf(Problem problem) {
    return rowOf(problem).texts;
}

std::optional<Problem> wavProblem(std::string_view bytes) {
    const WavFormat format = readWavFormat(bytes);
    if (format.kind == WavKind::Unreadable) return Problem::WavUnreadable;
    if (format.kind == WavKind::NotPcm) return Problem::WavNotPcm;
    const std::optional<WavLevel> level = wavLevel(bytes, format);
    if (level && level->silent) return Problem::WavSilent;
    if (level && level->clips) return Problem::WavClips;
    return std::nullopt;
}

std::vector<Finding> findProblems(const WorkingLines& lines,
                                  const std::vector<std::string>& wadLetters,
                                  const SampleFolder& samples) {
    std::vector<Finding> out;
    if (!samples.listed) out.push_back({-1, Problem::NoSamplesFolder, {}});
    std::map<std::string, int> firstOfLine;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int id = static_cast<int>(i);
        const std::string_view line = lines[i];
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        const SoundRecord rec = parseSoundLine(line);
        checkSamples(id, rec, samples, out);
        if (changedByRebuild(line, rec)) out.push_back({id, Problem::ChangedByRebuild, {}});
        checkLetters(id, rec, wadLetters, out);
        checkSizes(id, rec, out);
        const auto [first, isNew] = firstOfLine.emplace(line, id);
        if (!isNew) out.push_back({id, Problem::DuplicateLine, std::to_string(first->second)});
    }
    return out;
}

std::vector<Finding> checkCatalogue(const MainState& state, Ports& ports, WavReading reading) {
    SampleFolder folder;
    folder.listed = ports.files.find(state.dirs.sampleDir).has_value();
    std::map<std::string, std::string> onDisk; // lower-case name: name as stored
    for (const std::string& name : ports.files.list(state.dirs.sampleDir, "*.wav"))
        onDisk.emplace(lowerCase(name), name);
    std::set<std::string> named;
    for (std::size_t i = 0; i < state.liText.size(); ++i)
        for (const std::string_view sample : sampleNames(state.liText[i]))
            named.insert(lowerCase(utf8FromAnsi(sample) + ".wav"));
    for (const auto& [lower, name] : onDisk) {
        folder.wavs.insert(lower);
        if (reading == WavReading::NamesOnly || !named.count(lower)) continue;
        const ReadResult wav = ports.files.read(state.dirs.sampleDir + name);
        const auto problem = wav.ok ? wavProblem(wav.bytes) : Problem::WavUnreadable;
        if (problem) folder.wavProblems.emplace(lower, *problem);
    }
    return findProblems(state.liText, state.wads.letters, folder);
}

std::vector<int> fileLineOfSounds(const SoundsFile& file, int soundCount) {
    std::vector<int> lines(static_cast<std::size_t>(std::max(soundCount, 0)), 0);
    std::size_t sound = 0;
    for (; sound < lines.size() && sound < file.text->soundCount(); ++sound)
        lines[sound] = file.text->lineOfSound(sound);
    return lines;
}

int errorCount(const std::vector<Finding>& findings) {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const Finding& f) {
        return severityOf(f.problem) == Severity::Error;
    }));
}

int soundsWithErrors(const std::vector<Finding>& findings, const WorkingLines& lines,
                     const std::string& tag) {
    std::set<int> ids;
    for (const Finding& f : findings)
        if (f.id >= 0 && static_cast<std::size_t>(f.id) < lines.size() &&
            severityOf(f.problem) == Severity::Error &&
            hasLetterTag(lines[static_cast<std::size_t>(f.id)], tag))
            ids.insert(f.id);
    return static_cast<int>(ids.size());
}

} // namespace kestrel
