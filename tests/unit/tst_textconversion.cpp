// The conversion of 8-bit text to UTF-16 that the character count reads: every
// kind of buffer the caller may offer gives the same text as QString::fromUtf8,
// including a byte order mark, broken sequences and a sequence cut off at the
// end.

#include "vcl/windows/WinApi.h"

#include <QTest>

#include <vector>

namespace {

// Converts bytes into a buffer of the given number of units; the result's size
// is what the call returned.
QString Converted(const QByteArray& bytes, int length, int units)
{
    std::vector<WCHAR> buffer(std::size_t(units) + 1, u'#');
    const int written = MultiByteToWideChar(CP_ACP, 0, bytes.constData(), length,
                                            units ? buffer.data() : nullptr, units);
    return QString(reinterpret_cast<const QChar*>(buffer.data()), written);
}

} // namespace

class TestTextConversion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convertsAsQt_data();
    void convertsAsQt();
    void refusesWhatItCannotDo();
};

void TestTextConversion::convertsAsQt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QByteArray("28");
    QTest::newRow("kana and kanji") << QByteArray("字取り");
    QTest::newRow("outside the BMP") << QByteArray("\xF0\xA0\xAE\xB7野家");
    QTest::newRow("leading byte order mark") << QByteArray("\xEF\xBB\xBF見出し\xEF\xBB\xBF");
    QTest::newRow("cut off at the end") << QByteArray("見出\xE3\x81");
    QTest::newRow("lone continuation bytes") << QByteArray("\x80\xBF\x61\x80");
    QTest::newRow("overlong") << QByteArray("\xC0\xAF\xE0\x80\xAF");
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80");
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80");
    QTest::newRow("invalid bytes") << QByteArray("\xFE\xFF\xF8");
    QTest::newRow("NUL inside") << QByteArray("a\0b", 3);
}

// A buffer the decoder may fill directly, one that holds just the result, and the
// size query all agree with Qt's own conversion.
void TestTextConversion::convertsAsQt()
{
    QFETCH(QByteArray, bytes);
    const QString expected = QString::fromUtf8(bytes);
    const int length = int(bytes.size());

    QCOMPARE(MultiByteToWideChar(CP_ACP, 0, bytes.constData(), length, nullptr, 0),
             int(expected.size()));
    QCOMPARE(Converted(bytes, length, length + 1), expected);
    QCOMPARE(Converted(bytes, length, int(expected.size())), expected);
    QCOMPARE(Converted(bytes, length, 4 * length + 4), expected);
}

void TestTextConversion::refusesWhatItCannotDo()
{
    const QByteArray heading("字取り");
    const int length = int(heading.size());
    QCOMPARE(Converted(heading, length, 2), QString());
    QCOMPARE(MultiByteToWideChar(932, 0, heading.constData(), length, nullptr, 0), 0);
    // A length of -1 converts up to and including the terminating NUL.
    QCOMPARE(Converted(heading, -1, 16), QStringLiteral("字取り") + QChar(0));
}

QTEST_APPLESS_MAIN(TestTextConversion)
#include "tst_textconversion.moc"
