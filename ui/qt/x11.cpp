#include "ui/qt/x11.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace ui::qt::x11 {
namespace {

xcb_connection_t* Connection() {
  const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return QGuiApplication::platformName() == QLatin1String("xcb") && x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
      nullptr);
  const xcb_atom_t found = atom ? atom->atom : XCB_NONE;
  std::free(atom);
  return found;
}

}  // namespace

bool WindowManagerRuns() {
  xcb_connection_t* connection = Connection();
  if (!connection) return false;
  static const xcb_atom_t screenManager = Atom(connection, "WM_S0");
  xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
      connection, xcb_get_selection_owner(connection, screenManager), nullptr);
  const bool runs = owner && owner->owner != XCB_NONE;
  std::free(owner);
  return runs;
}

WindowManagerWatch::WindowManagerWatch(std::function<void()> changed) : changed_(std::move(changed)) {
  if (xcb_connection_t* connection = Connection()) {
    check_ = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    qApp->installNativeEventFilter(this);
  }
}

bool WindowManagerWatch::nativeEventFilter(const QByteArray&, void* message, qintptr*) {
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
      reinterpret_cast<const xcb_property_notify_event_t*>(event)->atom == check_) {
    changed_();
  }
  return false;
}

std::optional<QMargins> FrameExtents(const QWindow& window) {
  xcb_connection_t* connection = Connection();
  if (!connection) return std::nullopt;
  static const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, static_cast<xcb_window_t>(window.winId()), extents,
                       XCB_ATOM_CARDINAL, 0, 4),
      nullptr);
  std::optional<QMargins> frame;
  if (reply && xcb_get_property_value_length(reply) == 16) {
    const auto* sides = static_cast<const uint32_t*>(xcb_get_property_value(reply));
    frame = QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]),
                     static_cast<int>(sides[1]), static_cast<int>(sides[3]));
  }
  std::free(reply);
  return frame;
}

}  // namespace ui::qt::x11
