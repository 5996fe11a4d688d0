// Japanese typed through a real input method: Mozc under fcitx5 and under
// IBus, each with its Qt input-context plugin, in a private X server. The
// Enter that confirms a composition belongs to the input method and leaves the
// focus where it is; the next Enter moves it on.

#include "XSession.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString program = QStringLiteral(MORAVIN_PROGRAM);

// Processes whose process group is the given one and that have not yet ended.
QList<pid_t> GroupMembers(pid_t group)
{
    QList<pid_t> members;
    const QStringList entries = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool number = false;
        const pid_t pid = pid_t(entry.toInt(&number));
        if (!number)
            continue;
        QFile stat(u"/proc/%1/stat"_s.arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid pgrp ...; the name may hold spaces and brackets.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[0] != "Z" && fields[2].toInt() == group)
            members << pid;
    }
    return members;
}

// Ends a process that leads its own process group, and with it every helper
// it started (Mozc's server and renderer, IBus's engine and components), even
// those that have left it as their parent.
void StopGroup(QProcess* leader, pid_t group)
{
    if (group > 0) {
        ::kill(-group, SIGTERM);
        if (!XSession::WaitFor([&] { return GroupMembers(group).isEmpty(); }, 5000)) {
            ::kill(-group, SIGKILL);
            XSession::WaitFor([&] { return GroupMembers(group).isEmpty(); }, 5000);
        }
    }
    leader->waitForFinished(3000);
}

// Without an event loop, QProcess learns of the end only when asked.
bool Ended(QProcess* process)
{
    return process->state() == QProcess::NotRunning || process->waitForFinished(0);
}

bool HasPlugin(const QString& file)
{
    return QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         u"/platforminputcontexts/"_s + file);
}

// Why an input method cannot be tried here: the first of its tools that is not
// installed, or Qt's input-context plugin for it missing; an empty string when
// everything is there.
QString Unavailable(const QStringList& executables, const QStringList& files, const QString& plugin,
                    const QString& pluginMissing)
{
    const QString install = u" is not installed (scripts/install-deps.sh installs it)"_s;
    for (const QString& name : executables) {
        if (QStandardPaths::findExecutable(name).isEmpty())
            return name + install;
    }
    for (const QString& file : files) {
        if (!QFile::exists(file))
            return file + install;
    }
    return HasPlugin(plugin) ? QString() : pluginMissing;
}

// What is typed with the input method on, what the Enter that follows confirms
// into the text field, and the spacing for it over the span of 28.
struct Word {
    const char* name;
    QStringList keys;
    QString confirmed;
    QString spacing;
};

const Word words[] = {
    // The composition itself, still in kana, confirmed as it stands.
    {"composed", {u"a"_s, u"i"_s, u"u"_s, u"e"_s, u"o"_s}, u"あいうえお"_s, u"5750"_s},
    // Converted with Space to the first candidate, which Enter confirms.
    {"converted",
     {u"n"_s, u"i"_s, u"h"_s, u"o"_s, u"n"_s, u"g"_s, u"o"_s, u"space"_s},
     u"日本語"_s,
     u"12500"_s},
};

} // namespace

class TestInputMethod : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void fcitx5();
    void ibus();

private:
    // The input method's processes run as this account: Mozc's server refuses
    // to run as root, and it must run as the user of the client that talks to
    // it. Without root, that is the current user.
    bool PrepareAccount(QString* error);
    QStringList AsUser(const QString& executable, const QStringList& arguments) const;
    QProcess* StartGroup(const QString& executable, const QStringList& arguments);
    QString RunAsUser(const QString& executable, const QStringList& arguments,
                      int* exitCode = nullptr);
    bool PrepareHome(const QString& configuration, QString* error);
    QProcess* StartProgram(const QString& module);
    void Keys(const QStringList& keys);
    void TypeWords();

    XSession session_;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    bool switchUser_ = false;
    std::unique_ptr<QTemporaryDir> home_;
    // The program as the account runs it: the built one, or its copy in home_.
    QString program_;
    QProcessEnvironment environment_;
    // Each daemon with its process group, which is its process id.
    std::vector<std::pair<QProcess*, pid_t>> groups_;
    QProcess* fcitx_ = nullptr;
    QProcess* moravin_ = nullptr;
};

void TestInputMethod::initTestCase()
{
    QString error;
    QVERIFY2(session_.Start(true, &error), qPrintable(error));
    QVERIFY2(PrepareAccount(&error), qPrintable(error));
}

