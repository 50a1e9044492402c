#include "gui/app/ChildPlacer.h"

#include "model/workspace/WindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>
#include <optional>

namespace dorvek {

QSize TChildPlacer::Area() const {
    return fArea.viewport()->size();
}

void TChildPlacer::Open(QMdiSubWindow& frame, QSize wanted, QSize minimum) {
    if (frame.isMaximized()) frame.showNormal();
    std::erase_if(fPlaced, [&frame](const QPointer<QMdiSubWindow>& w) {
        return !w || w == &frame || !w->isVisible() || w->isMinimized() || w->isMaximized();
    });
    TChildPlacement placement;
    placement.Area = {Area().width(), Area().height()};
    placement.Wanted = {wanted.width(), wanted.height()};
    placement.Minimum = {minimum.width(), minimum.height()};
    if (!fPlaced.empty()) placement.Last = TPoint{fPlaced.back()->x(), fPlaced.back()->y()};
    // One title bar down and right.
    placement.Step = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame);
    const TRect r = PlaceChildWindow(placement);
    frame.setGeometry(r.X, r.Y, r.Width, r.Height);
    fPlaced.emplace_back(&frame);
}

void TChildPlacer::Cascade(const QList<QMdiSubWindow*>& frames) {
    fPlaced.clear();
    for (QMdiSubWindow* frame : frames) {
        if (frame->isMinimized() || !frame->isVisible()) continue;
        if (frame->isMaximized()) frame->showNormal();
        Open(*frame, frame->size());
    }
}

void TChildPlacer::KeepInside(QMdiSubWindow& frame) {
    if (frame.isMaximized() || frame.isMinimized()) return;
    const TRect r = dorvek::KeepInside({frame.x(), frame.y(), frame.width(), frame.height()},
                                       {Area().width(), Area().height()});
    if (r.X != frame.x() || r.Y != frame.y()) frame.move(r.X, r.Y);
}

} // namespace dorvek
