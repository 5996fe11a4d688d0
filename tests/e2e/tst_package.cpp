// The Debian package as a user gets it: built by cpack from the build tree,
// unpacked into a fresh root, its files where desktops look for them, its
// dependencies worked out from the binary, and the installed program started
// to its window and closed again.

#include "XSession.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Result {
    int code = -1;
    QString output;
};

// Runs a program to its end, standard output and error together.
Result Run(const QString& program, const QStringList& arguments,
           const QString& workingDirectory = {}, int timeoutMs = 120000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program, arguments);
    Result result;
    if (!process.waitForStarted(10000)) {
        result.output = program + u": "_s + process.errorString();
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(3000);
        result.output =
            program + u": still running after "_s + QString::number(timeoutMs / 1000) + u" s"_s;
        return result;
    }
    result.output = QString::fromUtf8(process.readAll());
    if (process.exitStatus() == QProcess::NormalExit)
        result.code = process.exitCode();
    return result;
}

QString Failure(const QString& what, const Result& result)
{
    return what + u" failed (exit code "_s + QString::number(result.code) + u"):\n"_s +
           result.output;
}

// The keys of a desktop entry's [Desktop Entry] group.
QMap<QString, QString> DesktopEntry(const QString& path)
{
    QFile file(path);
    QMap<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly))
        return keys;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            inGroup = line == u"[Desktop Entry]";
        else if (inGroup && line.contains(u'=') && !line.startsWith(u'#'))
            keys.insert(line.section(u'=', 0, 0).trimmed(), line.section(u'=', 1).trimmed());
    }
    return keys;
}

struct PngInfo {
    quint32 width = 0;
    quint32 height = 0;
    bool alpha = false; // an alpha channel or a transparency chunk
};

// Reads the header chunk and looks for transparency; no pixel decoding.
std::optional<PngInfo> ReadPng(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = file.readAll();
    if (!data.startsWith("\x89PNG\r\n\x1a\n"))
        return std::nullopt;
    auto be32 = [&](qsizetype at) {
        const auto* p = reinterpret_cast<const uchar*>(data.constData() + at);
        return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
    };
    PngInfo info;
    for (qsizetype at = 8; at + 8 <= data.size();) {
        const quint32 length = be32(at);
        const QByteArray type = data.mid(at + 4, 4);
        if (type == "IHDR" && length >= 13 && at + 8 + 13 <= data.size()) {
            info.width = be32(at + 8);
            info.height = be32(at + 12);
            const int colourType = uchar(data[at + 8 + 9]);
            info.alpha = colourType == 4 || colourType == 6;
        } else if (type == "tRNS") {
            info.alpha = true;
        }
        at += 12 + qsizetype(length);
    }
    return info;
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void control_data();
    void control();
    void filesWhereDesktopsLook();
    void entryNamesTheInstalledFiles();
    void installedTreeValidates();
    void icon();
    void installedProgramRunsToItsWindow();

private:
    QString Field(const QString& name);
    QString InRoot(const QString& path) const { return root_.filePath(path); }

    QTemporaryDir work_;
    QString package_;
    QDir root_;
    QMap<QString, QString> entry_;
};

