#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace ScreenPlacement {

// Where a window of `window`'s size is shown when asked for at `window`'s
// position: there when the `areas` (the screens less their panels) show all
// of it, else brought into the area it overlaps most (the first when none),
// so that no window opens under a panel or out of the user's reach. Wider
// or taller than the area, its left or top edge stays in view.
QPoint inside(const QRect& window, const QList<QRect>& areas);

} // namespace ScreenPlacement
