#include "vcl/forms/WindowFont.h"

#include <QFontDatabase>
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

// The face to ask Qt for: the named one where it is installed (under any of its
// names), else the first installed stand-in. Asking for a face that is missing
// makes Qt query the system's fallback fonts for each script the texts use
// before it tries the substitutes, which costs start-up several milliseconds.
QString InstalledFace(const QString& name)
{
    if (QFontDatabase::hasFamily(name))
        return name;
    // The stand-ins are family names as installed, not aliases, so the list of
    // families answers for them without asking fontconfig again.
    const QStringList installed = QFontDatabase::families();
    for (const QString& face : JapaneseGothics()) {
        if (installed.contains(face, Qt::CaseInsensitive))
            return face;
    }
    return {};
}

} // namespace

void WindowFont::SetName(const QString& name)
{
    name_ = name;
    face_ = name;
    if (name.isEmpty())
        return;
    if (const QString installed = InstalledFace(name); !installed.isEmpty())
        face_ = installed;
    else if (QFont::substitutes(name).isEmpty())
        // With none of the stand-ins installed, Qt's own matching gets the name
        // and the stand-ins to choose from, in case one turns up under another name.
        QFont::insertSubstitutions(name, JapaneseGothics());
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
    QFont font(face_);
    // Qt's pixel size is the character height without internal leading, as a
    // negative height means; a positive one includes it, about a fifth more.
    font.setPixelSize(height_ < 0 ? -height_ : qMax(1, height_ * 5 / 6));
    font.setBold(styles_.contains(QLatin1String("fsBold")));
    font.setItalic(styles_.contains(QLatin1String("fsItalic")));
    font.setUnderline(styles_.contains(QLatin1String("fsUnderline")));
    font.setStrikeOut(styles_.contains(QLatin1String("fsStrikeOut")));
    return font;
}
