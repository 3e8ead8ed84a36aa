// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCommand.h"

#include "CommandLine.h"
#include "FileChecks.h"
#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "TempTree.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

namespace {

class CheckCommandTest : public testing::Test {
protected:
    CheckCommandTest() {
        server.Route("/ok", LoopbackServer::Status(200));
        server.Route("/gone", LoopbackServer::Status(404));
        server.Route("/silent", {{}, LoopbackServer::Answer::Action::Silent});
        tree.Write("Links.lfs", "[Options]\r\nSourceFolder=" + tree.Path("Fav") + "\r\n");
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(tree.Path("cache")));
    }

    void Link(const std::string& shortcut, const std::string& path) {
        tree.Shortcut("Fav/" + shortcut, server.Url(path).toStdString());
    }

    // The exit status; what went to standard output in out.
    int Run(const std::vector<std::string>& arguments, std::string& out,
            LinkChecker::Limits limits = {}) {
        LoopbackNetwork network;
        // Arguments the command line refuses end the program as they would there.
        ResultOf<CommandLine::Parsed> parsed = CommandLine::Parse(arguments);
        if (!parsed)
            return 1;
        parsed->invocation.globals = &globals;
        testing::internal::CaptureStdout();
        const int status = CheckCommand::Check(parsed->invocation, &network, limits);
        out = testing::internal::GetCapturedStdout();
        return status;
    }

    LoopbackServer server;
    TempTree tree;
    Globals globals;
};

TEST_F(CheckCommandTest, ReportsOneLinePerFindingThenTheSummary) {
    Link("Gone.url", "/gone");
    Link("News/Fine.url", "/ok");
    Link("Old/Fine again.url", "/ok");
    const std::string gone = server.Url("/gone").toStdString();
    const std::string ok = server.Url("/ok").toStdString();

    std::string out;
    ASSERT_EQ(Run({"--check", tree.Path("Links.lfs")}, out), 3);
    EXPECT_EQ(out, "失效\t404\t" + gone + "\tGone\t/\n" + "重复\t共 2 处\t" + ok +
                       "\tFine\t/News\t" + ok + "\n" + "重复\t共 2 处\t" + ok +
                       "\tFine again\t/Old\t" + ok + "\n" +
                       "已检查 3 / 3 个链接：2 个正常，1 个失效，0 个已移动，0 个拒绝访问；1 "
                       "个地址重复（共 2 处）；0 个未检查（其他协议）。\n");

    ASSERT_EQ(Run({"--check", tree.Path("Links.lfs"), "--json"}, out), 3);
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    EXPECT_EQ(json["dead"].toInt(), 1);
    EXPECT_EQ(json["findings"][0]["address"].toString().toStdString(), gone);
    EXPECT_EQ(json["findings"][2]["folder"].toString(), "/Old");
}

TEST_F(CheckCommandTest, CtrlCStopsWithTheReportOfWhatWasChecked) {
    Link("Fine.url", "/ok");
    Link("Gone.url", "/gone");
    Link("Waiting.url", "/silent");
    QTimer::singleShot(300, [] { std::raise(SIGINT); });

    std::string out;
    EXPECT_EQ(Run({"--check", tree.Path("Links.lfs")}, out), 1);
    EXPECT_NE(
        out.find("未检查\t检查已停止\t" + server.Url("/silent").toStdString() + "\tWaiting\t/\n"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("已停止。已检查 2 / 3 个链接：1 个正常，1 个失效"), std::string::npos)
        << out;
}

// On a terminal the bar keeps up with the check, says which host it waits on when nothing
// finishes for a while, and stays on screen in its final state.
TEST_F(CheckCommandTest, ProgressBarKeepsUpAndNamesTheHostItWaitsOn) {
    for (int i = 0; i < 5; ++i)
        Link("Fine " + std::to_string(i) + ".url", "/ok?" + std::to_string(i));
    server.Route("/slow",
                 {LoopbackServer::Status(200).raw, LoopbackServer::Answer::Action::Send, 1500});
    Link("Slow.url", "/slow");
    int terminal = -1;
    int screen = -1;
    ASSERT_EQ(openpty(&terminal, &screen, nullptr, nullptr, nullptr), 0);
    const int standardError = dup(STDERR_FILENO);
    dup2(screen, STDERR_FILENO);
    LinkChecker::Limits limits;
    limits.quietMs = 300;

    std::string out;
    const int status = Run({"--check", tree.Path("Links.lfs")}, out, limits);
    dup2(standardError, STDERR_FILENO);
    close(standardError);
    close(screen);
    std::string shown;
    char buffer[4096];
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    for (ssize_t got; (got = read(terminal, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, static_cast<std::size_t>(got));
    close(terminal);

    EXPECT_EQ(status, 0);
    const std::string host = "127.0.0.1:" + server.Url("").section(':', 2).toStdString();
    EXPECT_NE(shown.find("] 5/6，正在等待 " + host), std::string::npos) << shown;
    EXPECT_TRUE(shown.ends_with("[" + std::string(30, '#') + "] 6/6\r\n")) << shown;
}

// Each run keeps its verdicts; --max-age takes those young enough instead of asking again.
TEST_F(CheckCommandTest, KeepsVerdictsAndTakesRecentOnesWithMaxAge) {
    server.RouteInTurn("/flip", {LoopbackServer::Status(200), LoopbackServer::Status(404)});
    Link("Flip.url", "/flip");
    const std::string settings = tree.Path("Links.lfs");
    std::string out;

    ASSERT_EQ(Run({"--check", settings}, out), 0);
    EXPECT_TRUE(FileExists(tree.Path("cache/linkshelf/check.json")));
    ASSERT_EQ(Run({"--check", settings, "--max-age", "1d"}, out), 0);
    EXPECT_NE(out.find("1 个结果取自先前的检查。"), std::string::npos) << out;
    EXPECT_EQ(server.Requests("HEAD /flip"), 1);
    EXPECT_EQ(Run({"--check", settings, "--max-age=2h"}, out), 0) << out;
    EXPECT_EQ(Run({"--check", settings}, out), 3) << out;

    for (const char* age : {"", "1y", "-1d", "d", "12hours", "99999999999999d"}) {
        EXPECT_EQ(Run({"--check", settings, "--max-age", age}, out), 1) << age;
    }
    EXPECT_EQ(Run({"--check", settings, "--max-age"}, out), 1);
}

} // namespace
