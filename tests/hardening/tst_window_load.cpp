// The window under load: thousands of calculations in a row from the keyboard
// give the same value each time and leave the resident memory where it was.

#include "CalculatorWindow.h"

#include <QFile>
#include <QTest>

#include <unistd.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Resident set size, from /proc/self/statm, in bytes.
qint64 ResidentBytes()
{
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

} // namespace

class TestWindowLoad : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void manyCalculationsFromTheKeyboard();

private:
    // Types the text into the text field, Enter to move on to 計算する, Space to
    // press it, Shift+Tab back to the text field; returns whether the value and
    // the clipboard were the expected ones and the text field was emptied.
    bool CalculateFromTheKeyboard(const QString& text, const QString& expected);

    std::unique_ptr<CalculatorWindow> window_;
};

bool TestWindowLoad::CalculateFromTheKeyboard(const QString& text, const QString& expected)
{
    TForm1& form = window_->Form();
    form.Edit5->clear();
    QTest::keyClicks(form.Edit4, text);
    QTest::keyClick(form.Edit4, Qt::Key_Return);
    QTest::keyClick(form.Button1, Qt::Key_Space);
    QTest::keyClick(form.Button1, Qt::Key_Backtab, Qt::ShiftModifier);
    return form.Edit5->text() == expected && CalculatorWindow::ClipboardText() == expected &&
           form.Edit4->text().isEmpty() && form.Edit4->hasFocus();
}

void TestWindowLoad::manyCalculationsFromTheKeyboard()
{
    window_ = std::make_unique<CalculatorWindow>();
    window_->Form().Edit4->setFocus();
    const QString text = u"moravin"_s;
    const QString expected = u"3500"_s; // 7 characters over 28: 21 × 1000 / 6

    // Qt's caches (glyphs, layouts, the clipboard's data) fill during the first
    // calculations; the measurement starts once they have.
    for (int i = 0; i < 300; ++i)
        QVERIFY2(CalculateFromTheKeyboard(text, expected), qPrintable(QString::number(i)));
    const qint64 before = ResidentBytes();
    QVERIFY(before > 0);

    const int calculations = 3000;
    for (int i = 0; i < calculations; ++i)
        QVERIFY2(CalculateFromTheKeyboard(text, expected), qPrintable(QString::number(i)));
    const qint64 growth = ResidentBytes() - before;
    qInfo("resident memory before %lld KiB, growth %lld KiB over %d calculations", before / 1024,
          growth / 1024, calculations);
    // A hundred bytes lost in each calculation would exceed this bound.
    QVERIFY2(growth < 256 * 1024, qPrintable(u"grew by %1 bytes"_s.arg(growth)));
    window_.reset();
}

QTEST_MAIN(TestWindowLoad)
#include "tst_window_load.moc"
