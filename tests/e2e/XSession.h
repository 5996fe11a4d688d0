#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

// A private X server (Xvfb) on a free display, optionally with the openbox
// window manager, and the command-line tools a test drives it with: xdotool
// for keys, mouse and windows, xclip for the clipboard. Everything it starts
// is ended, by process, when it goes.
class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts the server and, with a window manager, openbox. Returns false and
    // sets error when either does not come up.
    bool Start(bool windowManager, QString* error);

    const QString& Display() const { return display_; }
    QProcessEnvironment Environment() const;

    // Starts a program on this display; the session ends it should it still run.
    QProcess* Launch(const QString& program, const QStringList& arguments = {});
    // The same with further variables, which override the session's own, and
    // the given handling of its output.
    QProcess* Launch(const QString& program, const QStringList& arguments,
                     const QProcessEnvironment& extra,
                     QProcess::ProcessChannelMode channels = QProcess::SeparateChannels);

    // Runs a tool on this display and returns its standard output, trimmed.
    QString Tool(const QString& program, const QStringList& arguments, int* exitCode = nullptr);
    QString Tool(const QString& program, const QStringList& arguments,
                 const QProcessEnvironment& extra, int* exitCode = nullptr);

    // Top-level client windows whose name matches the pattern exactly.
    QStringList Windows(const QString& name, qint64 pid = 0);

    // The window's client area on the screen.
    QRect Geometry(const QString& window);

    // left, right, top, bottom of the frame the window manager put around it.
    QList<int> FrameExtents(const QString& window);
    // Gives the window the focus once the window manager has framed it (a
    // request made before is lost, and the keys after it with it). Returns
    // false when the window did not become the active one.
    bool Activate(const QString& window);
    QString WindowClass(const QString& window);

    QString Clipboard();
    void SetClipboard(const QString& text);

    // Ends a process: asks it to terminate, then kills it if it does not.
    static void Stop(QProcess& process);

    // Polls the condition every 20 ms until it holds or the time is up.
    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

private:
    QProcessEnvironment Environment(const QProcessEnvironment& extra) const;
    bool StartServer(QString* error);
    bool StartWindowManager(QString* error);

    QTemporaryDir runtimeDir_;
    QString display_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> windowManager_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};
