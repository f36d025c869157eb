#pragma once
// Where the display server has a top-level window right now. Under a window
// manager the toolkit learns of moves only from configure notices, and a
// notice that arrives while the manager is still moving its frame leaves the
// toolkit with a stale position; the server itself is never wrong.

#include <QPoint>

#include <optional>

class QWidget;

// The top-left corner of `window` on the screen as the X server has it, or
// nothing where there is no X server (other platforms, offscreen) or the
// window is not on it yet.
std::optional<QPoint> ServerPosition(const QWidget* window);
