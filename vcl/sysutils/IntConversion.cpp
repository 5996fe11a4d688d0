#include "vcl/sysutils/IntConversion.h"

#include "vcl/sysutils/ErrorClasses.h"
#include "vcl/sysutils/Format.h"
#include "vcl/sysutils/ResourceStrings.h"

#include <cstdint>
#include <string>

namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int> ParseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

std::optional<int> ParseDecimal(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

std::optional<int> ParseInteger(std::string_view text)
{
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(start);
    if (text.starts_with("0x") || text.starts_with("0X"))
        return ParseHex(text.substr(2));
    if (text.front() == '$' || text.front() == 'x' || text.front() == 'X')
        return ParseHex(text.substr(1));
    return ParseDecimal(text);
}

int StrToInt(const AnsiString& text)
{
    if (const auto value = ParseInteger(text))
        return *value;
    throw EConvertError(Format(SInvalidInteger, {text}));
}

int StrToIntDef(const AnsiString& text, int defaultValue)
{
    return ParseInteger(text).value_or(defaultValue);
}

AnsiString IntToStr(int value)
{
    return std::to_string(value);
}
