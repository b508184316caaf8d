#pragma once

// GoogleTest's own customisation point, for the Windows programs: they are built with the win32
// thread model, which links no POSIX threads runtime (its imports are newer than Windows XP) and
// so has no std::mutex for GoogleTest's Notification. This one waits on a Win32 event instead.
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
