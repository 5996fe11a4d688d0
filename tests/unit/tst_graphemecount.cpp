// The grapheme count's fast path for Japanese text against Qt's segmentation of
// the whole text as QString::fromUtf8 makes it: named cases around the places
// where the count hands over to Qt and back, and many random mixtures of the
// kinds of characters that change where clusters begin, with broken UTF-8 among
// them.

#include "GraphemeCount.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBoundaryFinder>

namespace {

qsizetype WholeTextCount(const QByteArray& bytes)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, QString::fromUtf8(bytes));
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

qsizetype FastCount(const QByteArray& bytes)
{
    return GraphemeCount(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace

class TestGraphemeCount : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countsAsQt_data();
    void countsAsQt();
    void brokenUtf8CountsAsQt_data();
    void brokenUtf8CountsAsQt();
    void randomMixturesCountAsQt();
};

void TestGraphemeCount::countsAsQt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    const QString kanji = QStringLiteral("字取り見出し");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("kanji and kana") << kanji << 6;
    QTest::newRow("outside the BMP") << QStringLiteral("𠮷野家") << 3;
    QTest::newRow("combining voiced mark") << QStringLiteral("か\u3099き") << 2;
    QTest::newRow("variation selector") << QStringLiteral("葛\U000E0100城") << 2;
    QTest::newRow("mark first") << QStringLiteral("\u3099\u309Aか") << 2;
    QTest::newRow("emoji with modifier") << QStringLiteral("字👍🏽字") << 3;
    QTest::newRow("emoji sequence with joiner") << QStringLiteral("字👩\u200D💻字") << 3;
    QTest::newRow("joiner after a kanji") << QStringLiteral("字\u200D👍") << 2;
    QTest::newRow("flags") << QStringLiteral("🇯🇵🇯🇵字") << 3;
    QTest::newRow("CR LF") << QStringLiteral("字\r\n字") << 3;
    QTest::newRow("spacing mark after punctuation")
        << QStringLiteral("a") + QStringLiteral("字").repeated(70) + QStringLiteral("　\u0903")
        << 72;
    QTest::newRow("spacing mark after a leading digit") << QStringLiteral("１\u0903字") << 3;
    QTest::newRow("prepended mark before a kanji") << QStringLiteral("字\u0600字") << 2;
    QTest::newRow("hangul syllables from jamo") << QStringLiteral("字\u1100\u1161字") << 3;
    QTest::newRow("long run then an emoji")
        << kanji.repeated(50) + QStringLiteral("👍🏽") + kanji.repeated(50) << 601;
    QTest::newRow("emoji every few characters")
        << QStringLiteral("字取👍🏽り").repeated(100) << 400;
    QTest::newRow("a joiner sequence across the hand-back length")
        << QStringLiteral("👍").repeated(63) + QStringLiteral("\u200D👍字字") + kanji << 63 + 2 + 6;
    QTest::newRow("regional indicators after a long stretch")
        << QStringLiteral("👍").repeated(70) + QStringLiteral("字字🇯🇵🇯") << 70 + 2 + 2;
}

void TestGraphemeCount::countsAsQt()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    const QByteArray bytes = text.toUtf8();
    QCOMPARE(WholeTextCount(bytes), qsizetype(count));
    QCOMPARE(FastCount(bytes), qsizetype(count));
}

