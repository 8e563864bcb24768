#include "captions.h"

#include "controls.h"
#include "text_codec.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
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
    {"CdChanges", R::Tooltip, "Changes not applied (Ctrl+D)", "Modifications non appliquées (Ctrl+D)"},
    {"CdHistory", R::Tooltip, "Versions of Sounds.txt kept", "Versions gardées de Sounds.txt"},
    {"CdStopWait", R::Caption, "Stop waiting", "Ne plus attendre"},
    {"CdStopWait", R::Tooltip, "Give the window back; the build goes on in its console",
     "Rendre la fenêtre ; la génération continue dans sa console"},
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
     "Chaque son : sa ligne dans Sounds.txt au-dessus de celle qu'Appliquer écrirait. Double-cliquer "
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
    {"Label2", R::Caption, "Each sound that differs: the kept line above the line in Sounds.txt now",
     "Chaque son qui diffère : la ligne gardée au-dessus de la ligne actuelle de Sounds.txt"},
    {"LbNone", R::Caption, "No version of Sounds.txt has been kept yet: one is kept each time Kestrel replaces it.",
     "Aucune version de Sounds.txt n'est encore gardée : une l'est chaque fois que Kestrel le remplace."},
    {"CdRestoreVersion", R::Caption, "Restore this version", "Restaurer cette version"},
    {"CdClose", R::Caption, "Close", "Fermer"},
};

struct TextPair {
    const char* english;
    const char* french;
};

constexpr TextPair kObjectTypes[] = {
    {"Ennemies", "Ennemis"},     {"Friends", "Amis"},   {"Miscellaneous", "Divers"},
    {"Vehicles", "Véhicules"},   {"Doors", "Portes"},   {"Switches", "Interrupteurs"},
    {"Traps", "Pièges"},         {"Loops", "Boucles"},
};

void setCaption(QWidget& w, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&w))
        label->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(&w))
        box->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(&w))
        button->setText(text);
}

struct MessagePair {
    const char* enTitle;
    const char* enText;
    const char* frTitle;
    const char* frText;
};

