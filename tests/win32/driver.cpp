// Drives quorvel.exe from outside, as a user would: finds its windows and controls, types sizes,
// clicks, reads the results, answers its message boxes, and closes it.
// Usage: driver.exe PATH\TO\quorvel.exe

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "windows/design.h"
#include "windows/win32/control_ids.h"

namespace {

using windows::Form1Design;
using windows::Form2Design;
using windows::win32::ControlId;

int passed = 0;
int failed = 0;
DWORD programId = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  ++(ok ? passed : failed);
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct Search {
  const wchar_t* title;
  bool box;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == programId && IsWindowVisible(window) && TextOf(window) == search->title &&
      (ClassOf(window) == L"#32770") == search->box) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The program's visible top-level window with this title: a message box, or else a window.
HWND FindTop(const wchar_t* title, bool box) {
  Search search{title, box, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitFor(const wchar_t* title, bool box) {
  for (int i = 0; i < 200; ++i) {
    if (HWND window = FindTop(title, box)) return window;
    Sleep(50);
  }
  return nullptr;
}

bool WaitUntilGone(HWND window) {
  for (int i = 0; i < 200 && IsWindow(window); ++i) Sleep(50);
  return !IsWindow(window);
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM parameter) {
  if (ClassOf(child) == L"Static")
    reinterpret_cast<std::vector<std::wstring>*>(parameter)->push_back(TextOf(child));
  return TRUE;
}

// Checks the box that a click brought up, then dismisses it with its one button.
void AnswerBox(HWND owner, const wchar_t* title, const wchar_t* text, const char* what) {
  HWND box = WaitFor(title, true);
  Check(box != nullptr, what);
  if (!box) return;
  std::vector<std::wstring> texts;
  EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&texts));
  bool shown = false;
  for (const std::wstring& t : texts) shown = shown || t == text;
  Check(shown, "  with its message");
  Check(GetWindow(box, GW_OWNER) == owner, "  owned by the main window");
  HWND ok = GetDlgItem(box, IDOK);
  Check(ok && TextOf(ok) == L"确定" && !GetDlgItem(box, IDCANCEL), "  with one button, 确定");
  PostMessageW(ok, BM_CLICK, 0, 0);
  Check(WaitUntilGone(box), "  dismissed");
}

bool NoBoxAppears() {
  Sleep(300);
  for (const wchar_t* title : {L"数据有误", L"Prelvane"}) {
    if (FindTop(title, true)) return false;
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: driver PATH\\TO\\quorvel.exe\n");
    return 2;
  }
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\" ignored-argument";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start the program\n");
    return 2;
  }
  programId = process.dwProcessId;

