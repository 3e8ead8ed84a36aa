// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FormCheckLinks.h"

#include "LoopbackNetwork.h"
#include "LoopbackServer.h"
#include "RecordingDesktop.h"
#include "RecordingSystemctl.h"
#include "TempTree.h"
#include "WizardControls.h"
#include "generation/RunTexts.h"
#include "platform/FileChecks.h"
#include "ui/FormMain.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string S(const QString& text) {
    return text.toStdString();
}

class CheckLinks : public testing::Test {
protected:
    CheckLinks() {
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           QString::fromStdString(tree.Path("etc")));
        server.Route("/ok", LoopbackServer::Status(200));
        server.Route("/gone", LoopbackServer::Status(404));
        server.Route("/moved", LoopbackServer::Status(301, "Location: /ok\r\n"));
        server.Route("/silent", {{}, LoopbackServer::Answer::Action::Silent});
        globals.Layout = ProgramLayout::Portable(tree.Path("program/"));
        globals.DesktopFolder = tree.Path("Desktop/");
        tree.Folder("Desktop");
        globals.FavoritesFolder = tree.Path("Fav/");
        globals.SettingsPath = globals.DefaultSettingsPath();
        tree.Write("program/Linkshelf.lft", "%LF_LINKS_COUNT%");
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(tree.Path("cache")));
        // The Trash and the journal of changes are the test's own.
        tree.Folder("home");
        qputenv("HOME", QByteArray::fromStdString(tree.Path("home")));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(tree.Path("data")));
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(tree.Path("state")));
    }

    void Link(const std::string& shortcut, const std::string& path) {
        tree.Shortcut("Fav/" + shortcut, Url(path));
    }
    std::string Url(const std::string& path) const { return S(server.Url(path)); }

    FormMain& Wizard() {
        if (!form) {
            form = std::make_unique<FormMain>(globals, tree.Path("program/linkshelf"));
            form->CheckLinksNetwork = &network;
            form->Systemctl = &systemctl;
            form->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        }
        return *form;
    }

    // Opens the check from the Options menu as the user does; its window, if one opened.
    FormCheckLinks* OpenFromMenu() {
        Wizard();
        QTest::mouseClick(Find<QPushButton>(*form, "optionsButton"), Qt::LeftButton);
        const QRect item = Find<QMenu>(*form, "optionsMenu")
                               ->actionGeometry(Find<QAction>(*form, "checkLinksAction"));
        QTest::mouseClick(Find<QMenu>(*form, "optionsMenu"), Qt::LeftButton, {}, item.center());
        // The links are read on a worker; the wizard takes input again once they are in.
        EXPECT_TRUE(QTest::qWaitFor([this] { return form->isEnabled(); }));
        return form->findChild<FormCheckLinks*>();
    }

    template <typename Widget> static Widget* Child(FormCheckLinks* dialog, const char* name) {
        auto* child = dialog->findChild<Widget*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    static bool WaitUntilDone(FormCheckLinks* dialog) {
        return QTest::qWaitFor(
            [dialog] { return Child<QPushButton>(dialog, "closeButton")->isVisible(); }, 20000);
    }

    static std::vector<std::string> Column(QTableWidget* table, int column) {
        std::vector<std::string> cells;
        cells.reserve(table->rowCount());
        for (int row = 0; row < table->rowCount(); ++row)
            cells.push_back(S(table->item(row, column)->text()));
        return cells;
    }

    TempTree tree;
    LoopbackServer server;
    LoopbackNetwork network;
    Globals globals;
    RecordingDesktop desktop;
    RecordingSystemctl systemctl;
    std::unique_ptr<FormMain> form;
};