MessagePair messagePair(Msg id) {
    switch (id) {
    case Msg::NoEditorSelected:
        return {"Select", "No level editor program selected\nProgram aborted", "Sélection",
                "Pas d'éditeur de niveaux sélectionné.\nProgramme annulé"};
    case Msg::ProtectedLine:
        return {"Select", "This line should not be modified", "Sélection",
                "Cette ligne ne doit pas être modifiée"};
    case Msg::FileUnreadable:
        return {"Missing file", "The file\n%1\ncould not be read: %2", "Fichier manquant",
                "Impossible de lire le fichier\n%1\n%2"};
    case Msg::TooManySounds:
        return {"Sounds",
                "sounds.txt holds %1 sounds, more than the 370 Kestrel is made for.\n"
                "They are all shown and kept, but the doubles and the imports only "
                "know the first 370.",
                "Sons",
                "sounds.txt contient %1 sons, plus que les 370 prévus par Kestrel.\n"
                "Ils sont tous affichés et conservés, mais les doubles et les imports "
                "ne connaissent que les 370 premiers."};
    case Msg::SampleMissingPlay:
        return {"Play", "The sample [%1.wav] doesn't exist\nin %2", "Jouer",
                "Le sample [%1.wav] n'existe pas\ndans %2"};
    case Msg::SampleHasSpace:
        return {"Rename", "Incorrect sample name : no space", "Renommer",
                "Nom de sample incorrect : pas d'espace"};
    case Msg::SampleTooLong:
        return {"Rename", "Sample name too long", "Renommer", "Nom de sample trop long"};
    case Msg::SampleMissingRename:
        return {"Rename", "The sample [%1.wav] doesn't exist\nin %2", "Renommer",
                "Le sample [%1.wav] n'existe pas\ndans %2"};
    case Msg::ApplyConfirm:
        return {"Modification",
                "Confirm modification\nAll the changes will be applied to the [sounds.txt] file",
                "Modification",
                "Confirmer la modification\nTous les changements seront appliqués au fichier "
                "[sounds.txt]"};
    case Msg::ApplyIncomplete:
        return {"Modification",
                "sounds.txt or a file of Kestrel could not be read completely.\n"
                "Nothing is written, so that no sound is lost.",
                "Modification",
                "sounds.txt ou un fichier de Kestrel n'a pas pu être lu entièrement.\n"
                "Rien n'est écrit, pour qu'aucun son ne soit perdu."};
    case Msg::SoundsChangedOnDisk:
        return {"Modification",
                "%1\nwas changed since Kestrel read it.\nReplace it with Kestrel's lines?",
                "Modification",
                "%1\na été modifié depuis que Kestrel l'a lu.\n"
                "Le remplacer par les lignes de Kestrel ?"};
    case Msg::FileNotWritten:
        return {"Write", "The file\n%1\ncould not be written: %2\nIt was left as it was.",
                "Écriture",
                "Impossible d'écrire le fichier\n%1\n%2\nIl est resté tel quel."};
    case Msg::CustomLinesNotSaved:
        return {"Modification",
                "sounds.txt was written, but not the custom lines of the WAD\n%1\n%2",
                "Modification",
                "sounds.txt a été écrit, mais pas les lignes personnalisées du WAD\n%1\n%2"};
    case Msg::RestoreConfirm:
        return {"Restore", "Restore original 'sounds.txt'", "Restaurer",
                "Restaurer le fichier 'sounds.txt' d'origine"};
    case Msg::NoDefaults:
        return {"Restore",
                "No defaults found. Check your installation of Kestrel.\nRestore function aborted",
                "Restaurer",
                "Aucun fichier d'origine trouvé. Vérifier l'installation de Kestrel.\n"
                "Fonction de restauration annulée"};
    case Msg::AddNoLetterOrWad:
        return {"Add", "Type a letter and a name for the allocated WAD", "Ajouter",
                "Entrer une lettre et un nom de WAD"};
    case Msg::AddConflict:
        return {"Add", "WAD (letter) already allocated to this sound", "Ajouter",
                "WAD (lettre) déjà assigné à ce son"};
    case Msg::RemoveGeneric:
        return {"Remove", "Letter [#g] shoudn't be removed", "Enlever",
                "La Lettre [#g] ne peut pas être retirée"};
    case Msg::RemoveNoSelection:
        return {"Remove", "Select a letter in the [Assigned WADs] list", "Enlever",
                "Sélectionner une lettre dans la liste"};
    case Msg::EraseNoLetter:
        return {"Remove all", "Type a letter first", "Enlever tout", "Entrer d'abord une lettre"};
    case Msg::EraseConfirm:
        return {"Remove all", "Remove all [#%1] from Sound ID list", "Enlever tout",
                "Enlever toutes les lettres [#%1] de la liste ID Sons"};
    case Msg::ShowGNoLetter:
        return {"Show #g sounds", "Type a letter first", "Afficher sons #g",
                "Entrer d'abord une lettre"};
    case Msg::LetterReserved:
        return {"Letter", "Letter [#g] shouldn't be selected", "Lettre",
                "Lettre [#g] non autorisée"};
    case Msg::LetterInTable:
        return {"Letter", "The letter [%1] is already used for %2\nUse it anyway", "Lettre",
                "La lettre [%1] est déjà assignée à %2\nFaut-il l'utiliser quand même"};
    case Msg::RemoveObjectNoLetter:
        return {"Remove", "Type a letter first", "Enlever", "Entrer d'abord une lettre"};
    case Msg::WadListNoLetter:
        return {"Load SAM file", "Type a letter first", "Charger fichier SAM",
                "Entrer d'abord une lettre"};
    case Msg::NoSamFile:
        return {"Load SAM file", "No %1.SAM in \\wads folder", "Charger fichier SAM",
                "Aucun %1.SAM dans le répertoire \\wads"};
    case Msg::NoWasFile:
        return {"Load WAS file", "No %1.WAS in \\wads folder", "Charger fichier WAS",
                "Aucun %1.WAS dans le répertoire \\wads"};
    case Msg::SamImportConfirm:
        return {"Load SAM file", "Open %1.SAM and assign [#%2] to included sounds",
                "Charger fichier SAM", "Ouvrir %1.SAM et assigner [#%2] aux sons incorporés"};
    case Msg::WasImportConfirm:
        return {"Load WAS file", "Open %1.WAS and assign [#%2] to included objects",
                "Charger fichier WAS", "Ouvrir %1.WAS et assigner [#%2] aux objets incorporés"};
    case Msg::SamplesUnrecognized:
        return {"Load SAM file", "Some samples in %1.SAM (like %2) are not recognized",
                "Charger fichier SAM",
                "Certains samples dans %1.SAM (comme %2) ne sont pas reconnus"};
    case Msg::WadNameUnsafe:
        return {"WAD name",
                "The WAD name [%1] cannot be used: it names files and stands in a command.\n"
                "Use letters, digits and signs, without blanks or \\ / : * ? \" < > | & ^ %",
                "Nom de WAD",
                "Le nom de WAD [%1] n'est pas utilisable : il nomme des fichiers et figure "
                "dans une commande.\nUtiliser des lettres, des chiffres et des signes, sans "
                "espace ni \\ / : * ? \" < > | & ^ %"};
    case Msg::LetterUnsafe:
        return {"Letter",
                "The letter [%1] cannot be used: it stands in a command.\n"
                "Use letters or digits, without blanks or \\ / : * ? \" < > | & ^ %",
                "Lettre",
                "La lettre [%1] n'est pas utilisable : elle figure dans une commande.\n"
                "Utiliser des lettres ou des chiffres, sans espace ni \\ / : * ? \" < > | & ^ %"};
    case Msg::BuildNoLetterOrWad:
        return {"Generate SFX", "Type a letter and a name for the WAD", "Générer SFX",
                "Entrer une lettre et un nom de WAD"};
    case Msg::BuildConfirm:
        return {"Generate SFX",
                "Confirm generation\n%1.SAM and .SFX files will be created from [sounds.txt]",
                "Générer SFX",
                "Confirmer la génération\nLes fichiers %1.SAM et .SFX seront créés en "
                "fonction de [sounds.txt]"};
    case Msg::BuildNoFolder:
        return {"Generate SFX",
                "The sound compiler folder\n%1\nwas not found. Nothing was built.",
                "Générer SFX",
                "Le répertoire du compilateur de sons\n%1\nest introuvable. Rien n'a été "
                "généré."};
    case Msg::BuildNotStarted:
        return {"Generate SFX", "The batch file\n%1\ncould not be started: %2",
                "Générer SFX", "Impossible de lancer le fichier\n%1\n%2"};
    case Msg::BuildFailed:
        return {"Generate SFX",
                "The build ended, but %1.SAM and %1.SFX did not reach\n%2\n"
                "Check the compiler's messages, and that sndpack is in\n%3",
                "Générer SFX",
                "La génération est terminée, mais %1.SAM et %1.SFX ne sont pas arrivés dans\n%2\n"
                "Vérifier les messages du compilateur, et que sndpack se trouve dans\n%3"};
    case Msg::EditorNotStarted:
        return {"Open Sounds.txt file", "No text editor could be started on\n%1\n%2",
                "Ouvrir Sounds.txt", "Impossible de lancer un éditeur de texte sur\n%1\n%2"};
    case Msg::CustomLinesNoWadName:
        return {"Modification",
                "sounds.txt was written, but not the custom lines of the WAD\n%1\n"
                "The Name box holds no usable WAD name.",
                "Modification",
                "sounds.txt a été écrit, mais pas les lignes personnalisées du WAD\n%1\n"
                "La case Nom ne contient pas de nom de WAD utilisable."};
    case Msg::FileNotText:
        return {"Sounds",
                "The file\n%1\nis not a text file Kestrel can read: %2\n"
                "Nothing will be written to it.",
                "Sons",
                "Le fichier\n%1\nn'est pas un fichier texte lisible par Kestrel : %2\n"
                "Rien n'y sera écrit."};
    case Msg::DefaultsNotCatalogue:
        return {"Restore",
                "The defaults file\n%1\nis not a sound catalogue: %2\n"
                "Check your installation of Kestrel.\nRestore function aborted",
                "Restaurer",
                "Le fichier d'origine\n%1\nn'est pas un catalogue de sons : %2\n"
                "Vérifier l'installation de Kestrel.\nFonction de restauration annulée"};
    case Msg::SettingsUnreadable:
        return {"Settings",
                "The settings file\n%1\ncould not be read: %2\n"
                "Kestrel stops so as not to replace it. Repair or delete it, then start "
                "Kestrel again.",
                "Réglages",
                "Le fichier de réglages\n%1\nn'a pas pu être lu : %2\n"
                "Kestrel s'arrête pour ne pas le remplacer. Le réparer ou le supprimer, puis "
                "relancer Kestrel."};
    case Msg::SampleHasFolder:
        return {"Rename", "Incorrect sample name : no folder (/ \\ ..)", "Renommer",
                "Nom de sample incorrect : pas de répertoire (/ \\ ..)"};
    case Msg::BuildLeftovers:
        return {"Generate SFX",
                "The sound compiler folder\n%1\nstill holds %2 from an earlier build.\n"
                "The build would copy them to the wads folder: move or delete them, then "
                "generate again.",
                "Générer SFX",
                "Le répertoire du compilateur de sons\n%1\ncontient encore %2 d'une "
                "génération précédente.\nLa génération les copierait dans le répertoire wads : "
                "les déplacer ou les supprimer, puis générer à nouveau."};
    case Msg::BuildCompilerFailed:
        return {"Generate SFX",
                "The sound compiler failed (status %2) while building %1.SAM and .SFX.\n"
                "Check its messages in the console, and that sndpack is in\n%3",
                "Générer SFX",
                "Le compilateur de sons a échoué (code %2) en générant %1.SAM et .SFX.\n"
                "Vérifier ses messages dans la console, et que sndpack se trouve dans\n%3"};
    case Msg::DoublesChangedOnDisk:
        return {"Doubles",
                "%1\nwas changed since this window read it.\nReplace it with the marks shown "
                "here?",
                "Doubles",
                "%1\na été modifié depuis que cette fenêtre l'a lu.\nLe remplacer par les "
                "marques affichées ici ?"};
    case Msg::PendingChanges:
        return {"Changes not applied",
                "%1 sounds carry changes that are not applied. Apply them to Sounds.txt first?",
                "Modifications non appliquées",
                "%1 sons portent des modifications non appliquées. Les appliquer d'abord à "
                "Sounds.txt ?"};
    case Msg::HistoryRestoreConfirm:
        return {"History",
                "Replace Sounds.txt with its version of %1?\nThe current Sounds.txt is kept in "
                "the history first.",
                "Historique",
                "Remplacer Sounds.txt par sa version du %1 ?\nLe Sounds.txt actuel est d'abord "
                "gardé dans l'historique."};
    case Msg::SettingsNotSaved:
        return {"Settings", "The settings could not be saved to\n%1\n%2", "Réglages",
                "Les réglages n'ont pas pu être enregistrés dans\n%1\n%2"};
    }
    return {"", "", "", ""};
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
                out += fromAnsi(shownArgument(args[n]));
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

std::span<const ControlText> mainWindowTexts() { return kMainWindowTexts; }
std::span<const ControlText> objectDialogTexts() { return kObjectDialogTexts; }
std::span<const ControlText> doublesDialogTexts() { return kDoublesDialogTexts; }
std::span<const ControlText> changesDialogTexts() { return kChangesDialogTexts; }
std::span<const ControlText> historyDialogTexts() { return kHistoryDialogTexts; }

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
    return pick(language, "Undo: %1 (Ctrl+Z)", "Annuler : %1 (Ctrl+Z)").arg(stepName(language, *step));
}

