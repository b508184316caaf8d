#include "app/desktop.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <future>
#include <string>
#include <thread>

namespace {

constexpr int kAnswerDelay = 1000;  // milliseconds, for each display

// The compositor named by WAYLAND_DISPLAY, its socket in XDG_RUNTIME_DIR unless named by its
// path, asked to sync (wl_display@1.sync, new_id 2): any answer is the compositor's.
bool WaylandAnswers(const char* name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string path = name[0] == '/' ? name : std::string(runtime ? runtime : "") + "/" + name;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (socket < 0) return false;
  constexpr unsigned char kSync[12] = {1, 0, 0, 0, 0, 0, 12, 0, 2, 0, 0, 0};
  pollfd waiting{socket, POLLIN, 0};
  char answer = 0;
  const bool answers =
      connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
      send(socket, kSync, sizeof kSync, MSG_NOSIGNAL) == sizeof kSync &&
      poll(&waiting, 1, kAnswerDelay) == 1 && recv(socket, &answer, 1, 0) == 1;
  close(socket);
  return answers;
}

// The X server named by DISPLAY, connected to as Qt will be, with the user's authorisation; a
// server that accepts the connection and never answers leaves the connection waiting in a thread
// of its own, which the program's end ends.
bool XAnswers(const char* name) {
  std::packaged_task<bool()> connecting([display = std::string(name)] {
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
  });
  std::future<bool> answered = connecting.get_future();
  std::thread(std::move(connecting)).detach();
  return answered.wait_for(std::chrono::milliseconds(kAnswerDelay)) == std::future_status::ready &&
         answered.get();
}

}  // namespace

Desktop FindDesktop() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* x = std::getenv("DISPLAY");
  if (wayland && *wayland && WaylandAnswers(wayland)) return Desktop::kWayland;
  if (x && *x && XAnswers(x)) return Desktop::kX;
  return (wayland && *wayland) || (x && *x) ? Desktop::kSilent : Desktop::kNone;
}
