// The real program under Wayland: a private weston with its headless backend,
// no X server anywhere. The protocol trace of the program (WAYLAND_DEBUG)
// shows what it asks of the compositor, weston's screenshooter what the
// compositor shows.
//
// The headless backend has no input devices, so nothing here types or clicks:
// keys and the clipboard are exercised under X11 only.

#include "XSession.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString program = QStringLiteral(MORAVIN_PROGRAM);

// The window's outer size as the form description stores it; under Wayland the
// frame around the client area is Qt's own decoration.
const QSize formSize(298, 204);

// Without an event loop, QProcess learns of the end only when asked.
bool Ended(QProcess& process)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(0);
}

// A running program and everything it has written on standard error.
struct Client {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QString trace;

    ~Client() { XSession::Stop(*process); }

    const QString& Trace()
    {
        process->waitForReadyRead(0);
        trace += QString::fromUtf8(process->readAllStandardError());
        return trace;
    }
};

// What the trace tells of the program's toplevel window: its title and app id,
// and whether the compositor has put the surface, with a buffer attached, on
// an output.
struct Toplevel {
    QString title;
    QString appId;
    bool shown = false;
};

QString Match(const QString& text, const QString& pattern)
{
    return QRegularExpression(pattern).match(text).captured(1);
}

Toplevel ParseTrace(const QString& trace)
{
    Toplevel toplevel;
    static const QRegularExpression surfaces(
        uR"(-> xdg_wm_base@\d+\.get_xdg_surface\(new id xdg_surface@(\d+), wl_surface@(\d+)\))"_s);
    for (auto it = surfaces.globalMatch(trace); it.hasNext();) {
        const auto surface = it.next();
        const QString xdg = surface.captured(1);
        const QString wl = surface.captured(2);
        const QString id = Match(
            trace, uR"(-> xdg_surface@%1\.get_toplevel\(new id xdg_toplevel@(\d+)\))"_s.arg(xdg));
        if (id.isEmpty())
            continue;
        toplevel.title = Match(trace, uR"re(-> xdg_toplevel@%1\.set_title\("(.*)"\))re"_s.arg(id));
        toplevel.appId = Match(trace, uR"re(-> xdg_toplevel@%1\.set_app_id\("(.*)"\))re"_s.arg(id));
        toplevel.shown = trace.contains(u"-> xdg_surface@%1.ack_configure("_s.arg(xdg)) &&
                         trace.contains(u"-> wl_surface@%1.attach(wl_buffer@"_s.arg(wl)) &&
                         QRegularExpression(u"\\] wl_surface@%1\\.enter\\(wl_output@"_s.arg(wl))
                             .match(trace)
                             .hasMatch();
        break;
    }
    return toplevel;
}

// The lines of the trace that are not protocol messages: the program's own
// messages and Qt's warnings.
QStringList OtherLines(const QString& trace)
{
    static const QRegularExpression message(uR"(^\[\s*\d+\.\d+\] )"_s);
    QStringList lines;
    for (const QString& line : trace.split(u'\n', Qt::SkipEmptyParts)) {
        if (!message.match(line).hasMatch())
            lines << line;
    }
    return lines;
}

} // namespace

class TestWayland : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void comesUp_data();
    void comesUp();
    void endsWithTheCompositor();

private:
    QProcessEnvironment Environment() const;
    std::unique_ptr<Client> Start(const QString& platform);
    bool WaitShown(Client& client, int timeoutMs = 15000);
    // The screen cut down to what is not black background, which is the
    // program's window: its size, and how many of its pixels are of the window
    // face (Qt's standard palette) and how many dark enough to be text.
    struct Shot {
        QSize window;
        int face = 0;
        int text = 0;
        // At the form's size, and the controls drawn on the face, not just the
        // decoration around an empty client area.
        bool Drawn() const
        {
            return window == formSize && face > formSize.width() * formSize.height() / 4 &&
                   text > 200;
        }
    };
    Shot Screenshot(QString* error);

    QTemporaryDir runtime_;
    QTemporaryDir shots_;
    QString socket_;
    QProcess weston_;
};

