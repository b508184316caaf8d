#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QWindow>

#include <cstdint>
#include <functional>
#include <optional>

// What only the X server tells, where Qt runs on X11.
namespace ui::qt::x11 {

// Whether a window manager manages the screen: one holds its WM_S0 selection.
bool WindowManagerRuns();
// Tells `changed` whenever a window manager may have come or gone: the root window's
// _NET_SUPPORTING_WM_CHECK, which one sets as it starts and removes as it ends, changed.
class WindowManagerWatch final : public QAbstractNativeEventFilter {
 public:
  explicit WindowManagerWatch(std::function<void()> changed);
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

 private:
  std::uint32_t check_ = 0;  // the property's atom
  std::function<void()> changed_;
};

// The frame a window manager has put round a window, in the screen's own pixels
// (_NET_FRAME_EXTENTS): Qt's frame margins are rounded to device-independent pixels, which at a
// scale of 2 makes a one-pixel border none.
std::optional<QMargins> FrameExtents(const QWindow& window);

}  // namespace ui::qt::x11
