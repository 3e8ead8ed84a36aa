// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditableList.h"

#include "platform/DesktopServices.h"

#include <QApplication>
#include <QCollator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <algorithm>

namespace {

// The item's object lives in the item's data, so it goes wherever the item goes and is destroyed
// with it however the item is removed.
constexpr int ObjectRole = Qt::UserRole + 1;

void Beep() {
    DesktopServices::Current().Beep();
}

} // namespace

EditableList::EditableList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void EditableList::MoveItemsUp() {
    if (MultiSelect())
        MoveSelectedItems(-1);
    else
        MoveCurrentItem(-1);
}

void EditableList::MoveItemsDown() {
    if (MultiSelect())
        MoveSelectedItems(1);
    else
        MoveCurrentItem(1);
}

// A handler that fails half-way still leaves a repainted list and a told owner behind.
void EditableList::DeleteSelectedItems() {
    deletedSome_ = false;
    try {
        DeleteWithoutRepaint();
    } catch (...) {
        RaiseAfterDelete();
        throw;
    }
    RaiseAfterDelete();
}

bool EditableList::AddUniqueItem(const std::string& text) {
    if (!findItems(QString::fromStdString(text), Qt::MatchFixedString).isEmpty())
        return false;
    AddItem(text);
    return true;
}

std::string EditableList::ItemText(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry != nullptr ? entry->text().toStdString() : std::string();
}

std::vector<std::string> EditableList::Items() const {
    std::vector<std::string> texts;
    texts.reserve(count());
    for (int index = 0; index < count(); ++index)
        texts.push_back(ItemText(index));
    return texts;
}

void EditableList::SetItems(const std::vector<std::string>& texts) {
    clear();
    for (const std::string& text : texts)
        AddItem(text);
}

int EditableList::AddItem(const std::string& text, std::unique_ptr<QObject> object) {
    const QString caption = QString::fromStdString(text);
    const int index = sorted_ ? SortedPlace(caption) : count();
    auto* entry = new QListWidgetItem(caption);
    if (itemHeight_ > 0)
        entry->setSizeHint(QSize(0, itemHeight_));
    insertItem(index, entry);
    if (object)
        SetItemObject(index, std::move(object));
    return index;
}

QObject* EditableList::ItemObject(int index) const {
    const QListWidgetItem* entry = item(index);
    if (entry == nullptr)
        return nullptr;
    return entry->data(ObjectRole).value<std::shared_ptr<QObject>>().get();
}

void EditableList::SetItemObject(int index, std::unique_ptr<QObject> object) {
    if (QListWidgetItem* entry = item(index))
        entry->setData(ObjectRole,
                       QVariant::fromValue(std::shared_ptr<QObject>(std::move(object))));
}

void EditableList::SetItemIndex(int index) {
    if (MultiSelect())
        selectionModel()->setCurrentIndex(model()->index(index, 0), QItemSelectionModel::NoUpdate);
    else
        setCurrentRow(index);
}

bool EditableList::Selected(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry != nullptr && entry->isSelected();
}

void EditableList::SetSelected(int index, bool selected) {
    if (QListWidgetItem* entry = item(index))
        entry->setSelected(selected);
}

bool EditableList::MultiSelect() const {
    return selectionMode() == QAbstractItemView::ExtendedSelection;
}

void EditableList::SetMultiSelect(bool multiSelect) {
    setSelectionMode(multiSelect ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
}

void EditableList::SetItemHeight(int height) {
    itemHeight_ = std::max(height, 0);
    const QSize hint = itemHeight_ > 0 ? QSize(0, itemHeight_) : QSize();
    for (int index = 0; index < count(); ++index)
        item(index)->setSizeHint(hint);
}

// Handled keys go no further: the list does not also move its cursor or report the key.
void EditableList::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    const bool arrows = options_.testFlag(ListOption::HandleArrowKeys) && control;
    if (event->key() == Qt::Key_Up && arrows) {
        MoveItemsUp();
    } else if (event->key() == Qt::Key_Down && arrows) {
        MoveItemsDown();
    } else if (event->key() == Qt::Key_Delete) {
        if (options_.testFlag(ListOption::HandleDeleteKey))
            DeleteSelectedItems();
        else
            Beep();
    } else {
        QListWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// A right click makes the item under the pointer current first, so that a pop-up menu acts on
// the item it was opened over.
void EditableList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QListWidgetItem* under = itemAt(event->position().toPoint());
        SetItemIndex(under != nullptr ? row(under) : -1);
    }
    QListWidget::mousePressEvent(event);
}

void EditableList::MoveItem(int from, int to) {
    const bool selected = item(from)->isSelected();
    QListWidgetItem* moved = takeItem(from);
    insertItem(to, moved);
    moved->setSelected(selected);
}

void EditableList::MoveCurrentItem(int step) {
    const int from = currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= count()) {
        Beep();
        return;
    }
    MoveItem(from, to);
    SetItemIndex(to);
    emit itemMoved(from, to);
}

// Walks towards the edge the items move to, so a block of selected items moves as a block.
// An item already at that edge stops the walk with a beep, after the moves already made.
void EditableList::MoveSelectedItems(int step) {
    QListWidgetItem* caret = currentItem();
    const int last = count() - 1;
    int firstFrom = -1;
    int firstTo = -1;
    for (int walked = 0; walked <= last; ++walked) {
        const int index = step < 0 ? walked : last - walked;
        if (!item(index)->isSelected())
            continue;
        const int to = index + step;
        if (to < 0 || to > last) {
            Beep();
            break;
        }
        MoveItem(index, to);
        if (firstFrom < 0) {
            firstFrom = index;
            firstTo = to;
        }
    }
    if (caret != nullptr)
        SetItemIndex(row(caret));
    if (firstFrom >= 0)
        emit itemMoved(firstFrom, firstTo);
}

void EditableList::DeleteWithoutRepaint() {
    setUpdatesEnabled(false);
    const auto resume = qScopeGuard([this] { setUpdatesEnabled(true); });
    const bool found = MultiSelect() ? DeleteSelectedOnes() : DeleteCurrentItem();
    if (!found)
        Beep();
}

bool EditableList::DeleteCurrentItem() {
    const int index = currentRow();
    if (index < 0)
        return false;
    if (!AllowDelete(index))
        return true;
    DeleteItem(index);
    SetItemIndex(std::min(index, count() - 1));
    emit itemDeleted(index);
    return true;
}

// From the last item down, so that the indices still to be visited stay valid and each
// reported index is the item's index at the moment it goes.
bool EditableList::DeleteSelectedOnes() {
    int lowest = -1;
    for (int index = count() - 1; index >= 0; --index) {
        const QListWidgetItem* entry = item(index);
        if (entry == nullptr || !entry->isSelected())
            continue;
        lowest = index;
        if (!AllowDelete(index))
            continue;
        DeleteItem(index);
        emit itemDeleted(index);
    }
    if (lowest >= 0 && count() > 0)
        selectionModel()->setCurrentIndex(model()->index(std::min(lowest, count() - 1), 0),
                                          QItemSelectionModel::Select);
    return lowest >= 0;
}

void EditableList::DeleteItem(int index) {
    item(index)->setData(ObjectRole, QVariant());
    delete takeItem(index);
    deletedSome_ = true;
}

void EditableList::RaiseAfterDelete() {
    if (deletedSome_)
        emit deleteFinished();
}

int EditableList::SortedPlace(const QString& text) const {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    int index = 0;
    while (index < count() && collator.compare(item(index)->text(), text) <= 0)
        ++index;
    return index;
}
