#include "LinkChecker.h"

#include "Duplicates.h"
#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "SettingsRecord.h"
#include "TempTree.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Kind = CheckFinding::Kind;
using Answer = LoopbackServer::Answer;

CheckReport Check(const std::vector<CheckedLink>& links, LinkChecker::Limits limits = {}) {
    LoopbackNetwork network;
    LinkChecker checker(links, limits, &network);
    QSignalSpy finished(&checker, &LinkChecker::Finished);
    checker.Start();
    if (!checker.IsFinished())
        finished.wait(60000);
    EXPECT_TRUE(checker.IsFinished());
    return checker.Report();
}

const CheckFinding* FindingFor(const CheckReport& report, const std::string& address) {
    for (const CheckFinding& finding : report.findings)
        if (finding.address == address)
            return &finding;
    return nullptr;
}

LinkChecker::Limits ShortTimeOut() {
    LinkChecker::Limits limits;
    limits.timeOutMs = 1500;
    return limits;
}

std::string Redirect(const std::string& to) {
    return "Location: " + to + "\r\n";
}

// Every kind of answer a link can meet, checked in one run; "@" stands for the test server.
TEST(LinkChecker, ReportsEveryAnswerAsDeadMovedBlockedOrFine) {
    LoopbackServer server;
    server.Route("/ok", LoopbackServer::Status(200));
    server.Route("/moved", LoopbackServer::Status(301, Redirect("/ok")));
    server.Route("/chain1", LoopbackServer::Status(308, Redirect("/chain2")));
    server.Route("/chain2",
                 LoopbackServer::Status(308, Redirect(server.Url("/chain3").toStdString())));
    server.Route("/chain3", LoopbackServer::Status(308, Redirect("ok")));
    server.Route("/temporary", LoopbackServer::Status(302, Redirect("/ok")));
    server.Route("/movedToGone", LoopbackServer::Status(301, Redirect("/404")));
    server.Route("/loop1", LoopbackServer::Status(301, Redirect("/loop2")));
    server.Route("/loop2", LoopbackServer::Status(302, Redirect("/loop1")));
    for (int hop = 0; hop < 11; ++hop)
        server.Route("/hop" + std::to_string(hop),
                     LoopbackServer::Status(302, Redirect("/hop" + std::to_string(hop + 1))));
    for (const int status : {401, 403, 404, 410, 429, 500, 503})
        server.Route("/" + std::to_string(status), LoopbackServer::Status(status));
    server.Route("HEAD /noHead", LoopbackServer::Status(405));
    server.Route("GET /noHead", LoopbackServer::Status(200));
    server.Route("HEAD /noHeadGone", LoopbackServer::Status(501));
    server.Route("GET /noHeadGone", LoopbackServer::Status(404));
    server.Route("/silent", {{}, Answer::Action::Silent});
    server.Route("/reset", {{}, Answer::Action::Reset});
    // A port held by a socket that does not listen refuses connections, and no test running
    // beside this one can start listening on it, as it could on a port given back.
    QTcpSocket closed;
    closed.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress);
    const QString refused = QString("http://127.0.0.1:%1/").arg(closed.localPort());
    // A server that answers a TLS greeting in plain text.
    QTcpServer plain;
    plain.listen(QHostAddress::LocalHost);
    QObject::connect(&plain, &QTcpServer::newConnection,
                     [&plain] { plain.nextPendingConnection()->write("HTTP/1.1 200 OK\r\n\r\n"); });
    const QString notTls = QString("https://127.0.0.1:%1/").arg(plain.serverPort());
    TempTree tree;
    tree.Write("here.txt", "x");

    struct Row {
        const char* name;
        std::string address;
        std::optional<Kind> kind;
        std::string status;
        std::string final;
    };
    const std::vector<Row> rows{
        {"200", "@/ok", {}, {}, {}},
        {"301 to 200", "@/moved", Kind::Moved, "301", "@/ok"},
        {"308 chain", "@/chain1", Kind::Moved, "308", "@/ok"},
        {"302 is no move", "@/temporary", {}, {}, {}},
        {"301 to 404", "@/movedToGone", Kind::Dead, "404", {}},
        {"redirect loop", "@/loop1", Kind::Dead, "redirect loop", {}},
        {"ten redirects", "@/hop1", {}, {}, {}},
        {"eleven redirects", "@/hop0", Kind::Dead, "too many redirects", {}},
        {"401", "@/401", Kind::Blocked, "401", {}},
        {"403", "@/403", Kind::Blocked, "403", {}},
        {"404", "@/404", Kind::Dead, "404", {}},
        {"410", "@/410", Kind::Dead, "410", {}},
        {"429", "@/429", Kind::Blocked, "429", {}},
        {"500", "@/500", Kind::Dead, "500", {}},
        {"503", "@/503", Kind::Dead, "503", {}},
        {"HEAD 405, GET 200", "@/noHead", {}, {}, {}},
        {"HEAD 501, GET 404", "@/noHeadGone", Kind::Dead, "404", {}},
        {"never answers", "@/silent", Kind::Dead, "time-out", {}},
        {"reset connection", "@/reset", Kind::Dead, "connection reset", {}},
        {"connection refused", refused.toStdString(), Kind::Dead, "connection refused", {}},
        {"TLS failure", notTls.toStdString(), Kind::Dead, "TLS failure", {}},
        {"name not found", "http://nowhere.invalid/", Kind::Dead, "name not found", {}},
        {"no host", "http://", Kind::Dead, "bad address", {}},
        {"file there", "file://" + tree.Path("here.txt"), {}, {}, {}},
        {"file missing", "file://" + tree.Path("gone.txt"), Kind::Dead, "file not found", {}},
        {"other scheme", "mailto:someone@127.0.0.1", {}, {}, {}},
    };
    const auto onServer = [&server](std::string address) {
        if (address.starts_with("@"))
            address = server.Url(address.substr(1)).toStdString();
        return address;
    };
    std::vector<CheckedLink> links;
    links.reserve(rows.size());
    for (const Row& row : rows)
        links.push_back({onServer(row.address), row.name, "/"});

    const CheckReport report = Check(links, ShortTimeOut());

    std::size_t fine = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CheckFinding* finding = FindingFor(report, onServer(row.address));
        fine += row.kind ? 0 : 1;
        if (!row.kind) {
            EXPECT_EQ(finding, nullptr);
            continue;
        }
        ASSERT_NE(finding, nullptr);
        EXPECT_EQ(finding->kind, *row.kind);
        EXPECT_EQ(CheckReport::StatusText(*finding), row.status);
        EXPECT_EQ(finding->name, row.name);
        if (!row.final.empty()) {
            EXPECT_EQ(finding->target, onServer(row.final));
        }
    }
    EXPECT_EQ(report.ok, fine - 1);
    EXPECT_EQ(report.notChecked, 1u);
    EXPECT_EQ(report.checked, rows.size() - 1);
    EXPECT_FALSE(report.stopped);
    EXPECT_EQ(server.Requests("GET /noHead"), 1);
    EXPECT_EQ(server.Requests("GET /ok"), 0);
    EXPECT_EQ(server.LastUserAgent(), "Linkshelf/" + VersionText());
}