TEST_F(CheckLinks, ShowsTheFindingsToSortOpenAndCopy) {
    Link("Fine.url", "/ok");
    Link("Gone.url", "/gone");
    Link("News/Again.url", "/ok");
    Link("News/Moved.url", "/moved");
    FormCheckLinks* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntilDone(dialog));

    auto* table = Child<QTableWidget>(dialog, "findingsTable");
    EXPECT_TRUE(table->isVisible());
    EXPECT_FALSE(Child<QProgressBar>(dialog, "progressBar")->isVisible());
    EXPECT_FALSE(Child<QPushButton>(dialog, "cancelButton")->isVisible());
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"失效", "已移动", "重复", "重复"}));
    EXPECT_EQ(Column(table, 1), (std::vector<std::string>{"404", "301", "共 2 处", "共 2 处"}));
    EXPECT_EQ(Column(table, 3), (std::vector<std::string>{"Gone", "Moved", "Fine", "Again"}));
    EXPECT_EQ(Column(table, 4), (std::vector<std::string>{"/", "/News", "/", "/News"}));
    EXPECT_EQ(Column(table, 5), (std::vector<std::string>{"", Url("/ok"), Url("/ok"), Url("/ok")}));
    EXPECT_EQ(S(Child<QLabel>(dialog, "status")->text()),
              "已检查 4 / 4 个链接：2 个正常，1 个失效，1 个已移动，0 个拒绝访问；1 个地址重复（共 "
              "2 处）；0 个未检查（其他协议）。");

    QHeaderView* header = table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(3) + 5, header->height() / 2));
    EXPECT_EQ(Column(table, 3), (std::vector<std::string>{"Again", "Fine", "Gone", "Moved"}));

    const QRect gone = table->visualRect(table->model()->index(2, 2));
    // A double click reaches the table as a click followed by the double click.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, gone.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, gone.center());
    EXPECT_EQ(desktop.events, std::vector<std::string>{"open:" + Url("/gone")});

    QTest::mouseClick(Child<QPushButton>(dialog, "copyButton"), Qt::LeftButton);
    const std::string copied = S(QGuiApplication::clipboard()->text());
    EXPECT_TRUE(copied.starts_with("类型\t状态\t地址\t名称\t文件夹\t新地址或共同地址\n")) << copied;
    EXPECT_NE(copied.find("失效\t404\t" + Url("/gone") + "\tGone\t/\t\n"), std::string::npos);

    // The wizard stays usable beside the window and after it.
    QTest::mouseClick(Find<QPushButton>(*form, "nextButton"), Qt::LeftButton);
    EXPECT_EQ(form->PageIndex(), 1);
    QTest::mouseClick(Child<QPushButton>(dialog, "closeButton"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->findChild<FormCheckLinks*>(), nullptr);
    QTest::mouseClick(Find<QPushButton>(*form, "backButton"), Qt::LeftButton);
    EXPECT_EQ(form->PageIndex(), 0);
}

TEST_F(CheckLinks, FetchesSiteIconsOnlyWhenAsked) {
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    server.Route("/favicon.ico", {"HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " +
                                  std::to_string(png.size()) + "\r\nConnection: close\r\n\r\n" +
                                  png.toStdString()});
    Link("Fine.url", "/ok");
    Link("Thrown away.url", "/ok");
    Link("Readdressed.url", "/ok");
    Link("Moved.url", "/moved");
    const std::string fine = tree.Read("Fav/Fine.url");
    FormCheckLinks* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntilDone(dialog));
    EXPECT_EQ(server.Requests("GET /favicon.ico"), 0) << "the check asks for no icon";
    // Between the check and the click the user throws one shortcut away and changes another.
    std::filesystem::remove(tree.Path("Fav/Thrown away.url"));
    tree.Shortcut("Fav/Readdressed.url", "https://elsewhere.example/");

    desktop.answer = false;
    desktop.events.clear();
    QTest::mouseClick(Child<QPushButton>(dialog, "fetchIconsButton"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [dialog] { return Child<QLabel>(dialog, "status")->text().startsWith("已为"); }, 20000));
    EXPECT_EQ(desktop.events, std::vector<std::string>{"ask:检查链接:快捷方式已经改动，页面还列着"
                                                       "原来的链接。现在重新生成页面吗？"})
        << "the page may be made again with the icons";
    const std::string status = S(Child<QLabel>(dialog, "status")->text());
    EXPECT_EQ(status.rfind("已为 2 个链接取得网站图标。2 个链接的图标没能保存：", 0), 0u) << status;
    EXPECT_NE(status.find("它在获取图标期间被改动或移走了。"), std::string::npos) << status;
    EXPECT_EQ(server.Requests("GET /favicon.ico"), 1);
    EXPECT_NE(tree.Read("Fav/Fine.url").find("IconFile=.linkshelf-icons/"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tree.Path("Fav/Thrown away.url")));
    EXPECT_EQ(tree.Read("Fav/Readdressed.url").find("IconFile="), std::string::npos);
    EXPECT_FALSE(Child<QPushButton>(dialog, "fetchIconsButton")->isVisible());

    QTest::mouseClick(Child<QPushButton>(dialog, "undoButton"), Qt::LeftButton);
    EXPECT_EQ(tree.Read("Fav/Fine.url"), fine) << "undo takes the icon back out, byte for byte";
    EXPECT_EQ(S(Child<QLabel>(dialog, "changeResult")->text()),
              "已撤销：2 个网站图标已去掉，0 个跳过。");

    // The window's own writes and undos are not taken for someone else's change.
    desktop.answer = true;
    QTest::mouseClick(Child<QPushButton>(dialog, "selectMovedButton"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "updateAddressButton"), Qt::LeftButton);
    EXPECT_EQ(tree.Read("Fav/Moved.url"), "[InternetShortcut]\r\nURL=" + Url("/ok") + "\r\n");
    EXPECT_EQ(S(Child<QLabel>(dialog, "changeResult")->text()),
              "1 个地址已更新，0 个文件已移到回收站，0 个跳过。");
}

