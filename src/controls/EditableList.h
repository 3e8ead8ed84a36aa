// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QListWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Which keys an EditableList handles itself; the flags combine with |.
enum class ListOption : std::uint8_t {
    HandleDeleteKey = 1, // Delete removes the selected items
    HandleArrowKeys = 2, // Ctrl+Up and Ctrl+Down move them one place
};
using ListOptions = QFlags<ListOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(ListOptions)

// A list of texts that the user edits from the keyboard. Each item may carry an object that the
// list owns: deleting the item destroys it, moving the item keeps it. Every refused operation
// (nothing to delete, no room to move) gives the desktop's beep and changes nothing.
class EditableList : public QListWidget {
    Q_OBJECT

public:
    explicit EditableList(QWidget* parent = nullptr);

    void MoveItemsUp();
    void MoveItemsDown();
    // Asks AllowDelete before each item; the whole delete is repainted once.
    void DeleteSelectedItems();
    // Appends text (at its sorted place in a sorted list) unless an item already has that text
    // in any letter case; false when it was there.
    bool AddUniqueItem(const std::string& text);

    int Count() const { return count(); }
    std::string ItemText(int index) const;
    std::vector<std::string> Items() const;
    // Replaces every item; the objects of the old items are destroyed.
    void SetItems(const std::vector<std::string>& texts);
    // Appends text, at its sorted place in a sorted list, and gives back its index.
    int AddItem(const std::string& text, std::unique_ptr<QObject> object = nullptr);
    QObject* ItemObject(int index) const;
    void SetItemObject(int index, std::unique_ptr<QObject> object);
    // The current item, -1 for none. In single-select mode the current item is the selected one;
    // in multi-select mode setting it leaves the selection alone.
    int ItemIndex() const { return currentRow(); }
    void SetItemIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);

    bool MultiSelect() const;
    void SetMultiSelect(bool multiSelect);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted) { sorted_ = sorted; }
    // Height of every row in pixels; 0 leaves it to the font.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    ListOptions Options() const { return options_; }
    void SetOptions(ListOptions options) { options_ = options; }

signals:
    void itemDeleted(int index);
    // Once after a delete that removed at least one item.
    void deleteFinished();
    // After a keyboard move in multi-select mode the indices are those of the first item moved.
    void itemMoved(int from, int to);

protected:
    // Whether the item at index may go; a list that keeps some items refuses them here.
    virtual bool AllowDelete(int /*index*/) { return true; }
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Moves one item, with its object and its selection, so that it ends at index to.
    void MoveItem(int from, int to);

private:
    void MoveCurrentItem(int step);
    void MoveSelectedItems(int step);
    void DeleteWithoutRepaint();
    // Whether there was an item to delete, whether or not it could go.
    bool DeleteCurrentItem();
    bool DeleteSelectedOnes();
    void DeleteItem(int index);
    void RaiseAfterDelete();
    int SortedPlace(const QString& text) const;

    ListOptions options_ = ListOption::HandleDeleteKey;
    bool sorted_ = false;
    int itemHeight_ = 0;
    // Whether the deletion under way took an item out yet: the owner hears once it is over.
    bool deletedSome_ = false;
};
