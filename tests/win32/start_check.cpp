// Starts quorvel.exe as a user would, waits for its main window, titled, with its controls, and
// closes it: the program must then end cleanly. What the windows do is the engine suite's.
// Usage: start_check.exe PATH\TO\quorvel.exe

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

DWORD programId = 0;
HWND mainWindow = nullptr;

BOOL CALLBACK Visit(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  if (process != programId || !IsWindowVisible(window) || std::wstring(title) != L"Prelvane") {
    return TRUE;
  }
  mainWindow = window;
  return FALSE;
}

int Fail(const char* what, HANDLE process) {
  std::fprintf(stderr, "%s\n", what);
  TerminateProcess(process, 1);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: start_check PATH\\TO\\quorvel.exe\n");
    return 2;
  }
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %ls\n", argv[1]);
    return 1;
  }
  programId = process.dwProcessId;
  for (int i = 0; i < 200 && !mainWindow; ++i) {
    EnumWindows(Visit, 0);
    if (!mainWindow) Sleep(50);
  }
  if (!mainWindow) return Fail("no window titled Prelvane opened", process.hProcess);
  if (!GetWindow(mainWindow, GW_CHILD)) return Fail("the main window has no controls", process.hProcess);
  PostMessageW(mainWindow, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    return Fail("the program did not end when its window closed", process.hProcess);
  }
  GetExitCodeProcess(process.hProcess, &exitCode);
  if (exitCode != 0) {
    std::fprintf(stderr, "the program ended with %lu\n", exitCode);
    return 1;
  }
  std::printf("quorvel.exe opened its window and ended cleanly when it closed\n");
  return 0;
}