// From the keyboard: Enter on a row opens it and leaves the window open; Tab leaves the table
// for the buttons instead of walking its cells.
TEST_F(CheckLinks, EnterOpensTheRowAndTabLeavesTheTable) {
    Link("Gone.url", "/gone");
    Link("Moved.url", "/moved");
    FormCheckLinks* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntilDone(dialog));
    auto* table = Child<QTableWidget>(dialog, "findingsTable");
    table->setFocus();
    table->setCurrentCell(1, 0);
    desktop.events.clear();
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(desktop.events, std::vector<std::string>{"open:" + Url("/moved")});
    EXPECT_TRUE(dialog->isVisible());
    QTest::keyClick(table, Qt::Key_Tab);
    EXPECT_FALSE(table->hasFocus());
    EXPECT_EQ(S(table->accessibleName()), "检查链接");
}

TEST_F(CheckLinks, CancelStopsTheCheckAndClosingDropsIt) {
    Link("Fine.url", "/ok");
    Link("Waiting.url", "/silent");
    FormCheckLinks* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Child<QProgressBar>(dialog, "progressBar")->isVisible());
    EXPECT_TRUE(Child<QPushButton>(dialog, "cancelButton")->isVisible());
    EXPECT_FALSE(Child<QPushButton>(dialog, "copyButton")->isVisible());
    EXPECT_FALSE(Child<QTableWidget>(dialog, "findingsTable")->isVisible());
    ASSERT_TRUE(QTest::qWaitFor(
        [dialog] { return Child<QProgressBar>(dialog, "progressBar")->value() == 1; }));
    // When nothing finishes for a few seconds, the window says which host it waits on.
    const std::string waiting =
        "正在检查链接... 1 / 2，正在等待 127.0.0.1:" + S(server.Url("").section(':', 2)) +
        " 应答...";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return S(Child<QLabel>(dialog, "status")->text()) == waiting; }, 6000))
        << S(Child<QLabel>(dialog, "status")->text());
    QTest::mouseClick(Child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
    ASSERT_TRUE(WaitUntilDone(dialog));
    EXPECT_TRUE(S(Child<QLabel>(dialog, "status")->text()).starts_with("已停止。已检查 1 / 2"));
    auto* table = Child<QTableWidget>(dialog, "findingsTable");
    EXPECT_EQ(Column(table, 0), std::vector<std::string>{"未检查"});
    EXPECT_EQ(Column(table, 2), std::vector<std::string>{Url("/silent")});
    QTest::keyClick(dialog, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(form->findChild<FormCheckLinks*>(), nullptr);

    dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    const QPointer<LinkChecker> checker = dialog->findChild<LinkChecker*>();
    ASSERT_FALSE(checker.isNull());
    QTest::keyClick(dialog, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(checker.isNull());
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(CheckLinks, ATreeWithoutLinksSaysSoInsteadOfAWindow) {
    tree.Folder("Fav/News");
    EXPECT_EQ(OpenFromMenu(), nullptr);
    ASSERT_EQ(desktop.events.size(), 1u);
    EXPECT_TRUE(desktop.events[0].starts_with("info:Linkshelf:Linkshelf在指定的文件夹内没有找到"))
        << desktop.events[0];
}

// Without a folder, or with one that is not there, the check refuses as Finish does: an empty
// field would otherwise be the folder the program was started from.
TEST_F(CheckLinks, RefusesAFolderItCannotCheck) {
    tree.Shortcut("started here/Here.url", Url("/gone"));
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(tree.Path("started here"));
    struct Row {
        const char* name;
        std::string folder;
        std::string message;
    };
    const Row rows[]{
        {"empty", " ", NoSourceFolderInWizardText()},
        {"missing", tree.Path("gone"), tree.Path("gone")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Settings settings = Wizard().CurrentSettings();
        settings.sourceFolder = row.folder;
        form->SetSettings(settings);
        desktop.events.clear();
        EXPECT_EQ(OpenFromMenu(), nullptr);
        ASSERT_EQ(desktop.events.size(), 2u);
        EXPECT_EQ(desktop.events[0], "beep");
        EXPECT_TRUE(desktop.events[1].starts_with("error:Linkshelf:")) << desktop.events[1];
        EXPECT_NE(desktop.events[1].find(row.message), std::string::npos) << desktop.events[1];
    }
    std::filesystem::current_path(started);
}

// Offline, nothing found is offered for a change or an icon fetch; the links can be asked again.
TEST_F(CheckLinks, OfflineOffersNothingToChange) {
    tree.Shortcut("Fav/Named.url", "https://far.invalid/");
    tree.Shortcut("Fav/Routed.url", "http://10.1.2.3/");
    FormCheckLinks* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntilDone(dialog));
    EXPECT_TRUE(
        S(Child<QLabel>(dialog, "status")->text()).ends_with("2 个链接未检查：网络似乎无法连接。"));
    for (const char* button : {"selectDeadButton", "selectMovedButton", "selectDuplicatesButton",
                               "updateAddressButton", "moveToTrashButton"})
        EXPECT_FALSE(Child<QPushButton>(dialog, button)->isEnabled()) << button;
    EXPECT_FALSE(Child<QPushButton>(dialog, "fetchIconsButton")->isVisible());
    EXPECT_TRUE(Child<QPushButton>(dialog, "recheckDeadButton")->isVisible());
}

// Once the check is done, one button asks again only the links found dead or blocked.
TEST_F(CheckLinks, RechecksOnlyTheLinksFoundDeadOrBlocked) {
    server.Route("HEAD /back", LoopbackServer::Status(404));
    server.RouteInTurn("GET /back", {LoopbackServer::Status(404), LoopbackServer::Status(200)});
    Link("Back.url", "/back");
    Link("Fine.url", "/ok");
    Link("Refused.url", "/403");
    server.Route("/403", LoopbackServer::Status(403));
    FormCheckLinks* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntilDone(dialog));
    auto* table = Child<QTableWidget>(dialog, "findingsTable");
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"失效", "拒绝访问"}));
    auto* recheck = Child<QPushButton>(dialog, "recheckDeadButton");
    ASSERT_NE(recheck, nullptr);
    ASSERT_TRUE(recheck->isVisible());
    EXPECT_EQ(S(recheck->text()), "只检查失效的链接(&R)");

    QTest::mouseClick(recheck, Qt::LeftButton);
    EXPECT_TRUE(Child<QProgressBar>(dialog, "progressBar")->isVisible());
    EXPECT_FALSE(table->isVisible());
    ASSERT_TRUE(WaitUntilDone(dialog));

    EXPECT_EQ(Column(table, 0), std::vector<std::string>{"拒绝访问"});
    EXPECT_EQ(server.Requests("HEAD /ok"), 1);
    EXPECT_EQ(server.Requests("GET /403"), 2);
    EXPECT_TRUE(S(Child<QLabel>(dialog, "status")->text()).ends_with("1 个结果取自先前的检查。"))
        << S(Child<QLabel>(dialog, "status")->text());
}

