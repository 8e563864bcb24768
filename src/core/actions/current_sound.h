#pragma once
// The current sound: showing it in the editors, the value boxes' rules when
// they are left, the flag boxes, "Accept values", restoring its line, and its
// samples (choosing one, playing it, renaming it).

#include "format/wav.h"
#include "session/main_state.h"
#include "session/ports.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// Shows the current row's sound from its default line and its working line;
// edits not accepted are dropped. Nothing happens without a current sound.
void showCurrentSound(MainState& state);

// What a value box shows after it is left, and the record field it gives.
struct ValueEdit {
    std::string text;
    std::string field; // "VOL07" or "" for a blank field
};

// VOL: zero or less becomes 1; empty, or starting with a space, blanks it.
ValueEdit volRule(std::string_view text);
// CH and RAD: zero or less (empty and non-numbers included) blanks it.
ValueEdit chRadRule(std::string_view text, std::string_view prefix);
// PIT: exactly zero blanks it; above 99 becomes 99; negatives stay.
ValueEdit pitRule(std::string_view text);

enum class ValueBox { Vol, Ch, Pit, Rad };
enum class FlagBox { P, V, R, N, L };

// The user leaves a value box: its text is cleaned and its field set.
void leaveValueBox(MainState& state, ValueBox box);

// The user sets a flag box; R and N exclude each other.
void setFlagBox(MainState& state, FlagBox box, bool checked);

// Fills the samples list, the value boxes, the flag boxes and the WAD letters
// list from the current record, and selects the first sample and the item of
// the current letter.
void showSoundFields(MainState& state);

// Empties every editor, as when another sound is about to be shown.
void clearEditors(MainState& state);

// "Accept values": the current sound's line is written again from the record.
void acceptValues(MainState& state);

// Return in a value box: the box is judged as when it is left, then the
// values are accepted as by the accept button, when that button is enabled.
void acceptFromValueBox(MainState& state, ValueBox box);

// The current sound's letter tags become those of the WAD letters list, in
// its order, in the working line and in the record.
void rebuildWadLetters(MainState& state);

// The field views after the current record changed.
void refreshModifiedView(MainState& state);

// The current sound's working line becomes its default line again.
void restoreLine(MainState& state);

// The samples of the current sound.
// The samples list's selection becomes `k` (-1: none).
void selectSample(MainState& state, int k);

// Plays the chosen sample from the level editor's samples folder, or says
// that its file is missing.
void playSample(MainState& state, Ports& ports);

// The .wav of a sample in the samples folder, found without regard to case;
// nothing for a name that leads out of the folder or has no file.
std::optional<std::string> findSampleFile(const MainState& state, Ports& ports,
                                          const std::string& sample);

// Whether each entry of the samples list has its .wav.
std::vector<bool> samplesWithWav(const MainState& state, Ports& ports);

// The chosen sample as the sample view draws it: its format and a picture of
// its wave at a fixed number of columns, read once.
struct SampleView {
    enum class Shown { None, Missing, Unreadable, Format, Wave };
    Shown shown = Shown::None;
    WavFormat format;
    std::vector<std::vector<WavColumn>> wave; // per channel
};
inline constexpr int kSampleViewColumns = 512;
SampleView viewSample(const MainState& state, Ports& ports, const std::string& sample);

// Puts the name typed in the sample box in place of the selected sample and
// writes the line again. Refuses a name with a blank or a control character,
// a name that leads out of the samples folder, and names that no longer fit
// the 32 characters of the sample list.
void renameSample(MainState& state, Ports& ports);

} // namespace kestrel
