// Faults at start-up: a malformed form description, a missing icon, font
// configurations that cannot be read or name no fonts, a display that does not
// answer and an unknown platform. The program is run as a separate process;
// each fault ends with a clear message and exit code 1 (or, where the program
// can go on, with the window shown), never with an abort.

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The display numbers this test may name; no server runs on them.
const QString UnansweredDisplay = u":87"_s;

struct Run {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int exitCode = -1;
    QString output;
    QString error;
};

Run Start(const QString& program, const QStringList& settings)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    for (const QString& setting : settings) {
        const qsizetype equals = setting.indexOf(u'=');
        if (equals < 0)
            environment.remove(setting);
        else
            environment.insert(setting.left(equals), setting.mid(equals + 1));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.error = u"(still running after 60 s)"_s;
        return run;
    }
    run.status = process.exitStatus();
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    run.error += QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestStartupFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endsClearly_data();
    void endsClearly();
};

void TestStartupFaults::endsClearly_data()
{
    const QString data = QStringLiteral(HARDENING_DATA);
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("settings"); // NAME=value sets, NAME alone removes
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");  // a pattern standard error must match
    QTest::addColumn<QString>("output"); // what the probe saw, line by line

    QTest::newRow("form description malformed")
        << QStringLiteral(MORAVIN_PROBE_MALFORMED_FORM) << QStringList() << 1
        << u"^Exceptionがモジュール moravin_probe_malformed_form の [0-9A-F]{8} で発生しました。\n"
           "TFORM1, line 81: unreadable value \"2 \\+ 1\"\\.$"_s
        << u"box: アプリケーション エラー: "_s;
    QTest::newRow("icon missing")
        << QStringLiteral(MORAVIN_PROBE_WITHOUT_ICON) << QStringList() << 0
        << u"^moravin: the application icon :/icons/MAINICON.xpm is missing or unreadable$"_s
        << u"window: moravin"_s;
    QTest::newRow("font configuration missing")
        << QStringLiteral(MORAVIN_PROBE)
        << QStringList{u"FONTCONFIG_FILE=%1/no-such.conf"_s.arg(data)} << 0
        << u"Fontconfig error: Cannot load"_s << u"window: moravin"_s;
    QTest::newRow("font configuration malformed")
        << QStringLiteral(MORAVIN_PROBE)
        << QStringList{u"FONTCONFIG_FILE=%1/fonts-malformed.conf"_s.arg(data)} << 0
        << u"Fontconfig error: .*fonts-malformed.conf"_s << u"window: moravin"_s;
    QTest::newRow("font configuration without fonts")
        << QStringLiteral(MORAVIN_PROBE)
        << QStringList{u"FONTCONFIG_FILE=%1/fonts-none.conf"_s.arg(data)} << 1
        << u"^moravin: no font for Japanese text is available; check the font configuration "
           "\\(FONTCONFIG_FILE=.*/fonts-none.conf\\)$"_s
        << QString();
    QTest::newRow("display not answering")
        << QStringLiteral(MORAVIN_PROGRAM)
        << QStringList{u"QT_QPA_PLATFORM=xcb"_s, u"WAYLAND_DISPLAY"_s,
                       u"DISPLAY="_s + UnansweredDisplay}
        << 1 << u"^moravin: cannot connect to the display %1$"_s.arg(UnansweredDisplay)
        << QString();
    QTest::newRow("platform unknown")
        << QStringLiteral(MORAVIN_PROGRAM) << QStringList{u"QT_QPA_PLATFORM=no-such-platform"_s}
        << 1 << u"^moravin: Could not find the Qt platform plugin \"no-such-platform\""_s
        << QString();
}

void TestStartupFaults::endsClearly()
{
    QFETCH(QString, program);
    QFETCH(QStringList, settings);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QFETCH(QString, output);
    if (QFile::exists(u"/tmp/.X11-unix/X"_s + UnansweredDisplay.mid(1)))
        QSKIP("a server runs on the display this test expects to be unanswered");

    const Run run = Start(program, settings);
    const QString errorLines = run.error.trimmed();
    QVERIFY2(run.status == QProcess::NormalExit, qPrintable(u"ended by a signal: "_s + run.error));
    QVERIFY2(run.exitCode == exitCode,
             qPrintable(u"exit code %1; standard error:\n"_s.arg(run.exitCode) + run.error));
    // Standard error may hold the platform's own notes (XDG_RUNTIME_DIR and the
    // like) around the program's; the program's must be there, whole.
    const QRegularExpression expected(error, QRegularExpression::MultilineOption);
    QVERIFY2(expected.match(errorLines).hasMatch(), qPrintable(run.error));
    QVERIFY2(run.output.startsWith(output), qPrintable(run.output));
    if (output.isEmpty())
        QCOMPARE(run.output, QString());
}

QTEST_GUILESS_MAIN(TestStartupFaults)
#include "tst_startup_faults.moc"
