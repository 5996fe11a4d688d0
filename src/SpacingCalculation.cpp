#include "SpacingCalculation.h"

#include "vcl/sysutils/ErrorClasses.h"
#include "vcl/sysutils/IntConversion.h"
#include "vcl/sysutils/ResourceStrings.h"
#include "vcl/windows/WinApi.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <cstdint>
#include <limits>

int CharacterCount(const AnsiString& text)
{
    if (text.empty())
        return 0;
    if (text.size() > std::size_t(std::numeric_limits<int>::max()))
        throw EIntOverflow(SIntOverflow);
    const int bytes = int(text.size());
    // UTF-8 never takes fewer bytes than UTF-16 takes code units. One unit per
    // byte, and the one the decoder keeps for a sequence carried over, lets it
    // convert the text in one pass straight into the buffer.
    const int room = bytes < std::numeric_limits<int>::max() ? bytes + 1 : bytes;
    QString wide(room, Qt::Uninitialized);
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), bytes,
                                    reinterpret_cast<WCHAR*>(wide.data()), room));

    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, wide);
    int count = 0;
    while (graphemes.toNextBoundary() != -1)
        ++count;
    return count;
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
