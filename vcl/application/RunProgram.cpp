#include "vcl/application/RunProgram.h"

#include "vcl/application/ApplicationError.h"
#include "vcl/application/TApplication.h"
#include "vcl/sysutils/Exception.h"

#include <QApplication>
#include <QFontDatabase>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler previousHandler = nullptr;
QString platformProblem;

QString DisplayProblem()
{
    const QByteArray display = qgetenv("DISPLAY");
    if (platformProblem.contains(QLatin1String("could not connect to display"))) {
        return display.isEmpty() ? QStringLiteral("cannot connect to a display: DISPLAY is not set")
                                 : QStringLiteral("cannot connect to the display %1")
                                       .arg(QString::fromLocal8Bit(display));
    }
    return platformProblem;
}

// While the window system comes up, Qt reports a missing display as a string
// of warnings and then aborts. This handler keeps the warnings back and, should
// Qt give up, states the problem in one line and exits with code 1 instead.
void StartUpMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message)
{
    const bool platform = context.category && qstrncmp(context.category, "qt.qpa", 6) == 0;
    if (type == QtFatalMsg) {
        QString problem = DisplayProblem();
        if (problem.isEmpty())
            problem = message.section(QLatin1Char('\n'), 0, 0);
        std::fprintf(stderr, "moravin: %s\n", qPrintable(problem));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (platform) {
        if (platformProblem.isEmpty() && (type == QtWarningMsg || type == QtCriticalMsg))
            platformProblem = message;
        return;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

// The window's captions are Japanese, and without a font for them it would come
// up blank. Fontconfig falls back to its built-in settings when the font
// configuration is missing or malformed, but one that it reads and that lists
// no usable fonts leaves no font at all.
QString FontProblem()
{
    if (!QFontDatabase::families(QFontDatabase::Japanese).isEmpty())
        return {};
    QString problem = QStringLiteral("no font for Japanese text is available; check the font "
                                     "configuration");
    const QByteArray file = qgetenv("FONTCONFIG_FILE");
    if (!file.isEmpty())
        problem += QStringLiteral(" (FONTCONFIG_FILE=%1)").arg(QString::fromLocal8Bit(file));
    return problem;
}

} // namespace

int RunProgram(int argc, char* argv[], void (*startUp)())
{
    previousHandler = qInstallMessageHandler(StartUpMessageHandler);
    QApplication qtApplication(argc, argv);
    qInstallMessageHandler(previousHandler);
    if (const QString problem = FontProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "moravin: %s\n", qPrintable(problem));
        return 1;
    }

    TApplication application;
    try {
        startUp();
    } catch (const std::exception& error) {
        ShowApplicationError(error);
        return 1;
    } catch (...) {
        ShowApplicationError(Exception("不明なエラー"));
        return 1;
    }
    return 0;
}
