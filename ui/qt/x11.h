#pragma once

#include <QMargins>
#include <QWindow>

#include <optional>

// What only the X server tells, where Qt runs on X11.
namespace ui::qt::x11 {

// Whether a window manager manages the screen: one holds its WM_S0 selection.
bool WindowManagerRuns();

// The frame a window manager has put round a window, in the screen's own pixels
// (_NET_FRAME_EXTENTS): Qt's frame margins are rounded to device-independent pixels, which at a
// scale of 2 makes a one-pixel border none.
std::optional<QMargins> FrameExtents(const QWindow& window);

}  // namespace ui::qt::x11
