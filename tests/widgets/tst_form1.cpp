// The real calculator window, built from the real form description.

#include "ModalBoxWatcher.h"
#include "Unit1.h"

#include "vcl/application/TApplication.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QWidget* FindControl(TForm1& form, const QString& name)
{
    return form.ClientArea()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

QString ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowAsDesigned();
    void controlsAsDesigned_data();
    void controlsAsDesigned();
    void labelsShowTheirWholeCaption();
    void japaneseFont();
    void icon();
    void calculates_data();
    void calculates();
    void failureChangesNothing_data();
    void failureChangesNothing();
    void exitButtonClosesTheForm();

private:
    std::unique_ptr<TApplication> application_;
    std::unique_ptr<TForm1> form_;
};

void TestForm1::initTestCase()
{
    application_ = std::make_unique<TApplication>();
    Application->SetTitle("moravin");
}

void TestForm1::init()
{
    form_ = std::make_unique<TForm1>(nullptr);
    Form1 = form_.get();
}

void TestForm1::cleanup()
{
    Form1 = nullptr;
    form_.reset();
}

void TestForm1::windowAsDesigned()
{
    TForm1& form = *form_;
    QVERIFY(form.isVisible());
    QCOMPARE(form.windowTitle(), u"moravin"_s);
    // The offscreen platform draws no frame, so the outer size is the client's.
    QCOMPARE(form.frameGeometry(), QRect(192, 107, 298, 204));
    QCOMPARE(form.Controls().size(), std::size_t(12));
    QCOMPARE(QCoreApplication::applicationName(), u"moravin"_s);
    QCOMPARE(QGuiApplication::desktopFileName(), u"moravin"_s);
}

void TestForm1::controlsAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addRow("Edit1") << u"Edit1"_s << u"TEdit"_s << QRect(8, 24, 49, 20) << u"12"_s << true;
    QTest::addRow("Edit2") << u"Edit2"_s << u"TEdit"_s << QRect(88, 24, 49, 20) << u"0"_s << false;
    QTest::addRow("Edit3") << u"Edit3"_s << u"TEdit"_s << QRect(176, 24, 49, 20) << u"28"_s << true;
    QTest::addRow("Edit4") << u"Edit4"_s << u"TEdit"_s << QRect(8, 72, 273, 20) << QString()
                           << true;
    QTest::addRow("Button1") << u"Button1"_s << u"TButton"_s << QRect(8, 104, 273, 25)
                             << u"計算する"_s << true;
    QTest::addRow("Edit5") << u"Edit5"_s << u"TEdit"_s << QRect(96, 144, 73, 20) << u"0"_s << true;
    QTest::addRow("Button2") << u"Button2"_s << u"TButton"_s << QRect(224, 144, 57, 25) << u"終了"_s
                             << true;
    QTest::addRow("Label1") << u"Label1"_s << u"TLabel"_s << QRect(8, 8, 0, 0) << u"本文のQ数"_s
                            << true;
    QTest::addRow("Label2") << u"Label2"_s << u"TLabel"_s << QRect(88, 8, 0, 0) << u"本文の字送り"_s
                            << true;
    QTest::addRow("Label3") << u"Label3"_s << u"TLabel"_s << QRect(176, 8, 0, 0)
                            << u"字取りの指定文字数"_s << true;
    QTest::addRow("Label4") << u"Label4"_s << u"TLabel"_s << QRect(8, 56, 0, 0)
                            << u"字取りしたい文字をコピーか、文字数を入力"_s << true;
    QTest::addRow("Label5") << u"Label5"_s << u"TLabel"_s << QRect(8, 144, 0, 0)
                            << u"字送り計算結果"_s << true;
}

// Edit fields and buttons take the stored geometry exactly; labels keep their
// stored top left and size themselves to their caption.
void TestForm1::controlsAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QWidget* widget = FindControl(*form_, name);
    QVERIFY2(widget, qPrintable(name));
    auto* control = dynamic_cast<TControl*>(widget);
    QVERIFY(control);
    QCOMPARE(QString::fromLatin1(control->ClassName()), className);
    QCOMPARE(widget->isEnabled(), enabled);
    QVERIFY(widget->isVisible());
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        QCOMPARE(label->pos(), geometry.topLeft());
        QCOMPARE(label->text(), text);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(edit->geometry(), geometry);
        QCOMPARE(edit->text(), text);
        QVERIFY(!edit->isReadOnly());
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QCOMPARE(button->geometry(), geometry);
        QCOMPARE(button->text(), text);
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
}

void TestForm1::labelsShowTheirWholeCaption()
{
    for (TLabel* label :
         {form_->Label1, form_->Label2, form_->Label3, form_->Label4, form_->Label5}) {
        const QFontMetrics metrics(label->font());
        QVERIFY2(label->width() >= metrics.horizontalAdvance(label->text()),
                 qPrintable(label->objectName()));
        QVERIFY(label->height() >= metrics.height());
    }
    // No control overlaps another.
    const auto& controls = form_->Controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            QVERIFY2(
                !controls[i]->Widget()->geometry().intersects(controls[j]->Widget()->geometry()),
                qPrintable(controls[i]->Name() + u" overlaps "_s + controls[j]->Name()));
}

