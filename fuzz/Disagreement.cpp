#include "Disagreement.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            escaped += c;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            escaped += code;
        }
    }
    return escaped;
}

} // namespace

void Disagreement(std::string_view check, std::string_view expected, std::string_view actual)
{
    std::fprintf(stderr, "DISAGREEMENT in %.*s\n  expected: %s\n  actual:   %s\n",
                 int(check.size()), check.data(), Escaped(expected).c_str(),
                 Escaped(actual).c_str());
    std::fflush(stderr);
    std::abort();
}