QString redoTip(Language language, const EditStep* step) {
    if (!step) return pick(language, "Redo (Ctrl+Shift+Z)", "Rétablir (Ctrl+Maj+Z)");
    return pick(language, "Redo: %1 (Ctrl+Shift+Z)", "Rétablir : %1 (Ctrl+Maj+Z)")
        .arg(stepName(language, *step));
}

QString changesNote(Language language, int changed, int applied) {
    if (changed > 0)
        return changed == 1 ? pick(language, "1 sound changed, not applied",
                                   "1 son modifié, non appliqué")
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
    }
    return {};
}

QString helpMissingNote(Language language, const std::string& path) {
    return pick(language, "The help file %1 is missing or cannot be read.",
                "Le fichier d'aide %1 est absent ou illisible.")
        .arg(fromAnsi(path));
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
    for (const ControlText& t : table) {
        const QString text = pick(language, t.english, t.french);
        if (t.role == TextRole::Title) {
            root.setWindowTitle(text);
            continue;
        }
        QWidget* w = controlOf(root, t.control);
        if (!w) continue;
        if (t.role == TextRole::Tooltip)
            w->setToolTip(text);
        else
            setCaption(*w, text);
    }
}

MessageText messageText(Msg id, Language language, const std::vector<std::string>& args) {
    const MessagePair p = messagePair(id);
    MessageText out{pick(language, p.enTitle, p.frTitle), pick(language, p.enText, p.frText)};
    out.text = fillArguments(out.text, args);
    return out;
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
        return build.elapsed < 1000 ? note : note + QStringLiteral(" %1 s").arg(build.elapsed / 1000);
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
