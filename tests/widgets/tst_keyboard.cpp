// Working the real calculator window from the keyboard, with real key events
// sent to the focused widget.

#include "Unit1.h"

#include "vcl/application/TApplication.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Key {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// "Return S+Tab C+Return Enter Backspace 5": keys by name, S+ for Shift, C+ for Ctrl,
// A+ for Alt; Enter is the keypad's.
QList<Key> ParseKeys(const QString& keys)
{
    QList<Key> parsed;
    for (QString name : keys.split(u' ', Qt::SkipEmptyParts)) {
        Qt::KeyboardModifiers modifiers;
        for (const auto& [prefix, modifier] :
             {std::pair{u"S+"_s, Qt::ShiftModifier}, std::pair{u"C+"_s, Qt::ControlModifier},
              std::pair{u"A+"_s, Qt::AltModifier}}) {
            if (name.startsWith(prefix)) {
                modifiers |= modifier;
                name.remove(0, 2);
            }
        }
        Qt::Key key = Qt::Key_unknown;
        if (name == u"Return")
            key = Qt::Key_Return;
        else if (name == u"Enter")
            key = Qt::Key_Enter, modifiers |= Qt::KeypadModifier;
        else if (name == u"Tab")
            key = modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab;
        else if (name == u"Esc")
            key = Qt::Key_Escape;
        else if (name == u"Backspace")
            key = Qt::Key_Backspace;
        else if (name == u"Space")
            key = Qt::Key_Space;
        else if (name.size() == 1)
            key = Qt::Key(name[0].toUpper().unicode());
        parsed.append({key, modifiers});
    }
    return parsed;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void focusFollowsTheKeys_data();
    void focusFollowsTheKeys();
    void fourthEnterCalculates();
    void buttonKeys_data();
    void buttonKeys();
    void enterOnTheExitButtonCloses();
    void mouseClickOnlyPlacesTheCaret();
    void clickOnTheDisabledFieldGivesNoFocus();
    void keyPressHandlerCanReplaceTheCharacter();

private:
    void Press(const QString& keys);
    QWidget* Focused() const { return QApplication::focusWidget(); }

    std::unique_ptr<TApplication> application_;
    std::unique_ptr<TForm1> form_;
};

void TestKeyboard::initTestCase()
{
    application_ = std::make_unique<TApplication>();
    Application->SetTitle("moravin");
}

void TestKeyboard::init()
{
    form_ = std::make_unique<TForm1>(nullptr);
    Form1 = form_.get();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestKeyboard::cleanup()
{
    Form1 = nullptr;
    form_.reset();
}

void TestKeyboard::Press(const QString& keys)
{
    for (const Key& key : ParseKeys(keys)) {
        QWidget* target = Focused();
        QVERIFY2(target, "no widget has the focus");
        QTest::keyClick(target, key.key, key.modifiers);
    }
}

void TestKeyboard::focusFollowsTheKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("span");
    QTest::newRow("first focus") << u""_s << u"Edit1"_s << u"12"_s << u"12"_s << u"28"_s;
    QTest::newRow("typing replaces the size")
        << u"1 5"_s << u"Edit1"_s << u""_s << u"15"_s << u"28"_s;
    QTest::newRow("Enter passes over the feed field")
        << u"Return"_s << u"Edit3"_s << u"28"_s << u"12"_s << u"28"_s;
    QTest::newRow("Enter twice") << u"Return Return"_s << u"Edit4"_s << u""_s << u"12"_s << u"28"_s;
    QTest::newRow("Enter three times")
        << u"Return Return Return"_s << u"Button1"_s << u""_s << u"12"_s << u"28"_s;
    QTest::newRow("keypad Enter") << u"Enter"_s << u"Edit3"_s << u"28"_s << u"12"_s << u"28"_s;
    QTest::newRow("Shift+Enter still moves forward")
        << u"S+Return"_s << u"Edit3"_s << u"28"_s << u"12"_s << u"28"_s;
    QTest::newRow("Enter after a non-number")
        << u"a b Return"_s << u"Edit3"_s << u"28"_s << u"ab"_s << u"28"_s;
    QTest::newRow("Enter in an emptied field")
        << u"Backspace Return"_s << u"Edit3"_s << u"28"_s << u""_s << u"28"_s;
    QTest::newRow("Ctrl+Enter types no carriage return")
        << u"C+Return"_s << u"Edit1"_s << u"12"_s << u"12"_s << u"28"_s;
    QTest::newRow("Esc in a field") << u"Esc"_s << u"Edit1"_s << u"12"_s << u"12"_s << u"28"_s;
    QTest::newRow("Tab") << u"Tab"_s << u"Edit3"_s << u"28"_s << u"12"_s << u"28"_s;
    QTest::newRow("Tab to the result field")
        << u"Tab Tab Tab Tab"_s << u"Edit5"_s << u"0"_s << u"12"_s << u"28"_s;
    QTest::newRow("Tab to the exit button")
        << u"Tab Tab Tab Tab Tab"_s << u"Button2"_s << u""_s << u"12"_s << u"28"_s;
    QTest::newRow("Tab wraps around")
        << u"Tab Tab Tab Tab Tab Tab"_s << u"Edit1"_s << u"12"_s << u"12"_s << u"28"_s;
    QTest::newRow("Shift+Tab wraps around")
        << u"S+Tab"_s << u"Button2"_s << u""_s << u"12"_s << u"28"_s;
    QTest::newRow("Shift+Tab twice")
        << u"S+Tab S+Tab"_s << u"Edit5"_s << u"0"_s << u"12"_s << u"28"_s;
    QTest::newRow("Shift+Tab passes over the feed field")
        << u"Tab S+Tab"_s << u"Edit1"_s << u"12"_s << u"12"_s << u"28"_s;
    QTest::newRow("Enter in the result field stays")
        << u"S+Tab S+Tab Return"_s << u"Edit5"_s << u"0"_s << u"12"_s << u"28"_s;
    QTest::newRow("Esc on a button")
        << u"Return Return Return Esc"_s << u"Button1"_s << u""_s << u"12"_s << u"28"_s;
}

