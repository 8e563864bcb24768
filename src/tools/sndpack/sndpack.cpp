#include "sndpack.h"

#include "format/names.h"
#include "format/record_file.h"
#include "format/sound_line.h"
#include "platform/os_files.h"

#include <algorithm>
#include <unordered_map>

namespace sndpack {

namespace fs = std::filesystem;

namespace {

void putU16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void putU32(std::string& out, std::uint32_t v) {
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

void putText16(std::string& out, std::string_view text) {
    putU16(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

std::int32_t valueOf(const std::string& field, std::size_t prefix) {
    if (field.size() <= prefix) return kAbsent;
    return kestrel::roundHalfEven(
        kestrel::readLeadingNumber(std::string_view(field).substr(prefix)));
}

std::uint8_t flagsOf(const kestrel::SoundRecord& r) {
    std::uint8_t flags = 0;
    if (!r.p.empty()) flags |= 1;
    if (!r.v.empty()) flags |= 2;
    if (r.rn == "R") flags |= 4;
    if (r.rn == "N") flags |= 8;
    if (!r.l.empty()) flags |= 16;
    return flags;
}

struct Chosen {
    std::uint32_t id;
    kestrel::SoundRecord record;
    std::vector<std::uint32_t> sampleIndexes;
};

// The entry of `dir` named `name` in any case.
std::optional<fs::path> findIn(const fs::path& dir, std::string_view name) {
    const auto found = kestrel::OsFiles().find((dir / name).string());
    return found ? std::optional<fs::path>(*found) : std::nullopt;
}

// Through the program's own file access: a file is written whole or not at all.
std::optional<std::string> readFile(const fs::path& path) {
    kestrel::ReadResult file = kestrel::OsFiles().read(path.string());
    return file.ok ? std::optional<std::string>(std::move(file.bytes)) : std::nullopt;
}

bool writeFile(const fs::path& path, const std::string& bytes) {
    return kestrel::OsFiles().write(path.string(), bytes).ok;
}

// A sample name from Sounds.txt names a file of the samples folder, never
// a path out of it.
bool staysInSamplesFolder(std::string_view sample) {
    return !kestrel::namesAFolder(sample);
}

bool isUsableName(std::string_view name) {
    return !name.empty() && name.find_first_of("\\/:*?\"<>| \t") == std::string_view::npos;
}

} // namespace

Packed pack(std::string_view soundsBytes, std::string_view letter, const SampleReader& readSample) {
    const std::string tag = "#" + std::string(letter);
    Packed packed;
    std::vector<Chosen> chosen;
    std::vector<std::string> data;
    std::unordered_map<std::string, std::size_t> indexOf; // sample file → its place in sampleFiles
    std::uint32_t id = 0;
    for (const std::string& line : kestrel::splitLines(soundsBytes)) {
        if (line.find(':') == std::string::npos) continue;
        const std::uint32_t thisId = id++;
        if (!kestrel::hasLetterTag(line, tag)) continue;
        Chosen sound{thisId, kestrel::parseSoundLine(line), {}};
        for (const std::string& sample : sound.record.samples) {
            const std::string file = sample + ".wav";
            const auto [known, isNew] = indexOf.try_emplace(file, packed.sampleFiles.size());
            if (isNew) {
                packed.sampleFiles.push_back(file);
                auto bytes = staysInSamplesFolder(sample) ? readSample(file) : std::nullopt;
                if (!bytes) packed.missing.push_back(file);
                data.push_back(bytes.value_or(std::string()));
            }
            sound.sampleIndexes.push_back(static_cast<std::uint32_t>(known->second));
        }
        chosen.push_back(std::move(sound));
    }
    packed.soundCount = static_cast<int>(chosen.size());
    for (const std::string& file : packed.sampleFiles) packed.sam += file + "\r\n";

    std::string& sfx = packed.sfx;
    sfx = "KSFX";
    putU32(sfx, 1);
    putU32(sfx, static_cast<std::uint32_t>(chosen.size()));
    putU32(sfx, static_cast<std::uint32_t>(packed.sampleFiles.size()));
    for (const Chosen& c : chosen) {
        putU32(sfx, c.id);
        const std::string& name = c.record.name;
        putText16(sfx, std::string_view(name).substr(0, name.empty() ? 0 : name.size() - 1));
        for (const auto& [field, prefix] : {std::pair{&c.record.vol, 3u},
                                            {&c.record.ch, 2u},
                                            {&c.record.pit, 3u},
                                            {&c.record.rad, 3u}})
            putU32(sfx, static_cast<std::uint32_t>(valueOf(*field, prefix)));
        sfx += static_cast<char>(flagsOf(c.record));
        putU16(sfx, static_cast<std::uint32_t>(c.sampleIndexes.size()));
        for (const std::uint32_t index : c.sampleIndexes) putU32(sfx, index);
    }
    for (std::size_t i = 0; i < packed.sampleFiles.size(); ++i) {
        putText16(sfx, packed.sampleFiles[i]);
        putU32(sfx, static_cast<std::uint32_t>(data[i].size()));
        sfx += data[i];
    }
    return packed;
}

int run(const fs::path& dir, const std::vector<std::string>& args, std::ostream& out,
        std::ostream& err) {
    if (args.size() != 2 || !isUsableName(args[0]) || !isUsableName(args[1])) {
        err << "usage: sndpack NAME LETTER  (a WAD file name and its letter, no blanks)\n";
        return 2;
    }
    const std::string& name = args[0];
    const std::string& letter = args[1];
    const auto soundsPath = findIn(dir, "Sounds.txt");
    const auto sounds = soundsPath ? readFile(*soundsPath) : std::nullopt;
    if (!sounds) {
        err << "sndpack: cannot read Sounds.txt in " << dir.string() << "\n";
        return 1;
    }
    const auto samplesDir = findIn(dir.parent_path(), "Samples");
    const Packed packed =
        pack(*sounds, letter, [&](const std::string& file) -> std::optional<std::string> {
            if (!samplesDir) return std::nullopt;
            const auto path = findIn(*samplesDir, file);
            return path ? readFile(*path) : std::nullopt;
        });
    if (!packed.missing.empty()) {
        for (const std::string& file : packed.missing)
            err << (staysInSamplesFolder(file) ? "sndpack: missing sample "
                                               : "sndpack: sample outside the Samples folder ")
                << file << "\n";
        err << "sndpack: nothing written\n";
        return 1;
    }
    if (packed.soundCount == 0) {
        err << "sndpack: no sound carries #" << letter << "; nothing written\n";
        return 1;
    }
    for (const auto& [extension, bytes] : {std::pair{".SAM", &packed.sam}, {".SFX", &packed.sfx}}) {
        if (!writeFile(dir / (name + extension), *bytes)) {
            err << "sndpack: cannot write " << name << extension << "\n";
            return 1;
        }
    }
    out << "sndpack: " << name << ".SAM and " << name << ".SFX written: " << packed.soundCount
        << " sounds with #" << letter << ", " << packed.sampleFiles.size() << " samples\n";
    return 0;
}

} // namespace sndpack
