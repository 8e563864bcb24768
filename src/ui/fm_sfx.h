#pragma once
// The main window: the sound list, the line frame, the editors of the
// current sound, the current letter and WAD name, and the program's commands.
// It holds no rule of its own: every event goes to the core, then the window
// is drawn again from the state.

#include "actions/current_sound.h"
#include "session/edit_steps.h"
#include "session/main_state.h"
#include "session/ports.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QWidget>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTimer;
class QToolButton;

namespace kestrel::ui {

class FieldLines;
class ToggleList;
class SampleWave;
class GrowingLimit;
class FmObjet;

class FmSFX : public QWidget {
    Q_OBJECT
public:
    FmSFX(MainState& state, Ports& ports, QWidget* parent = nullptr);
    ~FmSFX() override;

    // Start-up: places the window, reads the settings, loads the catalogue and
    // opens row 0. False when no level editor was chosen on a first start.
    bool start();

    // Draws every control from the state.
    void redraw();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLayout* buildSoundList();
    QWidget* buildLineFrame();
    QLayout* buildEditors();
    QLayout* buildLetters();
    QWidget* buildSearch();
    QLayout* buildCommands();
    void placeOnScreen();
    QSettings windowState() const;
    void setKeyboardOrder();
    void applyLanguage();
    void redrawEditors();
    void redrawObjectField();
    // The object dialog is shown while it is toggled on and the main window
    // is not minimised.
    void syncObjectDialog();
    FmObjet& objectDialog();
    // The build of the WAD's sound files: the window disabled and the
    // hourglass while it is waited for, the note of how it stands.
    void redrawBuild();
    void buildChecked();
    void openHelpWindow();

    // Runs a core operation, then draws the window again.
    template <class F> void act(F&& operation);
    // The same for an operation that may change working lines: what it
    // changes is one step for Undo.
    template <class F> void edit(StepKind kind, F&& operation);
    void undo();
    void redo();
    void openChangesWindow();
    void openCheckWindow();
    void showSampleFiles();
    void openHistoryWindow();
    void redrawChanges();

    MainState& state_;
    Ports& ports_;
    bool redrawing_ = false;
    std::optional<Language> textsLanguage_; // the language the fixed texts are in

    ToggleList* liSfx_ = nullptr;
    QGroupBox* frOrig_ = nullptr;
    FieldLines* txLig_ = nullptr;

    QLineEdit* valueBoxes_[4] = {}; // VOL, CH, PIT, RAD
    QCheckBox* flagBoxes_[5] = {};  // P, V, R, N, L
    QListWidget* liSamp_ = nullptr;
    QLineEdit* txSamp_ = nullptr;
    GrowingLimit* txSampLimit_ = nullptr;
    QListWidget* liWad_ = nullptr;
    SampleWave* wvSamp_ = nullptr;
    // What the sample view and the samples list's colours were last read for.
    std::string wavesFor_;
    std::vector<std::string> samplesShown_;
    Language wavesLanguage_ = Language::English;

    QLineEdit* txLett_ = nullptr;
    QLineEdit* txWad_ = nullptr;
    QLineEdit* txObjet_ = nullptr;
    FmObjet* fmObjet_ = nullptr;
    bool objetPlaced_ = false;
    QButtonGroup* opLang_ = nullptr;
    QRadioButton* opLangButtons_[2] = {nullptr, nullptr};
    QButtonGroup* opWad_ = nullptr;
    QRadioButton* opWadButtons_[2] = {nullptr, nullptr};

    QLineEdit* txSearch_ = nullptr;
    QLabel* lbFok_ = nullptr;
    QButtonGroup* opSens_ = nullptr;
    QRadioButton* opSensButtons_[2] = {nullptr, nullptr};
    QCheckBox* ckUl_ = nullptr;
    QWidget* named(const char* control);
    std::map<std::string_view, QWidget*> namedControls_;
    QToolButton* cdHlp_ = nullptr;

    QToolButton* cdUndo_ = nullptr;
    QToolButton* cdRedo_ = nullptr;
    QLabel* lbChanges_ = nullptr;
    int appliedNotes_ = 0; // Apply notes shown so far; only the last one is cleared

    QTimer* tmSfx_ = nullptr;
    QElapsedTimer clock_;
    QLabel* lbBuild_ = nullptr;
    QToolButton* cdStopWait_ = nullptr;
    bool hourglass_ = false;
};

} // namespace kestrel::ui
