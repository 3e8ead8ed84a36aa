// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QObject;

// Work that a window hands to a pool thread so that it keeps drawing (its progress animation
// moves, thousands of files are written or scanned) while the work runs.
class BackgroundWork {
public:
    // Runs work on a pool thread and returns when it is done, processing the window's events
    // meanwhile; an exception the work throws is thrown again here. The wait belongs to
    // context: its watcher goes with it.
    static void RunAndWait(QObject* context, const std::function<void()>& work);
};
