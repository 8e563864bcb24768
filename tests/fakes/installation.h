#pragma once
// A small level-editor installation and program folder laid out in the fake
// file system.

#include "actions/catalogue.h"
#include "actions/marks.h"
#include "actions/startup.h"
#include "fake_ports.h"
#include "format/record_file.h"
#include "format/settings.h"
#include "session/main_state.h"

#include <string>
#include <vector>

namespace kestrel::testing {

struct Installation {
    std::string appDir = "/app/";
    std::string editorDir = "/games/lvedit/";
    std::vector<std::string> sounds;
    std::vector<std::string> defaults;
    std::string wadTable = "\"Harbour\",\"a\",\"HARBOUR\"\r\n\"Bridge\",\"b\",\"BRIDGE\"\r\n";
    std::string doubles;
    std::string objects = "* Ennemies\r\nCRANE                     2  001 002\r\n";
    Settings settings{"/", "/games/lvedit/", "a", "HARBOUR", Language::English};

    std::string sfxDir() const { return editorDir + "sound/LevelSFX Creator/"; }

    std::string pathOf(const std::string& name) const {
        return name == "Sounds.txt" ? sfxDir() + name : appDir + name;
    }

    // "SOUNDn:" lines carrying #a, for catalogues of any size.
    static std::vector<std::string> numberedSounds(int count) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back("SOUND" + std::to_string(i) + ":\ts" + std::to_string(i) +
                            "\tVOL01\t#a");
        return lines;
    }

    void writeFiles(FakeFiles& files, bool withSettings = true) const {
        files.files[pathOf("Sounds.txt")] = joinLinesCrLf(sounds);
        files.files[pathOf("Kestrel.tos")] = joinLinesCrLf(defaults.empty() ? sounds : defaults);
        files.files[pathOf("Kestrel.tow")] = wadTable;
        if (!doubles.empty()) files.files[pathOf("Kestrel.tod")] = doubles;
        if (!objects.empty()) files.files[pathOf("Kestrel.too")] = objects;
        if (withSettings) files.files[pathOf("Kestrel.par")] = formatSettings(settings);
    }

    // The files, and a state whose folders point at them (as after start-up).
    MainState install(FakeFiles& files) const {
        writeFiles(files);
        MainState state;
        state.dirs.appDir = appDir;
        applySettings(state, settings);
        return state;
    }
};

// An installation laid out, its catalogue read and its rows marked, as the
// main window has it after start-up.
struct Loaded {
    FakePorts fake;
    MainState state;

    explicit Loaded(const Installation& inst) : state(inst.install(fake.files)) {
        loadCatalogue(state, fake.ports);
        markSoundList(state, -1);
    }
    std::string line(int id) const {
        return std::string(state.liText[static_cast<std::size_t>(id)]);
    }
    void setLine(int id, std::string_view line) {
        state.liText.set(static_cast<std::size_t>(id), line);
    }
};

} // namespace kestrel::testing
