#include "captions.h"

#include "controls.h"
#include "format/ansi.h"
#include "text_codec.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QWidget>

namespace kestrel::ui {

namespace {

using R = TextRole;

constexpr ControlText kMainWindowTexts[] = {
    {"CdEdit", R::Tooltip, "Open Sounds.txt file", "Ouvrir Sounds.txt"},
    {"CdCopy", R::Tooltip, "Generate SFX file", "Générer le fichier SFX"},
    {"CdSelLE", R::Tooltip, "Select Level editor", "Choisir l'éditeur de niveaux"},
    {"CdDefaut", R::Tooltip, "Restore defaults", "Restaurer défauts"},
    {"CdHlp", R::Tooltip, "Help", "Aide"},
    {"CdStop", R::Tooltip, "Close", "Fermer"},
    {"CdMajVal", R::Tooltip, "Accept values", "Accepter les valeurs"},
    {"CdPlay", R::Tooltip, "Play selected sample", "Jouer le sample"},
    {"CdRename", R::Tooltip, "Rename selected sample", "Renommer le sample"},
    {"CdLook", R::Tooltip, "Search", "Recherche"},
    {"CdAddWAD", R::Tooltip, "Add Letter or Object", "Ajouter Lettre ou Objet"},
    {"CdDel", R::Tooltip, "Remove Letter or Object", "Enlever Lettre ou Objet"},
    {"CdOBJ", R::Tooltip, "Show/Hide object selection", "Afficher/Cacher la sélection d'objets"},
    {"CdEfface", R::Tooltip, "Erase object name", "Effacer le nom d'objet"},
    {"CdErase", R::Tooltip, "Remove letter from every lines",
     "Enlever la lettre de toutes les lignes"},
    {"CdShow", R::Tooltip, "Show/Hide #g sounds", "Afficher/Cacher les sons #g"},
    {"CdValidW", R::Tooltip, "Apply changes to sounds.txt",
     "Appliquer les modifications à sounds.txt"},
    {"CdDoub", R::Tooltip, "Manage doubles", "Gérer les doublons"},
    {"CdRstWAD", R::Tooltip, "Restore original line", "Restaurer la ligne d'origine"},
    {"Label11", R::Caption, "Sound ID", "ID sons"},
    {"Label4", R::Caption, "Sample Values", "Valeurs Sample"},
    {"LbSonN", R::Caption, "Samples names", "Noms Samples"},
    {"Label1", R::Caption, "Allocated WADs (letters)", "WADs (lettres) assignés"},
    {"Label5", R::Caption, "Letter", "Lettre"},
    {"Label17", R::Caption, "Object", "Objet"},
    {"Label3", R::Caption, "Text/Sample/ID", "Texte/Sample/ID"},
    {"Label10", R::Caption, "Name", "Nom"},
    {"Label2", R::Caption, "Orig.", "Orig."},
    {"Label16", R::Caption, "Mod.", "Mod."},
    {"Frame1", R::Caption, "Search", "Rechercher"},
    {"Frame3", R::Caption, "Letters", "Lettres"},
    {"Frame4", R::Caption, "Wad", "Wad"},
    {"OpSens0", R::Caption, "Down", "Bas"},
    {"OpSens1", R::Caption, "Up", "Haut"},
    {"OpLang0", R::Tooltip, "English display", "Affichage en Anglais"},
    {"OpLang1", R::Tooltip, "French display", "Affichage en Français"},
    {"CkUL", R::Caption, "Upper/Lower Case sensitive", "Respecter la casse"},
    {"CdChanges", R::Tooltip, "Changes not applied (Ctrl+D)",
     "Modifications non appliquées (Ctrl+D)"},
    {"CdHistory", R::Tooltip, "Versions of Sounds.txt kept", "Versions gardées de Sounds.txt"},
    {"CdCheck", R::Tooltip, "Check the catalogue", "Vérifier le catalogue"},
    {"CdStopWait", R::Caption, "Stop waiting", "Ne plus attendre"},
    {"CdStopWait", R::Tooltip, "Give the window back; the build goes on in its console",
     "Rendre la fenêtre ; la génération continue dans sa console"},
    // Names for screen readers where no caption or tooltip says it (or only
    // the frame's title does).
    {"TxLig", R::Name, "Original and modified line", "Ligne d'origine et ligne modifiée"},
    {"TxSamp", R::Name, "New name of the sample", "Nouveau nom du sample"},
    {"CdLook", R::Name, "Find the next sound", "Trouver le son suivant"},
};

constexpr ControlText kObjectDialogTexts[] = {
    {"Label3", R::Caption, "Select object to Add or Remove", "Choisir l'objet à Ajouter/Enlever"},
    {"Label1", R::Caption, "Object type", "Type d'Objet"},
    {"Label2", R::Caption, "Object name", "Noms objets"},
};

constexpr ControlText kDoublesDialogTexts[] = {
    {"FmDoub", R::Title, "Manage doubles", "Gérer les doublons"},
    {"Label11", R::Caption, "  ID          Sound name                        Samples",
     "  ID          Nom du son                        Samples"},
    {"Label1", R::Caption, "Unselected sounds will never be applied when loading SAM",
     "Les sons non cochés ne seront jamais appliqués lors du chargement du fichier SAM"},
    {"CdOK", R::Caption, "OK", "OK"},
    {"CdCancel", R::Caption, "Cancel", "Annuler"},
};

constexpr ControlText kChangesDialogTexts[] = {
    {"FmChanges", R::Title, "Changes not applied", "Modifications non appliquées"},
    {"Label1", R::Caption,
     "Each sound: its line in Sounds.txt above the line Apply would write. Double-click a sound "
     "to open it.",
     "Chaque son : sa ligne dans Sounds.txt au-dessus de celle qu'Appliquer écrirait. "
     "Double-cliquer "
     "un son pour l'ouvrir."},
    {"LbNone", R::Caption, "No sound carries a change that is not applied.",
     "Aucun son ne porte de modification non appliquée."},
    {"CdRevert", R::Caption, "Revert the chosen sounds", "Ramener les sons choisis"},
    {"CdRevert", R::Tooltip, "Give the chosen sounds their lines in Sounds.txt again",
     "Redonner aux sons choisis leurs lignes de Sounds.txt"},
    {"CdClose", R::Caption, "Close", "Fermer"},
};

constexpr ControlText kHistoryDialogTexts[] = {
    {"FmHistory", R::Title, "Versions of Sounds.txt", "Versions de Sounds.txt"},
    {"Label1", R::Caption, "Versions of Sounds.txt that Kestrel replaced, newest first",
     "Versions de Sounds.txt remplacées par Kestrel, la plus récente d'abord"},
    {"Label2", R::Caption,
     "Each sound that differs: the kept line above the line in Sounds.txt now",
     "Chaque son qui diffère : la ligne gardée au-dessus de la ligne actuelle de Sounds.txt"},
    {"LbNone", R::Caption,
     "No version of Sounds.txt has been kept yet: one is kept each time Kestrel replaces it.",
     "Aucune version de Sounds.txt n'est encore gardée : une l'est chaque fois que Kestrel le "
     "remplace."},
    {"CdRestoreVersion", R::Caption, "Restore this version", "Restaurer cette version"},
    {"CdClose", R::Caption, "Close", "Fermer"},
};

constexpr ControlText kCheckDialogTexts[] = {
    {"FmCheck", R::Title, "Check the catalogue", "Vérifier le catalogue"},
    {"Label1", R::Caption,
     "What would make a build fail (errors) or is likely a mistake (warnings), in the lines "
     "Apply would write. Double-click a finding to open its sound.",
     "Ce qui ferait échouer une génération (erreurs) ou est sans doute une faute "
     "(avertissements), dans les lignes qu'Appliquer écrirait. Double-cliquer une remarque pour "
     "ouvrir son son."},
    {"LbNone", R::Caption, "Nothing found: the catalogue is ready for a build.",
     "Rien trouvé : le catalogue est prêt pour une génération."},
    {"CdRefresh", R::Caption, "Check again", "Vérifier à nouveau"},
    {"CdClose", R::Caption, "Close", "Fermer"},
};

struct TextPair {
    const char* english;
    const char* french;
};

constexpr TextPair kObjectTypes[] = {
    {"Ennemies", "Ennemis"},   {"Friends", "Amis"},  {"Miscellaneous", "Divers"},
    {"Vehicles", "Véhicules"}, {"Doors", "Portes"},  {"Switches", "Interrupteurs"},
    {"Traps", "Pièges"},       {"Loops", "Boucles"},
};

void setCaption(QWidget& w, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&w))
        label->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(&w))
        box->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(&w))
        button->setText(text);
}

