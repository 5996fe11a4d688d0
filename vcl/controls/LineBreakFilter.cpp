#include "vcl/controls/LineBreakFilter.h"

namespace {

qsizetype FirstLineBreak(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return i;
    }
    return -1;
}

} // namespace

// The field never holds a line break, so a break in the input came with the
// text just inserted, which ends at the cursor: everything from the first break
// up to the cursor is dropped, and the text after the cursor stays.
QValidator::State LineBreakFilter::validate(QString& input, int& position) const
{
    qsizetype breakAt = FirstLineBreak(input);
    if (breakAt < 0)
        return Acceptable;
    if (breakAt < position) {
        input.remove(breakAt, position - breakAt);
        position = int(breakAt);
    }
    breakAt = FirstLineBreak(input);
    if (breakAt >= 0)
        input.truncate(breakAt);
    return Acceptable;
}
