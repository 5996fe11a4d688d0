// Linked into a copy of the real program, so that a test can run its start-up
// unattended: every 20 ms the probe looks at the windows; a modal message box
// is written to standard output ("box: <title>: <text>") and accepted, a shown
// main window is written ("window: <title>") and closed, which ends the
// program as the close box would.

#include "vcl/application/TApplication.h"
#include "vcl/forms/TForm.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

namespace {

void Report(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void Look()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        Report(QStringLiteral("box: %1: %2").arg(box->windowTitle(), box->text()));
        box->accept();
        return;
    }
    static bool closed = false;
    TForm* form = Application ? Application->MainForm() : nullptr;
    if (form && form->isVisible() && !closed) {
        closed = true;
        Report(QStringLiteral("window: %1").arg(form->windowTitle()));
        form->close();
    }
}

void StartProbe()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, Look);
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartProbe)
