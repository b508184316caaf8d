// Starts quorvel.exe as a user would, waits for its main window, titled, with its controls, and
// closes it: the program must then end cleanly. What the windows do is the engine suite's.
// Usage: start_check.exe PATH\TO\quorvel.exe

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

PROCESS_INFORMATION program{};

BOOL CALLBACK Visit(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t title[64] = {};
  GetWindowTextW(window, title, 64);
  if (process != program.dwProcessId || !IsWindowVisible(window) || std::wstring(title) != L"Prelvane") {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

int Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  if (program.hProcess) TerminateProcess(program.hProcess, 1);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = L"\"" + std::wstring(argc == 2 ? argv[1] : L"") + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (argc != 2 || !CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &program)) {
    return Fail("usage: start_check PATH\\TO\\quorvel.exe, of a program that starts");
  }
  HWND main = nullptr;
  for (int i = 0; i < 200 && !main; ++i, Sleep(50)) EnumWindows(Visit, reinterpret_cast<LPARAM>(&main));
  if (!main || !GetWindow(main, GW_CHILD)) return Fail("no window titled Prelvane, with controls");
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  if (WaitForSingleObject(program.hProcess, 10000) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(program.hProcess, &exitCode) || exitCode != 0) {
    return Fail("the program did not end cleanly when its window closed");
  }
  return 0;
}
