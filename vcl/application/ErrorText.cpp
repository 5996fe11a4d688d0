#include "vcl/application/ErrorText.h"

#include <string_view>

namespace {

bool IsContinuationByte(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The last character of UTF-8 text, all of its bytes.
std::string_view LastCharacter(std::string_view text)
{
    std::size_t start = text.size() - 1;
    while (start > 0 && text.size() - start < 4 &&
           IsContinuationByte(static_cast<unsigned char>(text[start])))
        --start;
    return text.substr(start);
}

bool GreaterThanPoint(std::string_view character)
{
    const auto first = static_cast<unsigned char>(character.front());
    return first > '.' || (first == '.' && character.size() > 1);
}

} // namespace

AnsiString ErrorBoxText(const AnsiString& message)
{
    if (!message.empty() && GreaterThanPoint(LastCharacter(message)))
        return message + ".";
    return message;
}
