// The spacing calculation on the four field texts, without a window.

#include "SpacingCalculation.h"

#include "vcl/sysutils/ErrorClasses.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The result text, or the error's class and message: "EDivByZero: ゼロによる除算".
QString Outcome(const SpacingFields& fields)
{
    try {
        return QString::number(CalculateSpacing(fields));
    } catch (const Exception& error) {
        return QStringLiteral("%1: %2").arg(QLatin1String(error.ClassName()),
                                            QString::fromStdString(error.Message()));
    }
}

} // namespace

class TestSpacingCalculation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withTheDefaults_data();
    void withTheDefaults();
    void readsTheFields_data();
    void readsTheFields();
    void countsWhatAReaderSees_data();
    void countsWhatAReaderSees();
};

void TestSpacingCalculation::withTheDefaults_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("five kana") << u"あいうえお"_s << u"5750"_s;
    QTest::newRow("latin") << u"abc"_s << u"12500"_s;
    QTest::newRow("mixed widths") << u"ABCあいう"_s << u"4400"_s;
    QTest::newRow("two") << u"ab"_s << u"26000"_s;
    QTest::newRow("eight") << QString(8, u'字') << u"2857"_s;
    QTest::newRow("fills the span") << QString(28, u'字') << u"0"_s;
    QTest::newRow("29 truncates toward zero") << QString(29, u'字') << u"-35"_s;
    QTest::newRow("30 truncates toward zero") << QString(30, u'字') << u"-68"_s;
    QTest::newRow("150") << QString(150, u'字') << u"-818"_s;
    QTest::newRow("spaces count") << u"a b"_s << u"12500"_s;
    QTest::newRow("empty") << QString() << u"-28000"_s;
    QTest::newRow("one character") << u"あ"_s << u"EDivByZero: ゼロによる除算"_s;
    // A number is the character count itself.
    QTest::newRow("number 5") << u"5"_s << u"5750"_s;
    QTest::newRow("number 10") << u"10"_s << u"2000"_s;
    QTest::newRow("number with leading space") << u" 10"_s << u"2000"_s;
    QTest::newRow("hex number") << u"$A"_s << u"2000"_s;
    QTest::newRow("number 0") << u"0"_s << u"-28000"_s;
    QTest::newRow("number 1") << u"1"_s << u"EDivByZero: ゼロによる除算"_s;
    QTest::newRow("number 28") << u"28"_s << u"0"_s;
    QTest::newRow("largest number") << u"2147483647"_s << u"-999"_s;
    // Anything else is counted character by character.
    QTest::newRow("negative number") << u"-3"_s << u"26000"_s;
    QTest::newRow("trailing space") << u"10 "_s << u"12500"_s;
    QTest::newRow("full-width digits") << u"１０"_s << u"26000"_s;
}

void TestSpacingCalculation::withTheDefaults()
{
    QFETCH(QString, text);
    QFETCH(QString, outcome);
    QCOMPARE(Outcome({"12", "0", "28", text.toStdString()}), outcome);
}

