// Building a form from a description: binding by name, and clear errors for a
// description that does not fit its form class.

#include "ModalBoxWatcher.h"

#include "vcl/application/TApplication.h"
#include "vcl/controls/TButton.h"
#include "vcl/controls/TEdit.h"
#include "vcl/forms/FormDescription.h"
#include "vcl/forms/PublishedMembers.h"
#include "vcl/forms/TForm.h"
#include "vcl/sysutils/Exception.h"

#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

// A small form class with one field of each kind and both kinds of handler.
class TFixtureForm : public TForm {
public:
    TEdit* Edit1 = nullptr;
    TButton* Button1 = nullptr;
    int clicks = 0;

    explicit TFixtureForm(const QString& description) : TForm(nullptr)
    {
        ReadDescription(FormDescription::Parse(description, QStringLiteral("FIXTURE")),
                        Published());
    }

    const char* ClassName() const override { return "TFixtureForm"; }

    void Button1Click(TObject*) { ++clicks; }
    void FailingClick(TObject*) { throw std::runtime_error("the handler failed"); }
    void Edit1KeyPress(TObject*, char&) {}

    static const PublishedMembers& Published()
    {
        static const PublishedMembers members =
            PublishedMembers()
                .Field("Edit1", &TFixtureForm::Edit1)
                .Field("Button1", &TFixtureForm::Button1)
                .Method("Button1Click", &TFixtureForm::Button1Click)
                .Method("FailingClick", &TFixtureForm::FailingClick)
                .Method("Edit1KeyPress", &TFixtureForm::Edit1KeyPress);
        return members;
    }
};

const char* const validDescription = "# a comment\n"
                                     "form Fixture: TFixtureForm\n"
                                     "    Caption = \"a \\\"quoted\\\" \\\\ title\"\n"
                                     "    Left = 10\n"
                                     "    Top = 20\n"
                                     "    Width = 200\n"
                                     "    Height = 100\n"
                                     "    Visible = false\n"
                                     "control Edit1: TEdit\n"
                                     "    Left = 4\n"
                                     "    Top = 6\n"
                                     "    Width = 50\n"
                                     "    Height = 20\n"
                                     "    Text = \"12\"\n"
                                     "    TabOrder = 0\n"
                                     "    OnKeyPress = Edit1KeyPress\n"
                                     "control Button1: TButton\n"
                                     "    Left = 4\n"
                                     "    Top = 30\n"
                                     "    Width = 80\n"
                                     "    Height = 25\n"
                                     "    Caption = \"OK\"\n"
                                     "    TabOrder = 1\n"
                                     "    OnClick = Button1Click\n";

// Records whether the application's reference to it was set before its
// construction ran; fails its construction on request.
class TProbeForm : public TForm {
public:
    static inline TProbeForm* reference = nullptr;
    static inline bool failConstruction = false;
    bool referenceSetFirst = false;

    explicit TProbeForm(TObject* owner) : TForm(owner)
    {
        referenceSetFirst = reference == this;
        if (failConstruction)
            throw Exception("construction failed");
    }
    const char* ClassName() const override { return "TProbeForm"; }
};

QString WithControl(const QString& control)
{
    return QStringLiteral("form Fixture: TFixtureForm\n    Visible = false\n") + control;
}

} // namespace

class TestFormLoader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { application_ = std::make_unique<TApplication>(); }
    void bindsControlsAndHandlersByName();
    void handlerErrorsGoToTheErrorBox();
    void rejectsWhatDoesNotFit_data();
    void rejectsWhatDoesNotFit();
    void createFormSetsTheReferenceFirst();

private:
    std::unique_ptr<TApplication> application_;
};

void TestFormLoader::bindsControlsAndHandlersByName()
{
    TFixtureForm form(QString::fromUtf8(validDescription));
    QVERIFY(form.Edit1);
    QVERIFY(form.Button1);
    QCOMPARE(form.windowTitle(), QStringLiteral("a \"quoted\" \\ title"));
    QCOMPARE(form.Edit1->text(), QStringLiteral("12"));
    QCOMPARE(form.Edit1->geometry(), QRect(4, 6, 50, 20));
    QCOMPARE(form.Button1->geometry(), QRect(4, 30, 80, 25));
    QCOMPARE(form.Edit1->parentWidget(), form.ClientArea());
    QVERIFY(form.Edit1->OnKeyPress);
    form.Button1->click();
    form.Button1->click();
    QCOMPARE(form.clicks, 2);
    QVERIFY(!form.isVisible());
}

