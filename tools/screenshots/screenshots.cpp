// Takes pictures of Kestrel's windows on an installation, for the README.
// Usage: kestrel_screenshots APPDIR OUTDIR

#include "fm_doub.h"
#include "fm_sfx.h"
#include "qt_dialogs.h"
#include "objects/object_dialog.h"
#include "session/os_files.h"
#include "session/startup.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>

namespace {

class SilentSound : public kestrel::Sound {
public:
    void play(const std::string&) override {}
};

class NoPrograms : public kestrel::Programs {
public:
    kestrel::Status start(const std::string&, const std::vector<std::string>&,
                          const std::string&) override {
        return kestrel::Status::failure("not started while taking pictures");
    }
    kestrel::StartedProcess startBatch(const std::string&, const std::string&) override {
        return {kestrel::Status::failure("not started while taking pictures"), 0};
    }
    bool isRunning(kestrel::ProcessId) override { return false; }
    kestrel::Status openTextFile(const std::string&) override {
        return kestrel::Status::failure("not started while taking pictures");
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s APPDIR OUTDIR\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    kestrel::MainState state;
    state.dirs.appDir = kestrel::withDirSep(argv[1]);
    kestrel::ui::QtDialogs dialogs([&state] { return state.language; });
    kestrel::OsFiles files;
    SilentSound sound;
    NoPrograms programs;
    kestrel::Ports ports{dialogs, files, sound, programs};
    kestrel::ui::FmSFX window(state, ports);
    dialogs.setWindow(&window);
    if (!window.start()) return 1;
    window.show();

    const auto shoot = [&](kestrel::Language language, const char* name) {
        state.language = language;
        window.redraw();
        QApplication::processEvents();
        const QString path = out + QLatin1Char('/') + QLatin1String(name);
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        return true;
    };
    const auto shootObjects = [&](kestrel::Language language, const char* name) {
        state.language = language;
        window.redraw();
        auto* dialog = window.findChild<QWidget*>(QStringLiteral("FmObjet"));
        dialog->hide();
        dialog->show();
        QApplication::processEvents();
        const QString path = out + QLatin1Char('/') + QLatin1String(name);
        std::printf("%s\n", qPrintable(path));
        return dialog->grab().save(path);
    };
    bool ok = shoot(kestrel::Language::English, "main-window-en.png") &&
              shoot(kestrel::Language::French, "main-window-fr.png");
    // The object dialog with an object chosen.
    kestrel::toggleObjectDialog(state, ports);
    kestrel::pickObjectType(state, 1);
    kestrel::highlightObject(state, 0);
    kestrel::acceptObject(state);
    ok = ok && shootObjects(kestrel::Language::English, "object-dialog-en.png") &&
         shootObjects(kestrel::Language::French, "object-dialog-fr.png") &&
         shoot(kestrel::Language::English, "main-window-object-en.png");
    // The doubles dialog, as it opens.
    for (const auto& [language, name] :
         {std::pair{kestrel::Language::English, "doubles-dialog-en.png"},
          std::pair{kestrel::Language::French, "doubles-dialog-fr.png"}}) {
        state.language = language;
        kestrel::ui::FmDoub doubles(state, ports, &window);
        doubles.show();
        QApplication::processEvents();
        const QString path = out + QLatin1Char('/') + QLatin1String(name);
        std::printf("%s\n", qPrintable(path));
        ok = ok && doubles.grab().save(path);
    }
    // Pictures never change the installation's settings.
    window.hide();
    return ok ? 0 : 1;
}
