// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingDesktop.h"
#include "controls/ReorderableList.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
using Log = std::vector<std::string>;

// Counts the paintings of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    int count = 0;
};

// A list that asks its owner before each delete, as a list that keeps some items would.
class QueryingList : public ReorderableList {
public:
    std::function<bool(int index)> allowDelete;

protected:
    bool AllowDelete(int index) override { return allowDelete(index); }
};

// A shown list whose events are logged, in order, together with the beeps.
struct LoggedList {
    explicit LoggedList(const Texts& texts, bool multiSelect = false) {
        list.resize(200, 178);
        list.SetMultiSelect(multiSelect);
        list.SetItems(texts);
        list.allowDelete = [this](int index) {
            Events().push_back("query " + std::to_string(index));
            return std::find(refused.begin(), refused.end(), index) == refused.end();
        };
        QObject::connect(&list, &EditableList::itemDeleted, [this](int index) {
            Events().push_back("delete " + std::to_string(index));
        });
        QObject::connect(&list, &EditableList::deleteFinished,
                         [this] { Events().push_back("after delete"); });
        QObject::connect(&list, &EditableList::itemMoved, [this](int from, int to) {
            Events().push_back("reorder " + std::to_string(from) + " " + std::to_string(to));
        });
        list.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&list));
        list.setFocus();
    }

    Log& Events() { return desktop.events; }
    QPoint RowCentre(int index) const { return list.visualItemRect(list.item(index)).center(); }
    QPoint BelowLastRow() const {
        return list.visualItemRect(list.item(list.Count() - 1)).bottomLeft() + QPoint(20, 30);
    }
    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int index = 0; index < list.Count(); ++index)
            if (list.Selected(index))
                rows.push_back(index);
        return rows;
    }

    RecordingDesktop desktop;
    QueryingList list;
    std::vector<int> refused;
};

const Texts Four{"0", "1", "2", "3"};
const Texts Five{"0", "1", "2", "3", "4"};

std::vector<QPoint> ChangedPixels(const QImage& before, const QImage& after) {
    std::vector<QPoint> changed;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                changed.emplace_back(x, y);
    return changed;
}

bool OnBorder(const QRect& rect, QPoint pixel) {
    return rect.contains(pixel) && !rect.adjusted(1, 1, -1, -1).contains(pixel);
}

Qt::CursorShape OverrideShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr ? cursor->shape() : Qt::BitmapCursor;
}

} // namespace

TEST(EditableList, StartsHandlingOnlyTheDeleteKey) {
    EditableList list;
    EXPECT_EQ(list.Options(), ListOption::HandleDeleteKey);
    EXPECT_FALSE(list.MultiSelect());
}

TEST(EditableList, KeysInSingleSelectMode) {
    struct Case {
        const char* name;
        ListOptions options;
        Texts items;
        int current;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        Texts expectedItems;
        int expectedCurrent;
        Log expectedLog;
    };
    const ListOptions both = ListOption::HandleDeleteKey | ListOption::HandleArrowKeys;
    const std::vector<Case> cases{
        {"Ctrl+Up moves up",
         both,
         Four,
         2,
         Qt::Key_Up,
         Qt::ControlModifier,
         {"0", "2", "1", "3"},
         1,
         {"reorder 2 1"}},
        {"Ctrl+Shift+Down moves down",
         both,
         Four,
         1,
         Qt::Key_Down,
         Qt::ControlModifier | Qt::ShiftModifier,
         {"0", "2", "1", "3"},
         2,
         {"reorder 1 2"}},
        {"Ctrl+Up on the first item",
         both,
         Four,
         0,
         Qt::Key_Up,
         Qt::ControlModifier,
         Four,
         0,
         {"beep"}},
        {"Ctrl+Down on the last item",
         both,
         Four,
         3,
         Qt::Key_Down,
         Qt::ControlModifier,
         Four,
         3,
         {"beep"}},
        {"Ctrl+Down with no current item",
         both,
         Four,
         -1,
         Qt::Key_Down,
         Qt::ControlModifier,
         Four,
         -1,
         {"beep"}},
        {"Ctrl+Down on an empty list",
         both,
         {},
         -1,
         Qt::Key_Down,
         Qt::ControlModifier,
         {},
         -1,
         {"beep"}},
        {"Ctrl+Up without arrow handling moves the cursor",
         ListOption::HandleDeleteKey,
         Four,
         2,
         Qt::Key_Up,
         Qt::ControlModifier,
         Four,
         1,
         {}},
        {"plain Up moves the cursor", both, Four, 2, Qt::Key_Up, Qt::NoModifier, Four, 1, {}},
        {"Delete removes the current item",
         ListOption::HandleDeleteKey,
         Four,
         1,
         Qt::Key_Delete,
         Qt::NoModifier,
         {"0", "2", "3"},
         1,
         {"query 1", "delete 1", "after delete"}},
        {"Delete with nothing current",
         ListOption::HandleDeleteKey,
         Four,
         -1,
         Qt::Key_Delete,
         Qt::NoModifier,
         Four,
         -1,
         {"beep"}},
        {"Delete not handled",
         ListOption::HandleArrowKeys,
         Four,
         1,
         Qt::Key_Delete,
         Qt::NoModifier,
         Four,
         1,
         {"beep"}},
    };
    for (const Case& c : cases) {
        LoggedList l(c.items);
        l.list.SetOptions(c.options);
        l.list.SetItemIndex(c.current);
        QTest::keyClick(&l.list, c.key, c.modifiers);
        EXPECT_EQ(l.list.Items(), c.expectedItems) << c.name;
        EXPECT_EQ(l.list.ItemIndex(), c.expectedCurrent) << c.name;
        EXPECT_EQ(l.Events(), c.expectedLog) << c.name;
    }
}

