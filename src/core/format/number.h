#pragma once
// Numbers as the value boxes and the line reader read and write them.

#include <string>
#include <string_view>

namespace kestrel {

// "-" for a negative value, then fill characters up to `width` digits, then the
// digits. A value with more digits than `width` comes out unpadded.
std::string padNumber(int value, int width, char fill);

// Reads the leading number of a text the way the value boxes and the line
// reader do: blanks anywhere are ignored; "&H" and "&O" introduce hexadecimal
// and octal integers; otherwise an optional sign, digits, an optional decimal
// point with digits and an optional exponent. Reading stops at the first
// character that cannot continue the number; no digits give 0.
double readLeadingNumber(std::string_view text);

// Rounds to the nearest integer, a half going to the even neighbour, clamped
// to the 16-bit range the record's values live in.
int roundHalfEven(double value);

} // namespace kestrel