void TestWayland::initTestCase()
{
    for (const char* tool : {"weston", "weston-screenshooter", "convert"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QString::fromLatin1(tool) +
                             u" is not installed (scripts/install-deps.sh installs it)"_s));
    }
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       u"/platforms/libqwayland-generic.so"_s))
        QSKIP("Qt's Wayland platform plugin is not installed (qt6-wayland)");
    QVERIFY(runtime_.isValid());
    QVERIFY(shots_.isValid());
    // The runtime directory is the user's alone, as Wayland requires.
    QVERIFY(QFile::setPermissions(
        runtime_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    const QString config = QFINDTESTDATA("fixtures/wayland/weston.ini");
    QVERIFY(!config.isEmpty());
    socket_ = u"moravin-test-%1"_s.arg(QCoreApplication::applicationPid());
    QProcessEnvironment environment = Environment();
    environment.remove(u"WAYLAND_DISPLAY"_s);
    weston_.setProcessEnvironment(environment);
    // --use-pixman renders into memory, so that the screenshooter has
    // something to read; --debug allows the screenshooter to ask.
    weston_.start(u"weston"_s,
                  {u"--backend=headless-backend.so"_s, u"--socket="_s + socket_, u"--width=1024"_s,
                   u"--height=768"_s, u"--use-pixman"_s, u"--debug"_s, u"--config="_s + config,
                   u"--log="_s + runtime_.filePath(u"weston.log"_s)});
    QVERIFY2(weston_.waitForStarted(5000), qPrintable(weston_.errorString()));
    const bool listening = XSession::WaitFor(
        [&] { return QFile::exists(runtime_.filePath(socket_)) || Ended(weston_); });
    QFile log(runtime_.filePath(u"weston.log"_s));
    log.open(QIODevice::ReadOnly);
    QVERIFY2(listening && !Ended(weston_),
             qPrintable(u"weston did not come up: "_s + QString::fromUtf8(log.readAll())));
}

void TestWayland::cleanupTestCase()
{
    XSession::Stop(weston_);
}

// The session's own environment without anything of X11 and with the private
// compositor; Qt's platform is chosen per test.
QProcessEnvironment TestWayland::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME",
                             "QT_STYLE_OVERRIDE", "QT_IM_MODULE", "QT_SCALE_FACTOR"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(u"XDG_RUNTIME_DIR"_s, runtime_.path());
    environment.insert(u"WAYLAND_DISPLAY"_s, socket_);
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    return environment;
}

std::unique_ptr<Client> TestWayland::Start(const QString& platform)
{
    auto client = std::make_unique<Client>();
    QProcessEnvironment environment = Environment();
    if (!platform.isEmpty())
        environment.insert(u"QT_QPA_PLATFORM"_s, platform);
    environment.insert(u"WAYLAND_DEBUG"_s, u"client"_s);
    client->process->setProcessEnvironment(environment);
    client->process->setReadChannel(QProcess::StandardError);
    client->process->start(program);
    client->process->waitForStarted(5000);
    return client;
}

bool TestWayland::WaitShown(Client& client, int timeoutMs)
{
    return XSession::WaitFor(
               [&] { return ParseTrace(client.Trace()).shown || Ended(*client.process); },
               timeoutMs) &&
           !Ended(*client.process);
}

