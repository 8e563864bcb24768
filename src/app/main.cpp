// Kestrel: the sound catalogue editor that works beside the level editor.

#include "app_dir.h"
#ifdef KESTREL_AUTOMATION
#include "automation.h"
#endif
#include "actions/startup.h"
#include "console.h"
#include "first_paint.h"
#include "fm_sfx.h"
#include "lazy_sound.h"
#include "platform/os_files.h"
#include "qt_dialogs.h"
#include "qt_programs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace {

// Kestrel's icon, from its plain pixels: no image file is decoded at start.
QIcon windowIcon() {
    constexpr int side = 64;
    QFile file(QStringLiteral(":/kestrel-64.rgba"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray pixels = file.readAll();
    if (pixels.size() != side * side * 4) return {};
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), side, side,
                       QImage::Format_RGBA8888);
    return QIcon(QPixmap::fromImage(image.copy()));
}

} // namespace

int main(int argc, char* argv[]) {
    if (const auto code = kestrel::app::runWithoutWindow(argc, argv)) return *code;
    QApplication app(argc, argv);
    // The taskbar and the window manager show Kestrel's icon and find its
    // desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("kestrel"));
    QApplication::setWindowIcon(windowIcon());

    // Paths are UTF-8, as Qt's standard strings are.
    std::vector<std::string> args;
    for (const QString& a : QApplication::arguments()) args.push_back(a.toStdString());
    const std::string exeDir =
        QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString();

    kestrel::MainState state;
    state.dirs.appDir = kestrel::withDirSep(
        kestrel::app::programFolder(args, kestrel::app::appDirVariable(), exeDir));

    kestrel::ui::QtDialogs dialogs([&state] { return state.language; });
    kestrel::OsFiles files;
    kestrel::app::LazySound sound(QApplication::applicationDirPath() + QStringLiteral("/modules"));
    kestrel::app::QtPrograms programs;
    kestrel::Ports ports{dialogs, files, sound, programs};

    kestrel::ui::FmSFX window(state, ports);
    dialogs.setWindow(&window);
#ifdef KESTREL_AUTOMATION
    // Before the start, so that a script can answer the first start's dialog
    // (Qt's own file dialog, which a script can drive).
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    kestrel::app::runScriptFromEnvironment(window);
#endif
    kestrel::app::quitAfterFirstPaintIfAsked(window);
    if (!window.start()) return 0;
    window.show();
    return QApplication::exec();
}
