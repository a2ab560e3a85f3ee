#include "app/DragListBox.h"

#include <QMouseEvent>

namespace kyr {

TDragListBox::TDragListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::NoDragDrop);
}

void TDragListBox::mousePressEvent(QMouseEvent* event) {
    dragStart_ = event->position().toPoint();
    hasStart_ = event->button() == Qt::LeftButton;
    dragStarted_ = false;
    QListWidget::mousePressEvent(event);
}

void TDragListBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!(event->buttons() & Qt::LeftButton)) {
        dragStart_ = pos;
        hasStart_ = true;
        dragStarted_ = false;
        QListWidget::mouseMoveEvent(event);
        return;
    }
    if (dragStarted_) {
        const int over = indexAt(pos).row();
        viewport()->setCursor(over >= 0 && over != dragRow_ ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
        return;
    }
    const QPoint d = pos - dragStart_;
    const int row = indexAt(dragStart_).row();
    if (hasStart_ && std::abs(d.x()) + std::abs(d.y()) > 1 && row >= 0) {
        dragStarted_ = true;
        dragRow_ = row;
        setCurrentRow(row, QItemSelectionModel::NoUpdate);
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void TDragListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragStarted_) {
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    const int from = dragRow_;
    const int to = indexAt(event->position().toPoint()).row();
    stopDrag();
    if (to >= 0 && to != from) emit moveRequested(from, to);
}

void TDragListBox::stopDrag() {
    dragStarted_ = false;
    hasStart_ = false;
    dragRow_ = -1;
    viewport()->unsetCursor();
}

}  // namespace kyr