TEST(EditableList, DeletingInSingleSelectModeKeepsACurrentItem) {
    struct Case {
        const char* name;
        Texts items;
        int current;
        std::vector<int> refused;
        Texts expectedItems;
        int expectedCurrent;
        Log expectedLog;
    };
    const std::vector<Case> cases{
        {"last of three",
         {"a", "b", "c"},
         2,
         {},
         {"a", "b"},
         1,
         {"query 2", "delete 2", "after delete"}},
        {"the only item", {"a"}, 0, {}, {}, -1, {"query 0", "delete 0", "after delete"}},
        {"refused by the owner", {"a", "b", "c"}, 1, {1}, {"a", "b", "c"}, 1, {"query 1"}},
    };
    for (const Case& c : cases) {
        LoggedList l(c.items);
        l.refused = c.refused;
        l.list.SetItemIndex(c.current);
        l.list.DeleteSelectedItems();
        EXPECT_EQ(l.list.Items(), c.expectedItems) << c.name;
        EXPECT_EQ(l.list.ItemIndex(), c.expectedCurrent) << c.name;
        EXPECT_EQ(l.Events(), c.expectedLog) << c.name;
    }
}

TEST(EditableList, DeletingInMultiSelectModeWalksFromTheEnd) {
    struct Case {
        const char* name;
        std::vector<int> refused;
        Texts expectedItems;
        std::vector<int> expectedSelected;
        Log expectedLog;
    };
    const std::vector<Case> cases{
        {"both allowed",
         {},
         {"0", "2", "4"},
         {1},
         {"query 3", "delete 3", "query 1", "delete 1", "after delete"}},
        {"one refused",
         {3},
         {"0", "2", "3", "4"},
         {1, 2},
         {"query 3", "query 1", "delete 1", "after delete"}},
        {"both refused", {1, 3}, Five, {1, 3}, {"query 3", "query 1"}},
    };
    for (const Case& c : cases) {
        LoggedList l(Five, true);
        l.refused = c.refused;
        l.list.SetSelected(1, true);
        l.list.SetSelected(3, true);
        l.list.DeleteSelectedItems();
        EXPECT_EQ(l.list.Items(), c.expectedItems) << c.name;
        EXPECT_EQ(l.SelectedRows(), c.expectedSelected) << c.name;
        EXPECT_EQ(l.Events(), c.expectedLog) << c.name;
    }
    LoggedList none(Five, true);
    none.list.DeleteSelectedItems();
    EXPECT_EQ(none.Events(), Log{"beep"});
}

