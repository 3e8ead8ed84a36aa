// SPDX-License-Identifier: GPL-3.0-or-later
// Serves a site on loopback servers for the link check's side-by-side benchmark: HOSTS servers
// on 127.0.0.1, one port each, that answer every request with 200 after DELAY_MS, or never when
// MODE is "silent". Prints each server's address on a line of its own, then serves until its
// standard input closes or SECONDS have passed.
//
// Usage: loopback_site HOSTS DELAY_MS [MODE (answer)] [SECONDS (900)]
#include "LoopbackServer.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int hosts = argc > 1 ? std::atoi(argv[1]) : 1;
    const int delayMs = argc > 2 ? std::atoi(argv[2]) : 0;
    const bool silent = argc > 3 && std::strcmp(argv[3], "silent") == 0;
    const int seconds = argc > 4 ? std::atoi(argv[4]) : 900;

    std::vector<std::unique_ptr<LoopbackServer>> servers;
    for (int i = 0; i < hosts; ++i) {
        servers.push_back(std::make_unique<LoopbackServer>());
        servers.back()->Fallback(
            {LoopbackServer::Status(200).raw,
             silent ? LoopbackServer::Answer::Action::Silent : LoopbackServer::Answer::Action::Send,
             delayMs});
        std::printf("%s\n", servers.back()->Url("").toUtf8().constData());
    }
    std::fflush(stdout);
    // Whoever started the site ends it by closing its input; the time limit ends it otherwise.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        char byte = 0;
        if (read(STDIN_FILENO, &byte, 1) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    QTimer::singleShot(seconds * 1000, &application, &QCoreApplication::quit);
    return QCoreApplication::exec();
}
