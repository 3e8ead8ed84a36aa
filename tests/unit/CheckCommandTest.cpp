// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CheckCommand.h"

#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "TempTree.h"
#include "app/CommandLine.h"
#include "app/UndoCommand.h"
#include "check/ChangeJournal.h"
#include "platform/FileChecks.h"
#include "platform/Trash.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
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
        // The Trash and the journal of changes are the test's own; the Trash is the home one
        // only when home is on the tree's file system.
        tree.Folder("home");
        qputenv("HOME", QByteArray::fromStdString(tree.Path("home")));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(tree.Path("data")));
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(tree.Path("state")));
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

std::string Undo(int& status) {
    testing::internal::CaptureStdout();
    status = UndoCommand::Undo();
    return testing::internal::GetCapturedStdout();
}

// Moved links point at their new address with every other byte of the file kept, dead links and
// the extra copy of a duplicate go to the Trash, a shortcut changed since the check stays, and
// --undo puts every file back byte for byte.
TEST_F(CheckCommandTest, ActsOnTheFindingsAndUndoes) {
    server.Route("/moved", LoopbackServer::Status(301, "Location: /ok\r\n"));
    server.Route("/late",
                 {LoopbackServer::Status(404).raw, LoopbackServer::Answer::Action::Send, 800});
    const std::string moved = "\xEF\xBB\xBF; kept\r\n[InternetShortcut]\r\nIconIndex=3\r\nurl = " +
                              server.Url("/moved").toStdString() + "\r\n[Other]\r\nURL=x\n";
    tree.Write("Fav/Moved.url", moved);
    Link("Gone.url", "/gone");
    Link("A/Copy.url", "/ok?copy");
    Link("B/Copy.url", "/ok?copy");
    Link("Late.url", "/late");
    const std::string before[]{tree.Read("Fav/Gone.url"), tree.Read("Fav/B/Copy.url")};
    const std::vector<std::string> acting{"--check", tree.Path("Links.lfs"), "--update-moved",
                                          "--trash-dead", "--trash-duplicates"};

    std::vector<std::string> dryRun = acting;
    dryRun.push_back("--dry-run");
    std::string out;
    ASSERT_EQ(Run(dryRun, out), 3);
    EXPECT_NE(out.find("将更新地址\t" + tree.Path("Fav/Moved.url")), std::string::npos) << out;
    EXPECT_NE(out.find("试运行：将更新 1 个地址，将把 3 个文件移到回收站"), std::string::npos);
    EXPECT_EQ(tree.Read("Fav/Moved.url"), moved);

    // Changed while the check waits for its own answer.
    QTimer::singleShot(300, [this] { tree.Write("Fav/Late.url", "[InternetShortcut]\r\n"); });
    ASSERT_EQ(Run(acting, out), 3);
    EXPECT_NE(out.find("已跳过\t" + tree.Path("Fav/Late.url")), std::string::npos) << out;
    EXPECT_NE(out.find("1 个地址已更新，2 个文件已移到回收站，1 个跳过。"), std::string::npos);
    std::string expected = moved;
    expected.replace(expected.find("url = ") + 5, server.Url("/moved").size() + 1,
                     server.Url("/ok").toStdString());
    // The key's line is written anew; every other byte stays.
    EXPECT_EQ(tree.Read("Fav/Moved.url"), expected);
    EXPECT_FALSE(FileExists(tree.Path("Fav/Gone.url")));
    EXPECT_FALSE(FileExists(tree.Path("Fav/B/Copy.url")));
    EXPECT_TRUE(FileExists(tree.Path("Fav/A/Copy.url")));
    EXPECT_EQ(tree.Read("data/Trash/files/Gone.url"), before[0]);
    const std::string info = tree.Read("data/Trash/info/Gone.url.trashinfo");
    EXPECT_TRUE(
        info.starts_with("[Trash Info]\nPath=" + tree.Path("Fav/Gone.url") + "\nDeletionDate="))
        << info;

    int status = -1;
    out = Undo(status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("已撤销：1 个地址已改回，2 个文件已从回收站还原，0 个跳过。"),
              std::string::npos)
        << out;
    EXPECT_EQ(tree.Read("Fav/Moved.url"), moved);
    EXPECT_EQ(tree.Read("Fav/Gone.url"), before[0]);
    EXPECT_EQ(tree.Read("Fav/B/Copy.url"), before[1]);
    EXPECT_FALSE(FileExists(tree.Path("data/Trash/info/Gone.url.trashinfo")));
    Undo(status);
    EXPECT_EQ(status, 1);
}