TEST(EditableList, MovingInMultiSelectModeMovesBlocks) {
    struct Case {
        const char* name;
        std::vector<int> selected;
        Qt::Key key;
        Texts expectedItems;
        std::vector<int> expectedSelected;
        Log expectedLog;
    };
    const std::vector<Case> cases{
        {"block up", {1, 2}, Qt::Key_Up, {"1", "2", "0", "3", "4"}, {0, 1}, {"reorder 1 0"}},
        {"two apart down",
         {1, 3},
         Qt::Key_Down,
         {"0", "2", "1", "4", "3"},
         {2, 4},
         {"reorder 3 4"}},
        {"first item selected", {0, 2}, Qt::Key_Up, Five, {0, 2}, {"beep"}},
        {"last item selected", {2, 4}, Qt::Key_Down, Five, {2, 4}, {"beep"}},
        {"nothing selected", {}, Qt::Key_Up, Five, {}, {}},
    };
    for (const Case& c : cases) {
        LoggedList l(Five, true);
        l.list.SetOptions(ListOption::HandleArrowKeys);
        for (const int index : c.selected)
            l.list.SetSelected(index, true);
        QTest::keyClick(&l.list, c.key, Qt::ControlModifier);
        EXPECT_EQ(l.list.Items(), c.expectedItems) << c.name;
        EXPECT_EQ(l.SelectedRows(), c.expectedSelected) << c.name;
        EXPECT_EQ(l.Events(), c.expectedLog) << c.name;
    }
}

