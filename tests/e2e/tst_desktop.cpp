// The real program in a real X server with a window manager, worked as a
// person would: keys through the X server, the real clipboard.

#include "XSession.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString program = QStringLiteral(MORAVIN_PROGRAM);

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void windowAsPlaced();
    void startsInTheSelectedSizeField();
    void calculatesFromTheKeyboard();
    void oneCharacterShowsTheErrorBox();
    void twoCopiesRunSideBySide();

private:
    void Keys(const QStringList& keys);
    // The clipboard after copying the focused field's whole text.
    QString CopyField();
    QStringList WindowsOf(QProcess* process, const QString& name = u"moravin"_s);

    XSession session_;
    QProcess* moravin_ = nullptr;
    QString window_;
};

void TestDesktop::initTestCase()
{
    QString error;
    QVERIFY2(session_.Start(true, &error), qPrintable(error));
    moravin_ = session_.Launch(program);
    QVERIFY2(XSession::WaitFor([&] { return !WindowsOf(moravin_).isEmpty(); }),
             "the window did not appear");
    window_ = WindowsOf(moravin_).first();
    QVERIFY2(XSession::WaitFor([&] { return session_.FrameExtents(window_).size() == 4; }),
             "openbox did not frame the window");
    QVERIFY(session_.Activate(window_));
}

void TestDesktop::Keys(const QStringList& keys)
{
    session_.Tool(u"xdotool"_s, QStringList{u"key"_s, u"--delay"_s, u"30"_s} + keys);
}

QString TestDesktop::CopyField()
{
    Keys({u"ctrl+a"_s, u"ctrl+c"_s});
    return session_.Clipboard();
}

QStringList TestDesktop::WindowsOf(QProcess* process, const QString& name)
{
    return session_.Windows(name, process->processId());
}

// The frame openbox draws is part of the stored outer size.
void TestDesktop::windowAsPlaced()
{
    QCOMPARE(session_.WindowClass(window_), u"\"moravin\", \"moravin\""_s);
    QRect outer;
    QVERIFY(XSession::WaitFor(
        [&] {
            const QRect client = session_.Geometry(window_);
            const QList<int> frame = session_.FrameExtents(window_);
            outer = client.adjusted(-frame[0], -frame[2], frame[1], frame[3]);
            return outer == QRect(192, 107, 298, 204);
        },
        5000));
    QCOMPARE(outer, QRect(192, 107, 298, 204));
}

void TestDesktop::startsInTheSelectedSizeField()
{
    Keys({u"ctrl+c"_s});
    QVERIFY(XSession::WaitFor([&] { return session_.Clipboard() == u"12"; }, 5000));
    Keys({u"Return"_s, u"ctrl+c"_s});
    QVERIFY(XSession::WaitFor([&] { return session_.Clipboard() == u"28"; }, 5000));
    QCOMPARE(session_.Clipboard(), u"28"_s);
}

// From the span field: Enter, paste, Enter, Enter. Then back to the text field,
// which must be empty: a typed "x" is then all it holds.
void TestDesktop::calculatesFromTheKeyboard()
{
    session_.SetClipboard(u"あいうえお"_s);
    Keys({u"Return"_s, u"ctrl+v"_s, u"Return"_s, u"Return"_s});
    QVERIFY2(XSession::WaitFor([&] { return session_.Clipboard() == u"5750"; }, 5000),
             qPrintable(u"the clipboard holds "_s + session_.Clipboard()));
    Keys({u"shift+Tab"_s, u"x"_s});
    QCOMPARE(CopyField(), u"x"_s);
}

void TestDesktop::oneCharacterShowsTheErrorBox()
{
    // The text field holds "x"; on to the calculate button and press it.
    session_.SetClipboard(u"unchanged"_s);
    Keys({u"Return"_s, u"Return"_s});
    QStringList windows;
    QVERIFY2(XSession::WaitFor([&] {
                 windows = WindowsOf(moravin_);
                 return windows.size() == 2;
             }),
             "no error box appeared");
    windows.removeAll(window_);
    const QString box = windows.first();
    QCOMPARE(session_.Clipboard(), u"unchanged"_s);
    QVERIFY(session_.Activate(box));
    Keys({u"Return"_s});
    QVERIFY2(XSession::WaitFor([&] { return WindowsOf(moravin_).size() == 1; }),
             "the error box did not close");
    // The focus is back on the calculate button; the text field kept its "x".
    QVERIFY(session_.Activate(window_));
    Keys({u"shift+Tab"_s});
    QCOMPARE(CopyField(), u"x"_s);
    QCOMPARE(moravin_->state(), QProcess::Running);
}

void TestDesktop::twoCopiesRunSideBySide()
{
    QProcess* second = session_.Launch(program);
    QVERIFY2(XSession::WaitFor([&] { return !WindowsOf(second).isEmpty(); }),
             "the second copy's window did not appear");
    QVERIFY(WindowsOf(second).first() != window_);
    QCOMPARE(moravin_->state(), QProcess::Running);
    QCOMPARE(second->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "tst_desktop.moc"
