#include "XSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

namespace {

bool DisplayInUse(int number)
{
    return QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
           QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number));
}

} // namespace

void XSession::Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

XSession::XSession() = default;

XSession::~XSession()
{
    for (auto& program : programs_)
        Stop(*program);
    if (windowManager_)
        Stop(*windowManager_);
    if (server_)
        Stop(*server_);
}

bool XSession::Start(bool windowManager, QString* error)
{
    return StartServer(error) && (!windowManager || StartWindowManager(error));
}

bool XSession::StartServer(QString* error)
{
    for (int number = 90 + int(QCoreApplication::applicationPid() % 50); number < 400; ++number) {
        if (DisplayInUse(number))
            continue;
        display_ = QStringLiteral(":%1").arg(number);
        server_ = std::make_unique<QProcess>();
        server_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        // -noreset: by default the server resets when its last client goes,
        // and a client that connects meanwhile (openbox, right after the
        // xdpyinfo that found the server up) is turned away.
        server_->start(QStringLiteral("Xvfb"),
                       {display_, QStringLiteral("-screen"), QStringLiteral("0"),
                        QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp"), QStringLiteral("-dpi"), QStringLiteral("96"),
                        QStringLiteral("-noreset")});
        if (!server_->waitForStarted(5000)) {
            *error = QStringLiteral("Xvfb did not start: ") + server_->errorString();
            return false;
        }
        const bool up = WaitFor([&] {
            int code = -1;
            Tool(QStringLiteral("xdpyinfo"), {}, &code);
            return code == 0 || server_->state() == QProcess::NotRunning;
        });
        if (up && server_->state() == QProcess::Running)
            return true;
        Stop(*server_);
    }
    *error = QStringLiteral("no free display for Xvfb");
    return false;
}

bool XSession::StartWindowManager(QString* error)
{
    windowManager_ = std::make_unique<QProcess>();
    windowManager_->setProcessEnvironment(Environment());
    windowManager_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    windowManager_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    const bool up = WaitFor([&] {
        return Tool(QStringLiteral("xprop"),
                    {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            .contains(QLatin1String("window id"));
    });
    if (!up)
        *error = QStringLiteral("openbox did not come up on ") + display_;
    return up;
}

QProcessEnvironment XSession::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir_.path());
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

QProcessEnvironment XSession::Environment(const QProcessEnvironment& extra) const
{
    QProcessEnvironment environment = Environment();
    environment.insert(extra);
    return environment;
}

QProcess* XSession::Launch(const QString& program, const QStringList& arguments)
{
    return Launch(program, arguments, {});
}

QProcess* XSession::Launch(const QString& program, const QStringList& arguments,
                           const QProcessEnvironment& extra, QProcess::ProcessChannelMode channels)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(Environment(extra));
    process->setProcessChannelMode(channels);
    process->start(program, arguments);
    process->waitForStarted(5000);
    programs_.push_back(std::move(process));
    return programs_.back().get();
}

QString XSession::Tool(const QString& program, const QStringList& arguments, int* exitCode)
{
    return Tool(program, arguments, {}, exitCode);
}

QString XSession::Tool(const QString& program, const QStringList& arguments,
                       const QProcessEnvironment& extra, int* exitCode)
{
    QProcess tool;
    tool.setProcessEnvironment(Environment(extra));
    tool.start(program, arguments);
    tool.closeWriteChannel();
    const bool finished = tool.waitForFinished(10000);
    if (!finished)
        Stop(tool);
    if (exitCode)
        *exitCode = finished && tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QStringList XSession::Windows(const QString& name, qint64 pid)
{
    QStringList arguments{QStringLiteral("search"), QStringLiteral("--all"),
                          QStringLiteral("--onlyvisible")};
    if (pid)
        arguments << QStringLiteral("--pid") << QString::number(pid);
    arguments << QStringLiteral("--name")
              << QLatin1Char('^') + QRegularExpression::escape(name) + QLatin1Char('$');
    return Tool(QStringLiteral("xdotool"), arguments).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QRect XSession::Geometry(const QString& window)
{
    const QString info = Tool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    auto value = [&](const char* key) {
        const QRegularExpression pattern(QLatin1String(key) + QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height")};
}

QList<int> XSession::FrameExtents(const QString& window)
{
    const QString line = Tool(QStringLiteral("xprop"), {QStringLiteral("-id"), window,
                                                        QStringLiteral("_NET_FRAME_EXTENTS")});
    QList<int> extents;
    const QString values = line.section(QLatin1Char('='), 1);
    for (const QString& value : values.split(QLatin1Char(','), Qt::SkipEmptyParts))
        extents << value.trimmed().toInt();
    return extents;
}

bool XSession::Activate(const QString& window)
{
    if (!WaitFor([&] { return FrameExtents(window).size() == 4; }))
        return false;
    Tool(QStringLiteral("xdotool"),
         {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window});
    return WaitFor([&] {
        return Tool(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}) == window;
    });
}

QString XSession::WindowClass(const QString& window)
{
    return Tool(QStringLiteral("xprop"),
                {QStringLiteral("-id"), window, QStringLiteral("WM_CLASS")})
        .section(QLatin1Char('='), 1)
        .trimmed();
}

QString XSession::Clipboard()
{
    return Tool(QStringLiteral("xclip"),
                {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
}

void XSession::SetClipboard(const QString& text)
{
    // xclip stays to serve the selection until another program takes it.
    QProcess* xclip =
        Launch(QStringLiteral("xclip"),
               {QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
    xclip->write(text.toUtf8());
    // There is no event loop to write in the background: write it all now.
    xclip->waitForBytesWritten(3000);
    xclip->closeWriteChannel();
    WaitFor([&] { return Clipboard() == text; }, 5000);
}

bool XSession::WaitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(20);
    }
    return true;
}