TEST(EditableList, ObjectsTravelWithTheirItemsAndDieWithThem) {
    LoggedList l({"a", "b", "c"});
    l.list.SetOptions(ListOption::HandleDeleteKey | ListOption::HandleArrowKeys);
    QPointer<QObject> kept = new QObject;
    QPointer<QObject> doomed = new QObject;
    l.list.SetItemObject(0, std::unique_ptr<QObject>(kept.data()));
    l.list.SetItemObject(2, std::unique_ptr<QObject>(doomed.data()));
    l.list.SetItemIndex(0);
    QTest::keyClick(&l.list, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(l.list.ItemObject(1), kept.data());
    EXPECT_EQ(l.list.ItemObject(0), nullptr);
    l.list.SetItemIndex(2);
    QTest::keyClick(&l.list, Qt::Key_Delete);
    EXPECT_TRUE(doomed.isNull());
    EXPECT_FALSE(kept.isNull());
}

TEST(EditableList, AddUniqueItemIgnoresLetterCase) {
    struct Case {
        const char* text;
        bool sorted;
        bool added;
        Texts expected;
    };
    const std::vector<Case> cases{
        {"NEWS", false, false, {"Links", "News"}},
        {"Archive", false, true, {"Links", "News", "Archive"}},
        {"archive", true, true, {"archive", "Links", "News"}},
        {"Music", true, true, {"Links", "Music", "News"}},
    };
    for (const Case& c : cases) {
        EditableList list;
        list.SetItems({"Links", "News"});
        list.SetSorted(c.sorted);
        EXPECT_EQ(list.AddUniqueItem(c.text), c.added) << c.text;
        EXPECT_EQ(list.Items(), c.expected) << c.text;
    }
}

TEST(EditableList, RightClickMakesTheItemUnderThePointerCurrent) {
    LoggedList l(Four);
    l.list.SetItemIndex(0);
    QTest::mouseClick(l.list.viewport(), Qt::RightButton, {}, l.RowCentre(2));
    EXPECT_EQ(l.list.ItemIndex(), 2);
    QTest::mouseClick(l.list.viewport(), Qt::RightButton, {}, l.BelowLastRow());
    EXPECT_EQ(l.list.ItemIndex(), -1);
}

TEST(EditableList, AWholeDeleteIsPaintedOnce) {
    LoggedList l(Five, true);
    for (const int index : {0, 2, 4})
        l.list.SetSelected(index, true);
    QApplication::processEvents();
    PaintCounter paints(l.list.viewport());
    l.list.DeleteSelectedItems();
    QApplication::processEvents();
    EXPECT_EQ(l.list.Items(), (Texts{"1", "3"}));
    EXPECT_EQ(paints.count, 1);
}

TEST(ReorderableList, DraggingAnItemMovesIt) {
    struct Case {
        const char* name;
        int from;
        int onto; // -1: below the last item
        Texts expectedItems;
        Log expectedLog;
    };
    const std::vector<Case> cases{
        {"down onto an item", 0, 2, {"1", "2", "0", "3"}, {"reorder 0 2"}},
        {"below the last item", 0, -1, {"1", "2", "3", "0"}, {"reorder 0 3"}},
        {"up onto an item", 3, 1, {"0", "3", "1", "2"}, {"reorder 3 1"}},
        {"onto itself", 1, 1, Four, {}},
    };
    for (const Case& c : cases) {
        LoggedList l(Four);
        const QPoint start = l.RowCentre(c.from);
        const QPoint target = c.onto < 0 ? l.BelowLastRow() : l.RowCentre(c.onto);
        QTest::mousePress(l.list.viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(l.list.viewport(), start + QPoint(0, 30));
        QTest::mouseMove(l.list.viewport(), target);
        const Qt::CursorShape expectedCursor =
            c.onto == c.from ? Qt::ForbiddenCursor : Qt::DragMoveCursor;
        EXPECT_EQ(OverrideShape(), expectedCursor) << c.name;
        QTest::mouseRelease(l.list.viewport(), Qt::LeftButton, {}, target);
        EXPECT_EQ(l.list.Items(), c.expectedItems) << c.name;
        EXPECT_EQ(l.Events(), c.expectedLog) << c.name;
        const int expectedCurrent = c.onto < 0 ? 3 : c.onto;
        EXPECT_EQ(l.list.ItemIndex(), expectedCurrent) << c.name;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.name;
    }
}

TEST(ReorderableList, ShortMovesAndEscapeDoNotReorder) {
    struct Case {
        const char* name;
        int distance;
        bool escape;
        int expectedCurrent;
    };
    const std::vector<Case> cases{
        {"moved less than the drag distance", QApplication::startDragDistance() - 1, false, 0},
        {"cancelled with Escape", 200, true, 0},
    };
    for (const Case& c : cases) {
        LoggedList l(Four);
        const QPoint start = l.RowCentre(0);
        QTest::mousePress(l.list.viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(l.list.viewport(), start + QPoint(0, c.distance));
        if (c.escape)
            QTest::keyClick(&l.list, Qt::Key_Escape);
        QTest::mouseRelease(l.list.viewport(), Qt::LeftButton, {}, start + QPoint(0, c.distance));
        EXPECT_EQ(l.list.Items(), Four) << c.name;
        EXPECT_TRUE(l.Events().empty()) << c.name;
        EXPECT_EQ(l.list.ItemIndex(), c.expectedCurrent) << c.name;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.name;
    }
}

// Pressing on the empty space below the items leaves nothing to drag.
TEST(ReorderableList, DragWithoutCurrentItemMovesNothing) {
    LoggedList l(Four);
    l.list.SetItemIndex(-1);
    const QPoint start = l.BelowLastRow();
    QTest::mousePress(l.list.viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(l.list.viewport(), start + QPoint(0, 30));
    EXPECT_EQ(OverrideShape(), Qt::ForbiddenCursor);
    QTest::mouseRelease(l.list.viewport(), Qt::LeftButton, {}, l.RowCentre(1));
    EXPECT_EQ(l.list.Items(), Four);
    EXPECT_TRUE(l.Events().empty());
}

// The mark around the target row appears while dragging, only that row and the row it left
// are repainted meanwhile, and one repaint of the whole list clears it at the end.
TEST(ReorderableList, DropMarkFollowsThePointerAndIsClearedOnce) {
    LoggedList l(Four);
    const QRect target = l.list.visualItemRect(l.list.item(2));
    const QPoint start = l.RowCentre(0);
    QTest::mousePress(l.list.viewport(), Qt::LeftButton, {}, start);
    QApplication::processEvents();
    const QImage pressed = l.list.viewport()->grab().toImage();
    QTest::mouseMove(l.list.viewport(), start + QPoint(0, 30));
    QTest::mouseMove(l.list.viewport(), target.center());
    const QImage dragging = l.list.viewport()->grab().toImage();
    const std::vector<QPoint> changed = ChangedPixels(pressed, dragging);
    EXPECT_GT(changed.size(), 50U);
    for (const QPoint pixel : changed)
        ASSERT_TRUE(OnBorder(target, pixel)) << pixel.x() << "," << pixel.y();

    PaintCounter paints(l.list.viewport());
    QTest::keyClick(&l.list, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(l.list.viewport()->grab().toImage(), pressed);
    QTest::mouseRelease(l.list.viewport(), Qt::LeftButton, {}, target.center());
    EXPECT_EQ(l.list.Items(), Four);
}
