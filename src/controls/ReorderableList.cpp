// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReorderableList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ReorderableList::ReorderableList(QWidget* parent) : EditableList(parent) {}

void ReorderableList::keyPressEvent(QKeyEvent* event) {
    if (dragState_ == DragState::Dragging && event->key() == Qt::Key_Escape) {
        EndDrag();
        event->accept();
        return;
    }
    EditableList::keyPressEvent(event);
}

// Until the pointer has moved by the drag distance the press is an ordinary click; after that
// the list takes the pointer for itself and does not also extend its selection.
void ReorderableList::mouseMoveEvent(QMouseEvent* event) {
    if (dragState_ != DragState::Idle && !event->buttons().testFlag(Qt::LeftButton)) {
        if (dragState_ == DragState::Dragging)
            EndDrag();
        dragState_ = DragState::Idle;
    }
    if (dragState_ == DragState::Idle) {
        EditableList::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (dragState_ == DragState::Pending) {
        if ((pos - pressPos_).manhattanLength() < QApplication::startDragDistance())
            return;
        StartDrag();
    }
    DragOver(pos);
}

void ReorderableList::mousePressEvent(QMouseEvent* event) {
    EditableList::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && count() > 0) {
        dragState_ = DragState::Pending;
        pressPos_ = event->position().toPoint();
    }
}

void ReorderableList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || dragState_ != DragState::Dragging) {
        dragState_ = DragState::Idle;
        EditableList::mouseReleaseEvent(event);
        return;
    }
    DragOver(event->position().toPoint());
    if (dropAccepted_)
        Drop();
    EndDrag();
}

void ReorderableList::paintEvent(QPaintEvent* event) {
    EditableList::paintEvent(event);
    const QListWidgetItem* marked = item(dropIndex_);
    if (dragState_ != DragState::Dragging || !dropMarkDrawn_ || marked == nullptr)
        return;
    // Inverted dots stay visible on plain and on highlighted rows alike.
    QPainter painter(viewport());
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen dotted(Qt::white, 0);
    dotted.setDashPattern({1.0, 1.0});
    painter.setPen(dotted);
    painter.drawRect(visualItemRect(marked).adjusted(0, 0, -1, -1));
}

// The row under the pointer; anywhere else, below the last row or outside the list, means the
// last row, so that an item can be dragged to the end.
int ReorderableList::DropTarget(QPoint pos) const {
    const QListWidgetItem* under = viewport()->rect().contains(pos) ? itemAt(pos) : nullptr;
    return under != nullptr ? row(under) : count() - 1;
}

void ReorderableList::StartDrag() {
    dragState_ = DragState::Dragging;
    dropIndex_ = currentRow();
    QGuiApplication::setOverrideCursor(Qt::ForbiddenCursor);
}

// Only the rows that gain or lose the mark are repainted while the pointer moves.
void ReorderableList::DragOver(QPoint pos) {
    const int target = DropTarget(pos);
    dropAccepted_ = currentRow() >= 0 && target != currentRow();
    QGuiApplication::changeOverrideCursor(dropAccepted_ ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    if (target != dropIndex_ || !dropMarkDrawn_) {
        UpdateRow(dropIndex_);
        dropIndex_ = target;
        UpdateRow(dropIndex_);
    }
    dropMarkDrawn_ = true;
}

void ReorderableList::Drop() {
    const int from = currentRow();
    const int to = dropIndex_;
    MoveItem(from, to);
    SetItemIndex(to);
    emit itemMoved(from, to);
}

void ReorderableList::EndDrag() {
    dragState_ = DragState::Idle;
    QGuiApplication::restoreOverrideCursor();
    setState(QAbstractItemView::NoState);
    if (dropMarkDrawn_) {
        viewport()->update();
        dropMarkDrawn_ = false;
    }
}

void ReorderableList::UpdateRow(int index) {
    if (const QListWidgetItem* entry = item(index))
        viewport()->update(visualItemRect(entry));
}