// Replaces "%1" to "%9" in one pass, so an argument that itself holds a
// "%2" is shown as it is.
QString fillArguments(const QString& text, const std::vector<std::string>& args) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            const auto n = static_cast<std::size_t>(text[i + 1].unicode() - u'1');
            if (n < args.size()) {
                out += fromUtf8Text(shownArgument(args[n]));
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

std::span<const ControlText> mainWindowTexts() {
    return kMainWindowTexts;
}
std::span<const ControlText> objectDialogTexts() {
    return kObjectDialogTexts;
}
std::span<const ControlText> doublesDialogTexts() {
    return kDoublesDialogTexts;
}
std::span<const ControlText> changesDialogTexts() {
    return kChangesDialogTexts;
}
std::span<const ControlText> historyDialogTexts() {
    return kHistoryDialogTexts;
}
std::span<const ControlText> checkDialogTexts() {
    return kCheckDialogTexts;
}

QStringList findingColumns(Language language) {
    return {pick(language, "Severity", "Gravité"), QStringLiteral("ID"),
            pick(language, "Name", "Nom"), pick(language, "Finding", "Remarque")};
}

QStringList historyColumns(Language language) {
    return {pick(language, "Kept on", "Gardée le"), pick(language, "Size", "Taille"),
            pick(language, "Sounds that differ", "Sons qui diffèrent")};
}

namespace {

QString soundCount(Language language, int n) {
    return n == 1 ? pick(language, "1 sound", "1 son")
                  : pick(language, "%1 sounds", "%1 sons").arg(n);
}

} // namespace

QString stepName(Language language, const EditStep& step) {
    const QString detail = fromAnsi(step.detail);
    const QString sounds = soundCount(language, step.sounds);
    switch (step.kind) {
    case StepKind::AcceptValues:
        return pick(language, "accept the values of sound %1", "accepter les valeurs du son %1")
            .arg(step.firstSound());
    case StepKind::RenameSample:
        return pick(language, "rename a sample of sound %1", "renommer un sample du son %1")
            .arg(step.firstSound());
    case StepKind::Letter:
    case StepKind::GiveLetter:
        return pick(language, "give %1 to %2", "donner %1 à %2").arg(detail, sounds);
    case StepKind::TakeLetter:
        return pick(language, "take %1 from %2", "retirer %1 de %2").arg(detail, sounds);
    case StepKind::EraseLetter:
        return pick(language, "remove %1 from every line (%2)",
                    "enlever %1 de toutes les lignes (%2)")
            .arg(detail, sounds);
    case StepKind::RestoreLine:
        return pick(language, "restore the original line of sound %1",
                    "restaurer la ligne d'origine du son %1")
            .arg(step.firstSound());
    case StepKind::StripProtected:
        return pick(language, "take the letters of protected sounds (%1)",
                    "retirer les lettres des sons protégés (%1)")
            .arg(sounds);
    case StepKind::ImportList:
        return pick(language, "load %1 (%2)", "charger %1 (%2)").arg(detail, sounds);
    case StepKind::RevertSounds:
        return pick(language, "bring back %1 from Sounds.txt", "ramener %1 de Sounds.txt")
            .arg(sounds);
    }
    return {};
}

QString undoTip(Language language, const EditStep* step) {
    if (!step) return pick(language, "Undo (Ctrl+Z)", "Annuler (Ctrl+Z)");
    return pick(language, "Undo: %1 (Ctrl+Z)", "Annuler : %1 (Ctrl+Z)")
        .arg(stepName(language, *step));
}

QString redoTip(Language language, const EditStep* step) {
    if (!step) return pick(language, "Redo (Ctrl+Shift+Z)", "Rétablir (Ctrl+Maj+Z)");
    return pick(language, "Redo: %1 (Ctrl+Shift+Z)", "Rétablir : %1 (Ctrl+Maj+Z)")
        .arg(stepName(language, *step));
}

QString changesNote(Language language, int changed, int applied) {
    if (changed > 0)
        return changed == 1
                   ? pick(language, "1 sound changed, not applied", "1 son modifié, non appliqué")
                   : pick(language, "%1 sounds changed, not applied",
                          "%1 sons modifiés, non appliqués")
                         .arg(changed);
    if (applied >= 0)
        return pick(language, "Sounds.txt written: %1 changed", "Sounds.txt écrit : %1 modifiés")
            .arg(soundCount(language, applied));
    return {};
}

QString loadListTip(Language language, bool wasList) {
    return wasList ? pick(language, "Load WAS file", "Charger le fichier WAS")
                   : pick(language, "Load SAM file", "Charger le fichier SAM");
}

QString answerText(Answer answer, Language language) {
    switch (answer) {
    case Answer::Ok: return QStringLiteral("OK");
    case Answer::Cancel: return pick(language, "Cancel", "Annuler");
    case Answer::Yes: return pick(language, "Yes", "Oui");
    case Answer::No: return pick(language, "No", "Non");
    case Answer::Apply: return pick(language, "Apply", "Appliquer");
    case Answer::Discard: return pick(language, "Discard", "Abandonner");
    case Answer::Show: return pick(language, "Show", "Afficher");
    }
    return {};
}

QString helpMissingNote(Language language, const std::string& path) {
    return pick(language, "The help file %1 is missing or cannot be read.",
                "Le fichier d'aide %1 est absent ou illisible.")
        .arg(fromUtf8Text(path));
}

QStringList objectTypeNames(Language language) {
    QStringList names;
    for (const TextPair& t : kObjectTypes) names.append(pick(language, t.english, t.french));
    return names;
}

QString pick(Language language, const char* english, const char* french) {
    return QString::fromUtf8(language == Language::English ? english : french);
}

void applyControlTexts(QWidget& root, std::span<const ControlText> table, Language language) {
    const Controls controls(root);
    for (const ControlText& t : table) {
        const QString text = pick(language, t.english, t.french);
        if (t.role == TextRole::Title) {
            root.setWindowTitle(text);
            continue;
        }
        QWidget* w = controls(t.control);
        if (!w) continue;
        if (t.role == TextRole::Tooltip) {
            w->setToolTip(text);
            w->setAccessibleDescription(text);
            const auto* button = qobject_cast<QAbstractButton*>(w);
            if (button && button->text().isEmpty()) w->setAccessibleName(text);
        } else if (t.role == TextRole::Name) {
            w->setAccessibleName(text);
        } else {
            setCaption(*w, text);
        }
    }
}

MessageText messageText(Msg id, Language language, const std::vector<std::string>& args) {
    const MsgTexts t = textsOf(id);
    MessageText out{pick(language, t.englishTitle, t.frenchTitle),
                    pick(language, t.englishText, t.frenchText)};
    out.text = fillArguments(out.text, args);
    return out;
}

QString findingText(const Finding& finding, Language language) {
    const FindingTexts t = textsOf(finding.problem);
    return fillArguments(pick(language, t.english, t.french), {utf8FromAnsi(finding.subject)});
}

QString severityName(Severity severity, Language language) {
    return severity == Severity::Error ? pick(language, "Error", "Erreur")
                                       : pick(language, "Warning", "Avertissement");
}

QString findingsSummary(Language language, int errors, int warnings) {
    const QString e = errors == 1 ? pick(language, "1 error", "1 erreur")
                                  : pick(language, "%1 errors", "%1 erreurs").arg(errors);
    const QString w = warnings == 1
                          ? pick(language, "1 warning", "1 avertissement")
                          : pick(language, "%1 warnings", "%1 avertissements").arg(warnings);
    return e + QStringLiteral(", ") + w;
}

QString findingSoundName(const MainState& state, int id) {
    if (id < 0 || id >= state.soundCount()) return {};
    const std::string name = parseSoundLine(state.liText[static_cast<std::size_t>(id)]).name;
    return fromAnsi(name.empty() ? name : name.substr(0, name.size() - 1));
}

QString sampleNote(Language language, const std::string& sample, const SampleView& view) {
    const QString file = fromAnsi(sample) + QStringLiteral(".wav");
    switch (view.shown) {
    case SampleView::Shown::None: return {};
    case SampleView::Shown::Missing: return pick(language, "%1 is missing", "%1 manque").arg(file);
    case SampleView::Shown::Unreadable:
        return pick(language, "%1 is not a wave file", "%1 n'est pas un fichier wave").arg(file);
    case SampleView::Shown::Format:
    case SampleView::Shown::Wave: break;
    }
    const WavFormat& f = view.format;
    const QLocale locale(language == Language::French ? QLocale::French : QLocale::English);
    const QString channels = f.channels == 1 ? pick(language, "mono", "mono")
                             : f.channels == 2
                                 ? pick(language, "stereo", "stéréo")
                                 : pick(language, "%1 channels", "%1 canaux").arg(f.channels);
    QString note = pick(language, "%1 s · %2 Hz · %3 · %4 bit", "%1 s · %2 Hz · %3 · %4 bits")
                       .arg(locale.toString(f.seconds(), 'f', 2))
                       .arg(f.sampleRate)
                       .arg(channels)
                       .arg(f.bits);
    if (view.shown == SampleView::Shown::Format)
        note += pick(language, " · format not shown", " · format non affiché");
    return note;
}

QString sampleMissingTip(Language language) {
    return pick(language, "No .wav in the samples folder",
                "Pas de .wav dans le dossier des samples");
}

FileDialogText fileDialogText(FileDialog which, Language language) {
    switch (which) {
    case FileDialog::LevelEditor:
        return {pick(language, "Select Level editor", "Choisir l'éditeur de niveaux"),
                pick(language, "Level editor (mapforge.exe)", "Éditeur de niveaux (mapforge.exe)")};
    case FileDialog::SamList:
        return {pick(language, "Open SAM file", "Ouvrir le fichier SAM"),
                pick(language, "SAM file (*.SAM)", "Fichier SAM (*.SAM)")};
    }
    return {};
}

QString buildNote(Language language, const BuildState& build) {
    const QString name = fromAnsi(build.wadName);
    if (build.phase == BuildPhase::Waiting) {
        const QString note =
            pick(language, "Building %1.SAM and .SFX…", "Génération de %1.SAM et .SFX…").arg(name);
        return build.elapsed < 1000 ? note
                                    : note + QStringLiteral(" %1 s").arg(build.elapsed / 1000);
    }
    if (build.justBuilt)
        return pick(language, "%1.SAM and .SFX are in the wads folder",
                    "%1.SAM et .SFX sont dans le répertoire wads")
            .arg(name);
    if (build.buildOver)
        return pick(language, "The build of %1 is over; check the wads folder",
                    "La génération de %1 est terminée ; vérifier le répertoire wads")
            .arg(name);
    if (build.phase == BuildPhase::Released)
        return pick(language, "The build of %1 goes on in its console",
                    "La génération de %1 continue dans sa console")
            .arg(name);
    return {};
}

QString lineFrameCaption(Language language, const std::optional<std::string>& nameField) {
    if (!nameField) return pick(language, "Line in sounds.txt", "Ligne dans sounds.txt");
    return pick(language, "Line in sounds.txt = ", "Ligne dans sounds.txt = ") +
           fromAnsi(*nameField);
}

} // namespace kestrel::ui
