#pragma once

#include <QObject>

// Watches the whole application for the first top-level window that is painted
// on screen. Once that frame has been drawn and handed to the window system, it
// writes one line to standard error and stops watching:
//
//     first-paint app_ns=<ns> paint_ns=<ns> cpu_ns=<ns>
//
// app_ns and paint_ns are CLOCK_MONOTONIC readings in nanoseconds: when the
// application object was constructed, and when the first frame was out. A
// caller that read the same clock just before starting the process subtracts
// to get the start-up time. cpu_ns is the CPU time the process, all its threads
// together, had used by then; unlike the elapsed time it hardly depends on what
// else the machine is doing.
class FirstPaintMark : public QObject {
    Q_OBJECT
public:
    explicit FirstPaintMark(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Write();

    qint64 applicationNs_;
    bool painted_ = false;
};