TestWayland::Shot TestWayland::Screenshot(QString* error)
{
    Shot shot;
    QDir folder(shots_.path());
    for (const QString& old : folder.entryList(QDir::Files))
        folder.remove(old);
    QProcess shooter;
    shooter.setProcessEnvironment(Environment());
    shooter.setWorkingDirectory(folder.path());
    shooter.start(u"weston-screenshooter"_s);
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0) {
        *error = u"weston-screenshooter failed: "_s +
                 QString::fromUtf8(shooter.readAllStandardError()).trimmed();
        return shot;
    }
    const QStringList shots = folder.entryList({u"*.png"_s}, QDir::Files);
    if (shots.isEmpty()) {
        *error = u"weston-screenshooter wrote no image"_s;
        return shot;
    }
    // A black border first, so that the background is what -trim removes even
    // when the window touches a corner of the screen. Then the size of what is
    // left and its colours, one line each: "count: (r,g,b...) ...".
    QProcess convert;
    convert.start(u"convert"_s, {folder.filePath(shots.first()), u"-bordercolor"_s, u"black"_s,
                                 u"-border"_s, u"1"_s, u"-trim"_s, u"+repage"_s, u"-print"_s,
                                 u"%w %h\n"_s, u"-format"_s, u"%c"_s, u"histogram:info:-"_s});
    convert.waitForFinished(10000);
    const QString output = QString::fromUtf8(convert.readAllStandardOutput());
    const QStringList size = output.section(u'\n', 0, 0).split(u' ');
    if (size.size() == 2)
        shot.window = QSize(size[0].toInt(), size[1].toInt());
    static const QRegularExpression entry(uR"(^\s*(\d+): \(\s*(\d+),\s*(\d+),\s*(\d+))"_s,
                                          QRegularExpression::MultilineOption);
    for (auto it = entry.globalMatch(output.section(u'\n', 1)); it.hasNext();) {
        const auto colour = it.next();
        const int count = colour.captured(1).toInt();
        const int r = colour.captured(2).toInt();
        const int g = colour.captured(3).toInt();
        const int b = colour.captured(4).toInt();
        if (r == 239 && g == 239 && b == 239)
            shot.face += count;
        else if (r < 96 && g < 96 && b < 96)
            shot.text += count;
    }
    return shot;
}

void TestWayland::comesUp_data()
{
    QTest::addColumn<QString>("platform");
    QTest::newRow("QT_QPA_PLATFORM=wayland") << u"wayland"_s;
    // As in a Wayland session that offers no X server: Qt chooses Wayland
    // itself.
    QTest::newRow("WAYLAND_DISPLAY alone") << QString();
}

// The window comes up as moravin, is shown at the form's size with its
// controls drawn, and the program keeps running, quietly.
void TestWayland::comesUp()
{
    QFETCH(QString, platform);
    const std::unique_ptr<Client> moravin = Start(platform);
    QVERIFY2(WaitShown(*moravin), qPrintable(u"the window was not shown; the trace ends with: "_s +
                                             moravin->Trace().right(2000)));
    const Toplevel toplevel = ParseTrace(moravin->Trace());
    QCOMPARE(toplevel.title, u"moravin"_s);
    QCOMPARE(toplevel.appId, u"moravin"_s);

    // The compositor repaints after the commit: shoot until the window is
    // there, alone (the window of an earlier test may take a moment to go),
    // drawn in full.
    Shot shot;
    QString error;
    XSession::WaitFor(
        [&] {
            shot = Screenshot(&error);
            return !error.isEmpty() || shot.Drawn();
        },
        10000);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(shot.window, formSize);
    QVERIFY2(
        shot.Drawn(),
        qPrintable(u"%1 pixels of the window face, %2 of text"_s.arg(shot.face).arg(shot.text)));

    // Through all of that it has kept running and has said nothing of its own.
    QVERIFY2(!Ended(*moravin->process), "the program has ended");
    QCOMPARE(OtherLines(moravin->Trace()), QStringList());

    // There is no way to close the window from outside the program here.
    moravin->process->terminate();
    QVERIFY(moravin->process->waitForFinished(5000));
}

// Without a compositor there is nothing to show: when weston goes, the program
// ends by itself, with an error code and without crashing.
void TestWayland::endsWithTheCompositor()
{
    const std::unique_ptr<Client> moravin = Start(u"wayland"_s);
    QVERIFY2(WaitShown(*moravin), "the window was not shown");
    XSession::Stop(weston_);
    QVERIFY2(XSession::WaitFor(
                 [&] {
                     moravin->Trace();
                     return Ended(*moravin->process);
                 },
                 10000),
             "the program is still running without its compositor");
    const QString said = OtherLines(moravin->Trace()).join(u'\n');
    QVERIFY2(moravin->process->exitStatus() == QProcess::NormalExit, qPrintable(said));
    QVERIFY2(moravin->process->exitCode() == 1, qPrintable(said));
}

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
