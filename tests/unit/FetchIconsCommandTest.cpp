// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FetchIconsCommand.h"

#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "TempTree.h"
#include "app/CommandLine.h"
#include "app/UndoCommand.h"
#include "platform/IniFile.h"

#include <QBuffer>
#include <QImage>
#include <QTcpSocket>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string Png(QRgb colour) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

LoopbackServer::Answer Body(const std::string& type, const std::string& body) {
    return {"HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " +
            std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body};
}

class FetchIconsCommandTest : public testing::Test {
protected:
    FetchIconsCommandTest() {
        tree.Write("Links.lfs", "[Options]\r\nSourceFolder=" + tree.Path("Fav") + "\r\n");
        for (LoopbackServer* server : {&icon, &named, &text, &none})
            server->Fallback(LoopbackServer::Status(404));
        icon.Route("/favicon.ico", Body("image/png", Png(0xFFFF0000)));
        named.Route("/page", Body("text/html", "<html><head><title>x</title><link rel=\"icon\" "
                                               "href=\"/i.png\"></head><body>hi</body></html>"));
        named.Route("/i.png", Body("image/png", Png(0xFF00FF00)));
        text.Route("/favicon.ico", Body("text/html", "<html>not an icon</html>"));
        // The journal of changes is the test's own.
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(tree.Path("state")));
    }

    void Link(const std::string& shortcut, const LoopbackServer& server, const std::string& path) {
        tree.Shortcut("Fav/" + shortcut, server.Url(path).toStdString());
    }

    std::string IconOf(const std::string& shortcut) const {
        IniFile file(tree.Path("Fav/" + shortcut));
        EXPECT_TRUE(file.Load());
        return file.Value("InternetShortcut", "IconFile").value_or("none");
    }

    // The exit status; what went to standard output in out, to standard error in err.
    int Run(const std::vector<std::string>& arguments, std::string& out) {
        LoopbackNetwork network;
        // Arguments the command line refuses end the program as they would there.
        ResultOf<CommandLine::Parsed> parsed = CommandLine::Parse(arguments);
        if (!parsed)
            return 1;
        parsed->invocation.globals = &globals;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = FetchIconsCommand::Fetch(parsed->invocation, &network);
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return status;
    }

    LoopbackServer icon, named, text, none;
    TempTree tree;
    Globals globals;
    std::string err;
};

TEST_F(FetchIconsCommandTest, AsksEachSiteOnceAndKeepsWhatIsAnImage) {
    Link("a.url", icon, "/one");
    Link("Sub/b.url", icon, "/two");
    Link("c.url", named, "/page");
    Link("d.url", text, "/page");
    Link("e.url", none, "/page");
    tree.Write("Fav/f.url", "[InternetShortcut]\r\nURL=" + icon.Url("/x").toStdString() +
                                "\r\nIconFile=mine.png\r\n");
    std::string out;
    ASSERT_EQ(Run({"--fetch-icons", tree.Path("Links.lfs")}, out), 0) << err;
    EXPECT_EQ(icon.Requests("GET /favicon.ico"), 1) << "one request a site";
    struct Case {
        const char* name;
        std::string shortcut;
        bool hasIcon;
    };
    const Case cases[] = {
        {"its site's /favicon.ico", "a.url", true},
        {"the same site, a folder down", "Sub/b.url", true},
        {"the icon its page's head names", "c.url", true},
        {"a site whose icon is no image", "d.url", false},
        {"a site without an icon", "e.url", false},
    };
    for (const Case& test : cases) {
        const std::string kept = IconOf(test.shortcut);
        EXPECT_EQ(kept != "none", test.hasIcon) << test.name << ": " << kept;
        if (kept != "none") {
            const std::string folder =
                test.shortcut.find('/') != std::string::npos ? "Fav/Sub/" : "Fav/";
            EXPECT_TRUE(std::filesystem::is_regular_file(tree.Path(folder + kept))) << test.name;
        }
    }
    EXPECT_EQ(IconOf("f.url"), "mine.png") << "a link with an icon is left alone";
    EXPECT_EQ(out, "已为 3 个链接取得网站图标。1 个链接的网站没有图标。1 "
                   "个链接的网站给出的图标不是图片，已拒绝。\n");
}