// cpack packs what the build tree installs. CPACK_CMAKE_GENERATOR is the
// build tree's generator only so that cpack may bring it up to date first (the
// Makefile generator's preinstall target); the tree ctest runs against is
// built already, and a test must not start a build in it, so the test names
// a generator without that step.
void TestPackage::initTestCase()
{
    QVERIFY2(work_.isValid(), qPrintable(work_.errorString()));
    const QString output = work_.filePath(u"package"_s);
    const Result cpack = Run(QStringLiteral(MORAVIN_CPACK),
                             {u"--config"_s, QStringLiteral(MORAVIN_CPACK_CONFIG), u"-G"_s,
                              u"DEB"_s, u"-B"_s, output, u"-D"_s, u"CPACK_CMAKE_GENERATOR=Ninja"_s},
                             work_.path());
    QVERIFY2(cpack.code == 0, qPrintable(Failure(u"cpack"_s, cpack)));
    const QStringList packages = QDir(output).entryList({u"*.deb"_s}, QDir::Files);
    QVERIFY2(packages.size() == 1,
             qPrintable(u"cpack made these packages: "_s + packages.join(u", "_s)));
    package_ = QDir(output).filePath(packages.first());

    root_.setPath(work_.filePath(u"root"_s));
    QVERIFY(QDir().mkpath(root_.path()));
    const Result extract = Run(u"dpkg-deb"_s, {u"-x"_s, package_, root_.path()});
    QVERIFY2(extract.code == 0, qPrintable(Failure(u"dpkg-deb -x"_s, extract)));
    entry_ = DesktopEntry(InRoot(u"usr/share/applications/moravin.desktop"_s));
}

QString TestPackage::Field(const QString& name)
{
    return Run(u"dpkg-deb"_s, {u"-f"_s, package_, name}).output.trimmed();
}

void TestPackage::control_data()
{
    const QString architecture = Run(u"dpkg"_s, {u"--print-architecture"_s}).output.trimmed();
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("Package") << u"Package"_s << u"^moravin$"_s;
    QTest::newRow("Version") << u"Version"_s << u"^%1$"_s.arg(QStringLiteral(MORAVIN_VERSION));
    QTest::newRow("Architecture") << u"Architecture"_s << u"^%1$"_s.arg(architecture);
    QTest::newRow("Section") << u"Section"_s << u"^utils$"_s;
    QTest::newRow("Maintainer") << u"Maintainer"_s << u"^[^<>]+ <[^<>@]+@[^<>@]+>$"_s;
    QTest::newRow("Description") << u"Description"_s << u"^\\S.*\\n .+"_s;
    // dpkg-shlibdeps found the libraries the binary links, with versions.
    for (const char* library : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libc6"})
        QTest::newRow(library) << u"Depends"_s
                               << u"(^|, )%1 \\(>= [^)]+\\)(,|$)"_s.arg(QLatin1String(library));
}

void TestPackage::control()
{
    QFETCH(QString, field);
    QFETCH(QString, pattern);
    const QString value = Field(field);
    QVERIFY2(QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption)
                 .match(value)
                 .hasMatch(),
             qPrintable(field + u": "_s + value));
}

