// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/EditableList.h"

#include <QPoint>

// A EditableList whose items the user also puts in order by dragging one with the left button.
// While dragging, a dotted rectangle marks the row the item goes to; below the last item means
// "to the end". An item dragged down lands below the marked row, one dragged up above it.
class ReorderableList : public EditableList {
    Q_OBJECT

public:
    explicit ReorderableList(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    enum class DragState { Idle, Pending, Dragging };

    int DropTarget(QPoint pos) const;
    void StartDrag();
    void DragOver(QPoint pos);
    void Drop();
    void EndDrag();
    void UpdateRow(int index);

    DragState dragState_ = DragState::Idle;
    QPoint pressPos_;
    int dropIndex_ = -1;
    bool dropMarkDrawn_ = false;
    bool dropAccepted_ = false;
};