void TestForm1::japaneseFont()
{
    const QString stored = u"ＭＳ Ｐゴシック"_s;
    QCOMPARE(form_->Font().Name(), stored);
    const QFont font = form_->Edit4->font();
    // Qt is asked for the stored face where it is installed, else for the
    // stand-in, so that it never queries fallbacks for a face that is missing.
    if (QFontDatabase::hasFamily(stored))
        QCOMPARE(font.family(), stored);
    else if (QFontDatabase::hasFamily(u"IPAPGothic"_s))
        QCOMPARE(font.family(), u"IPAPGothic"_s);
    QCOMPARE(font.pixelSize(), 12);
    const QString drawn = QFontInfo(form_->Label4->font()).family();
    QVERIFY2(QFontDatabase::writingSystems(drawn).contains(QFontDatabase::Japanese),
             qPrintable(drawn));
    if (QFontDatabase::hasFamily(u"IPAPGothic"_s))
        QCOMPARE(drawn, u"IPAPGothic"_s);
}

void TestForm1::icon()
{
    const QImage image(u":/icons/MAINICON.xpm"_s);
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.colorCount() > 0 && image.colorCount() <= 256);
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    QCOMPARE(qAlpha(image.pixel(16, 16)), 255);
    QVERIFY(!QApplication::windowIcon().isNull());
    QVERIFY(!form_->windowIcon().isNull());
}

void TestForm1::calculates_data()
{
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("heading") << u"28"_s << u"あいうえお"_s << u"5750"_s;
    QTest::newRow("empty text") << u"28"_s << QString() << u"-28000"_s;
    QTest::newRow("a number of characters") << u"28"_s << u"10"_s << u"2000"_s;
    QTest::newRow("hex span") << u"$1C"_s << u"ab"_s << u"26000"_s;
    QTest::newRow("character outside the BMP") << u"28"_s << u"𠮷野家"_s << u"12500"_s;
    QTest::newRow("largest span") << u"2147483647"_s << u"1000000"_s << u"2146485"_s;
}

// A click shows the value, puts exactly it on the clipboard and empties the text.
void TestForm1::calculates()
{
    QFETCH(QString, span);
    QFETCH(QString, text);
    QFETCH(QString, result);
    TForm1& form = *form_;
    form.Edit3->setText(span);
    form.Edit4->setText(text);
    QGuiApplication::clipboard()->setText(u"before"_s);
    form.Button1->setFocus();
    form.Button1->click();
    QCOMPARE(form.Edit5->text(), result);
    QCOMPARE(ClipboardText(), result);
    QCOMPARE(form.Edit4->text(), QString());
    QCOMPARE(form.Edit1->text(), u"12"_s);
    QCOMPARE(form.Edit3->text(), span);
}

void TestForm1::failureChangesNothing_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("one character") << u"12"_s << u"28"_s << u"あ"_s << u"ゼロによる除算."_s;
    QTest::newRow("size not an integer")
        << u"abc"_s << u"28"_s << u"あいう"_s << u"'abc' は整数ではありません."_s;
    QTest::newRow("span empty") << u"12"_s << QString() << u"あいう"_s
                                << u"'' は整数ではありません."_s;
    QTest::newRow("span as format")
        << u"12"_s << u"%s%d"_s << u"あいう"_s << u"'%s%d' は整数ではありません."_s;
    QTest::newRow("overflow") << u"12"_s << u"268435456"_s << QString()
                              << u"整数のオーバーフロー."_s;
}

// The error box shows the message; every field and the clipboard stay as they were.
void TestForm1::failureChangesNothing()
{
    QFETCH(QString, size);
    QFETCH(QString, span);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TForm1& form = *form_;
    form.Edit1->setText(size);
    form.Edit3->setText(span);
    form.Edit4->setText(text);
    form.Edit5->setText(u"5750"_s);
    QGuiApplication::clipboard()->setText(u"before"_s);

    ModalBoxWatcher box;
    box.blockedWidget = &form;
    form.Button1->click();

    QVERIFY(box.seen);
    QCOMPARE(box.title, u"moravin"_s);
    QCOMPARE(box.text, message);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QStringList{u"OK"_s});
    QVERIFY(box.applicationModal);
    QVERIFY(box.formWasBlocked);
    QCOMPARE(form.Edit1->text(), size);
    QCOMPARE(form.Edit2->text(), u"0"_s);
    QCOMPARE(form.Edit3->text(), span);
    QCOMPARE(form.Edit4->text(), text);
    QCOMPARE(form.Edit5->text(), u"5750"_s);
    QCOMPARE(ClipboardText(), u"before"_s);
}

// A form that is not the application's main form is hidden by Close; closing
// the main form, which ends the program, is tested on the running program.
void TestForm1::exitButtonClosesTheForm()
{
    form_->Button2->click();
    QVERIFY(!form_->isVisible());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
