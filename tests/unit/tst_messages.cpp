// The texts of the error boxes.

#include "vcl/application/ApplicationError.h"
#include "vcl/application/ErrorText.h"
#include "vcl/sysutils/ErrorClasses.h"
#include "vcl/sysutils/Format.h"
#include "vcl/sysutils/ResourceStrings.h"

#include <QRegularExpression>
#include <QTest>

#include <stdexcept>

class TestMessages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void errorBoxAppendsPoint_data();
    void errorBoxAppendsPoint();
    void formatTakesArgumentsAsText();
    void applicationErrorNamesClassModuleAndOffset();
    void applicationErrorForOtherErrors();
};

void TestMessages::errorBoxAppendsPoint_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("ends in a kanji")
        << QByteArray("ゼロによる除算") << QByteArray("ゼロによる除算.");
    QTest::newRow("ends in a letter") << QByteArray("abc") << QByteArray("abc.");
    QTest::newRow("ends in a quote") << QByteArray("'a'") << QByteArray("'a'");
    QTest::newRow("ends in a point") << QByteArray("done.") << QByteArray("done.");
    QTest::newRow("ends in a hyphen") << QByteArray("a-") << QByteArray("a-");
    QTest::newRow("ends in a slash") << QByteArray("a/") << QByteArray("a/.");
    QTest::newRow("ends in a digit") << QByteArray("12") << QByteArray("12.");
    QTest::newRow("ends in a full stop") << QByteArray("終わり。") << QByteArray("終わり。.");
    QTest::newRow("empty") << QByteArray("") << QByteArray("");
}

void TestMessages::errorBoxAppendsPoint()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, shown);
    QCOMPARE(QByteArray::fromStdString(ErrorBoxText(message.toStdString())), shown);
}

void TestMessages::formatTakesArgumentsAsText()
{
    QCOMPARE(Format(SInvalidInteger, {"%s%n"}), "'%s%n' は整数ではありません");
    QCOMPARE(Format("100%% of %s", {"%%"}), "100% of %%");
    QCOMPARE(Format("%s and %s", {"one"}), "one and ");
}

void TestMessages::applicationErrorNamesClassModuleAndOffset()
{
    const QString text = QString::fromStdString(
        ApplicationErrorText(EResNotFound(Format(SResNotFound, {"TForm1"}))));
    const QStringList lines = text.split(u'\n');
    QCOMPARE(lines.size(), 2);
    static const QRegularExpression first(
        QStringLiteral("^EResNotFoundがモジュール tst_messages の [0-9A-F]{8} で発生しました。$"));
    QVERIFY2(first.match(lines[0]).hasMatch(), qPrintable(lines[0]));
    QCOMPARE(lines[1], QStringLiteral("TForm1 リソースが見つかりません."));
}

void TestMessages::applicationErrorForOtherErrors()
{
    const QString text =
        QString::fromStdString(ApplicationErrorText(std::runtime_error("ends in a point.")));
    QVERIFY2(text.startsWith(QStringLiteral("std::runtime_errorがモジュール ")), qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral("\nends in a point.")));
}

QTEST_APPLESS_MAIN(TestMessages)
#include "tst_messages.moc"
