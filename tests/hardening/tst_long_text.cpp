// Long texts pasted into the text field: they are taken whole at any length,
// counted exactly, the value is right, the calculation takes well under a
// second, and with a million characters in the field the window still answers
// each step within a second.

#include "CalculatorWindow.h"
#include "SpacingCalculation.h"

#include "vcl/sysutils/IntConversion.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// AddressSanitizer's bookkeeping of every allocation, Qt's included, slows
// text handling several times over; in such a build the bounds widen by that.
#if defined(__SANITIZE_ADDRESS__)
constexpr qint64 Slowdown = 4;
#else
constexpr qint64 Slowdown = 1;
#endif

// The longest span gives values that tell every count from its neighbours.
const QString LongestSpan = u"2147483647"_s;

// Milliseconds until the event loop runs an event posted now.
qint64 EventLoopLatency()
{
    QElapsedTimer clock;
    clock.start();
    qint64 latency = -1;
    QTimer::singleShot(0, [&] { latency = clock.elapsed(); });
    return QTest::qWaitFor([&] { return latency >= 0; }, 10000) ? latency : -1;
}

} // namespace

class TestLongText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void takenWholeAndCountedExactly_data();
    void takenWholeAndCountedExactly();
    void windowAnswersWithAMillionCharacters();

private:
    std::unique_ptr<CalculatorWindow> window_;
};

void TestLongText::init()
{
    window_ = std::make_unique<CalculatorWindow>();
    window_->Form().Edit3->setText(LongestSpan);
}

void TestLongText::cleanup()
{
    window_.reset();
}

void TestLongText::takenWholeAndCountedExactly_data()
{
    QTest::addColumn<QString>("unit"); // repeated to make the text
    QTest::addColumn<int>("repeats");
    QTest::addColumn<int>("characters");
    QTest::addColumn<QString>("result"); // over the longest span
    QTest::newRow("32,767 kanji") << u"字"_s << 32767 << 32767 << u"65539000"_s;
    QTest::newRow("32,768 kanji") << u"字"_s << 32768 << 32768 << u"65537000"_s;
    QTest::newRow("65,537 kanji") << u"字"_s << 65537 << 65537 << u"32766999"_s;
    QTest::newRow("1,000,000 ASCII letters") << u"a"_s << 1000000 << 1000000 << u"2146485"_s;
    QTest::newRow("1,000,000 kanji") << u"字"_s << 1000000 << 1000000 << u"2146485"_s;
    QTest::newRow("1,000,000 outside the BMP")
        << u"\U00020BB7"_s << 1000000 << 1000000 << u"2146485"_s;
    // Ten characters, each one cluster: a kanji, a letter, a surrogate pair, a
    // kana with a combining sound mark, an emoji with its skin tone, a flag, a
    // letter with a combining accent, a hangul syllable, a right-to-left mark
    // and a tab.
    const QString mixed =
        u"字a\U00020BB7か\u3099\U0001F44D\U0001F3FD\U0001F1EF\U0001F1F5e\u0301한\u200F\t"_s;
    QTest::newRow("1,000,000 mixed clusters") << mixed << 100000 << 1000000 << u"2146485"_s;
}

void TestLongText::takenWholeAndCountedExactly()
{
    QFETCH(QString, unit);
    QFETCH(int, repeats);
    QFETCH(int, characters);
    QFETCH(QString, result);
    TForm1& form = window_->Form();
    const QString text = unit.repeated(repeats);
    CalculatorWindow::PasteInto(form.Edit4, text);
    QCOMPARE(form.Edit4->text().size(), text.size());
    QVERIFY(form.Edit4->text() == text);

    const SpacingFields fields{form.Edit1->Text(), form.Edit2->Text(), form.Edit3->Text(),
                               form.Edit4->Text()};
    QElapsedTimer clock;
    clock.start();
    const int value = CalculateSpacing(fields);
    const qint64 calculationMs = clock.elapsed();
    QCOMPARE(IntToStr(value), result.toStdString());
    QCOMPARE(CharacterCount(fields.text), characters);
    qInfo("the calculation took %lld ms", calculationMs);
    QVERIFY2(calculationMs < 500 * Slowdown, qPrintable(u"%1 ms"_s.arg(calculationMs)));

    window_->PressCalculate();
    QCOMPARE(form.Edit5->text(), result);
    QCOMPARE(CalculatorWindow::ClipboardText(), result);
    QCOMPARE(form.Edit4->text(), QString());
}

// Each step a user takes with a million kanji in the field, the paste, a
// repaint of the field, the press of 計算する, ends within a second, and the
// event loop goes on at once after it.
void TestLongText::windowAnswersWithAMillionCharacters()
{
    TForm1& form = window_->Form();
    const QString text(1000000, u'字');
    QElapsedTimer clock;
    clock.start();
    CalculatorWindow::PasteInto(form.Edit4, text);
    const qint64 pasteMs = clock.elapsed();
    QCOMPARE(form.Edit4->text().size(), text.size());

    clock.restart();
    form.Edit4->repaint();
    const qint64 repaintMs = clock.elapsed();

    clock.restart();
    window_->PressCalculate();
    const qint64 pressMs = clock.elapsed();
    QCOMPARE(form.Edit5->text(), u"2146485"_s);
    const qint64 latencyMs = EventLoopLatency();

    qInfo("paste %lld ms, repaint %lld ms, press %lld ms, then the loop answers in %lld ms",
          pasteMs, repaintMs, pressMs, latencyMs);
    for (const qint64 stepMs : {pasteMs, repaintMs, pressMs})
        QVERIFY2(stepMs < 1000 * Slowdown, qPrintable(u"a step took %1 ms"_s.arg(stepMs)));
    QVERIFY2(latencyMs >= 0 && latencyMs < 100 * Slowdown, qPrintable(u"%1 ms"_s.arg(latencyMs)));
}

QTEST_MAIN(TestLongText)
#include "tst_long_text.moc"