// Rows are chosen with the selection buttons and Ctrl+clicks, every change is asked about once,
// Undo puts the last batch back, and the page is built again: after a question, or at once
// while the refresh keeps it current.
TEST_F(CheckLinks, ChangesTheSelectedRowsAfterAskingAndUndoes) {
    Link("Gone.url", "/gone");
    Link("Moved.url", "/moved");
    Link("A/Copy.url", "/ok?copy");
    Link("B/Copy.url", "/ok?copy");
    const std::string gone = tree.Read("Fav/Gone.url");
    const std::string copy = tree.Read("Fav/B/Copy.url");
    FormCheckLinks* dialog = OpenFromMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntilDone(dialog));
    auto* table = Child<QTableWidget>(dialog, "findingsTable");
    ASSERT_EQ(Column(table, 3), (std::vector<std::string>{"Gone", "Moved", "Copy", "Copy"}));
    const auto click = [dialog](const char* button) {
        QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
    };
    const auto selectedRows = [table] {
        std::vector<int> rows;
        for (const QModelIndex& index : table->selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::ranges::sort(rows);
        return rows;
    };

    click("selectMovedButton");
    EXPECT_EQ(selectedRows(), std::vector<int>{1});
    desktop.answer = false;
    click("updateAddressButton");
    ASSERT_EQ(desktop.events.size(), 1u);
    EXPECT_TRUE(desktop.events[0].starts_with("ask:改动快捷方式:要做这些改动吗？\n把 1 "
                                              "个已移动的链接更新为新地址\n\nMoved\n"))
        << desktop.events[0];
    EXPECT_EQ(tree.Read("Fav/Moved.url"), "[InternetShortcut]\r\nURL=" + Url("/moved") + "\r\n");
    desktop.answer = true;
    click("updateAddressButton");
    EXPECT_EQ(tree.Read("Fav/Moved.url"), "[InternetShortcut]\r\nURL=" + Url("/ok") + "\r\n");
    EXPECT_FALSE(table->item(1, 0)->flags() & Qt::ItemIsEnabled);
    ASSERT_EQ(desktop.events.size(), 4u);
    EXPECT_EQ(desktop.events[2],
              "ask:检查链接:快捷方式已经改动，页面还列着原来的链接。现在重新生成页面吗？");
    EXPECT_TRUE(desktop.events[3].starts_with("info:Linkshelf:")) << desktop.events[3];
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "4");

    click("selectDeadButton");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      table->visualRect(table->model()->index(3, 3)).center());
    EXPECT_EQ(selectedRows(), (std::vector<int>{0, 3}));
    click("moveToTrashButton");
    EXPECT_NE(desktop.events.end()[-3].find("把 1 个失效的链接移到回收站\n把 1 "
                                            "个多余的重复链接移到回收站\n\nGone\nCopy\n"),
              std::string::npos)
        << desktop.events.end()[-3];
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "2");
    EXPECT_FALSE(FileExists(tree.Path("Fav/Gone.url")));
    EXPECT_FALSE(FileExists(tree.Path("Fav/B/Copy.url")));
    EXPECT_TRUE(FileExists(tree.Path("data/Trash/info/Copy.url.trashinfo")));
    EXPECT_EQ(S(Child<QLabel>(dialog, "changeResult")->text()),
              "0 个地址已更新，2 个文件已移到回收站，0 个跳过。");

    systemctl.timerEnabled = true;
    const std::size_t asked = desktop.events.size();
    click("undoButton");
    ASSERT_EQ(desktop.events.size(), asked + 1);
    EXPECT_TRUE(desktop.events.back().starts_with("info:Linkshelf:")) << desktop.events.back();
    EXPECT_EQ(tree.Read("Desktop/Linkpage.htm"), "4");
    EXPECT_EQ(tree.Read("Fav/Gone.url"), gone);
    EXPECT_EQ(tree.Read("Fav/B/Copy.url"), copy);
    EXPECT_EQ(S(Child<QLabel>(dialog, "changeResult")->text()),
              "已撤销：0 个地址已改回，2 个文件已从回收站还原，0 个跳过。");
    EXPECT_TRUE(table->item(0, 0)->flags() & Qt::ItemIsEnabled);
    // The page was built from the folder on screen, which the settings file now names too.
    EXPECT_NE(tree.Read("program/Linkshelf.lfs").find("SourceFolder=" + tree.Path("Fav/")),
              std::string::npos);

    // Each Undo takes back the batch before: now the address update.
    click("undoButton");
    EXPECT_EQ(tree.Read("Fav/Moved.url"), "[InternetShortcut]\r\nURL=" + Url("/moved") + "\r\n");
    EXPECT_FALSE(Child<QPushButton>(dialog, "undoButton")->isEnabled());
}

} // namespace