  HWND main = WaitFor(L"Prelvane", false);
  Check(main != nullptr, "the main window opens");
  if (!main) {
    TerminateProcess(process.hProcess, 1);
    std::printf("%d passed, %d failed\n", passed, failed);
    return 1;
  }
  const windows::WindowDesign& form1 = Form1Design();
  const auto item = [&](HWND window, const windows::WindowDesign& design, const char* name) {
    return GetDlgItem(window, ControlId(design, name));
  };
  HWND text1 = item(main, form1, "Text1");
  HWND text2 = item(main, form1, "Text2");
  HWND option1 = item(main, form1, "Option1");
  HWND option2 = item(main, form1, "Option2");
  HWND command1 = item(main, form1, "Command1");
  HWND command2 = item(main, form1, "Command2");
  const auto checked = [](HWND option) {
    return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  const auto type = [](HWND edit, const wchar_t* text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  };
  const auto click = [](HWND button) { SendMessageW(button, BM_CLICK, 0, 0); };

  // The start state.
  Check(TextOf(text1).empty() && TextOf(text2).empty(), "both boxes start empty");
  Check(checked(option1) && !checked(option2), "the old rule starts selected");
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(process.dwThreadId, &gui);
  Check(gui.hwndFocus == text1, "the focus starts in the input box");
  Check(NoBoxAppears(), "no box at start-up");
  RECT client{};
  GetClientRect(main, &client);
  Check(client.right == MulDiv(4620, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 1440),
        "client width scales with dpi");

  // Focus order and the default button.
  const HWND order[] = {text1, text2, option1, command1, command2, text1};
  bool inOrder = true;
  for (int i = 0; i + 1 < 6; ++i)
    inOrder = inOrder && GetNextDlgTabItem(main, order[i], FALSE) == order[i + 1];
  Check(inOrder, "Tab goes Text1, Text2, the options, Command1, Command2");
  const LRESULT defaultId = SendMessageW(main, DM_GETDEFID, 0, 0);
  Check(HIWORD(defaultId) == DC_HASDEFID && LOWORD(defaultId) == ControlId(form1, "Command1"),
        "Enter clicks the calculate button");

  // Results.
  type(text1, L"4");
  click(command1);
  Check(TextOf(text2) == L"4102", "4 GB by the old rule: 4102");
  click(option2);
  Check(TextOf(text2) == L"4103" && checked(option2) && !checked(option1),
        "the new rule at once: 4103");
  click(option1);
  Check(TextOf(text2) == L"4102", "and back: 4102");
  click(option2);
  type(text1, L"16065");
  click(command1);
  Check(TextOf(text2) == L"16450568", "16065 GB by the new rule: 16450568");
  type(text1, L"-1e3");
  click(command1);
  Check(TextOf(text2) == L"-1023994", "-1e3 by the new rule: -1023994");

  // Refusals and errors.
  type(text1, L"");
  PostMessageW(command1, BM_CLICK, 0, 0);
  AnswerBox(main, L"数据有误", L"请输入纯数字", "an empty input is refused");
  Check(TextOf(text2) == L"-1023994", "  and the output stays");
  PostMessageW(option1, BM_CLICK, 0, 0);
  Check(NoBoxAppears(), "an option click on a refused input stays silent");
  type(text1, L"a");
  PostMessageW(command1, BM_CLICK, 0, 0);
  AnswerBox(main, L"Prelvane", L"类型不匹配", "a conversion error is reported");
  type(text1, L"1e400");
  PostMessageW(command1, BM_CLICK, 0, 0);
  AnswerBox(main, L"Prelvane", L"溢出", "an overflow is reported");
  Check(TextOf(text2) == L"-1023994", "  and the output stays");
  type(text1, L"1");
  click(command1);
  Check(TextOf(text2) == L"1024", "the window stays usable");

  // The explanation window, twice.
  const windows::WindowDesign& form2 = Form2Design();
  for (int opening = 0; opening < 2; ++opening) {
    PostMessageW(command2, BM_CLICK, 0, 0);
    HWND explanation = WaitFor(L"原理", false);
    Check(explanation != nullptr, "the explanation window opens");
    if (!explanation) break;
    Check(!IsWindowEnabled(main) && IsWindowVisible(main),
          "  the main window is disabled, still visible");
    Check(GetWindow(explanation, GW_OWNER) == nullptr, "  it has no owner");
    Check(TextOf(item(explanation, form2, "Label1")) == L"1柱面大小=512byte*255*63＝8225280(B)" &&
              TextOf(item(explanation, form2, "Label5")) ==
                  L"应分MB数=4301821440/1024/1024=4102.53662…≈4103(MB)" &&
              TextOf(item(explanation, form2, "Label9")) == L"MB=(GB-1)*2+GB*1024",
          "  it shows the worked example");
    PostMessageW(main, WM_CLOSE, 0, 0);
    Sleep(300);
    Check(IsWindow(main), "  closing the main window meanwhile is ignored");
    PostMessageW(explanation, WM_CLOSE, 0, 0);
    Check(WaitUntilGone(explanation), "  it closes");
    Sleep(100);
    Check(IsWindowEnabled(main) && TextOf(text2) == L"1024",
          "  the main window is enabled again, as it was");
  }

  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == 0;
  Check(ended, "closing the main window ends the program cleanly");
  if (!ended) TerminateProcess(process.hProcess, 1);
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
