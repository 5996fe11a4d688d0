#pragma once

#include "vcl/controls/TObject.h"
#include "vcl/sysutils/AnsiString.h"

#include <exception>
#include <memory>
#include <new>
#include <vector>

class TForm;

// The application object: it owns the forms created through it, the first of
// which becomes the main form, runs the event loop and shows the error box. It
// sits on the QApplication that RunProgram (or a test) has created.
class TApplication : public TObject {
public:
    TApplication();
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    const char* ClassName() const override { return "TApplication"; }

    // Runs the initialization hook; none is installed.
    void Initialize() {}

    // The title names the application to the desktop (application name, window
    // class, Wayland application id) and is the caption of every error box.
    void SetTitle(const AnsiString& title);
    const AnsiString& Title() const { return title_; }

    // Creates a form owned by the application. The reference holds the new
    // object before its construction runs; it is emptied if construction fails.
    template <class Form> void CreateForm(Form*& reference);

    TForm* MainForm() const { return mainForm_; }

    // Runs the event loop until Terminate is called; returns at once when there
    // is no main form.
    void Run();

    // Asks the event loop to end; it does once the current event is handled.
    void Terminate();

    // The error box for an error that escaped an event handler: modal, titled
    // with the application title, the error icon, one OK button.
    void ShowException(const std::exception& error) const;

private:
    void AdoptForm(TForm* form);

    AnsiString title_;
    std::vector<std::unique_ptr<TForm>> forms_;
    TForm* mainForm_ = nullptr;
};

// The one application object, while it exists.
extern TApplication* Application;

template <class Form> void TApplication::CreateForm(Form*& reference)
{
    void* storage = ::operator new(sizeof(Form));
    reference = static_cast<Form*>(storage);
    try {
        ::new (storage) Form(this);
    } catch (...) {
        reference = nullptr;
        ::operator delete(storage);
        throw;
    }
    AdoptForm(reference);
}
