#pragma once

#include "Unit1.h"

#include "vcl/application/TApplication.h"

#include <QString>
#include <QVariant>

#include <memory>

// The real calculator window for a test, set up as the program does it: the
// application object and the form created through it, shown and active. Text
// reaches the fields as a user puts it there, through the clipboard and the
// keyboard.
class CalculatorWindow {
public:
    CalculatorWindow();
    ~CalculatorWindow();
    CalculatorWindow(const CalculatorWindow&) = delete;
    CalculatorWindow& operator=(const CalculatorWindow&) = delete;

    TForm1& Form() const { return *Form1; }

    // Puts the content on the clipboard, a QString as text and a QByteArray as
    // the raw bytes of text/plain, and pastes it over the field's whole text
    // with Ctrl+A, Ctrl+V.
    static void PasteInto(TEdit* field, const QVariant& content);

    // Moves the focus to 計算する and presses Space, as a user does.
    void PressCalculate() const;

    static QString ClipboardText();

private:
    std::unique_ptr<TApplication> application_;
};
