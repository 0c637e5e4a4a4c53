#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

// Runs the event loop until done() holds or the time is up; false on time-out.
template <typename Done> bool ProcessEventsUntil(Done done, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
