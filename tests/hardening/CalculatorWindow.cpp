#include "CalculatorWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

CalculatorWindow::CalculatorWindow() : application_(std::make_unique<TApplication>())
{
    Application->SetTitle("moravin");
    Application->CreateForm(Form1);
    Form1->activateWindow();
    if (!QTest::qWaitForWindowActive(Form1))
        qWarning("the calculator window did not become active");
}

CalculatorWindow::~CalculatorWindow()
{
    application_.reset();
    Form1 = nullptr;
}

void CalculatorWindow::PasteInto(TEdit* field, const QVariant& content)
{
    if (content.typeId() == QMetaType::QByteArray) {
        auto* data = new QMimeData;
        data->setData(QStringLiteral("text/plain"), content.toByteArray());
        QGuiApplication::clipboard()->setMimeData(data);
    } else {
        QGuiApplication::clipboard()->setText(content.toString());
    }
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void CalculatorWindow::PressCalculate() const
{
    Form().Button1->setFocus();
    QTest::keyClick(Form().Button1, Qt::Key_Space);
}

QString CalculatorWindow::ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}
