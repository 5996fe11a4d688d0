#include "SpacingReference.h"

#include "CharacterCountReference.h"
#include "Int128.h"
#include "IntegerGrammarReference.h"

#include <algorithm>
#include <optional>

namespace {

constexpr Int128 Int32Min = -(Int128(1) << 31);
constexpr Int128 Int32Max = (Int128(1) << 31) - 1;

std::string NotAnInteger(std::string_view text)
{
    return "'" + std::string(text) + "' は整数ではありません";
}

} // namespace

std::string ReferenceDecimal(long long value)
{
    Int128 magnitude = value < 0 ? -Int128(value) : Int128(value);
    std::string digits;
    do {
        digits += char('0' + int(magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        digits += '-';
    std::reverse(digits.begin(), digits.end());
    return digits;
}

ExpectedOutcome ReferenceSpacing(std::string_view size, std::string_view feed,
                                 std::string_view span, std::string_view text)
{
    for (const std::string_view field : {size, feed, span}) {
        if (!ReferenceInteger(field))
            return {"EConvertError", NotAnInteger(field)};
    }
    const Int128 spanCount = *ReferenceInteger(span);

    const std::optional<int> stated = ReferenceInteger(text);
    const Int128 characters =
        stated && *stated >= 0 ? Int128(*stated) : Int128(ReferenceGraphemeCount(text));

    if (characters == 1)
        return {"EDivByZero", "ゼロによる除算"};
    // C++ division truncates toward zero, for 128 bits as for any width.
    const Int128 value = (spanCount - characters) * 1000 / (characters - 1);
    if (value < Int32Min || value > Int32Max)
        return {"EIntOverflow", "整数のオーバーフロー"};
    return {"", ReferenceDecimal((long long)value)};
}
