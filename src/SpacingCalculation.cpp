#include "SpacingCalculation.h"

#include "GraphemeCount.h"

#include "vcl/sysutils/ErrorClasses.h"
#include "vcl/sysutils/IntConversion.h"
#include "vcl/sysutils/ResourceStrings.h"

#include <cstdint>
#include <limits>

int CharacterCount(const AnsiString& text)
{
    if (text.empty())
        return 0;
    if (text.size() > std::size_t(std::numeric_limits<int>::max()))
        throw EIntOverflow(SIntOverflow);
    return int(GraphemeCount(text));
}

int TextCharacterCount(const AnsiString& text)
{
    const int number = StrToIntDef(text, -1);
    return number >= 0 ? number : CharacterCount(text);
}

int SpacingValue(int span, int characters)
{
    const std::int64_t gaps = std::int64_t(characters) - 1;
    if (gaps == 0)
        throw EDivByZero(SDivByZero);
    // |span - characters| < 2^33, so the product stays far inside 64 bits.
    const std::int64_t value = (std::int64_t(span) - characters) * 1000 / gaps;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EIntOverflow(SIntOverflow);
    return int(value);
}

int CalculateSpacing(const SpacingFields& fields)
{
    StrToInt(fields.size);
    StrToInt(fields.feed);
    const int span = StrToInt(fields.span);
    return SpacingValue(span, TextCharacterCount(fields.text));
}
