#include "GraphemeCount.h"

#include "vcl/windows/WinApi.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <limits>

namespace {

// How the fast path sees a code point.
//  Strong: a letter of a script that Qt segments by the plain rules alone
//    (kanji, kana letters, Latin letters) and that decides the script of the
//    punctuation and marks after it.
//  Simple: punctuation, digits and spaces used with them. Like Strong, both
//    are Grapheme_Cluster_Break Other and not Extended_Pictographic: no rule
//    but "break everywhere else" ever applies between two of them.
//  Mark: Grapheme_Cluster_Break Extend and nothing else (no joiner, no Indic
//    linker): it joins the cluster before it, and a character after it that
//    is Strong or Simple starts a new one.
//  Other: anything else; Qt decides.
//
// Qt tailors the segmentation of some scripts (the Indic ones, for example),
// and punctuation, digits and marks take the script of the letter before
// them, or at the start of a text the script of the letter after them. So a
// stretch handed to Qt starts and ends next to a Strong letter, where its
// scripts come out as they do in the whole text.
enum class Kind { Strong, Simple, Mark, Other };

// Only ranges whose every code point has the properties above; whatever is not
// listed goes to Qt, so the lists may be short but must never be wrong.
Kind KindOf(char32_t c)
{
    if (c >= 0x4E00 && c <= 0x9FFF)
        return Kind::Strong; // CJK unified ideographs
    if (c >= 0x3041 && c <= 0x3096)
        return Kind::Strong; // hiragana
    if (c >= 0x30A1 && c <= 0x30FA)
        return Kind::Strong; // katakana
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
        return Kind::Strong;
    if (c >= 0x3400 && c <= 0x4DBF)
        return Kind::Strong; // CJK extension A
    if (c >= 0x20000 && c <= 0x3FFFF)
        return Kind::Strong; // the ideographic planes
    if (c >= 0x0020 && c <= 0x007E)
        return Kind::Simple; // the rest of printable ASCII
    if (c >= 0x3000 && c <= 0x3004)
        return Kind::Simple; // ideographic space and punctuation
    if (c >= 0x3008 && c <= 0x3011)
        return Kind::Simple; // CJK brackets
    if (c >= 0xFF01 && c <= 0xFF5E)
        return Kind::Simple; // full-width ASCII forms
    if (c == 0x30FB || c == 0x30FC)
        return Kind::Simple; // katakana middle dot, long vowel mark
    if (c == 0x3099 || c == 0x309A)
        return Kind::Mark; // combining (semi-)voiced sound marks
    if ((c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF))
        return Kind::Mark; // variation selectors
    return Kind::Other;
}

// One code point read from UTF-8: its value and length in bytes. Only
// well-formed sequences of the lengths the ranges above need are read; any other
// byte reads as a one-byte code point of kind Other, as whatever the conversion
// makes of it is left to Qt.
struct CodePoint {
    char32_t value;
    int length;
};

constexpr CodePoint NotRead{0xFFFD, 1};

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

CodePoint ReadCodePoint(std::string_view text, std::size_t at)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data()) + at;
    const std::size_t left = text.size() - at;
    if (bytes[0] < 0x80)
        return {bytes[0], 1};
    if ((bytes[0] & 0xF0) == 0xE0 && left >= 3 && IsContinuation(bytes[1]) &&
        IsContinuation(bytes[2])) {
        return {char32_t(bytes[0] & 0x0F) << 12 | char32_t(bytes[1] & 0x3F) << 6 |
                    char32_t(bytes[2] & 0x3F),
                3};
    }
    if ((bytes[0] & 0xF8) == 0xF0 && left >= 4 && IsContinuation(bytes[1]) &&
        IsContinuation(bytes[2]) && IsContinuation(bytes[3])) {
        return {char32_t(bytes[0] & 0x07) << 18 | char32_t(bytes[1] & 0x3F) << 12 |
                    char32_t(bytes[2] & 0x3F) << 6 | char32_t(bytes[3] & 0x3F),
                4};
    }
    return NotRead;
}

// The kind of what starts at a byte. The ranges of KindOf lie where their
// sequences are as long as read here (ASCII in one byte, from U+3000 in three,
// from U+20000 in four), so an overlong or surrogate sequence never passes as
// one of them.
Kind KindAt(const CodePoint& point)
{
    const Kind kind = KindOf(point.value);
    if (kind == Kind::Other)
        return kind;
    const int expected = point.value < 0x80 ? 1 : point.value < 0x10000 ? 3 : 4;
    return point.length == expected ? kind : Kind::Other;
}

// Converts a stretch as MultiByteToWideChar converts it and lets Qt count it.
qsizetype QtGraphemeCount(std::string_view stretch)
{
    const int bytes = int(stretch.size());
    const int room = bytes < std::numeric_limits<int>::max() ? bytes + 1 : bytes;
    QString wide(room, Qt::Uninitialized);
    wide.resize(MultiByteToWideChar(CP_ACP, 0, stretch.data(), bytes,
                                    reinterpret_cast<WCHAR*>(wide.data()), room));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, wide);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

// A stretch handed to Qt ends at the next boundary between two Strong letters
// once it is at least this many bytes long, so that the set-up cost of a
// conversion and a segmentation is spread over many characters even where other
// characters are frequent.
constexpr std::size_t MinimumQtStretch = 192;

} // namespace

// A stretch for Qt starts and ends at the start of a Strong letter that follows
// a well-formed sequence, so the conversion of the stretch gives exactly the
// code units the conversion of the whole text gives there: an invalid sequence
// never reaches across a well-formed one.
qsizetype GraphemeCount(std::string_view text)
{
    qsizetype count = 0;
    // Where a stretch for Qt may start: the text's start, or the last cluster
    // counted here that began with a Strong letter; and the count before it.
    std::size_t safeStart = 0;
    qsizetype countBeforeSafeStart = 0;
    bool inStretch = false;
    std::size_t stretchStart = 0;
    Kind previous = Kind::Other;
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        const Kind kind = KindAt(point);

        if (inStretch) {
            if (kind == Kind::Strong && previous == Kind::Strong &&
                at - stretchStart >= MinimumQtStretch) {
                count += QtGraphemeCount(text.substr(stretchStart, at - stretchStart));
                inStretch = false;
                safeStart = at;
                countBeforeSafeStart = count;
                ++count;
            }
        } else if (kind == Kind::Strong) {
            safeStart = at;
            countBeforeSafeStart = count;
            ++count;
        } else if (kind == Kind::Simple || (kind == Kind::Mark && at == 0)) {
            ++count;
        } else if (kind == Kind::Other) {
            // Qt counts again from the last safe start.
            inStretch = true;
            stretchStart = safeStart;
            count = countBeforeSafeStart;
        }
        previous = kind;
        at += std::size_t(point.length);
    }
    if (inStretch)
        count += QtGraphemeCount(text.substr(stretchStart));
    return count;
}
