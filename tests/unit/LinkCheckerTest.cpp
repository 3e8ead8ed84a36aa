// SPDX-License-Identifier: GPL-3.0-or-later
#include "check/LinkChecker.h"

#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "TempTree.h"
#include "check/Duplicates.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <QLocale>
#include <QSignalSpy>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Kind = CheckFinding::Kind;
using Answer = LoopbackServer::Answer;

CheckReport Check(const std::vector<LinkToCheck>& links, LinkChecker::Limits limits = {}) {
    LoopbackNetwork network;
    LinkChecker checker(links, limits, &network);
    QSignalSpy finished(&checker, &LinkChecker::finished);
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
    server.Route("HEAD /headLies", LoopbackServer::Status(404));
    server.Route("GET /headLies", LoopbackServer::Status(200));
    server.Route("/silent", {{}, Answer::Action::Silent});
    server.Route("/reset", {{}, Answer::Action::Reset});
    // A busy site asks to be asked again in a second, or at a time a second from now, or later.
    const std::string soon =
        QLocale::c()
            .toString(QDateTime::currentDateTimeUtc().addSecs(1), "ddd, dd MMM yyyy hh:mm:ss 'GMT'")
            .toStdString();
    for (const auto& [path, status, after] :
         {std::tuple("/busy", 429, std::string("1")), std::tuple("/busyUntil", 503, soon)}) {
        const Answer busy = LoopbackServer::Status(status, "Retry-After: " + after + "\r\n");
        server.Route(std::string("HEAD ") + path, busy);
        server.RouteInTurn(std::string("GET ") + path, {busy, LoopbackServer::Status(200)});
    }
    server.Route("/stillBusy", LoopbackServer::Status(503, "Retry-After: 1\r\n"));
    server.Route("/resting", LoopbackServer::Status(503, "Retry-After: 3600\r\n"));
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
        {"HEAD 404, GET 200", "@/headLies", {}, {}, {}},
        {"429, then fine", "@/busy", {}, {}, {}},
        {"503 until a time, then fine", "@/busyUntil", {}, {}, {}},
        {"503 again after waiting", "@/stillBusy", Kind::Blocked, "rate limited", {}},
        {"503 for an hour", "@/resting", Kind::Blocked, "rate limited", {}},
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
    std::vector<LinkToCheck> links;
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
    EXPECT_EQ(server.Requests("GET /stillBusy"), 2);
    EXPECT_EQ(server.Requests("GET /resting"), 1);
    EXPECT_EQ(server.Requests("GET /ok"), 0);
    EXPECT_EQ(server.LastUserAgent(), "Linkshelf/" + VersionText());
}

