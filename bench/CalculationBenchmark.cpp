// The cost of one press of 計算する in the real calculator window, for texts of
// growing length: reading the four fields, counting the text's characters, the
// arithmetic, writing the result, copying it to the clipboard and emptying the
// text field. Putting the text into the field comes before the measured block,
// as a paste does before the press.
//
// Each run of a test function measures one press (QBENCHMARK_ONCE); run the
// program with -median N to have Qt Test repeat the function N times, text
// included, and report the median.

#include "Unit1.h"

#include "vcl/application/TApplication.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <memory>

namespace {

// Ten characters as a reader counts them, one of them outside the BMP and one
// a kana with a combining mark, so that counting has surrogates and clusters
// to deal with.
const QString HeadingPattern = QStringLiteral("第１章　𠮷野のか\u309Aぜと");

QString TextOfLength(int characters)
{
    Q_ASSERT(characters % 10 == 0);
    return HeadingPattern.repeated(characters / 10);
}

} // namespace

class CalculationBenchmark : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void calculate_data();
    void calculate();

private:
    std::unique_ptr<TApplication> application_;
};

void CalculationBenchmark::initTestCase()
{
    application_ = std::make_unique<TApplication>();
    Application->CreateForm(Form1);
    QVERIFY(Form1);
}

void CalculationBenchmark::cleanupTestCase()
{
    application_.reset();
}

void CalculationBenchmark::calculate_data()
{
    QTest::addColumn<int>("characters");
    QTest::addColumn<QString>("spacing"); // for the span of 28 the form starts with

    // 300,000 and 3,000,000 show how the cost grows on either side of 1,000,000,
    // once the text no longer fits the CPU caches.

    QTest::newRow("10") << 10 << QStringLiteral("2000");
    QTest::newRow("1000") << 1000 << QStringLiteral("-972");
    QTest::newRow("100000") << 100000 << QStringLiteral("-999");
    QTest::newRow("300000") << 300000 << QStringLiteral("-999");
    QTest::newRow("1000000") << 1000000 << QStringLiteral("-999");
    QTest::newRow("3000000") << 3000000 << QStringLiteral("-999");
}

void CalculationBenchmark::calculate()
{
    QFETCH(int, characters);
    QFETCH(QString, spacing);
    Form1->Edit4->setText(TextOfLength(characters));
    QGuiApplication::clipboard()->clear();

    QBENCHMARK_ONCE
    {
        Form1->Button1->click();
    }

    QCOMPARE(Form1->Edit5->text(), spacing);
    QCOMPARE(QGuiApplication::clipboard()->text(), spacing);
    QVERIFY(Form1->Edit4->text().isEmpty());
}

QTEST_MAIN(CalculationBenchmark)
#include "CalculationBenchmark.moc"