// A batch cut short after a file went to the Trash but before the journal marked it done is
// still undone: the Trash says where the file went, in a .trashinfo written now (the path
// percent-encoded) or by an earlier version (the path as it stands); a change never made is left
// as it is, even where another file's .trashinfo, read the other way, gives its path.
TEST_F(CheckCommandTest, UndoesABatchCutShortFromTheJournal) {
    enum class Moved { Now, AsBefore, Never };
    struct Case {
        const char* name;
        std::string shortcut;
        Moved moved;
    };
    const Case cases[] = {
        {"a plain name", "One.url", Moved::Now},
        {"a percent sign, a hash and blanks", "100%41 sure #1.url", Moved::Now},
        {"the same, by an earlier version", "100%41 sure #1.url", Moved::AsBefore},
        {"Chinese and a lone percent sign, by an earlier version", "书签 50% 完.url",
         Moved::AsBefore},
        {"bytes that are not UTF-8", "caf\xE9 #2.url", Moved::Now},
        {"never moved, another file's Path= read as it stands", "x%20y.url", Moved::Never},
    };
    tree.Folder("data/Trash/files");
    // The file moved to the Trash beside a .trashinfo whose Path= is written as given.
    const auto inTrash = [this](const std::string& file, const std::string& written) {
        const std::string name = file.substr(file.rfind('/') + 1);
        std::filesystem::rename(file, tree.Path("data/Trash/files/" + name));
        tree.Write("data/Trash/info/" + name + ".trashinfo",
                   "[Trash Info]\nPath=" + written + "\nDeletionDate=" +
                       QDateTime::currentDateTime().toString(Qt::ISODate).toStdString() + "\n");
        return tree.Path("data/Trash/files/" + name);
    };
    for (const Case& test : cases) {
        const std::string file = tree.Path("Fav/" + test.shortcut);
        tree.Shortcut("Fav/" + test.shortcut, "https://127.0.0.1/" + test.shortcut);
        const std::string bytes = tree.Read("Fav/" + test.shortcut);
        ChangeJournal::Batch batch;
        batch.entries.push_back({{PlannedChange::Action::MoveToTrash, CheckFinding::Kind::Dead,
                                  file, test.shortcut, "", "", FileStamp::Of(file)},
                                 {},
                                 {},
                                 {},
                                 false});
        ASSERT_TRUE(ChangeJournal().Begin(batch)) << test.name;
        std::string place;
        if (test.moved == Moved::Now) {
            ASSERT_TRUE(Trash::Move(file, place)) << test.name;
        } else if (test.moved == Moved::AsBefore) {
            place = inTrash(file, file);
        } else {
            // The desktop's .trashinfo of "x y.url" gives its path as ".../x%20y.url".
            tree.Shortcut("Fav/x y.url", "https://127.0.0.1/another");
            place = inTrash(tree.Path("Fav/x y.url"), file);
        }

        int status = -1;
        const std::string out = Undo(status);
        EXPECT_EQ(status, 0) << test.name << ": " << out;
        if (test.moved == Moved::Never) {
            EXPECT_EQ(out, "未曾改动\t" + file +
                               "\n已撤销：0 个地址已改回，0 个文件已从回收站还原，0 个跳过。\n")
                << test.name;
            EXPECT_TRUE(FileExists(place)) << test.name << ": the other file stays in the Trash";
        } else {
            EXPECT_EQ(out, "已从回收站还原\t" + file + "\t" + place +
                               "\n已撤销：0 个地址已改回，1 个文件已从回收站还原，0 个跳过。\n")
                << test.name;
        }
        EXPECT_EQ(tree.Read("Fav/" + test.shortcut), bytes) << test.name;
    }
}

} // namespace
