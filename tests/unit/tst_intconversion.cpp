// The reading of field texts as 32-bit integers, and integers as decimal text.

#include "vcl/sysutils/ErrorClasses.h"
#include "vcl/sysutils/IntConversion.h"

#include <QTest>

#include <climits>

class TestIntConversion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsIntegers_data();
    void readsIntegers();
    void rejectsNonIntegers_data();
    void rejectsNonIntegers();
    void strictReadingQuotesTheWholeText_data();
    void strictReadingQuotesTheWholeText();
    void readingWithDefault();
    void writesDecimal_data();
    void writesDecimal();
};

void TestIntConversion::readsIntegers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("minus zero") << QByteArray("-0") << 0;
    QTest::newRow("leading zeros are not octal") << QByteArray("007") << 7;
    QTest::newRow("plus sign") << QByteArray("+28") << 28;
    QTest::newRow("leading spaces") << QByteArray("   12") << 12;
    QTest::newRow("largest") << QByteArray("2147483647") << INT_MAX;
    QTest::newRow("smallest") << QByteArray("-2147483648") << INT_MIN;
    QTest::newRow("many leading zeros") << QByteArray("-000000000002147483648") << INT_MIN;
    QTest::newRow("$ prefix") << QByteArray("$1C") << 28;
    QTest::newRow("x prefix") << QByteArray("x1c") << 28;
    QTest::newRow("X prefix") << QByteArray("X1F") << 31;
    QTest::newRow("0x prefix") << QByteArray("0xa") << 10;
    QTest::newRow("0X prefix") << QByteArray("0X1C") << 28;
    QTest::newRow("hex with spaces before") << QByteArray("  $A") << 10;
    QTest::newRow("hex leading zeros") << QByteArray("$000000000FF") << 255;
    QTest::newRow("hex largest positive") << QByteArray("$7FFFFFFF") << INT_MAX;
    QTest::newRow("hex sign bit") << QByteArray("$80000000") << INT_MIN;
    QTest::newRow("hex all ones") << QByteArray("$FFFFFFFF") << -1;
}

void TestIntConversion::readsIntegers()
{
    QFETCH(QByteArray, text);
    QFETCH(int, value);
    QCOMPARE(ParseInteger(text.toStdString()), std::optional<int>(value));
    QCOMPARE(StrToInt(text.toStdString()), value);
}

void TestIntConversion::rejectsNonIntegers_data()
{
    QTest::addColumn<QByteArray>("text");
    for (const char* text : {"",
                             " ",
                             "   ",
                             "+",
                             "-",
                             "$",
                             "x",
                             "X",
                             "0x",
                             "0X",
                             "12 ",
                             "12.0",
                             "1,000",
                             "1e3",
                             "abc",
                             "\t12",
                             "2147483648",
                             "-2147483649",
                             "99999999999999999999",
                             "$100000000",
                             "-$10",
                             "+0x10",
                             "$-10",
                             "0x+1",
                             "--1",
                             "+-1",
                             "1-",
                             "$G",
                             "0x1G",
                             "00x10",
                             "12\n"})
        QTest::addRow("[%s]", text) << QByteArray(text);
    QTest::newRow("full-width digits") << QByteArray("１２");
    QTest::newRow("full-width space before") << QByteArray("\u300012");
    QTest::newRow("no-break space before") << QByteArray("\u00a012");
    QTest::newRow("NUL after the digits") << QByteArray("12\0", 3);
}

void TestIntConversion::rejectsNonIntegers()
{
    QFETCH(QByteArray, text);
    QCOMPARE(ParseInteger(text.toStdString()), std::nullopt);
    QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt(text.toStdString()));
}

void TestIntConversion::strictReadingQuotesTheWholeText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("empty") << QByteArray("") << QByteArray("'' は整数ではありません");
    QTest::newRow("trailing space")
        << QByteArray("12 ") << QByteArray("'12 ' は整数ではありません");
    QTest::newRow("format directives stay text")
        << QByteArray("%s%d%n%%") << QByteArray("'%s%d%n%%' は整数ではありません");
    QTest::newRow("quotes") << QByteArray("'a'") << QByteArray("''a'' は整数ではありません");
}

void TestIntConversion::strictReadingQuotesTheWholeText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, message);
    try {
        StrToInt(text.toStdString());
        QFAIL("no error raised");
    } catch (const EConvertError& error) {
        QCOMPARE(QByteArray::fromStdString(error.Message()), message);
        QCOMPARE(error.ClassName(), "EConvertError");
    }
}

void TestIntConversion::readingWithDefault()
{
    QCOMPARE(StrToIntDef("$A", -1), 10);
    QCOMPARE(StrToIntDef("10 ", -1), -1);
    QCOMPARE(StrToIntDef("", 7), 7);
}

void TestIntConversion::writesDecimal_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("zero") << 0 << QByteArray("0");
    QTest::newRow("positive") << 5750 << QByteArray("5750");
    QTest::newRow("negative") << -28000 << QByteArray("-28000");
    QTest::newRow("smallest") << INT_MIN << QByteArray("-2147483648");
}

void TestIntConversion::writesDecimal()
{
    QFETCH(int, value);
    QFETCH(QByteArray, text);
    QCOMPARE(QByteArray::fromStdString(IntToStr(value)), text);
}

QTEST_APPLESS_MAIN(TestIntConversion)
#include "tst_intconversion.moc"
