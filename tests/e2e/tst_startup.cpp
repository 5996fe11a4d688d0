// Starting and ending the real program: exit codes, the application-error box
// of a start-up failure, and a missing display.

#include "XSession.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString program = QStringLiteral(MORAVIN_PROGRAM);
const QString programWithoutForm = QStringLiteral(MORAVIN_NOFORM_PROGRAM);

bool Finished(QProcess* process, int timeoutMs = 10000)
{
    return XSession::WaitFor(
        [&] { return process->waitForFinished(10) || process->state() == QProcess::NotRunning; },
        timeoutMs);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void closingEndsWithCodeZero_data();
    void closingEndsWithCodeZero();
    void missingFormDescription();
    void noDisplay();

private:
    XSession session_;
};

void TestStartup::initTestCase()
{
    QString error;
    QVERIFY2(session_.Start(true, &error), qPrintable(error));
}

void TestStartup::closingEndsWithCodeZero_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("exit button") << u"button"_s;
    QTest::newRow("exit button by keyboard") << u"keyboard"_s;
    QTest::newRow("close box") << u"close box"_s;
    QTest::newRow("Alt+F4") << u"alt+F4"_s;
}

void TestStartup::closingEndsWithCodeZero()
{
    QFETCH(QString, way);
    QProcess* moravin = session_.Launch(program);
    QStringList windows;
    QVERIFY2(XSession::WaitFor([&] {
                 windows = session_.Windows(u"moravin"_s, moravin->processId());
                 return !windows.isEmpty();
             }),
             "the window did not appear");
    const QString window = windows.first();
    QVERIFY(session_.Activate(window));
    if (way == u"button") {
        // The middle of 終了, at 224, 144, 57 × 25 in the client area.
        session_.Tool(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, window, u"252"_s, u"156"_s,
                                     u"click"_s, u"1"_s});
    } else if (way == u"keyboard") {
        // From the size field, Shift+Tab wraps around to 終了.
        session_.Tool(u"xdotool"_s, {u"key"_s, u"--delay"_s, u"30"_s, u"shift+Tab"_s, u"Return"_s});
    } else if (way == u"close box") {
        // openbox puts the close box at the right end of the title bar.
        QVERIFY(XSession::WaitFor([&] { return session_.FrameExtents(window).size() == 4; }));
        const QRect client = session_.Geometry(window);
        const QList<int> frame = session_.FrameExtents(window);
        const int x = client.right() + frame[1] - 9;
        const int y = client.top() - frame[2] / 2;
        session_.Tool(u"xdotool"_s,
                      {u"mousemove"_s, QString::number(x), QString::number(y), u"click"_s, u"1"_s});
    } else {
        session_.Tool(u"xdotool"_s, {u"key"_s, u"alt+F4"_s});
    }
    QVERIFY2(Finished(moravin), qPrintable(way + u": the program is still running"_s));
    QCOMPARE(moravin->exitStatus(), QProcess::NormalExit);
    QCOMPARE(moravin->exitCode(), 0);
}

void TestStartup::missingFormDescription()
{
    QProcess* moravin = session_.Launch(programWithoutForm);
    QStringList boxes;
    QVERIFY2(XSession::WaitFor([&] {
                 boxes = session_.Windows(u"アプリケーション エラー"_s, moravin->processId());
                 return !boxes.isEmpty();
             }),
             "the application-error box did not appear");
    QVERIFY(session_.Windows(u"moravin"_s, moravin->processId()).isEmpty());
    QVERIFY(session_.Activate(boxes.first()));
    session_.Tool(u"xdotool"_s, {u"key"_s, u"Return"_s});
    QVERIFY2(Finished(moravin), "the program did not end after the box was closed");
    QCOMPARE(moravin->exitCode(), 1);

    const QStringList lines =
        QString::fromUtf8(moravin->readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList own = lines.filter(QRegularExpression(u"EResNotFound|リソース"_s));
    QCOMPARE(own.size(), 2);
    const QRegularExpression first(
        u"^EResNotFoundがモジュール moravin_noform の [0-9A-F]{8} で発生しました。$"_s);
    QVERIFY2(first.match(own[0]).hasMatch(), qPrintable(own[0]));
    QCOMPARE(own[1], u"TForm1 リソースが見つかりません."_s);
}

void TestStartup::noDisplay()
{
    QProcess moravin;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    moravin.setProcessEnvironment(environment);
    moravin.start(program);
    QVERIFY(moravin.waitForFinished(10000));
    QCOMPARE(moravin.exitStatus(), QProcess::NormalExit);
    QCOMPARE(moravin.exitCode(), 1);
    const QString error = QString::fromUtf8(moravin.readAllStandardError());
    QCOMPARE(error.count(u'\n'), 1);
    QCOMPARE(error, u"moravin: cannot connect to a display: DISPLAY is not set\n"_s);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
