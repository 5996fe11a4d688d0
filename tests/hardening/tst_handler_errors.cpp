// Errors thrown by an event handler, the library's own and any other: each is
// shown in the error box, and the event loop and the window go on as before.
// The errors are injected into the real window's handlers, and the events that
// run them are posted, so that they are delivered by the event loop itself.

#include "CalculatorWindow.h"
#include "ModalBoxWatcher.h"

#include "vcl/sysutils/ErrorClasses.h"

#include <QKeyEvent>
#include <QTest>

#include <memory>
#include <new>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

enum class Thrown { LibraryError, RuntimeError, BadAlloc, LengthError, NotAnException };

[[noreturn]] void Throw(Thrown what)
{
    switch (what) {
    case Thrown::LibraryError:
        throw EIntOverflow("整数のオーバーフロー");
    case Thrown::RuntimeError:
        throw std::runtime_error("the handler failed");
    case Thrown::BadAlloc:
        throw std::bad_alloc();
    case Thrown::LengthError:
        throw std::length_error("basic_string::_M_create");
    case Thrown::NotAnException:
        throw 42;
    }
    throw std::logic_error("unknown case");
}

void PostKey(QWidget* target, Qt::Key key, const QString& text)
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, {}, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, {}, text));
}

} // namespace

Q_DECLARE_METATYPE(Thrown)

class TestHandlerErrors : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void errorIsShownAndTheWindowGoesOn_data();
    void errorIsShownAndTheWindowGoesOn();

private:
    std::unique_ptr<CalculatorWindow> window_;
};

void TestHandlerErrors::init()
{
    window_ = std::make_unique<CalculatorWindow>();
}

void TestHandlerErrors::cleanup()
{
    window_.reset();
}

void TestHandlerErrors::errorIsShownAndTheWindowGoesOn_data()
{
    QTest::addColumn<QString>("handler");
    QTest::addColumn<Thrown>("thrown");
    QTest::addColumn<QString>("message");
    QTest::newRow("library error from a click")
        << u"OnClick"_s << Thrown::LibraryError << u"整数のオーバーフロー."_s;
    QTest::newRow("std::runtime_error from a click")
        << u"OnClick"_s << Thrown::RuntimeError << u"the handler failed."_s;
    QTest::newRow("std::bad_alloc from a click")
        << u"OnClick"_s << Thrown::BadAlloc << u"std::bad_alloc."_s;
    QTest::newRow("std::length_error from a click")
        << u"OnClick"_s << Thrown::LengthError << u"basic_string::_M_create."_s;
    QTest::newRow("not an exception from a click")
        << u"OnClick"_s << Thrown::NotAnException << u"不明なエラー."_s;
    QTest::newRow("std::bad_alloc from a key press")
        << u"OnKeyPress"_s << Thrown::BadAlloc << u"std::bad_alloc."_s;
    QTest::newRow("not an exception from a key press")
        << u"OnKeyPress"_s << Thrown::NotAnException << u"不明なエラー."_s;
}

void TestHandlerErrors::errorIsShownAndTheWindowGoesOn()
{
    QFETCH(QString, handler);
    QFETCH(Thrown, thrown);
    QFETCH(QString, message);
    TForm1& form = window_->Form();
    const TNotifyEvent calculate = form.Button1->OnClick;
    const TKeyPressEvent keyPress = form.Edit4->OnKeyPress;

    ModalBoxWatcher box;
    if (handler == u"OnClick"_s) {
        form.Button1->OnClick = [thrown](TObject*) { Throw(thrown); };
        form.Button1->setFocus();
        PostKey(form.Button1, Qt::Key_Space, u" "_s);
    } else {
        form.Edit4->OnKeyPress = [thrown](TObject*, char&) { Throw(thrown); };
        form.Edit4->setFocus();
        PostKey(form.Edit4, Qt::Key_A, u"a"_s);
    }
    QTRY_VERIFY(box.seen);
    QCOMPARE(box.text, message);
    QCOMPARE(box.title, u"moravin"_s);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    // The offscreen platform has no window manager to hand the activation
    // back once the box has gone; do what a desktop does.
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // The same window, its handlers back, calculates from the keyboard.
    form.Button1->OnClick = calculate;
    form.Edit4->OnKeyPress = keyPress;
    form.Edit4->clear();
    form.Edit4->setFocus();
    QTest::keyClicks(form.Edit4, u"abc"_s);
    QTest::keyClick(form.Edit4, Qt::Key_Return);
    QVERIFY(form.Button1->hasFocus());
    PostKey(form.Button1, Qt::Key_Space, u" "_s);
    QTRY_COMPARE(form.Edit5->text(), u"12500"_s);
    QCOMPARE(form.Edit4->text(), QString());
    QVERIFY(form.isVisible());
}

QTEST_MAIN(TestHandlerErrors)
#include "tst_handler_errors.moc"
