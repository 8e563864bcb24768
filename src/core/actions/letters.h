#pragma once
// The current WAD letter and WAD name, and giving and taking letters: for
// the current sound, for every sound of the chosen object, or from every
// line at once.

#include "session/main_state.h"
#include "session/ports.h"

#include <string>
#include <string_view>

namespace kestrel {

// The letter as the letter box keeps it after the user leaves it: a leading
// space empties it, a leading '#' is dropped, at most two characters stay.
std::string cleanLetter(std::string_view typed);

// The user leaves the letter box: "g" is refused, a letter of the WAD table
// is confirmed and takes that WAD's file name, and a new letter re-marks the
// list and opens row 0.
void leaveLetterBox(MainState& state, Ports& ports);

// The user leaves the WAD name box: a leading space empties it.
void leaveWadBox(MainState& state);

// "Add Letter or Object": the current letter goes to the current sound, or
// to every sound of the chosen object.
void addLetter(MainState& state, Ports& ports);

// "Remove Letter or Object": the letter selected in the sound's letters list
// leaves the current sound, or the current letter leaves every sound of the
// chosen object.
void removeLetter(MainState& state, Ports& ports);

// The current letter to / from the current sound only (a click on a row).
void addLetterToCurrentSound(MainState& state, Ports& ports);
void removeLetterFromCurrentSound(MainState& state, Ports& ports);

// "Remove letter from every lines".
void eraseLetterEverywhere(MainState& state, Ports& ports);

// "Show/Hide #g sounds".
void toggleGenericMarks(MainState& state, Ports& ports);

// `line` without any whole tag `tag` in its letter part, each with the one
// blank before it.
std::string withoutLetterTag(std::string_view line, std::string_view tag);

// A WAD field ("#a #b") without its first whole `tag` and the characters on
// each side of it, the two parts joined by one space.
std::string wadFieldWithout(std::string_view field, std::string_view tag);

} // namespace kestrel
