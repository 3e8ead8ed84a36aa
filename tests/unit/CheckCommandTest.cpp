#include "CheckCommand.h"

#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "TempTree.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class CheckCommandTest : public testing::Test {
protected:
    CheckCommandTest() {
        server.Route("/ok", LoopbackServer::Status(200));
        server.Route("/gone", LoopbackServer::Status(404));
        server.Route("/silent", {{}, LoopbackServer::Answer::Action::Silent});
        tree.Write("Links.lfs", "[Options]\r\nSourceFolder=" + tree.Path("Fav") + "\r\n");
    }

    void Link(const std::string& shortcut, const std::string& path) {
        tree.Shortcut("Fav/" + shortcut, server.Url(path).toStdString());
    }

    // The exit status; what went to standard output in out.
    int Run(const std::vector<std::string>& arguments, std::string& out) {
        LoopbackNetwork network;
        testing::internal::CaptureStdout();
        const int status = RunCheckCommand(arguments, globals, &network);
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
    EXPECT_EQ(out, "dead\t404\t" + gone + "\tGone\t/\n" + "duplicate\t2 places\t" + ok +
                       "\tFine\t/News\n" + "duplicate\t2 places\t" + ok + "\tFine again\t/Old\n" +
                       "Checked 3 of 3 links: 2 ok, 1 dead, 0 moved, 0 blocked; 1 addresses "
                       "filed more than once (2 places); 0 not checked (other schemes).\n");

    ASSERT_EQ(Run({"--check", tree.Path("Links.lfs"), "--json"}, out), 3);
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
    EXPECT_EQ(json["dead"].toInt(), 1);
    EXPECT_EQ(json["findings"][0]["address"].toString().toStdString(), gone);
    EXPECT_EQ(json["findings"][2]["folder"].toString(), "/Old");
}

TEST_F(CheckCommandTest, CtrlCStopsWithTheReportOfWhatWasChecked) {
    Link("Fine.url", "/ok");
    Link("Waiting.url", "/silent");
    QTimer::singleShot(300, [] { std::raise(SIGINT); });

    std::string out;
    EXPECT_EQ(Run({"--check", tree.Path("Links.lfs")}, out), 1);
    EXPECT_NE(out.find("Stopped after 1 of 2 links: 1 ok"), std::string::npos) << out;
}

} // namespace
