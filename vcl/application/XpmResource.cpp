#include "vcl/application/XpmResource.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>

#include <vector>

namespace {

// The contents of the C string literals after the array's opening brace, in
// order. XPM strings hold no escapes; a literal left open ends the reading.
QByteArrayList StringLiterals(const QByteArray& source)
{
    QByteArrayList literals;
    qsizetype position = source.indexOf('{');
    while (position >= 0) {
        const qsizetype open = source.indexOf('"', position);
        if (open < 0)
            break;
        const qsizetype close = source.indexOf('"', open + 1);
        if (close < 0)
            return {};
        literals.append(source.mid(open + 1, close - open - 1));
        position = close + 1;
    }
    return literals;
}

// Whether the strings hold everything the header announces: Qt's reader trusts
// the counts and would read past the array otherwise.
bool IsComplete(const QByteArrayList& literals)
{
    const QList<QByteArray> header = literals.value(0).simplified().split(' ');
    if (header.size() < 4)
        return false;
    bool ok[4] = {};
    const int width = header[0].toInt(&ok[0]);
    const int height = header[1].toInt(&ok[1]);
    const int colours = header[2].toInt(&ok[2]);
    const int perPixel = header[3].toInt(&ok[3]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || width <= 0 || height <= 0 || colours <= 0 ||
        perPixel <= 0 || width > 4096 || height > 4096 || colours > 65536 || perPixel > 4)
        return false;
    if (literals.size() < 1 + qsizetype(colours) + height)
        return false;
    for (int row = 0; row < height; ++row) {
        if (literals[1 + colours + row].size() < qsizetype(width) * perPixel)
            return false;
    }
    return true;
}

} // namespace

QImage ReadXpmResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray source = file.readAll();
    if (!source.startsWith("/* XPM */"))
        return {};
    const QByteArrayList literals = StringLiterals(source);
    if (!IsComplete(literals))
        return {};
    std::vector<const char*> lines;
    lines.reserve(std::size_t(literals.size()));
    for (const QByteArray& literal : literals)
        lines.push_back(literal.constData());
    return QImage(lines.data());
}