bool TestInputMethod::PrepareAccount(QString* error)
{
    switchUser_ = ::geteuid() == 0;
    if (!switchUser_)
        return true;
    const passwd* account = ::getpwnam("nobody");
    if (!account) {
        *error = u"running as root, and there is no account \"nobody\" to run Mozc as"_s;
        return false;
    }
    uid_ = account->pw_uid;
    gid_ = account->pw_gid;
    return true;
}

QStringList TestInputMethod::AsUser(const QString& executable, const QStringList& arguments) const
{
    if (!switchUser_)
        return QStringList{executable} + arguments;
    return QStringList{u"setpriv"_s,
                       u"--reuid=%1"_s.arg(uid_),
                       u"--regid=%1"_s.arg(gid_),
                       u"--clear-groups"_s,
                       u"--"_s,
                       executable} +
           arguments;
}

// Started through setsid, the daemon leads a process group of its own, which
// its helpers join.
QProcess* TestInputMethod::StartGroup(const QString& executable, const QStringList& arguments)
{
    // Their messages go to the test's output, where a failure can be traced.
    QProcess* process = session_.Launch(u"setsid"_s, AsUser(executable, arguments), environment_,
                                        QProcess::ForwardedChannels);
    groups_.emplace_back(process, pid_t(process->processId()));
    return process;
}

QString TestInputMethod::RunAsUser(const QString& executable, const QStringList& arguments,
                                   int* exitCode)
{
    const QStringList command = AsUser(executable, arguments);
    return session_.Tool(command.first(), command.mid(1), environment_, exitCode);
}

// A fresh home with the fixture configuration (the files of
// fixtures/inputmethod/<configuration> in ~/.config/<configuration>), a runtime
// directory and the addresses of the private buses, all of it the account's
// own. The bus configuration, and for another account the program, are copied
// in too: that account may not be able to read the source or build tree.
bool TestInputMethod::PrepareHome(const QString& configuration, QString* error)
{
    home_ = std::make_unique<QTemporaryDir>();
    const QString base = home_->path();
    const QString home = base + u"/home"_s;
    const QString runtime = base + u"/runtime"_s;
    QDir().mkpath(home + u"/.config"_s);
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString fixtures = QFINDTESTDATA("fixtures/inputmethod");
    if (fixtures.isEmpty()) {
        *error = u"the folder fixtures/inputmethod was not found"_s;
        return false;
    }
    bool copied = QFile::copy(fixtures + u"/session-bus.conf"_s, base + u"/session-bus.conf"_s);
    if (!configuration.isEmpty()) {
        const QString target = home + u"/.config/"_s + configuration;
        QDir().mkpath(target);
        const QDir source(fixtures + u'/' + configuration);
        for (const QString& file : source.entryList(QDir::Files))
            copied = QFile::copy(source.filePath(file), target + u'/' + file) && copied;
    }
    program_ = program;
    if (switchUser_) {
        QDir().mkpath(base + u"/bin"_s);
        program_ = base + u"/bin/moravin"_s;
        copied = QFile::copy(program, program_) && copied;
    }
    if (!copied) {
        *error = u"cannot copy the fixtures or the program into "_s + base;
        return false;
    }
    if (switchUser_) {
        QDirIterator files(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                           QDirIterator::Subdirectories);
        bool owned = ::chown(QFile::encodeName(base).constData(), uid_, gid_) == 0;
        while (files.hasNext())
            owned = ::chown(QFile::encodeName(files.next()).constData(), uid_, gid_) == 0 && owned;
        if (!owned) {
            *error = u"cannot hand "_s + base + u" over to the input method's account"_s;
            return false;
        }
    }
    environment_ = QProcessEnvironment();
    environment_.insert(u"HOME"_s, home);
    environment_.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
    environment_.insert(u"XDG_DATA_HOME"_s, home + u"/.local/share"_s);
    environment_.insert(u"XDG_CACHE_HOME"_s, home + u"/.cache"_s);
    environment_.insert(u"XDG_RUNTIME_DIR"_s, runtime);
    environment_.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path="_s + runtime + u"/bus"_s);
    environment_.insert(u"IBUS_ADDRESS"_s, u"unix:path="_s + runtime + u"/ibus"_s);
    for (const char* name : {"QT_IM_MODULE", "XMODIFIERS", "GTK_IM_MODULE"})
        environment_.insert(QString::fromLatin1(name), QString());
    return true;
}