// The fetch is a batch of the change journal: --undo gives every shortcut its bytes back and
// leaves the icons in the icon folder, where no shortcut names them any more.
TEST_F(FetchIconsCommandTest, UndoGivesTheShortcutsTheirBytesBack) {
    Link("a.url", icon, "/one");
    tree.Write("Fav/Sub/b.url", "; mine\r\n[InternetShortcut]\nURL=" +
                                    icon.Url("/two").toStdString() + "\nIconIndex=3\n");
    Link("c.url", named, "/page");
    const std::string before[]{tree.Read("Fav/a.url"), tree.Read("Fav/Sub/b.url"),
                               tree.Read("Fav/c.url")};
    std::string out;
    ASSERT_EQ(Run({"--fetch-icons", tree.Path("Links.lfs")}, out), 0) << err;
    ASSERT_EQ(IconOf("Sub/b.url").rfind("../.linkshelf-icons/", 0), 0u) << IconOf("Sub/b.url");
    // The user edits one shortcut after the fetch: its undo is skipped, the edit kept.
    tree.Write("Fav/c.url", before[2] + "IconFile=own.png\r\n");

    testing::internal::CaptureStdout();
    EXPECT_EQ(UndoCommand::Undo(), 1) << "a change was skipped";
    const std::string undone = testing::internal::GetCapturedStdout();
    EXPECT_EQ(tree.Read("Fav/a.url"), before[0]);
    EXPECT_EQ(tree.Read("Fav/Sub/b.url"), before[1]);
    EXPECT_EQ(IconOf("c.url"), "own.png");
    EXPECT_NE(undone.find("已去掉网站图标\t" + tree.Path("Fav/a.url") + "\t.linkshelf-icons/"),
              std::string::npos)
        << undone;
    EXPECT_TRUE(undone.ends_with("已撤销：2 个网站图标已去掉，1 个跳过。\n")) << undone;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tree.Path("Fav/.linkshelf-icons")),
                            std::filesystem::directory_iterator()),
              2);
}

// A site that cannot be reached is counted apart, in the link check's words for why, and a fetch
// that reached no site at all says so in its exit status.
TEST_F(FetchIconsCommandTest, CountsSitesThatCannotBeReachedApart) {
    // A port held by a socket that does not listen refuses connections, and no test running
    // beside this one can start listening on it, as it could on a port given back.
    QTcpSocket closed;
    closed.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress);
    const std::string refused = "http://127.0.0.1:" + std::to_string(closed.localPort()) + "/page";
    // The test's network knows no name but 127.0.0.1.
    const std::string unknown = "https://nowhere.example/page";
    const std::string withIcon = icon.Url("/page").toStdString();
    const std::string withoutIcon = none.Url("/page").toStdString();
    struct Case {
        const char* name;
        std::vector<std::string> addresses;
        int status;
        std::string summary;
    };
    const Case cases[] = {
        {"reachable, with an icon", {withIcon}, 0, "已为 1 个链接取得网站图标。\n"},
        {"reachable, without an icon",
         {withoutIcon},
         0,
         "已为 0 个链接取得网站图标。1 个链接的网站没有图标。\n"},
        {"name not found, two links of one site",
         {unknown, unknown + "?again"},
         4,
         "已为 0 个链接取得网站图标。2 个链接的网站无法访问：找不到主机名。\n"},
        {"connection refused",
         {refused},
         4,
         "已为 0 个链接取得网站图标。1 个链接的网站无法访问：连接被拒绝。\n"},
        {"one site of three reached",
         {withoutIcon, unknown, refused},
         0,
         "已为 0 个链接取得网站图标。1 个链接的网站没有图标。1 "
         "个链接的网站无法访问：找不到主机名。1 个链接的网站无法访问：连接被拒绝。\n"},
    };
    int row = 0;
    for (const Case& test : cases) {
        const std::string folder = "Row" + std::to_string(++row);
        for (std::size_t i = 0; i < test.addresses.size(); ++i)
            tree.Shortcut(folder + "/" + std::to_string(i) + ".url", test.addresses[i]);
        tree.Write(folder + ".lfs", "[Options]\r\nSourceFolder=" + tree.Path(folder) + "\r\n");
        std::string out;
        EXPECT_EQ(Run({"--fetch-icons", tree.Path(folder + ".lfs")}, out), test.status)
            << test.name << ": " << err;
        EXPECT_EQ(out, test.summary) << test.name;
    }
}

TEST_F(FetchIconsCommandTest, RefusesASourceFolderThatIsNotThereAsAPageRunDoes) {
    tree.Write("Gone.lfs", "[Options]\r\nSourceFolder=" + tree.Path("gone") + "\r\n");
    std::string out;
    EXPECT_EQ(Run({"--fetch-icons", tree.Path("Gone.lfs")}, out), 1);
    EXPECT_NE(err.find("不能打开快捷方式文件夹 \"" + tree.Path("gone") + "\""), std::string::npos)
        << err;
    EXPECT_EQ(Run({"--fetch-icons", tree.Path("none.lfs")}, out), 1);
    EXPECT_EQ(Run({"--fetch-icons", "--json"}, out), 1);
}

} // namespace
