#include "vcl/application/TApplication.h"

#include "vcl/application/ErrorText.h"
#include "vcl/application/InvokeHandler.h"
#include "vcl/application/XpmResource.h"
#include "vcl/forms/TForm.h"
#include "vcl/sysutils/Exception.h"
#include "vcl/windows/WinApi.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

TApplication* Application = nullptr;

namespace {

// The icon is compiled into the program. A build without it, or with one Qt
// cannot read, still runs, its windows with the desktop's default icon; the
// fault is told on standard error, as it points to a broken build.
void SetApplicationIcon()
{
    static const char* const resource = ":/icons/MAINICON.xpm";
    const QImage image = ReadXpmResource(QString::fromLatin1(resource));
    if (image.isNull()) {
        std::fprintf(stderr, "moravin: the application icon %s is missing or unreadable\n",
                     resource);
        return;
    }
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(image)));
}

} // namespace

TApplication::TApplication()
{
    Application = this;
    // Only Terminate ends the loop: an error box closing last must not.
    QApplication::setQuitOnLastWindowClosed(false);
    SetApplicationIcon();
}

TApplication::~TApplication()
{
    // The main form goes last, as it was created first.
    while (!forms_.empty())
        forms_.pop_back();
    if (Application == this)
        Application = nullptr;
}

void TApplication::SetTitle(const AnsiString& title)
{
    title_ = title;
    const QString name = QString::fromStdString(title);
    QCoreApplication::setApplicationName(name);
    QGuiApplication::setDesktopFileName(name);
}

void TApplication::AdoptForm(TForm* form)
{
    forms_.emplace_back(form);
    if (!mainForm_)
        mainForm_ = form;
}

void TApplication::Run()
{
    if (mainForm_)
        QApplication::exec();
}

void TApplication::Terminate()
{
    QCoreApplication::exit(0);
}

void TApplication::ShowException(const std::exception& error) const
{
    const auto* own = dynamic_cast<const Exception*>(&error);
    const AnsiString text = ErrorBoxText(own ? own->Message() : AnsiString(error.what()));
    MessageBoxA(nullptr, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

void ShowHandlerError(std::exception_ptr error) noexcept
{
    try {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            if (!Application)
                throw;
            Application->ShowException(e);
        } catch (...) {
            if (!Application)
                throw;
            Application->ShowException(Exception("不明なエラー"));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "moravin: %s\n", e.what());
    } catch (...) {
        std::fputs("moravin: an error could not be shown\n", stderr);
    }
}
