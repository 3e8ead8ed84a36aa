// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>
#include <utility>

// Work that a window hands to a pool thread so that it keeps drawing (its progress animation
// moves, thousands of files are written or scanned) while the work runs. The work gets copies of
// what it reads, never the window's controls.
class BackgroundWork {
public:
    // Runs work on a pool thread and returns when it is done, processing the window's events
    // meanwhile; an exception the work throws is thrown again here. For work the window cannot
    // go on without, such as the page a run writes.
    static void RunAndWait(const std::function<void()>& work);

    // Runs work on a pool thread and hands its result to then on context's thread. When context
    // is destroyed first, the result is dropped: then never runs on a closed window.
    template <typename Result>
    static void RunThen(QObject* context, std::function<Result()> work,
                        std::function<void(Result)> then) {
        auto* watcher = new QFutureWatcher<Result>(context);
        QObject::connect(watcher, &QFutureWatcher<Result>::finished, context,
                         [watcher, then = std::move(then)] {
                             watcher->deleteLater();
                             then(watcher->result());
                         });
        watcher->setFuture(QtConcurrent::run(std::move(work)));
    }
};
