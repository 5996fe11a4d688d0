// Text from the clipboard that no keyboard gives: NUL and other control
// characters, lone surrogates, bytes that are not UTF-8, right-to-left marks,
// tabs and full-width spaces. Each gives a value or an error box that quotes
// the field exactly, and a failed calculation changes no field.

#include "CalculatorWindow.h"
#include "ModalBoxWatcher.h"

#include <QTest>

#include <cstddef>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

TEdit* Field(TForm1& form, const QString& name)
{
    return form.ClientArea()->findChild<TEdit*>(name, Qt::FindDirectChildrenOnly);
}

// A text with NUL characters in it, from a literal taken whole.
template <std::size_t Size> QString WithNul(const char16_t (&text)[Size])
{
    return QString(reinterpret_cast<const QChar*>(text), qsizetype(Size - 1));
}

QString NotAnInteger(const QString& text)
{
    return u"'"_s + text + u"' は整数ではありません."_s;
}

} // namespace

class TestPastedInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void givesAValue_data();
    void givesAValue();
    void givesAnErrorBoxAndChangesNothing_data();
    void givesAnErrorBoxAndChangesNothing();

private:
    std::unique_ptr<CalculatorWindow> window_;
};

void TestPastedInput::init()
{
    window_ = std::make_unique<CalculatorWindow>();
}

void TestPastedInput::cleanup()
{
    window_.reset();
}

void TestPastedInput::givesAValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("clipboard");
    QTest::addColumn<QString>("held"); // the field's text after the paste
    QTest::addColumn<QString>("result");
    // Span 28; n characters give (28 - n) × 1000 / (n - 1).
    const QString nul = WithNul(u"a\0b\0c");
    QTest::newRow("NUL characters") << u"Edit4"_s << QVariant(nul) << nul << u"5750"_s;
    const QString controls = u"\x01\x1b\x7f"_s;
    QTest::newRow("control characters")
        << u"Edit4"_s << QVariant(controls) << controls << u"12500"_s;
    // A lone surrogate cannot become UTF-8; it is read as one character.
    const QString lone = QString(QChar(0xD800)) + u"a"_s + QChar(0xDC00);
    QTest::newRow("lone surrogates") << u"Edit4"_s << QVariant(lone) << lone << u"12500"_s;
    QTest::newRow("bytes that are not UTF-8") << u"Edit4"_s
                                              << QVariant(QByteArray("\xff\xfe"
                                                                     "ab"))
                                              << u"\uFFFD\uFFFDab"_s << u"8000"_s;
    QTest::newRow("CESU-8 surrogate") << u"Edit4"_s << QVariant(QByteArray("\xed\xa0\x80z"))
                                      << u"\uFFFD\uFFFD\uFFFDz"_s << u"8000"_s;
    const QString rtl = u"\u200Fעברית\u200F"_s;
    QTest::newRow("right-to-left marks") << u"Edit4"_s << QVariant(rtl) << rtl << u"3500"_s;
    const QString spaces = u"a\tb\u3000c"_s;
    QTest::newRow("tab and full-width space")
        << u"Edit4"_s << QVariant(spaces) << spaces << u"5750"_s;
    QTest::newRow("full-width digits are characters")
        << u"Edit4"_s << QVariant(u"１０"_s) << u"１０"_s << u"26000"_s;
    QTest::newRow("span with leading spaces")
        << u"Edit3"_s << QVariant(u"   $1C"_s) << u"   $1C"_s << u"5750"_s;
}

// A value: it is shown and copied, the text field is emptied.
void TestPastedInput::givesAValue()
{
    QFETCH(QString, field);
    QFETCH(QVariant, clipboard);
    QFETCH(QString, held);
    QFETCH(QString, result);
    TForm1& form = window_->Form();
    if (field != u"Edit4"_s)
        form.Edit4->setText(u"あいうえお"_s);
    CalculatorWindow::PasteInto(Field(form, field), clipboard);
    QCOMPARE(Field(form, field)->text(), held);

    ModalBoxWatcher box;
    window_->PressCalculate();
    QVERIFY2(!box.seen, qPrintable(u"error box: "_s + box.text));
    QCOMPARE(form.Edit5->text(), result);
    QCOMPARE(CalculatorWindow::ClipboardText(), result);
    QCOMPARE(form.Edit4->text(), QString());
}

void TestPastedInput::givesAnErrorBoxAndChangesNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("clipboard");
    QTest::addColumn<QString>("message");
    QTest::newRow("tab before the size")
        << u"Edit1"_s << QVariant(u"\t12"_s) << NotAnInteger(u"\t12"_s);
    QTest::newRow("full-width space before the size")
        << u"Edit1"_s << QVariant(u"\u300012"_s) << NotAnInteger(u"\u300012"_s);
    QTest::newRow("control character in the size")
        << u"Edit1"_s << QVariant(u"1\x1b"_s) << NotAnInteger(u"1\x1b"_s);
    const QString nul = WithNul(u"1\0"
                                u"2");
    QTest::newRow("NUL in the size") << u"Edit1"_s << QVariant(nul) << NotAnInteger(nul);
    QTest::newRow("full-width digits in the span")
        << u"Edit3"_s << QVariant(u"２８"_s) << NotAnInteger(u"２８"_s);
    QTest::newRow("right-to-left mark before the span")
        << u"Edit3"_s << QVariant(u"\u200F28"_s) << NotAnInteger(u"\u200F28"_s);
    QTest::newRow("bytes that are not UTF-8 in the span") << u"Edit3"_s
                                                          << QVariant(QByteArray("2\xff"
                                                                                 "8"))
                                                          << NotAnInteger(u"2\uFFFD8"_s);
    // The field's text is quoted as it stands, never read as a format.
    QTest::newRow("quotes") << u"Edit3"_s << QVariant(u"'\"'"_s) << NotAnInteger(u"'\"'"_s);
    QTest::newRow("printf directives")
        << u"Edit3"_s << QVariant(u"%s%n%d%%"_s) << NotAnInteger(u"%s%n%d%%"_s);
    const QString wide(10000, u'字');
    QTest::newRow("10,000 characters") << u"Edit1"_s << QVariant(wide) << NotAnInteger(wide);
}

// An error: the box quotes the field whole; fields and clipboard stay as they were.
void TestPastedInput::givesAnErrorBoxAndChangesNothing()
{
    QFETCH(QString, field);
    QFETCH(QVariant, clipboard);
    QFETCH(QString, message);
    TForm1& form = window_->Form();
    form.Edit4->setText(u"あいうえお"_s);
    form.Edit5->setText(u"5750"_s);
    CalculatorWindow::PasteInto(Field(form, field), clipboard);
    QStringList before;
    for (TEdit* edit : {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5})
        before << edit->text();
    const QString clipboardBefore = CalculatorWindow::ClipboardText();

    ModalBoxWatcher box;
    window_->PressCalculate();
    QVERIFY(box.seen);
    QEXPECT_FAIL("NUL in the size", "the box shows the message only up to its first NUL character",
                 Continue);
    QCOMPARE(box.text, message);
    QCOMPARE(box.title, u"moravin"_s);

    QStringList after;
    for (TEdit* edit : {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5})
        after << edit->text();
    QCOMPARE(after, before);
    QCOMPARE(CalculatorWindow::ClipboardText(), clipboardBefore);
}

QTEST_MAIN(TestPastedInput)
#include "tst_pasted_input.moc"
