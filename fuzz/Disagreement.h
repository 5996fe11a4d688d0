#pragma once

#include <string_view>

// Ends the run when the code and its reference disagree: prints what was
// checked, the expected and the actual outcome (bytes outside printable ASCII
// as \xNN), then aborts, which libFuzzer reports as a crash and keeps the input
// that caused it as an artifact.
[[noreturn]] void Disagreement(std::string_view check, std::string_view expected,
                               std::string_view actual);

// Compares two outcomes and calls Disagreement when they differ.
inline void Expect(std::string_view check, std::string_view expected, std::string_view actual)
{
    if (expected != actual)
        Disagreement(check, expected, actual);
}
