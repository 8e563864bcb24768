// Kestrel: the sound catalogue editor that works beside the level editor.

#include "app_dir.h"
#ifdef KESTREL_AUTOMATION
#include "automation.h"
#endif
#include "actions/startup.h"
#include "console.h"
#include "fm_sfx.h"
#include "platform/os_files.h"
#include "qt_dialogs.h"
#include "qt_programs.h"
#include "qt_sound.h"

#include <QApplication>
#include <QDir>

#include <cstdlib>

int main(int argc, char* argv[]) {
    if (const auto code = kestrel::app::runWithoutWindow(argc, argv)) return *code;
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);

    std::vector<std::string> args;
    for (const QString& a : QApplication::arguments())
        args.push_back(a.toLocal8Bit().toStdString());
    const std::string exeDir =
        QDir::toNativeSeparators(QApplication::applicationDirPath()).toLocal8Bit().toStdString();

    kestrel::MainState state;
    state.dirs.appDir = kestrel::withDirSep(
        kestrel::app::programFolder(args, std::getenv("KESTREL_APPDIR"), exeDir));

    kestrel::ui::QtDialogs dialogs([&state] { return state.language; });
    kestrel::OsFiles files;
    kestrel::app::QtSound sound;
    kestrel::app::QtPrograms programs;
    kestrel::Ports ports{dialogs, files, sound, programs};

    kestrel::ui::FmSFX window(state, ports);
    dialogs.setWindow(&window);
    if (!window.start()) return 0;
    window.show();
#ifdef KESTREL_AUTOMATION
    kestrel::app::runScriptFromEnvironment(window);
#endif
    return QApplication::exec();
}
