// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/BrowseLineEdit.h"

#include <QDialog>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// A shown field of the wizard's size whose events are logged by name.
struct LoggedField {
    LoggedField() {
        field.resize(267, 21);
        field.SetText("/home/user/Favorites");
        QObject::connect(&field, &BrowseLineEdit::buttonClicked,
                         [this] { log.push_back("button"); });
        QObject::connect(&field, &BrowseLineEdit::clicked, [this] { log.push_back("click"); });
        field.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&field));
    }

    QPoint At(int x) const { return {x, field.height() / 2}; }

    BrowseLineEdit field;
    std::vector<std::string> log;
};

} // namespace

TEST(BrowseLineEdit, ClickColumnsDecideBetweenButtonAndOrdinaryClick) {
    struct Case {
        int offset; // from the leftmost column of the drawn button
        std::string expected;
    };
    for (const Case& c : {Case{-5, "click"}, Case{-1, "click"}, Case{0, "click"}, Case{1, "button"},
                          Case{8, "button"}}) {
        LoggedField f;
        const int x = f.field.ButtonRect().left() + c.offset;
        QTest::mouseClick(&f.field, Qt::LeftButton, {}, f.At(x));
        EXPECT_EQ(f.log, std::vector<std::string>{c.expected}) << "offset " << c.offset;
        EXPECT_FALSE(f.field.ButtonPressed());
    }
    LoggedField f;
    QTest::mouseClick(&f.field, Qt::LeftButton, {}, f.At(f.field.ButtonRect().right()));
    EXPECT_EQ(f.log, std::vector<std::string>{"button"}) << "rightmost column";
}

TEST(BrowseLineEdit, PressOnButtonThenReleaseElsewhere) {
    struct Case {
        const char* name;
        QPoint release;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"dragged off the field", {400, 50}, {}},
        {"released over the text", {20, 10}, {"click"}},
    };
    for (const Case& c : cases) {
        LoggedField f;
        const QPoint button = f.field.ButtonRect().center();
        QTest::mousePress(&f.field, Qt::LeftButton, {}, button);
        EXPECT_TRUE(f.field.ButtonPressed()) << c.name;
        QTest::mouseMove(&f.field, c.release);
        QTest::mouseRelease(&f.field, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(f.log, c.expected) << c.name;
        EXPECT_FALSE(f.field.ButtonPressed()) << c.name;
    }
}

TEST(BrowseLineEdit, PressOverTextThenReleaseOnButtonIsOrdinaryClick) {
    LoggedField f;
    QTest::mousePress(&f.field, Qt::LeftButton, {}, f.At(20));
    QTest::mouseRelease(&f.field, Qt::LeftButton, {}, f.field.ButtonRect().center());
    EXPECT_EQ(f.log, std::vector<std::string>{"click"});
}

TEST(BrowseLineEdit, ButtonIsUpBeforeItsHandlerRuns) {
    LoggedField f;
    bool pressedDuringHandler = true;
    QObject::connect(&f.field, &BrowseLineEdit::buttonClicked,
                     [&] { pressedDuringHandler = f.field.ButtonPressed(); });
    QTest::mouseClick(&f.field, Qt::LeftButton, {}, f.field.ButtonRect().center());
    EXPECT_FALSE(pressedDuringHandler);
}

TEST(BrowseLineEdit, DoubleClickPressesTheButtonTwiceButSelectsAWordOfText) {
    struct Case {
        const char* name;
        bool onButton;
        std::vector<std::string> expected;
        bool wordSelected;
    };
    const std::vector<Case> cases{
        {"on the button", true, {"button", "button"}, false},
        {"over the text", false, {"click", "click"}, true},
    };
    for (const Case& c : cases) {
        LoggedField f;
        const QPoint at = c.onButton ? f.field.ButtonRect().center() : f.At(20);
        QTest::mouseClick(&f.field, Qt::LeftButton, {}, at);
        QTest::mouseDClick(&f.field, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&f.field, Qt::LeftButton, {}, at);
        EXPECT_EQ(f.log, c.expected) << c.name;
        EXPECT_EQ(f.field.hasSelectedText(), c.wordSelected) << c.name;
    }
}

