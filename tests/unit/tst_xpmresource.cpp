// Reading the application icon's XPM without Qt's image-format plugins: the
// real icon reads as Qt's own reader reads it, and broken files give a null
// image instead of a read past their end.

#include "vcl/application/XpmResource.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestXpmResource : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsTheIcon();
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

void TestXpmResource::rejectsBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("source");
    const QByteArray head = "/* XPM */\nstatic const char *I[] = {\n";
    QTest::newRow("two by two, complete")
        << head + "\"2 2 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k \",\n\" k\"};\n";
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not an XPM") << QByteArray("P1\n2 2\n0 1\n1 0\n");
    QTest::newRow("no strings") << head + "};\n";
    QTest::newRow("header only") << head + "\"2 2 2 1\"};\n";
    QTest::newRow("header not numbers") << head + "\"two 2 2 1\",\n\"  c None\"};\n";
    QTest::newRow("rows missing")
        << head + "\"2 3 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k \",\n\" k\"};\n";
    QTest::newRow("colours missing") << head + "\"2 2 9 1\",\n\"  c None\",\n\"k \",\n\" k\"};\n";
    QTest::newRow("row too short")
        << head + "\"2 2 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k\",\n\" k\"};\n";
    QTest::newRow("string left open")
        << head + "\"2 2 2 1\",\n\"  c None\",\n\"k c #000000\",\n\"k \",\n\" k};\n";
    QTest::newRow("huge") << head + "\"100000 100000 2 1\",\n\"  c None\"};\n";
}

void TestXpmResource::rejectsBrokenFiles()
{
    QFETCH(QByteArray, source);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("icon.xpm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(source);
    file.close();

    const QImage image = ReadXpmResource(path);
    if (QByteArray(QTest::currentDataTag()).endsWith("complete")) {
        QCOMPARE(image.size(), QSize(2, 2));
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(qAlpha(image.pixel(1, 0)), 0);
    } else {
        QVERIFY(image.isNull());
    }
    QVERIFY(ReadXpmResource(directory.filePath(QStringLiteral("missing.xpm"))).isNull());
}

QTEST_APPLESS_MAIN(TestXpmResource)
#include "tst_xpmresource.moc"
