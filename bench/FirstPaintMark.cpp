#include "FirstPaintMark.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>

namespace {

qint64 ClockNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Whether the object is a widget of a top-level window that is on screen.
bool IsInExposedWindow(QObject* object)
{
    const auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return false;
    const QWindow* window = widget->window()->windowHandle();
    return window && window->isExposed();
}

// Runs as soon as the application object exists, before the program's own code.
void InstallFirstPaintMark()
{
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintMark(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintMark)

FirstPaintMark::FirstPaintMark(QObject* parent)
    : QObject(parent), applicationNs_(ClockNs(CLOCK_MONOTONIC))
{
}

// A window's widgets are painted one after the other and the frame is flushed to
// the window system in the same call, so a call queued at the first paint event
// runs once the whole first frame is out. Which widget comes first depends on
// the window: a top-level widget that its children cover whole gets none.
bool FirstPaintMark::eventFilter(QObject* watched, QEvent* event)
{
    if (!painted_ && event->type() == QEvent::Paint && IsInExposedWindow(watched)) {
        painted_ = true;
        QMetaObject::invokeMethod(this, &FirstPaintMark::Write, Qt::QueuedConnection);
    }
    return false;
}

void FirstPaintMark::Write()
{
    const qint64 paintNs = ClockNs(CLOCK_MONOTONIC);
    const qint64 cpuNs = ClockNs(CLOCK_PROCESS_CPUTIME_ID);
    QCoreApplication::instance()->removeEventFilter(this);
    std::fprintf(stderr, "first-paint app_ns=%lld paint_ns=%lld cpu_ns=%lld\n",
                 static_cast<long long>(applicationNs_), static_cast<long long>(paintNs),
                 static_cast<long long>(cpuNs));
    std::fflush(stderr);
}
