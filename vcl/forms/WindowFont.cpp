#include "vcl/forms/WindowFont.h"

#include <QStringList>

namespace {

// Japanese proportional gothics first, then the fixed-pitch ones of the same
// families, in the order they are preferred as stand-ins.
const QStringList& JapaneseGothics()
{
    static const QStringList faces = {
        QStringLiteral("IPAPGothic"),       QStringLiteral("IPAexGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic"),
        QStringLiteral("TakaoPGothic"),     QStringLiteral("IPAGothic"),
    };
    return faces;
}

} // namespace

void WindowFont::SetName(const QString& name)
{
    name_ = name;
    if (!name_.isEmpty() && QFont::substitutes(name_).isEmpty())
        QFont::insertSubstitutions(name_, JapaneseGothics());
}

void WindowFont::SetHeight(int height)
{
    height_ = height;
}

void WindowFont::SetStyle(const QStringList& styles)
{
    styles_ = styles;
}

QFont WindowFont::ToFont() const
{
    QFont font(name_);
    // Qt's pixel size is the character height without internal leading, as a
    // negative height means; a positive one includes it, about a fifth more.
    font.setPixelSize(height_ < 0 ? -height_ : qMax(1, height_ * 5 / 6));
    font.setBold(styles_.contains(QLatin1String("fsBold")));
    font.setItalic(styles_.contains(QLatin1String("fsItalic")));
    font.setUnderline(styles_.contains(QLatin1String("fsUnderline")));
    font.setStrikeOut(styles_.contains(QLatin1String("fsStrikeOut")));
    return font;
}
