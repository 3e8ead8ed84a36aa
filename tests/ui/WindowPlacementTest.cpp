// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/WindowPlacement.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

// A dialog that closes itself with result 7 as soon as it runs.
class SelfClosingDialog : public QDialog {
public:
    explicit SelfClosingDialog(QWidget* owner) : QDialog(owner) {
        resize(301, 151);
        QTimer::singleShot(0, this, [this] { done(7); });
    }
};

// A plain window, not a dialog, that closes itself shortly after it is shown.
class SelfClosingWindow : public QWidget {
public:
    explicit SelfClosingWindow(QWidget* owner) : QWidget(owner) {
        resize(120, 80);
        QTimer::singleShot(0, this, [this] { close(); });
    }
};

// Sees the cursor that shows while it is being made.
class CursorWitness : public QWidget {
public:
    explicit CursorWitness(QWidget* owner) : QWidget(owner) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        seen = cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
    }
    static inline Qt::CursorShape seen = Qt::ArrowCursor;
};

class FailingForm : public QWidget {
public:
    explicit FailingForm(QWidget*) { throw std::runtime_error("no form"); }
};

QPoint Centre(const QRect& rect) {
    return {rect.left() + rect.width() / 2, rect.top() + rect.height() / 2};
}

} // namespace

// Truncating division, and no keeping on the screen.
TEST(WindowPlacement, CenterOnFormUsesTheOwnersMiddle) {
    struct Case {
        QRect owner;
        QSize form;
        QPoint expected;
    };
    const std::vector<Case> cases{
        {{100, 50, 400, 300}, {301, 201}, {150, 100}},
        {{-300, -200, 100, 60}, {400, 300}, {-300 + 50 - 200, -200 + 30 - 150}},
    };
    for (const Case& c : cases) {
        QWidget owner;
        owner.setGeometry(c.owner);
        QWidget form;
        form.resize(c.form);
        CenterOnForm(&form, &owner);
        EXPECT_EQ(form.geometry(), QRect(c.expected, c.form));
    }
}

TEST(WindowPlacement, MissingFormOrOwnerChangesNothing) {
    QWidget form;
    form.setGeometry(33, 44, 120, 80);
    CenterOnForm(&form, nullptr);
    EXPECT_EQ(form.geometry().topLeft(), QPoint(33, 44));
    CenterOnScreen(nullptr);
}

TEST(WindowPlacement, CenterOnScreenUsesTheWholePrimaryScreen) {
    QWidget form;
    form.resize(301, 201);
    CenterOnScreen(&form);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.geometry().topLeft(), QPoint(screen.left() + screen.width() / 2 - 150,
                                                screen.top() + screen.height() / 2 - 100));
}

TEST(WindowPlacement, ShowFormFollowsItsOptions) {
    struct Case {
        const char* name = "";
        ShowFormOptions options;
        bool visible = false;
        bool overOwner = false;
    };
    const Case cases[]{
        {"centre over owner, left hidden", ShowFormOption::CenterOwner, false, true},
        {"shown modelessly", ShowFormOption::CenterOwner | ShowFormOption::Show, true, true},
        {"owner centring wins", ShowFormOption::CenterScreen | ShowFormOption::CenterOwner, false,
         true},
        {"screen only", ShowFormOption::CenterScreen, false, false},
    };
    for (const Case& c : cases) {
        QWidget owner;
        owner.setGeometry(40, 30, 433, 299);
        QPointer<QWidget> form;
        EXPECT_EQ(ShowForm(form, &owner, c.options, false), 0) << c.name;
        ASSERT_FALSE(form.isNull()) << c.name;
        EXPECT_TRUE(form->isWindow()) << c.name;
        EXPECT_EQ(form->isVisible(), c.visible) << c.name;
        const QPoint expected = c.overOwner ? Centre(owner.geometry())
                                            : Centre(QGuiApplication::primaryScreen()->geometry());
        EXPECT_LE((Centre(form->geometry()) - expected).manhattanLength(), 1) << c.name;
    }
}

TEST(WindowPlacement, ShowFormMakesANewFormEachTime) {
    QWidget owner;
    QPointer<QWidget> form;
    ShowForm(form, &owner, ShowFormOption::CenterOwner, false);
    QWidget* first = form;
    ShowForm(form, &owner, ShowFormOption::CenterOwner, false);
    EXPECT_NE(form.data(), first);
    EXPECT_EQ(first->parent(), &owner);
}

TEST(WindowPlacement, ModalDialogGivesItsResultCentredOverTheOwner) {
    QWidget owner;
    owner.setGeometry(60, 40, 433, 299);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QPointer<SelfClosingDialog> dialog;
    EXPECT_EQ(
        ShowForm(dialog, &owner, ShowFormOption::CenterOwner | ShowFormOption::ShowModal, false),
        7);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(dialog->isVisible());
    const QPoint offset = Centre(dialog->geometry()) - Centre(owner.geometry());
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
}

TEST(WindowPlacement, ModalWindowThatIsNoDialogReturnsZeroWhenClosed) {
    QWidget owner;
    QPointer<SelfClosingWindow> window;
    EXPECT_EQ(ShowForm(window, &owner, ShowFormOption::ShowModal, false), 0);
    ASSERT_FALSE(window.isNull());
    EXPECT_FALSE(window->isVisible());
}

TEST(WindowPlacement, BusyCursorShowsWhileTheFormIsMadeAndIsAlwaysRestored) {
    QWidget owner;
    QPointer<CursorWitness> witness;
    ShowForm(witness, &owner, ShowFormOption::CenterOwner, true);
    EXPECT_EQ(CursorWitness::seen, Qt::BusyCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    ShowForm(witness, &owner, ShowFormOption::CenterOwner, false);
    EXPECT_EQ(CursorWitness::seen, Qt::ArrowCursor);

    QPointer<FailingForm> failing;
    EXPECT_THROW(ShowForm(failing, &owner, ShowFormOption::CenterOwner, true), std::runtime_error);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
