// Reading the application icon's XPM without Qt's image-format plugins: the
// real icon reads as Qt's own reader reads it, and broken files give a null
// image instead of a read past their end.

#include "vcl/application/XpmResource.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Head = "/* XPM */\nstatic const char *I[] = {\n";

// Reads the source as a file; a null image when it is refused.
QImage ReadSource(const QByteArray& source)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("icon.xpm"));
    QFile file(path);
    if (!directory.isValid() || !file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(source);
    file.close();
    return ReadXpmResource(path);
}

} // namespace

class TestXpmResource : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTheIcon();
    void readsASmallImage();
    void rejectsBrokenFiles_data();
    void rejectsBrokenFiles();
};

void TestXpmResource::readsTheIcon()
{
    const QString path = QStringLiteral(MORAVIN_ICON);
    const QImage image = ReadXpmResource(path);
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.hasAlphaChannel());
    const QImage expected(path, "XPM");
    QVERIFY(!expected.isNull());
    QCOMPARE(image.convertToFormat(QImage::Format_ARGB32),
             expected.convertToFormat(QImage::Format_ARGB32));
}

// The complete form of the broken files below.
void TestXpmResource::readsASmallImage()
{
    const QImage image =
        ReadSource(Head + "\"2 2 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k \",\n\" k\"};\n");
    QCOMPARE(image.size(), QSize(2, 2));
    QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(qAlpha(image.pixel(1, 0)), 0);
    QVERIFY(ReadXpmResource(QStringLiteral("/nonexistent/missing.xpm")).isNull());
}

void TestXpmResource::rejectsBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not an XPM") << QByteArray("P1\n2 2\n0 1\n1 0\n");
    QTest::newRow("no strings") << Head + "};\n";
    QTest::newRow("header only") << Head + "\"2 2 2 1\"};\n";
    QTest::newRow("header not numbers") << Head + "\"two 2 2 1\",\n\"  c None\"};\n";
    QTest::newRow("rows missing")
        << Head + "\"2 3 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k \",\n\" k\"};\n";
    QTest::newRow("colours missing") << Head + "\"2 2 9 1\",\n\"  c None\",\n\"k \",\n\" k\"};\n";
    QTest::newRow("row too short")
        << Head + "\"2 2 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k\",\n\" k\"};\n";
    QTest::newRow("string left open")
        << Head + "\"2 2 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k \",\n\" k};\n";
    QTest::newRow("huge") << Head + "\"100000 100000 2 1\",\n\"  c None\"};\n";
}

void TestXpmResource::rejectsBrokenFiles()
{
    QFETCH(QByteArray, source);
    QVERIFY(ReadSource(source).isNull());
}

QTEST_APPLESS_MAIN(TestXpmResource)
#include "tst_xpmresource.moc"
