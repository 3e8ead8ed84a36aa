// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackgroundWork.h"

#include <QEventLoop>
#include <exception>

// The watcher reports the end through the event loop, so the wait ends only after the window
// has seen every event posted before it.
void BackgroundWork::RunAndWait(const std::function<void()>& work) {
    std::exception_ptr failure;
    QEventLoop waiting;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &waiting, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&work, &failure] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    waiting.exec();
    if (failure)
        std::rethrow_exception(failure);
}
