// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/LinkLabel.h"

#include "RecordingDesktop.h"

#include <QAccessible>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A link label shown in a window with room around it, its clicks logged with the openings.
struct ShownLabel {
    ShownLabel() {
        window.resize(300, 100);
        label.setGeometry(10, 40, 200, 20);
        QObject::connect(&label, &LinkLabel::clicked,
                         [this] { desktop.events.push_back("click"); });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    RecordingDesktop desktop;
    QWidget window;
    LinkLabel label{&window};
};

} // namespace

TEST(LinkLabel, LooksLikeALink) {
    LinkLabel label;
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(label.font().bold());
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.FontColor(), QColor(0, 0, 255));
    EXPECT_EQ(label.ActiveColor(), QColor(128, 0, 128));
    EXPECT_TRUE(label.alignment().testFlag(Qt::AlignVCenter));
}

TEST(LinkLabel, ClickRaisesTheClickThenOpensTheTrimmedAddress) {
    struct Case {
        std::string url;
        std::string caption;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"https://linkshelf.org/", "Home", {"click", "open:https://linkshelf.org/"}},
        {" \thttps://a.example/ \n", "Home", {"click", "open:https://a.example/"}},
        {"   ", "  https://caption.example/ ", {"click", "open:https://caption.example/"}},
        {"", "", {"click"}},
    };
    for (const Case& c : cases) {
        ShownLabel shown;
        shown.label.SetCaption(c.caption);
        shown.label.SetURL(c.url);
        QTest::mouseClick(&shown.label, Qt::LeftButton);
        EXPECT_EQ(shown.desktop.events, c.expected) << "URL '" << c.url << "'";
    }
}

TEST(LinkLabel, ReleaseOutsideOrRightClickOpensNothing) {
    ShownLabel shown;
    shown.label.SetURL("https://linkshelf.org/");
    QTest::mousePress(&shown.label, Qt::LeftButton);
    QTest::mouseRelease(&shown.label, Qt::LeftButton, {}, QPoint(-20, -20));
    QTest::mouseClick(&shown.label, Qt::RightButton);
    EXPECT_TRUE(shown.desktop.events.empty());
}

TEST(LinkLabel, HoverColourComesAndGoes) {
    for (const QColor& active : {QColor(0, 0, 255), QColor(128, 0, 128), QColor(10, 36, 106)}) {
        ShownLabel shown;
        shown.label.SetFontColor(QColor(10, 36, 106));
        shown.label.SetActiveColor(active);
        // The pointer may rest where an earlier window left it; a move there reports nothing.
        QTest::mouseMove(&shown.window, QPoint(250, 10));
        QTest::mouseMove(&shown.window, shown.label.geometry().center());
        EXPECT_EQ(shown.label.FontColor(), active);
        QTest::mouseMove(&shown.window, QPoint(250, 90));
        EXPECT_EQ(shown.label.FontColor(), QColor(10, 36, 106)) << active.name().toStdString();
    }
}

TEST(LinkLabel, SettingTheAddressRetitlesOnlyAnUntitledLabel) {
    struct Case {
        std::string caption;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"homePageLink", "https://linkshelf.org/"},
        {"urllabel1", "urllabel1"},
        {"Our home page", "Our home page"},
    };
    for (const Case& c : cases) {
        LinkLabel label;
        label.setObjectName("homePageLink");
        label.SetCaption(c.caption);
        label.SetURL("https://linkshelf.org/");
        EXPECT_EQ(label.Caption(), c.expected);
        EXPECT_EQ(label.URL(), "https://linkshelf.org/");
    }
    LinkLabel label;
    label.setObjectName("homePageLink");
    label.SetCaption("homePageLink");
    label.SetURL("https://first.example/");
    label.SetURL("https://second.example/");
    EXPECT_EQ(label.Caption(), "https://first.example/");
}

// Tab brings the focus to the link, and Space or Enter opens it as a click does; a screen reader
// finds a link named after its caption that can be pressed.
TEST(LinkLabel, OpensFromTheKeyboardAndTellsAScreenReaderItIsALink) {
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        ShownLabel shown;
        shown.label.SetCaption("Home");
        shown.label.SetURL("https://linkshelf.org/");
        auto* before = new QWidget(&shown.window);
        before->setFocusPolicy(Qt::TabFocus);
        QWidget::setTabOrder(before, &shown.label);
        before->show();
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(shown.label.hasFocus()) << key;
        QTest::keyClick(&shown.label, key);
        EXPECT_EQ(shown.desktop.events,
                  (std::vector<std::string>{"click", "open:https://linkshelf.org/"}))
            << key;
    }
    LinkLabel label;
    label.SetCaption("Home");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Link);
    EXPECT_EQ(face->text(QAccessible::Name).toStdString(), "Home");
    ASSERT_NE(face->actionInterface(), nullptr);
    EXPECT_TRUE(
        face->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
}