TEST(BrowseLineEdit, EnterClicksTheButtonUnlessTheDefaultButtonTakesIt) {
    struct Case {
        const char* name;
        bool defaultButton;
        bool defaultEnabled;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases{
        {"plain field", false, false, {"button"}},
        {"default button takes it", true, true, {"default"}},
        {"disabled default button", true, false, {"button"}},
    };
    for (const Case& c : cases) {
        QDialog form;
        auto* field = new BrowseLineEdit(&form);
        auto* button = new QPushButton("OK", &form);
        auto* column = new QVBoxLayout(&form);
        column->addWidget(field);
        column->addWidget(button);
        button->setVisible(c.defaultButton);
        button->setDefault(c.defaultButton);
        button->setEnabled(c.defaultEnabled);
        std::vector<std::string> log;
        QObject::connect(field, &BrowseLineEdit::buttonClicked,
                         [&log] { log.push_back("button"); });
        QObject::connect(button, &QPushButton::clicked, [&log] { log.push_back("default"); });
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(log, c.expected) << c.name;
    }
}

TEST(BrowseLineEdit, OtherKeysStillEditTheText) {
    LoggedField f;
    f.field.clear();
    QTest::keyClicks(&f.field, "abc");
    EXPECT_EQ(f.field.Text(), "abc");
    EXPECT_TRUE(f.log.empty());
}

TEST(BrowseLineEdit, TextStopsShortOfTheButton) {
    LoggedField f;
    const int scrollBarWidth = f.field.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    EXPECT_EQ(f.field.ButtonWidth(), scrollBarWidth);
    EXPECT_EQ(f.field.ButtonRect().width(), scrollBarWidth);
    EXPECT_EQ(f.field.textMargins().right(), scrollBarWidth);
}

TEST(BrowseLineEdit, ArrowCursorOnlyOverTheButton) {
    LoggedField f;
    // The pointer may rest where an earlier window left it; a move there reports nothing.
    QTest::mouseMove(&f.field, f.At(10));
    QTest::mouseMove(&f.field, f.At(f.field.ButtonRect().left() + 1));
    EXPECT_EQ(f.field.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&f.field, f.At(20));
    EXPECT_EQ(f.field.cursor().shape(), Qt::IBeamCursor);
}

// The three dots sit at fixed offsets from the strip, move one pixel down and right while the
// button is pressed, and turn grey when the field is disabled.
TEST(BrowseLineEdit, DotsShowPressedAndDisabledStates) {
    struct Case {
        bool pressed;
        bool enabled;
    };
    for (const Case& c : {Case{false, true}, Case{true, true}, Case{false, false}}) {
        LoggedField f;
        f.field.setEnabled(c.enabled);
        if (c.pressed)
            QTest::mousePress(&f.field, Qt::LeftButton, {}, f.field.ButtonRect().center());
        const QRect strip = f.field.ButtonRect();
        const int width = f.field.ButtonWidth();
        const int shift = c.pressed ? 1 : 0;
        const int left = strip.left() + width - width / 2 - 5 + shift;
        const int top = strip.bottom() + 1 - 6 + shift;
        const QColor ink = c.enabled ? f.field.palette().color(QPalette::ButtonText)
                                     : f.field.palette().color(QPalette::Disabled, QPalette::Text);
        const QImage image = f.field.grab().toImage();
        for (int dot = 0; dot < 3; ++dot) {
            for (const QPoint corner : {QPoint(0, 0), QPoint(1, 1)})
                EXPECT_EQ(image.pixelColor(QPoint(left + 4 * dot, top) + corner), ink)
                    << "dot " << dot << " pressed " << c.pressed << " enabled " << c.enabled;
            EXPECT_NE(image.pixelColor(left + 4 * dot + 2, top), ink) << "gap after dot " << dot;
        }
        if (c.pressed) {
            EXPECT_NE(image.pixelColor(left - 1, top - 1), ink) << "dots left their rest place";
            QTest::mouseRelease(&f.field, Qt::LeftButton, {}, strip.center());
        }
    }
}
