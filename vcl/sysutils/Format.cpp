#include "vcl/sysutils/Format.h"

AnsiString Format(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    AnsiString result;
    result.reserve(pattern.size());
    auto arg = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool directive = pattern[i] == '%' && i + 1 < pattern.size();
        if (directive && pattern[i + 1] == '%') {
            result += '%';
            ++i;
        } else if (directive && pattern[i + 1] == 's') {
            if (arg != args.end())
                result += *arg++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}
