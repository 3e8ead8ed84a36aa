// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BackgroundWork.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

TEST(BackgroundWork, TheResultReachesALiveWindowOnlyAndAWaitSeesTheWorkDone) {
    struct Case {
        const char* name = "";
        bool windowCloses = false;
        std::optional<int> delivered;
    };
    for (const Case& c : {Case{"window still open", false, 42}, Case{"window closed", true, {}}}) {
        auto window = std::make_unique<QObject>();
        std::optional<int> delivered;
        BackgroundWork::RunThen<int>(
            window.get(), [] { return 42; }, [&delivered](int result) { delivered = result; });
        if (c.windowCloses)
            window.reset();
        // Once the pool is idle, the watcher's report is among the posted events.
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(delivered, c.delivered) << c.name;
    }
    int answer = 0;
    BackgroundWork::RunAndWait([&answer] { answer = 7; });
    EXPECT_EQ(answer, 7);
}