void TestSpacingCalculation::readsTheFields_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("feed");
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("outcome");
    const QString kana = u"あいうえお"_s;
    QTest::newRow("size not an integer")
        << u"abc"_s << u"0"_s << u"28"_s << kana << u"EConvertError: 'abc' は整数ではありません"_s;
    QTest::newRow("size with leading space") << u" 12"_s << u"0"_s << u"28"_s << kana << u"5750"_s;
    QTest::newRow("size with trailing space")
        << u"12 "_s << u"0"_s << u"28"_s << kana << u"EConvertError: '12 ' は整数ではありません"_s;
    QTest::newRow("size full-width") << u"１２"_s << u"0"_s << u"28"_s << kana
                                     << u"EConvertError: '１２' は整数ではありません"_s;
    QTest::newRow("feed not an integer")
        << u"12"_s << u""_s << u"28"_s << kana << u"EConvertError: '' は整数ではありません"_s;
    QTest::newRow("only the first failing field")
        << u"a"_s << u"b"_s << u"c"_s << kana << u"EConvertError: 'a' は整数ではありません"_s;
    QTest::newRow("span empty") << u"12"_s << u"0"_s << u""_s << kana
                                << u"EConvertError: '' は整数ではありません"_s;
    QTest::newRow("span as format text") << u"12"_s << u"0"_s << u"「%s%d」"_s << kana
                                         << u"EConvertError: '「%s%d」' は整数ではありません"_s;
    QTest::newRow("span $1C") << u"12"_s << u"0"_s << u"$1C"_s << kana << u"5750"_s;
    QTest::newRow("span 0X1C") << u"12"_s << u"0"_s << u"0X1C"_s << kana << u"5750"_s;
    QTest::newRow("span -$1C") << u"12"_s << u"0"_s << u"-$1C"_s << kana
                               << u"EConvertError: '-$1C' は整数ではありません"_s;
    QTest::newRow("span too large") << u"12"_s << u"0"_s << u"2147483648"_s << kana
                                    << u"EConvertError: '2147483648' は整数ではありません"_s;
    // The value is exact; what does not fit in 32 bits is an error.
    QTest::newRow("largest span, five characters")
        << u"12"_s << u"0"_s << u"2147483647"_s << kana << u"EIntOverflow: 整数のオーバーフロー"_s;
    QTest::newRow("smallest span, empty text") << u"12"_s << u"0"_s << u"-2147483648"_s << u""_s
                                               << u"EIntOverflow: 整数のオーバーフロー"_s;
    QTest::newRow("span 2147484, empty text")
        << u"12"_s << u"0"_s << u"2147484"_s << u""_s << u"EIntOverflow: 整数のオーバーフロー"_s;
    QTest::newRow("span 268435456, empty text")
        << u"12"_s << u"0"_s << u"268435456"_s << u""_s << u"EIntOverflow: 整数のオーバーフロー"_s;
    QTest::newRow("span $10000000, empty text")
        << u"12"_s << u"0"_s << u"$10000000"_s << u""_s << u"EIntOverflow: 整数のオーバーフロー"_s;
    QTest::newRow("span 2147483, empty text")
        << u"12"_s << u"0"_s << u"2147483"_s << u""_s << u"-2147483000"_s;
    QTest::newRow("largest span, a million characters")
        << u"12"_s << u"0"_s << u"2147483647"_s << u"1000000"_s << u"2146485"_s;
    QTest::newRow("smallest span, largest count")
        << u"12"_s << u"0"_s << u"-2147483648"_s << u"2147483647"_s << u"-2000"_s;
}

void TestSpacingCalculation::readsTheFields()
{
    QFETCH(QString, size);
    QFETCH(QString, feed);
    QFETCH(QString, span);
    QFETCH(QString, text);
    QFETCH(QString, outcome);
    QCOMPARE(
        Outcome({size.toStdString(), feed.toStdString(), span.toStdString(), text.toStdString()}),
        outcome);
}

void TestSpacingCalculation::countsWhatAReaderSees_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("outside the BMP") << u"𠮷野家"_s << 3;
    QTest::newRow("combining voiced mark") << u"か\u3099き"_s << 2;
    QTest::newRow("variation selector") << u"葛\U000E0100城"_s << 2;
    QTest::newRow("emoji with skin tone") << u"👍🏽👍"_s << 2;
    QTest::newRow("flag") << u"🇯🇵日本"_s << 3;
    QTest::newRow("CR LF is one") << u"a\r\nb"_s << 3;
    QTest::newRow("tab and full-width space") << u"a\t\u3000b"_s << 4;
}

void TestSpacingCalculation::countsWhatAReaderSees()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QCOMPARE(CharacterCount(text.toStdString()), count);
}

QTEST_APPLESS_MAIN(TestSpacingCalculation)
#include "tst_spacingcalculation.moc"