// The program with the given input-context plugin, its window active and its
// focus in the size field.
QProcess* TestInputMethod::StartProgram(const QString& module)
{
    QProcessEnvironment environment = environment_;
    environment.insert(u"QT_IM_MODULE"_s, module);
    const QStringList command = AsUser(program_, {});
    moravin_ = session_.Launch(command.first(), command.mid(1), environment);
    // setpriv runs the program in its own place: the process id is the
    // program's.
    QStringList windows;
    const bool shown = XSession::WaitFor([&] {
        windows = session_.Windows(u"moravin"_s, moravin_->processId());
        return !windows.isEmpty() || Ended(moravin_);
    });
    if (!shown || windows.isEmpty())
        return nullptr;
    return session_.Activate(windows.first()) ? moravin_ : nullptr;
}

void TestInputMethod::Keys(const QStringList& keys)
{
    session_.Tool(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"30"_s} + keys);
}

// From the text field, with the input method on: each word is typed and
// confirmed, and the confirming Enter must leave the focus in the field, where
// Ctrl+A Ctrl+C copies the word. The next Enter moves on to 計算する and one
// more calculates. Shift+Tab then returns to the text field, empty again.
void TestInputMethod::TypeWords()
{
    const QString untouched = u"(the clipboard as it was)"_s;
    for (const Word& word : words) {
        const QString name = QString::fromLatin1(word.name);
        session_.SetClipboard(untouched);
        Keys(word.keys + QStringList{u"Return"_s});
        // The commit may arrive after the keys: copy until it is there.
        const bool confirmed = XSession::WaitFor(
            [&] {
                Keys({u"ctrl+a"_s, u"ctrl+c"_s});
                return session_.Clipboard() == word.confirmed;
            },
            8000);
        const QString copied = session_.Clipboard();
        QVERIFY2(confirmed,
                 qPrintable(name +
                            u": after the confirming Enter the focused field should hold "_s +
                            word.confirmed + u", Ctrl+A Ctrl+C copied \""_s + copied +
                            (copied == untouched ? u"\": the focus moved"_s : u"\""_s)));
        Keys({u"Return"_s, u"Return"_s});
        QVERIFY2(XSession::WaitFor([&] { return session_.Clipboard() == word.spacing; }, 5000),
                 qPrintable(name + u": Enter, Enter should calculate "_s + word.spacing +
                            u", the clipboard holds \""_s + session_.Clipboard() + u'"'));
        QVERIFY2(!Ended(moravin_), qPrintable(name + u": the program has ended"_s));
        Keys({u"shift+Tab"_s});
    }
}

void TestInputMethod::init()
{
    groups_.clear();
    fcitx_ = nullptr;
    moravin_ = nullptr;
}

void TestInputMethod::cleanup()
{
    if (moravin_) {
        moravin_->terminate();
        if (!moravin_->waitForFinished(3000))
            moravin_->kill();
        moravin_->waitForFinished(3000);
    }
    // Asked to, fcitx5 ends quietly; its handler for SIGTERM prints a backtrace.
    if (fcitx_ && !Ended(fcitx_)) {
        RunAsUser(u"fcitx5-remote"_s, {u"-e"_s});
        fcitx_->waitForFinished(5000);
    }
    for (auto it = groups_.rbegin(); it != groups_.rend(); ++it)
        StopGroup(it->first, it->second);
    home_.reset();
}