// Exactly these files: a stray install rule (a library, a test program) or a
// lost one shows here.
void TestPackage::filesWhereDesktopsLook()
{
    QStringList files;
    QDirIterator it(root_.path(), QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << root_.relativeFilePath(it.next());
    files.sort();
    const QStringList expected{
        u"usr/bin/moravin"_s,
        u"usr/share/applications/moravin.desktop"_s,
        u"usr/share/icons/hicolor/32x32/apps/moravin.png"_s,
        u"usr/share/icons/hicolor/scalable/apps/moravin.svg"_s,
        u"usr/share/metainfo/moravin.metainfo.xml"_s,
    };
    QCOMPARE(files, expected);
    QVERIFY(QFileInfo(InRoot(u"usr/bin/moravin"_s)).isExecutable());
}

// What the desktop finds through the entry is in the package: the program on
// the path, the icon in the theme.
void TestPackage::entryNamesTheInstalledFiles()
{
    QVERIFY2(!entry_.isEmpty(), "the desktop entry has no [Desktop Entry] group");
    QCOMPARE(entry_.value(u"Name"_s), u"moravin"_s);
    QCOMPARE(entry_.value(u"Type"_s), u"Application"_s);
    QVERIFY2(entry_.value(u"Categories"_s).split(u';').contains(u"Utility"),
             qPrintable(entry_.value(u"Categories"_s)));
    QVERIFY2(!entry_.value(u"Comment[ja]"_s).isEmpty(), "no Japanese comment");
    const QString exec = entry_.value(u"Exec"_s).section(u' ', 0, 0);
    QVERIFY2(QFileInfo(InRoot(u"usr/bin/"_s + exec)).isExecutable(), qPrintable(exec));
    const QString icon = entry_.value(u"Icon"_s);
    for (const QString& file : {u"32x32/apps/%1.png"_s, u"scalable/apps/%1.svg"_s})
        QVERIFY2(QFile::exists(InRoot(u"usr/share/icons/hicolor/"_s + file.arg(icon))),
                 qPrintable(file.arg(icon)));
}

// The installed entry and metainfo, and the metainfo's launchable found in
// the tree. The component id is not a reverse domain name on purpose (it is
// the desktop entry's name and the program's app id); that finding is kept
// as information.
void TestPackage::installedTreeValidates()
{
    const Result desktop =
        Run(u"desktop-file-validate"_s, {InRoot(u"usr/share/applications/moravin.desktop"_s)});
    QVERIFY2(desktop.code == 0 && desktop.output.isEmpty(),
             qPrintable(Failure(u"desktop-file-validate"_s, desktop)));
    const Result tree =
        Run(u"appstreamcli"_s, {u"validate-tree"_s, u"--no-net"_s,
                                u"--override=cid-desktopapp-is-not-rdns=info"_s, root_.path()});
    QVERIFY2(tree.code == 0, qPrintable(Failure(u"appstreamcli validate-tree"_s, tree)));
}

void TestPackage::icon()
{
    const std::optional<PngInfo> png =
        ReadPng(InRoot(u"usr/share/icons/hicolor/32x32/apps/moravin.png"_s));
    QVERIFY2(png, "the 32x32 icon is not a PNG");
    QCOMPARE(png->width, 32u);
    QCOMPARE(png->height, 32u);
    QVERIFY2(png->alpha, "the 32x32 icon lost its transparent corners");

    QFile svg(InRoot(u"usr/share/icons/hicolor/scalable/apps/moravin.svg"_s));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    QVERIFY2(text.startsWith("<svg ") && text.contains("viewBox=\"0 0 32 32\""),
             text.left(200).constData());
}

// The installed binary started from the unpacked root: its window, with the
// class the entry's StartupWMClass names, and a clean exit on Alt+F4.
void TestPackage::installedProgramRunsToItsWindow()
{
    XSession session;
    QString error;
    QVERIFY2(session.Start(true, &error), qPrintable(error));
    QProcess* moravin = session.Launch(InRoot(u"usr/bin/moravin"_s));
    QVERIFY2(moravin->state() == QProcess::Running,
             qPrintable(u"the installed program did not start: "_s + moravin->errorString()));
    QStringList windows;
    QVERIFY2(XSession::WaitFor([&] {
                 windows = session.Windows(u"moravin"_s, moravin->processId());
                 return !windows.isEmpty() || moravin->state() == QProcess::NotRunning;
             }),
             "the installed program's window did not appear");
    QVERIFY2(!windows.isEmpty(), qPrintable(u"the installed program ended: "_s +
                                            QString::fromUtf8(moravin->readAllStandardError())));
    const QString wmClass = entry_.value(u"StartupWMClass"_s);
    QVERIFY2(!wmClass.isEmpty(), "the desktop entry has no StartupWMClass");
    QCOMPARE(session.WindowClass(windows.first()), u"\"moravin\", \"%1\""_s.arg(wmClass));

    QVERIFY(session.Activate(windows.first()));
    session.Tool(u"xdotool"_s, {u"key"_s, u"alt+F4"_s});
    QVERIFY2(XSession::WaitFor([&] {
                 return moravin->waitForFinished(10) || moravin->state() == QProcess::NotRunning;
             }),
             qPrintable(u"the installed program did not end on Alt+F4; its standard error: "_s +
                        QString::fromUtf8(moravin->readAllStandardError())));
    QCOMPARE(moravin->exitStatus(), QProcess::NormalExit);
    QCOMPARE(moravin->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
