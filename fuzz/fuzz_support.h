#pragma once
// What every fuzz target shares: the entry point libFuzzer calls, the check
// that stops a run when a rule of the readers is broken, and small helpers to
// cut the raw input into the pieces a target needs.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kestrel::fuzz {

[[noreturn]] inline void brokenRule(const char* rule, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken rule: %s\n", file, line, rule);
    std::fflush(stderr);
    std::abort();
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::string_view{}
                     : std::string_view(reinterpret_cast<const char*>(data), size);
}

// The text before the first NUL byte and the text after it (empty when the
// input holds none).
struct TwoParts {
    std::string_view first, second;
};

inline TwoParts splitAtNul(std::string_view bytes) {
    const std::size_t nul = bytes.find('\0');
    if (nul == std::string_view::npos) return {bytes, {}};
    return {bytes.substr(0, nul), bytes.substr(nul + 1)};
}

inline bool holdsLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace kestrel::fuzz

// Unlike assert(), stays on in optimised builds: the fuzz targets are built
// with NDEBUG like the rest of the program.
#define FUZZ_CHECK(rule)                                                                           \
    ((rule) ? static_cast<void>(0) : ::kestrel::fuzz::brokenRule(#rule, __FILE__, __LINE__))
