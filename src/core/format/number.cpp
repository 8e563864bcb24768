#include "format/number.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kestrel {

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

double readRadixInteger(std::string_view digits, int radix) {
    double value = 0;
    for (char c : digits) {
        const int d = digitValue(c);
        if (d >= radix) break;
        value = value * radix + d;
    }
    return value;
}

double readDecimal(std::string_view s) {
    std::size_t i = 0;
    std::string text;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) text += s[i++];
    bool anyDigit = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        text += s[i++];
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        text += s[i++];
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            text += s[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        bool expDigit = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            exponent += s[j++];
            expDigit = true;
        }
        if (expDigit) text += exponent;
    }
    const double value = std::strtod(text.c_str(), nullptr);
    // A number too small for a double is still not zero: "1e-999" names no
    // value of its own, but it is not the number 0 either.
    if (value == 0 && text.find_first_of("123456789") < text.find_first_of("eE"))
        return text[0] == '-' ? -std::numeric_limits<double>::denorm_min()
                              : std::numeric_limits<double>::denorm_min();
    return value;
}

} // namespace

std::string padNumber(int value, int width, char fill) {
    const std::string digits = std::to_string(std::abs(static_cast<long>(value)));
    std::string out = value < 0 ? "-" : "";
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), fill);
    return out + digits;
}

double readLeadingNumber(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') s += c;
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return readRadixInteger(std::string_view(s).substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o') return readRadixInteger(std::string_view(s).substr(2), 8);
        return 0;
    }
    return readDecimal(s);
}

int roundHalfEven(double value) {
    // An infinite value (a number too large for a double) is clamped like
    // any large one; only a value that is no number at all reads as 0.
    if (std::isnan(value)) return 0;
    if (std::isinf(value)) return value > 0 ? 32767 : -32768;
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double rounded = std::nearbyint(value);
    std::fesetround(saved);
    if (rounded > 32767) rounded = 32767;
    if (rounded < -32768) rounded = -32768;
    return static_cast<int>(rounded);
}

} // namespace kestrel
