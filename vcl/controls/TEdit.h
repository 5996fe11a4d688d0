#pragma once

#include "vcl/controls/TControl.h"
#include "vcl/sysutils/AnsiString.h"
#include "vcl/windows/WindowProcedure.h"

#include <QLineEdit>

// A single-line edit field. Its text is read and set whole as 8-bit text; it
// takes text of any length; it answers WM_SETTEXT, WM_COPY and EM_SETSEL.
// Entered from the keyboard (Tab, Shift+Tab, the form's own focus moves, the
// window's first focus) it selects its whole text; entered by a mouse click it
// only places the caret. Its selection shows only while it has the focus.
class TEdit : public QLineEdit, public TControl, public WindowProcedure {
    Q_OBJECT
public:
    static constexpr const char* StaticClassName = "TEdit";

    explicit TEdit(QWidget* parent);

    const char* ClassName() const override { return StaticClassName; }
    QWidget* Widget() override { return this; }

    AnsiString Text() const;
    void SetText(const AnsiString& text);

    TKeyPressEvent OnKeyPress;

    void SetProperty(const QString& property, const PropertyValue& value) override;
    void SetEvent(const QString& event, const EventHandler& handler,
                  const QString& location) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowSelection(bool shown);

    // Set while the focus is away only because the window is inactive or a
    // pop-up is open: getting it back is no new entry into the field.
    bool focusOnlyLent_ = false;
};
