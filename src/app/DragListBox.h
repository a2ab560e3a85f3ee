#pragma once

#include <QListWidget>
#include <QPoint>

namespace kyr {

// A multi-select list whose lines are reordered with the mouse: pressing on a line and
// moving by more than one pixel picks that line up; releasing over another line asks for
// the move. The owner moves the item in the project and rebuilds the list.
class TDragListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TDragListBox(QWidget* parent = nullptr);

    bool dragging() const { return dragStarted_; }

signals:
    void moveRequested(int from, int to);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void stopDrag();

    QPoint dragStart_;
    bool hasStart_ = false;
    bool dragStarted_ = false;
    int dragRow_ = -1;
};

}  // namespace kyr
