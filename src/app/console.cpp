#include "console.h"

#include "actions/check.h"
#include "actions/startup.h"
#include "app_dir.h"
#include "captions.h"
#include "platform/os_files.h"
#include "session/paths.h"
#include "text_codec.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <string_view>

namespace kestrel::app {

namespace {

void print(std::FILE* to, const QString& line) {
    const QByteArray bytes = (line + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
}

// Messages go to the error stream; every question gets its cautious answer.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(const Language& language) : language_(language) {}
    Answer message(Msg id, const std::vector<std::string>& args) override {
        ui::MessageText text = ui::messageText(id, language_, args);
        print(stderr, text.title + QStringLiteral(": ") + text.text.replace(u'\n', u' '));
        switch (styleOf(id).buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::YesNo:
        case Buttons::YesNoShow: return Answer::No;
        case Buttons::OkCancel:
        case Buttons::ApplyDiscardCancel: return Answer::Cancel;
        }
        return Answer::Cancel;
    }
    std::optional<std::string> openFile(FileDialog, const std::string&) override {
        return std::nullopt;
    }
    void focus(std::string_view) override {}

private:
    const Language& language_;
};

// The check plays nothing and starts nothing.
class NoSound : public Sound {
public:
    Status play(const std::string&) override { return Status::failure("no sound here"); }
    bool hasOutput() override { return false; }
};

class NoPrograms : public Programs {
public:
    Status start(const std::string&, const std::vector<std::string>&, const std::string&) override {
        return Status::failure("no programs here");
    }
    StartedProcess startBatch(const BatchLaunch&) override {
        return {Status::failure("no programs here"), 0};
    }
    bool isRunning(ProcessId) override { return false; }
    Status openTextFile(const std::string&) override { return Status::failure("no editor here"); }
};

bool asksForNoWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--check" || arg == "--help" || arg == "-h" || arg == "-?" ||
            arg == "--version" || arg == "-v")
            return true;
    }
    return false;
}

// Prints the findings of the check of the saved catalogue; the exit code:
// 0 no error, 1 errors, 2 the catalogue could not be loaded.
int checkFromCommandLine(const std::string& appDir) {
    MainState state;
    state.dirs.appDir = appDir;
    ConsoleDialogs dialogs(state.language);
    OsFiles files;
    NoSound sound;
    NoPrograms programs;
    Ports ports{dialogs, files, sound, programs};
    if (loadSavedCatalogue(state, ports) != StartOutcome::Ready) return 2;

    const std::vector<Finding> findings = checkCatalogue(state, ports);
    const std::vector<int> fileLines = fileLineOfSounds(state.soundsFile, state.soundCount());
    const QString sounds = ui::fromUtf8Text(soundsPath(state));
    for (const Finding& f : findings) {
        const Severity severity = severityOf(f.problem);
        QString where = sounds + u':';
        if (f.id >= 0) {
            const auto id = static_cast<std::size_t>(f.id);
            where += QStringLiteral("%1: %2 %3:")
                         .arg(fileLines[id])
                         .arg(f.id)
                         .arg(ui::findingSoundName(state, f.id));
        }
        print(stdout, where +
                          (severity == Severity::Error ? QStringLiteral(" error: ")
                                                       : QStringLiteral(" warning: ")) +
                          ui::findingText(f, state.language));
    }
    const int errors = errorCount(findings);
    const int warnings = static_cast<int>(findings.size()) - errors;
    print(stdout, ui::findingsSummary(state.language, errors, warnings));
    return errors ? 1 : 0;
}

} // namespace

std::optional<int> runWithoutWindow(int argc, char* argv[]) {
    if (!asksForNoWindow(argc, argv)) return std::nullopt;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTREL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Kestrel, the sound catalogue editor of the level editor."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption check(
        QStringLiteral("check"),
        QStringLiteral("Check the catalogue, print what is found and exit: 0 when no error is "
                       "found, 1 when one is, 2 when the catalogue cannot be loaded."));
    const QCommandLineOption appDir(
        QStringLiteral("appdir"),
        QStringLiteral("The program's folder, with Kestrel's data files and settings."),
        QStringLiteral("DIR"));
    parser.addOption(check);
    parser.addOption(appDir);
    parser.process(app); // --help and --version print and exit here

    const std::string exeDir =
        ui::toUtf8Text(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    const std::string folder = parser.isSet(appDir) ? ui::toUtf8Text(parser.value(appDir))
                                                    : programFolder({}, appDirVariable(), exeDir);
    return checkFromCommandLine(folder);
}

} // namespace kestrel::app
