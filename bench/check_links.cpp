// SPDX-License-Identifier: GPL-3.0-or-later
// Checks LINKS links on loopback servers that answer each request after DELAY_MS, spread over
// PORTS servers, and prints the wall-clock time and the peak resident memory of the process.
//
// Usage: check_links LINKS [DELAY_MS (100)] [PORTS (8)]
#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "check/LinkChecker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    statm >> pages >> pages;
    return static_cast<double>(pages * sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int links = argc > 1 ? std::atoi(argv[1]) : 2000;
    const int delayMs = argc > 2 ? std::atoi(argv[2]) : 100;
    const int ports = argc > 3 ? std::atoi(argv[3]) : 8;

    std::vector<std::unique_ptr<LoopbackServer>> servers;
    for (int i = 0; i < ports; ++i) {
        servers.push_back(std::make_unique<LoopbackServer>());
        servers.back()->Fallback(
            {LoopbackServer::Status(200).raw, LoopbackServer::Answer::Action::Send, delayMs});
    }
    std::vector<LinkToCheck> list;
    for (int i = 0; i < links; ++i)
        list.push_back({servers[static_cast<std::size_t>(i % ports)]
                            ->Url("/page/" + std::to_string(i))
                            .toStdString(),
                        "Link " + std::to_string(i), "/Folder " + std::to_string(i / 10)});

    const double listed = ResidentMegabytes();
    LoopbackNetwork network;
    LinkChecker checker(std::move(list), {}, &network);
    QEventLoop waiting;
    QObject::connect(&checker, &LinkChecker::finished, &waiting, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    checker.Start();
    if (!checker.IsFinished())
        waiting.exec();
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const CheckReport& report = checker.Report();
    std::printf("links %d, delay %d ms, %d ports: %.2f s, %.1f MB with the links listed, "
                "peak %.1f MB, %zu ok\n",
                links, delayMs, ports, seconds, listed,
                static_cast<double>(usage.ru_maxrss) / 1024.0, report.ok);
    return report.ok == static_cast<std::size_t>(links) ? 0 : 1;
}
