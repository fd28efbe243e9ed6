// Start-up probe shared by both start-up programs: at the first paint of a window it prints the
// monotonic clock ("first_paint_ns=N") and leaves at once, so the process's peak memory is that
// of its start-up. The driver (bench/startup-vs-bare) subtracts the time it started the process.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

class FirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_seen = true;
            // After this paint has reached the window system.
            QTimer::singleShot(0, [] {
                timespec now {};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("first_paint_ns=%lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};