// Where the focus stands after the keys, what that field has selected, and
// that Enter never changes a text.
void TestKeyboard::focusFollowsTheKeys()
{
    QFETCH(QString, keys);
    QFETCH(QString, focus);
    QFETCH(QString, selected);
    QFETCH(QString, size);
    QFETCH(QString, span);
    Press(keys);
    QVERIFY(Focused());
    QCOMPARE(Focused()->objectName(), focus);
    if (auto* edit = qobject_cast<QLineEdit*>(Focused()))
        QCOMPARE(edit->selectedText(), selected);
    QCOMPARE(form_->Edit1->text(), size);
    QCOMPARE(form_->Edit2->text(), u"0"_s);
    QCOMPARE(form_->Edit3->text(), span);
    QCOMPARE(form_->Edit4->text(), QString());
    QCOMPARE(form_->Edit5->text(), u"0"_s);
    QVERIFY(form_->isVisible());
}

void TestKeyboard::fourthEnterCalculates()
{
    Press(u"Return Return"_s);
    QGuiApplication::clipboard()->setText(u"あいうえお"_s);
    QTest::keyClick(Focused(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form_->Edit4->text(), u"あいうえお"_s);
    Press(u"Return Return"_s);
    QCOMPARE(Focused(), form_->Button1);
    QCOMPARE(form_->Edit5->text(), u"5750"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"5750"_s);
    QCOMPARE(form_->Edit4->text(), QString());
    // The result's selection, made to copy it, does not show in the unfocused field.
    QCOMPARE(form_->Edit5->palette().color(QPalette::Highlight),
             form_->Edit5->palette().color(QPalette::Base));
}

void TestKeyboard::buttonKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Enter") << u"Return"_s << 1;
    QTest::newRow("keypad Enter") << u"Enter"_s << 1;
    QTest::newRow("Space") << u"Space"_s << 1;
    QTest::newRow("Enter twice") << u"Return Return"_s << 2;
    QTest::newRow("Shift+Enter") << u"S+Return"_s << 0;
    QTest::newRow("Ctrl+Enter") << u"C+Return"_s << 0;
    QTest::newRow("Alt+Enter") << u"A+Return"_s << 0;
    QTest::newRow("Esc") << u"Esc"_s << 0;
}

void TestKeyboard::buttonKeys()
{
    QFETCH(QString, keys);
    QFETCH(int, clicks);
    form_->Edit4->setText(u"あいう"_s);
    Press(u"Return Return Return"_s);
    QCOMPARE(Focused(), form_->Button1);
    QSignalSpy clicked(form_->Button1, &QPushButton::clicked);
    Press(keys);
    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(Focused(), form_->Button1);
    QCOMPARE(form_->Edit5->text(), clicks == 0 ? u"0"_s : clicks == 1 ? u"12500"_s : u"-28000"_s);
}

// The form is not the application's main form here, so closing hides it; the
// running program ends instead, as its end-to-end test shows.
void TestKeyboard::enterOnTheExitButtonCloses()
{
    Press(u"S+Tab Return"_s);
    QVERIFY(!form_->isVisible());
}

void TestKeyboard::mouseClickOnlyPlacesTheCaret()
{
    QTest::mouseClick(form_->Edit3, Qt::LeftButton, {}, QPoint(4, 10));
    QCOMPARE(Focused(), form_->Edit3);
    QVERIFY(!form_->Edit3->hasSelectedText());
    QCOMPARE(form_->Edit3->cursorPosition(), 0);
    // Back by keyboard, the field selects all again.
    Press(u"Tab S+Tab"_s);
    QCOMPARE(form_->Edit3->selectedText(), u"28"_s);
}

void TestKeyboard::clickOnTheDisabledFieldGivesNoFocus()
{
    QTest::mouseClick(form_->Edit2, Qt::LeftButton);
    QCOMPARE(Focused(), form_->Edit1);
}

void TestKeyboard::keyPressHandlerCanReplaceTheCharacter()
{
    form_->Edit1->OnKeyPress = [](TObject*, char& key) {
        if (key == 'a')
            key = 'b';
        else if (key == 'x')
            key = '\0';
    };
    Press(u"a x a"_s);
    QCOMPARE(form_->Edit1->text(), u"bb"_s);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
