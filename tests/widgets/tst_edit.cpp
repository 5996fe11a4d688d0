// The single-line edit field: texts of any length, one line only, and the
// messages the calculation sends it.

#include "vcl/controls/TEdit.h"
#include "vcl/windows/WinApi.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

class TestEdit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void takesTextOfAnyLength();
    void keepsTheFirstLineOfAPaste_data();
    void keepsTheFirstLineOfAPaste();
    void textSetWithLineBreaksKeepsItsFirstLine();
    void copiesTheSelection();
    void setWindowTextReplacesTheText();
};

void TestEdit::takesTextOfAnyLength()
{
    TEdit edit(nullptr);
    const QString longText(100000, u'字');
    edit.setText(longText);
    QCOMPARE(edit.text().size(), longText.size());

    edit.clear();
    QGuiApplication::clipboard()->setText(longText + longText);
    edit.paste();
    QCOMPARE(edit.text().size(), 2 * longText.size());
}

void TestEdit::keepsTheFirstLineOfAPaste_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::newRow("CR LF") << QString() << 0 << QStringLiteral("abc\r\ndef")
                           << QStringLiteral("abc");
    QTest::newRow("LF") << QString() << 0 << QStringLiteral("abc\ndef\nghi")
                        << QStringLiteral("abc");
    QTest::newRow("CR") << QString() << 0 << QStringLiteral("abc\rdef") << QStringLiteral("abc");
    QTest::newRow("paragraph separator")
        << QString() << 0 << QStringLiteral("abc\u2029def") << QStringLiteral("abc");
    QTest::newRow("into the middle")
        << QStringLiteral("XY") << 1 << QStringLiteral("a\nb") << QStringLiteral("XaY");
    QTest::newRow("break first") << QStringLiteral("XY") << 2 << QStringLiteral("\nab")
                                 << QStringLiteral("XY");
    QTest::newRow("no break") << QStringLiteral("XY") << 0 << QStringLiteral("ab")
                              << QStringLiteral("abXY");
}

void TestEdit::keepsTheFirstLineOfAPaste()
{
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    TEdit edit(nullptr);
    edit.setText(before);
    edit.setCursorPosition(cursor);
    QGuiApplication::clipboard()->setText(pasted);
    edit.paste();
    QCOMPARE(edit.text(), after);
}

void TestEdit::textSetWithLineBreaksKeepsItsFirstLine()
{
    TEdit edit(nullptr);
    edit.SetText("first\nsecond");
    QCOMPARE(edit.Text(), "first");
}

void TestEdit::copiesTheSelection()
{
    TEdit edit(nullptr);
    edit.SetText("5750");
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    SendMessageA(edit.Handle(), WM_COPY, 0, 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

    SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
    SendMessageA(edit.Handle(), WM_COPY, 0, 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("5750"));

    SendMessageA(edit.Handle(), EM_SETSEL, 1, 3);
    SendMessageA(edit.Handle(), WM_COPY, 0, 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("75"));
}

void TestEdit::setWindowTextReplacesTheText()
{
    TEdit edit(nullptr);
    edit.SetText("あいうえお");
    QVERIFY(SetWindowTextA(edit.Handle(), ""));
    QCOMPARE(edit.Text(), "");
    SetWindowTextA(edit.Handle(), "字取り");
    QCOMPARE(edit.text(), QStringLiteral("字取り"));
}

QTEST_MAIN(TestEdit)
#include "tst_edit.moc"