// Whatever a server sends, the check ends with the link accounted for, long before its time
// limit would end it.
TEST(LinkChecker, SurvivesMalformedAnswers) {
    const std::vector<std::pair<const char*, std::string>> rows{
        {"nothing", ""},
        {"not HTTP", "hello\r\n\r\n"},
        {"status word", "HTTP/1.1 abc OK\r\nContent-Length: 0\r\n\r\n"},
        {"status out of range", "HTTP/1.1 99999 Far\r\nContent-Length: 0\r\n\r\n"},
        {"status line cut", "HTTP/1.1 2"},
        {"headers cut", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n"},
        {"header without colon", "HTTP/1.1 200 OK\r\nbroken\r\nContent-Length: 0\r\n\r\n"},
        {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n"},
        {"body shorter than length", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"},
        {"bad chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n"},
        {"binary", std::string("\0\xff\xfe\r\n\x01\x02\r\n\r\n", 10)},
        {"huge header", "HTTP/1.1 200 OK\r\nX: " + std::string(1 << 20, 'a') + "\r\n\r\n"},
        {"empty location", "HTTP/1.1 301 Moved\r\nLocation: \r\nContent-Length: 0\r\n\r\n"},
        {"broken location", "HTTP/1.1 301 Moved\r\nLocation: http://[::1\r\n\r\n"},
        {"location elsewhere", "HTTP/1.1 308 Moved\r\nLocation: ftp://127.0.0.1/\r\n\r\n"},
        {"bare line feeds", "HTTP/1.1 404 Gone\nContent-Length: 0\n\n"},
    };
    LoopbackServer server;
    std::vector<CheckedLink> links;
    for (const auto& [name, raw] : rows) {
        server.Route("/" + std::to_string(links.size()), {raw});
        links.push_back({server.Url("/" + std::to_string(links.size())).toStdString(), name, "/"});
    }
    // The limit only ends a link that nothing else would end. The answers take two seconds
    // here, and five times that with the sanitizers when a busy machine leaves the test a tenth
    // of a core, so the limit is far beyond them.
    LinkChecker::Limits limits;
    limits.timeOutMs = 120000;

    const CheckReport report = Check(links, limits);

    EXPECT_EQ(report.checked, rows.size());
    for (const CheckFinding& finding : report.findings)
        EXPECT_NE(finding.cause, CheckFinding::Cause::TimeOut) << finding.name;
}

// Requests wait for a free connection: never more than the limits allow at once, and the
// limits are reached, so the run is as quick as they let it be.
TEST(LinkChecker, KeepsToTheConnectionLimits) {
    struct Row {
        const char* name;
        int servers;
        int perHost;
        int total;
        int most;
    };
    for (const Row& row : {Row{"per host", 2, 3, 32, 6}, Row{"in all", 3, 6, 4, 4}}) {
        SCOPED_TRACE(row.name);
        const auto load = std::make_shared<LoopbackServer::Load>();
        std::vector<std::unique_ptr<LoopbackServer>> servers;
        std::vector<CheckedLink> links;
        for (int s = 0; s < row.servers; ++s) {
            servers.push_back(std::make_unique<LoopbackServer>(load));
            servers.back()->Fallback({LoopbackServer::Status(200).raw, Answer::Action::Send, 50});
            for (int i = 0; i < 12; ++i)
                links.push_back(
                    {servers.back()->Url("/" + std::to_string(i)).toStdString(), "link", "/"});
        }
        LinkChecker::Limits limits;
        limits.perHost = row.perHost;
        limits.total = row.total;

        const CheckReport report = Check(links, limits);

        EXPECT_EQ(report.ok, links.size());
        EXPECT_EQ(load->most, row.most);
    }
}

TEST(Duplicates, ComparesAddressesAfterNormalisation) {
    struct Row {
        const char* name;
        const char* a;
        const char* b;
        bool same;
    };
    const Row rows[]{
        {"scheme case", "HTTP://x.org/", "http://x.org/", true},
        {"host case", "http://X.Org/a", "http://x.org/a", true},
        {"http default port", "http://x.org:80/", "http://x.org/", true},
        {"https default port", "https://x.org:443/a", "https://x.org/a", true},
        {"other port", "http://x.org:8080/", "http://x.org/", false},
        {"port of another scheme", "https://x.org:80/", "https://x.org/", false},
        {"empty path", "http://x.org", "http://x.org/", true},
        {"empty path before query", "http://x.org?q", "http://x.org/?q", true},
        {"path case", "http://x.org/A", "http://x.org/a", false},
        {"query order", "http://x.org/?a=1&b=2", "http://x.org/?b=2&a=1", false},
        {"escapes as written", "http://x.org/%7e", "http://x.org/~", false},
        {"user name case", "http://Me@x.org/", "http://me@x.org/", false},
        {"IPv6 host", "http://[::1]:80", "http://[::1]/", true},
        {"no authority", "MAILTO:Someone@x.org", "mailto:Someone@x.org", true},
        {"no scheme", "x.org", "X.org", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(NormalizeAddress(row.a) == NormalizeAddress(row.b), row.same) << row.name;
}

// The check looks at the links the page lists, and nowhere else.
TEST(CollectLinks, WalksTheLinksOfThePage) {
    TempTree tree;
    tree.Shortcut("Fav/b.url", "B");
    tree.Shortcut("Fav/A.url", "A");
    tree.Shortcut("Fav/Empty.url", "");
    tree.Shortcut("Fav/News/Tech/Deep.url", "D");
    tree.Shortcut("Fav/Skip/Hidden.url", "H");
    SettingsRecord record;
    record.SetSourceFolder(tree.Path("Fav"));
    Globals globals;
    globals.IgnoreList = {" skip "};

    for (const bool subfolders : {true, false}) {
        record.SetIncludeSubfolders(subfolders);
        std::vector<std::string> seen;
        for (const CheckedLink& link : CollectLinks(record, globals))
            seen.push_back(link.address + " " + link.name + " " + link.folder);

        std::vector<std::string> expected{"A A /", "B b /"};
        if (subfolders)
            expected.push_back("D Deep /News/Tech");
        EXPECT_EQ(seen, expected);
    }
    EXPECT_EQ(globals.IgnoreList.front(), " skip ");
}

} // namespace