void TestFormLoader::handlerErrorsGoToTheErrorBox()
{
    TFixtureForm form(WithControl(QStringLiteral("control Button1: TButton\n"
                                                 "    OnClick = FailingClick\n")));
    Application->SetTitle("moravin");
    ModalBoxWatcher box;
    form.Button1->click();
    QVERIFY(box.seen);
    QCOMPARE(box.title, QStringLiteral("moravin"));
    QCOMPARE(box.text, QStringLiteral("the handler failed."));
}

void TestFormLoader::rejectsWhatDoesNotFit_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown class") << WithControl(QStringLiteral("control Edit1: TMemo\n"))
                                   << QStringLiteral("FIXTURE, line 3: unknown class TMemo");
    QTest::newRow("unknown field")
        << WithControl(QStringLiteral("control Edit9: TEdit\n"))
        << QStringLiteral("FIXTURE, line 3: TFixtureForm has no field Edit9");
    QTest::newRow("field of another class")
        << WithControl(QStringLiteral("control Edit1: TButton\n"))
        << QStringLiteral("FIXTURE, line 3: the field Edit1 is a TEdit, not a TButton");
    QTest::newRow("unknown handler")
        << WithControl(QStringLiteral("control Button1: TButton\n    OnClick = Button9Click\n"))
        << QStringLiteral("FIXTURE, line 4: TFixtureForm has no handler Button9Click");
    QTest::newRow("handler of the wrong type")
        << WithControl(QStringLiteral("control Button1: TButton\n    OnClick = Edit1KeyPress\n"))
        << QStringLiteral("FIXTURE, line 4: OnClick takes a handler of another type");
    QTest::newRow("event the class lacks")
        << WithControl(QStringLiteral("control Button1: TButton\n    OnKeyPress = Edit1KeyPress\n"))
        << QStringLiteral("FIXTURE, line 4: TButton has no property OnKeyPress");
    QTest::newRow("unknown property")
        << WithControl(QStringLiteral("control Edit1: TEdit\n    Colour = clRed\n"))
        << QStringLiteral("FIXTURE, line 4: TEdit has no property Colour");
    QTest::newRow("value of the wrong kind")
        << WithControl(QStringLiteral("control Edit1: TEdit\n    Left = \"8\"\n"))
        << QStringLiteral("FIXTURE, line 4: an integer expected, found \"8\"");
    QTest::newRow("string without its end")
        << WithControl(QStringLiteral("control Edit1: TEdit\n    Text = \"12\n"))
        << QStringLiteral("FIXTURE, line 4: a string without its closing quote");
    QTest::newRow("unreadable value")
        << WithControl(QStringLiteral("control Edit1: TEdit\n    Left = 1 2\n"))
        << QStringLiteral("FIXTURE, line 4: unreadable value \"1 2\"");
    QTest::newRow("header without class")
        << WithControl(QStringLiteral("control Edit1\n"))
        << QStringLiteral("FIXTURE, line 3: expected \"Name: Class\", found \"Edit1\"");
    QTest::newRow("form of another class")
        << QStringLiteral("form Fixture: TForm1\n")
        << QStringLiteral("FIXTURE, line 1: the description is of TForm1, not of TFixtureForm");
    QTest::newRow("no form") << QStringLiteral("# nothing\n")
                             << QStringLiteral("FIXTURE: no form in the description");
    QTest::newRow("control before the form")
        << QStringLiteral("control Edit1: TEdit\n")
        << QStringLiteral("FIXTURE, line 1: a control before the form");
}

void TestFormLoader::rejectsWhatDoesNotFit()
{
    QFETCH(QString, description);
    QFETCH(QString, error);
    try {
        TFixtureForm form(description);
        QFAIL("the description was accepted");
    } catch (const Exception& e) {
        QCOMPARE(QString::fromStdString(e.Message()), error);
    }
}

void TestFormLoader::createFormSetsTheReferenceFirst()
{
    Application->CreateForm(TProbeForm::reference);
    QVERIFY(TProbeForm::reference);
    QVERIFY(TProbeForm::reference->referenceSetFirst);
    QCOMPARE(Application->MainForm(), TProbeForm::reference);

    TProbeForm* first = TProbeForm::reference;
    TProbeForm::failConstruction = true;
    QVERIFY_THROWS_EXCEPTION(Exception, Application->CreateForm(TProbeForm::reference));
    QCOMPARE(TProbeForm::reference, nullptr);
    QCOMPARE(Application->MainForm(), first);
}

QTEST_MAIN(TestFormLoader)
#include "tst_formloader.moc"
