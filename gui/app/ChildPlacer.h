#pragma once
// Places the child windows of the main window: each opens wholly inside the visible area of
// the frame, one step right of and below the last one, at the size that shows its content;
// one that grows later is moved back into view.

#include <QList>
#include <QPointer>
#include <QSize>

#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace dorvek {

class TChildPlacer {
public:
    explicit TChildPlacer(QMdiArea& area) : fArea(area) {}

    // The frame opens at the wanted frame size (at least minimum, at most the visible area).
    void Open(QMdiSubWindow& frame, QSize wanted, QSize minimum = {});
    // A frame that took a new size is moved back inside the visible area.
    void KeepInside(QMdiSubWindow& frame);
    // Window > Cascade: the frames (back to front) one step apart from the top-left corner,
    // each at its size, every one inside the visible area.
    void Cascade(const QList<QMdiSubWindow*>& frames);
    // The visible area of the frame.
    QSize Area() const;

private:
    QMdiArea& fArea;
    // The frames in the order they were placed; the last one still shown leads the cascade.
    std::vector<QPointer<QMdiSubWindow>> fPlaced;
};

} // namespace dorvek
