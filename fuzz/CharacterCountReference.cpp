#include "CharacterCountReference.h"

#include <QString>
#include <QTextBoundaryFinder>

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// CJK ideographs, hiragana without the combining sound marks, katakana, the
// full-width forms of ASCII: their Grapheme_Cluster_Break is Other, for every
// one of them.
bool IsPlainWide(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3041 && c <= 0x3096) ||
           (c >= 0x30A1 && c <= 0x30FA) || (c >= 0xFF01 && c <= 0xFF5E);
}

} // namespace

int ReferenceGraphemeCount(std::string_view text)
{
    const QString decoded = QString::fromUtf8(text.data(), qsizetype(text.size()));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, decoded);
    int count = 0;
    for (qsizetype position = 1; position <= decoded.size(); ++position) {
        finder.setPosition(position);
        if (finder.isAtBoundary())
            ++count;
    }
    return count;
}

std::optional<int> PlainCharacterCount(std::string_view text)
{
    int count = 0;
    bool afterCarriageReturn = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            // CR LF is one character; CR, LF and other controls alone are one each.
            if (!(afterCarriageReturn && lead == '\n'))
                ++count;
            afterCarriageReturn = lead == '\r';
            ++i;
            continue;
        }
        // Every plain wide character takes three bytes: 1110xxxx 10xxxxxx 10xxxxxx.
        if ((lead & 0xF0) != 0xE0 || i + 2 >= text.size() ||
            !IsContinuation(static_cast<unsigned char>(text[i + 1])) ||
            !IsContinuation(static_cast<unsigned char>(text[i + 2])))
            return std::nullopt;
        const char32_t c = char32_t(lead & 0x0F) << 12 |
                           char32_t(static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6 |
                           char32_t(static_cast<unsigned char>(text[i + 2]) & 0x3F);
        if (!IsPlainWide(c))
            return std::nullopt;
        ++count;
        afterCarriageReturn = false;
        i += 3;
    }
    return count;
}