// fcitx5 on a private session bus, with Mozc and the US keyboard in its one
// group; Control+Space switches from the keyboard to Mozc, which starts in
// hiragana.
void TestInputMethod::fcitx5()
{
    const QString unavailable = Unavailable(
        {u"fcitx5"_s, u"fcitx5-remote"_s, u"dbus-daemon"_s, u"dbus-send"_s, u"setsid"_s},
        {u"/usr/share/fcitx5/addon/mozc.conf"_s, u"/usr/lib/mozc/mozc_server"_s},
        u"libfcitx5platforminputcontextplugin.so"_s,
        u"Qt's input-context plugin for fcitx5 is not installed (fcitx5-frontend-qt6)"_s);
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(unavailable));

    QString error;
    QVERIFY2(PrepareHome(u"fcitx5"_s, &error), qPrintable(error));
    QProcess* bus =
        StartGroup(u"dbus-daemon"_s,
                   {u"--nofork"_s, u"--config-file="_s + home_->filePath(u"session-bus.conf"_s),
                    u"--address="_s + environment_.value(u"DBUS_SESSION_BUS_ADDRESS"_s)});
    auto call = [&](const QString& destination, const QString& method) {
        int code = -1;
        const QString reply =
            RunAsUser(u"dbus-send"_s,
                      {u"--session"_s, u"--print-reply"_s, u"--dest="_s + destination,
                       method.section(u' ', 0, 0), method.section(u' ', 1)},
                      &code);
        return code == 0 ? reply : QString();
    };
    QVERIFY2(XSession::WaitFor([&] {
                 return !call(u"org.freedesktop.DBus"_s,
                              u"/org/freedesktop/DBus org.freedesktop.DBus.GetId"_s)
                             .isEmpty() ||
                        Ended(bus);
             }) &&
                 !Ended(bus),
             "the private session bus did not come up");

    // The Qt plugin talks to fcitx5's D-Bus frontend; the other frontends and
    // the desktop integration stay off, the keyboard, Mozc and the candidate
    // window on.
    fcitx_ = StartGroup(u"fcitx5"_s,
                        {u"--verbose=*=3"_s,
                         u"--disable=wayland,waylandim,xim,ibusfrontend,fcitx4frontend,kimpanel,"_s
                         u"notificationitem,notifications,clipboard"_s});
    const QString debugInfo = u"/controller org.fcitx.Fcitx.Controller1.DebugInfo"_s;
    QVERIFY2(XSession::WaitFor([&] {
                 return !call(u"org.fcitx.Fcitx5"_s, debugInfo).isEmpty() || Ended(fcitx_);
             }) &&
                 !Ended(fcitx_),
             "fcitx5 did not come up on the private session bus");

    QVERIFY2(StartProgram(u"fcitx"_s), "the window did not appear");
    // The plugin makes the window's input context asynchronously and then sets
    // its capabilities. The focus it gives the context at that moment can be
    // lost in fcitx5 when the context joins the display's focus group
    // afterwards; the move to the text field gives it again.
    QString info;
    auto context = [&] {
        info = call(u"org.fcitx.Fcitx5"_s, debugInfo);
        const QStringList lines = info.split(u'\n').filter(u"program:moravin"_s);
        return lines.isEmpty() ? QString() : lines.first();
    };
    QVERIFY2(XSession::WaitFor([&] {
                 const QString line = context();
                 return !line.isEmpty() && !line.contains(u" cap:0 "_s);
             }),
             qPrintable(u"fcitx5 has no input context for the program: "_s + info));
    Keys({u"Return"_s, u"Return"_s});
    QVERIFY2(XSession::WaitFor([&] { return context().contains(u"focus:1"_s); }),
             qPrintable(u"the text field's focus did not reach fcitx5: "_s + info));
    Keys({u"ctrl+space"_s});
    QString method;
    QVERIFY2(XSession::WaitFor([&] {
                 method = RunAsUser(u"fcitx5-remote"_s, {u"-n"_s});
                 return method == u"mozc";
             }),
             qPrintable(u"Control+Space did not switch to Mozc: the input method is "_s + method));
    TypeWords();
}

// ibus-daemon on a private address, without panel, configuration service or
// emoji extension, its engine set to Mozc, which starts in direct input until
// 半角/全角 (Zenkaku_Hankaku) switches it to hiragana.
void TestInputMethod::ibus()
{
    const QString unavailable =
        Unavailable({u"ibus-daemon"_s, u"ibus"_s, u"setsid"_s},
                    {u"/usr/share/ibus/component/mozc.xml"_s, u"/usr/lib/mozc/mozc_server"_s},
                    u"libibusplatforminputcontextplugin.so"_s,
                    u"Qt's input-context plugin for IBus is not installed (libqt6gui6)"_s);
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(unavailable));

    QString error;
    QVERIFY2(PrepareHome({}, &error), qPrintable(error));
    QProcess* daemon =
        StartGroup(u"ibus-daemon"_s,
                   {u"--panel=disable"_s, u"--emoji-extension=disable"_s, u"--config=disable"_s,
                    u"--address="_s + environment_.value(u"IBUS_ADDRESS"_s)});
    QString engine;
    QVERIFY2(XSession::WaitFor([&] {
                 RunAsUser(u"ibus"_s, {u"engine"_s, u"mozc-jp"_s});
                 engine = RunAsUser(u"ibus"_s, {u"engine"_s});
                 return engine == u"mozc-jp" || Ended(daemon);
             }) &&
                 !Ended(daemon),
             qPrintable(u"ibus-daemon did not come up with the Mozc engine: "_s + engine));

    QVERIFY2(StartProgram(u"ibus"_s), "the window did not appear");
    Keys({u"Return"_s, u"Return"_s, u"Zenkaku_Hankaku"_s});
    TypeWords();
}

QTEST_GUILESS_MAIN(TestInputMethod)
#include "tst_inputmethod.moc"
