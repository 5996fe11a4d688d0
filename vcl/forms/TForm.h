#pragma once

#include "vcl/controls/TObject.h"
#include "vcl/forms/WindowFont.h"
#include "vcl/windows/WindowProcedure.h"

#include <QMargins>
#include <QRect>
#include <QScrollArea>

#include <vector>

struct FormDescription;
class PropertyValue;
class PublishedMembers;
class TControl;

// A top-level window built from a form description. Its stored Left, Top, Width
// and Height are the outer frame, title bar included: once the window manager
// has framed the window, the client area is fitted so that the frame keeps the
// stored size. While the client area is smaller than the controls' extent the
// window scrolls.
class TForm : public QScrollArea, public TObject, public WindowProcedure {
    Q_OBJECT
public:
    explicit TForm(TObject* owner);
    ~TForm() override;

    // The widget the controls are children of.
    QWidget* ClientArea() const { return client_; }
    HWND Handle() { return this; }

    // Asks the form to close. For the application's main form this ends the
    // program once the event loop takes the request; any other form is hidden.
    void Close();

    // The windowed control that holds, or last held, the keyboard focus.
    TControl* ActiveControl() const;

    // Gives the focus to the next (or previous) control of the tab order that
    // can take it, starting after current and wrapping around, as Tab does.
    void SelectNext(TControl* current, bool forward);

    // Called by the form loader.
    void SetProperty(const QString& property, const PropertyValue& value);
    void AdoptControl(TControl* control);
    const std::vector<TControl*>& Controls() const { return controls_; }
    // The window font as the description gives it; the controls take it.
    const WindowFont& Font() const { return font_; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Builds the form from the description named after its class (TForm1:
    // TFORM1), compiled into the program; raises EResNotFound when there is none.
    void ReadDescription(const PublishedMembers& members);
    void ReadDescription(const FormDescription& description, const PublishedMembers& members);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    std::vector<TControl*> TabOrderList() const;
    bool CanFocus(TControl* control) const;
    void FinishLoading();
    void FitFrameToDesign();

    QWidget* client_;
    std::vector<TControl*> controls_;
    WindowFont font_;
    QRect designedFrame_;
    QMargins fittedMargins_;
    bool visible_ = false;
};