// Whatever a server sends, the check ends with the link accounted for, long before its time
// limit would end it, and says what was wrong with the answer ("" for a link that works).
TEST(LinkChecker, NamesWhatIsWrongWithAnAnswer) {
    struct Row {
        const char* name;
        std::string raw;
        std::string status;
    };
    const std::string malformed = "malformed answer";
    const std::vector<Row> rows{
        {"nothing", "", "connection reset"},
        {"not HTTP", "hello\r\n\r\n", malformed},
        {"status word", "HTTP/1.1 abc OK\r\nContent-Length: 0\r\n\r\n", malformed},
        {"status out of range", "HTTP/1.1 99999 Far\r\nContent-Length: 0\r\n\r\n", malformed},
        {"status line cut", "HTTP/1.1 2", malformed},
        {"headers cut", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n", malformed},
        {"header without colon", "HTTP/1.1 200 OK\r\nbroken\r\nContent-Length: 0\r\n\r\n", ""},
        {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", ""},
        {"body shorter than length", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc", ""},
        {"bad chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", ""},
        {"binary", std::string("\0\xff\xfe\r\n\x01\x02\r\n\r\n", 10), malformed},
        {"huge header", "HTTP/1.1 200 OK\r\nX: " + std::string(1 << 20, 'a') + "\r\n\r\n", ""},
        {"empty location", "HTTP/1.1 301 Moved\r\nLocation: \r\nContent-Length: 0\r\n\r\n",
         "redirect without Location"},
        {"302 without location", "HTTP/1.1 302 Found\r\nContent-Length: 0\r\n\r\n",
         "redirect without Location"},
        {"broken location", "HTTP/1.1 301 Moved\r\nLocation: http://[::1\r\n\r\n",
         "redirect to a bad address"},
        {"301 to ftp", "HTTP/1.1 301 Moved\r\nLocation: ftp://127.0.0.1/\r\n\r\n",
         "redirect to ftp:"},
        {"302 to a script", "HTTP/1.1 302 Found\r\nLocation: javascript:void(0)\r\n\r\n",
         "redirect to javascript:"},
        {"bare line feeds", "HTTP/1.1 404 Gone\nContent-Length: 0\n\n", "404"},
    };
    LoopbackServer server;
    std::vector<LinkToCheck> links;
    for (const Row& row : rows) {
        server.Route("/" + std::to_string(links.size()), {row.raw});
        links.push_back(
            {server.Url("/" + std::to_string(links.size())).toStdString(), row.name, "/"});
    }
    // The limit only ends a link that nothing else would end. The answers take two seconds
    // here, and five times that with the sanitizers when a busy machine leaves the test a tenth
    // of a core, so the limit is far beyond them.
    LinkChecker::Limits limits;
    limits.timeOutMs = 120000;

    const CheckReport report = Check(links, limits);

    EXPECT_EQ(report.checked, rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        const CheckFinding* finding = FindingFor(report, links[i].address);
        EXPECT_EQ(finding ? CheckReport::StatusText(*finding) : "", rows[i].status);
        if (finding) {
            EXPECT_EQ(finding->kind, Kind::Dead);
        }
    }
    EXPECT_EQ(FindingFor(report, links[15].address)->target, "ftp://127.0.0.1/");
}

// A host that takes connections and never answers, refuses them or cuts them costs two failures,
// not one per link: the rest of its links are settled at once. A host that answers some of its
// links is checked link by link.
TEST(LinkChecker, SettlesTheRestOfAHostThatDoesNotAnswer) {
    struct Row {
        const char* name;
        std::optional<Answer::Action> action;
        int links;
        std::string failure;
        bool answersOne;
    };
    const Row rows[]{
        {"silent", Answer::Action::Silent, 200, "time-out", false},
        {"resetting", Answer::Action::Reset, 50, "connection reset", false},
        {"refusing", {}, 50, "connection refused", false},
        {"silent but for one link", Answer::Action::Silent, 9, "time-out", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server;
        server.Fallback({{}, row.action.value_or(Answer::Action::Silent)});
        server.Route("/answered", LoopbackServer::Status(200));
        QString base = server.Url("");
        QTcpServer closed;
        if (!row.action) {
            closed.listen(QHostAddress::LocalHost);
            base = QString("http://127.0.0.1:%1").arg(closed.serverPort());
            closed.close();
        }
        std::vector<LinkToCheck> links;
        if (row.answersOne)
            links.push_back({server.Url("/answered").toStdString(), "answered", "/"});
        while (static_cast<int>(links.size()) < row.links)
            links.push_back(
                {(base + "/" + QString::number(links.size())).toStdString(), "link", "/"});
        LinkChecker::Limits limits;
        limits.timeOutMs = 500;

        const CheckReport report = Check(links, limits);

        std::map<std::string, int> statuses;
        for (const CheckFinding& finding : report.findings)
            ++statuses[CheckReport::StatusText(finding)];
        EXPECT_EQ(report.Count(Kind::Dead), links.size() - (row.answersOne ? 1 : 0));
        if (row.answersOne) {
            EXPECT_EQ(statuses[row.failure], row.links - 1);
        } else {
            EXPECT_LE(statuses[row.failure], limits.perHost);
            EXPECT_EQ(statuses["host does not answer"], row.links - statuses[row.failure]);
        }
    }
}

// A network that reaches no site, or fails alike at nearly every one, leaves the links not
// checked rather than dead, and keeps no verdict of them; a site that fails where others answer
// is dead. "@" stands for the test server, "name N" and "route N" for a name no lookup knows and
// an address without a route.
TEST(LinkChecker, TellsAnOutageFromDeadLinks) {
    struct Row {
        const char* name;
        std::vector<std::string> links;
        std::size_t dead;
        std::size_t unreachable;
    };
    const auto many = [](const char* kind, int count, std::vector<std::string> links) {
        for (int i = 0; i < count; ++i)
            links.push_back(kind + std::string(" ") + std::to_string(i));
        return links;
    };
    const Row rows[]{
        {"no name resolves", many("name", 6, {}), 0, 6},
        {"no route anywhere", many("route", 3, {}), 0, 3},
        {"one name of one link", many("name", 1, {}), 0, 1},
        {"a name fails where others answer", many("name", 1, {"@/a", "@/b", "@/c"}), 1, 0},
        {"nearly every name fails", many("name", 19, {"@/a"}), 0, 19},
        {"half the names fail", many("name", 5, many("route", 5, {})), 0, 10},
    };
    LoopbackServer server;
    server.Fallback(LoopbackServer::Status(200));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<LinkToCheck> links;
        for (const std::string& link : row.links) {
            const std::string number = link.substr(link.find(' ') + 1);
            const std::string address =
                link.starts_with("@")      ? server.Url(link.substr(1)).toStdString()
                : link.starts_with("name") ? "https://site" + number + ".invalid/"
                                           : "http://10.9.8." + number + "/";
            links.push_back({address, link, "/"});
        }
        LoopbackNetwork network;
        LinkChecker checker(links, {}, &network);
        CheckCache cache;
        checker.RememberIn(&cache, [](const CheckCache::Verdict&) { return false; });
        QSignalSpy finished(&checker, &LinkChecker::finished);
        checker.Start();
        if (!checker.IsFinished())
            finished.wait(60000);
        const CheckReport& report = checker.Report();

        EXPECT_EQ(report.Count(Kind::Dead), row.dead);
        EXPECT_EQ(report.Count(Kind::NotChecked), row.unreachable);
        EXPECT_EQ(report.unreachable, row.unreachable);
        EXPECT_EQ(report.checked + report.unreachable, links.size());
        for (const CheckFinding& finding : report.findings) {
            SCOPED_TRACE(finding.name);
            const bool spared = finding.kind == Kind::NotChecked;
            EXPECT_EQ(CheckReport::StatusText(finding),
                      spared ? "network unreachable" : "name not found");
            EXPECT_EQ(cache.Find(finding.address) == nullptr, spared);
        }
    }
}

// Requests wait for a free connection: never more than the limits allow at once, and the
// limits are reached, so the run is as quick as they let it be.
TEST(LinkChecker, KeepsToTheConnectionLimits) {
    struct Row {
        const char* name = "";
        int servers = 0;
        int linksEach = 0;
        int delayMs = 0;
        LinkChecker::Limits limits;
        int most = 0;
    };
    const Row rows[]{
        {"per host", 2, 12, 50, {.perHost = 3, .total = 32}, 6},
        {"in all", 3, 12, 50, {.perHost = 6, .total = 4}, 4},
        // Six a host, as browsers keep, and room for twenty such hosts at once.
        {"by default", 20, 6, 1000, {}, 120},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto load = std::make_shared<LoopbackServer::Load>();
        std::vector<std::unique_ptr<LoopbackServer>> servers;
        std::vector<LinkToCheck> links;
        for (int s = 0; s < row.servers; ++s) {
            servers.push_back(std::make_unique<LoopbackServer>(load));
            servers.back()->Fallback(
                {LoopbackServer::Status(200).raw, Answer::Action::Send, row.delayMs});
            for (int i = 0; i < row.linksEach; ++i)
                links.push_back(
                    {servers.back()->Url("/" + std::to_string(i)).toStdString(), "link", "/"});
        }

        const CheckReport report = Check(links, row.limits);

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
        {"unreserved escape", "http://x.org/%7e", "http://x.org/~", true},
        {"escape in either case", "http://x.org/a%2fb", "http://x.org/a%2Fb", true},
        {"reserved escape", "http://x.org/a%2Fb", "http://x.org/a/b", false},
        {"non-ASCII path", "http://x.org/p/café", "http://x.org/p/caf%C3%A9", true},
        {"non-ASCII query", "http://x.org/?q=é", "http://x.org/?q=%c3%a9", true},
        {"escapes in the query", "http://x.org/?q=%41", "http://x.org/?q=A", true},
        {"space", "http://x.org/a b", "http://x.org/a%20b", true},
        {"Unicode host case", "http://bücher.test/", "http://BÜCHER.test/", true},
        {"Unicode host as ACE", "http://Bücher.test/", "http://xn--bcher-kva.test/", true},
        {"other Unicode host", "http://bücher.test/", "http://bucher.test/", false},
        {"fragment", "http://x.org/a#one", "http://x.org/a#two", false},
        {"escaped fragment", "http://x.org/a#%7e", "http://x.org/a#~", true},
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
    Settings record;
    record.sourceFolder = tree.Path("Fav");
    Globals globals;
    globals.IgnoreList = {" skip "};

    for (const bool subfolders : {true, false}) {
        record.includeSubfolders = subfolders;
        std::vector<std::string> seen;
        for (const LinkToCheck& link : CollectLinks(record, globals))
            seen.push_back(link.address + " " + link.name + " " + link.folder);

        std::vector<std::string> expected{"A A /", "B b /"};
        if (subfolders)
            expected.push_back("D Deep /News/Tech");
        EXPECT_EQ(seen, expected);
    }
    EXPECT_EQ(globals.IgnoreList.front(), " skip ");
}

} // namespace