// Each broken sequence counts as the U+FFFD characters the conversion makes of
// it, whatever stands around it.
void TestGraphemeCount::brokenUtf8CountsAsQt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray kanji = QStringLiteral("字取り見出し").toUtf8();
    QTest::newRow("cut-off kana between kanji") << kanji + "\xE3\x81" + kanji;
    QTest::newRow("cut-off kana at the end") << kanji + "\xE3\x81";
    QTest::newRow("lone continuation bytes") << "\x80" + kanji + "\xBF\xBF" + kanji;
    QTest::newRow("overlong ASCII") << kanji + "\xE0\x81\xA1\xC1\xA1" + kanji;
    QTest::newRow("encoded surrogate") << kanji + "\xED\xA0\x80" + kanji;
    QTest::newRow("beyond U+10FFFF") << kanji + "\xF4\x90\x80\x80" + kanji;
    QTest::newRow("lead bytes alone") << kanji + "\xF0\xE3\xC3" + kanji;
    QTest::newRow("three-byte lead, a letter, a continuation") << kanji + "\xE3\x61\x81" + kanji;
    QTest::newRow("four-byte lead, a letter, continuations") << kanji + "\xF0\xA0\x61\xB7" + kanji;
    QTest::newRow("byte order mark first") << "\xEF\xBB\xBF" + kanji;
    QTest::newRow("byte order mark inside") << kanji + "\xEF\xBB\xBF" + kanji;
    QTest::newRow("NUL") << kanji + QByteArray(1, '\0') + kanji;
    QTest::newRow("long stretch, then a cut-off kanji")
        << QStringLiteral("👍").repeated(80).toUtf8() + kanji + "\xE5\xAD" + kanji;
}

void TestGraphemeCount::brokenUtf8CountsAsQt()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(FastCount(bytes), WholeTextCount(bytes));
}

// Characters of every kind the fast path tells apart, and of those it hands to
// Qt: simple ones, marks, joiners, emoji and modifiers, regional indicators,
// controls, prepended and spacing marks, Hangul jamo, a virama, lone
// surrogates.
void TestGraphemeCount::randomMixturesCountAsQt()
{
    const QStringList pieces = {
        QStringLiteral("字"),     QStringLiteral("か"),           QStringLiteral("ア"),
        QStringLiteral("a"),      QStringLiteral("１"),           QStringLiteral("　"),
        QStringLiteral("𠮷"),     QStringLiteral("ー"),           QStringLiteral("\u3099"),
        QStringLiteral("\uFE0F"), QStringLiteral("\U000E0100"),   QStringLiteral("\u200D"),
        QStringLiteral("👍"),      QStringLiteral("🏽"),         QStringLiteral("🇯"),
        QStringLiteral("\r"),     QStringLiteral("\n"),           QStringLiteral("\u0600"),
        QStringLiteral("\u0903"), QStringLiteral("\u1100"),       QStringLiteral("\u1161"),
        QStringLiteral("\uAC00"), QStringLiteral("\u0915\u094D"), QStringLiteral("\u0301"),
        QString(QChar(0xD83D)),   QString(QChar(0xDC4D)),         QStringLiteral("ｶ"),
        QStringLiteral("\uFF9E"), QStringLiteral("\u0E01"),       QStringLiteral("\u0E33"),
        QStringLiteral("\u0627"), QStringLiteral("\u0F40\u0F7C"), QStringLiteral("\u1780\u17B6"),
    };
    const QList<QByteArray> broken = {
        "\x80", "\xBF",         "\xE3\x81",     "\xF0\xA0\xAE", "\xC3",
        "\xFF", "\xED\xA0\x80", "\xE0\x81\xA1", "\xEF\xBB\xBF", QByteArray(1, '\0'),
    };
    QRandomGenerator random(20261211);
    for (int round = 0; round < 3000; ++round) {
        // Mostly simple characters with others among them, at changing rates,
        // so that stretches for Qt open, grow past the hand-back length and end.
        const int length = int(random.bounded(1, 400));
        const quint32 otherRate = random.bounded(1, 40);
        const bool withBrokenBytes = round % 3 == 0;
        QByteArray bytes;
        for (int i = 0; i < length; ++i) {
            if (random.bounded(otherRate + 1) != 0)
                bytes += pieces[int(random.bounded(8))].toUtf8();
            else if (withBrokenBytes && random.bounded(2) == 0)
                bytes += broken[int(random.bounded(qsizetype(broken.size())))];
            else
                bytes += pieces[int(random.bounded(qsizetype(pieces.size())))].toUtf8();
        }
        const qsizetype fast = FastCount(bytes);
        const qsizetype whole = WholeTextCount(bytes);
        if (fast != whole)
            qWarning("%s", bytes.toHex(' ').constData());
        QCOMPARE(fast, whole);
    }
}

QTEST_APPLESS_MAIN(TestGraphemeCount)
#include "tst_graphemecount.moc"
