// Drives quorvel.exe from outside, as a user would: finds its windows and controls, types sizes,
// clicks, reads the results, answers its message boxes, and closes it.
// Usage: driver.exe PATH\TO\quorvel.exe

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/ui/scenario.h"
#include "ui/design.h"
#include "ui/win32/control_ids.h"

namespace {

using ui::Form1Design;
using ui::Form2Design;
using ui::win32::ControlId;

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

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

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
  const ui::WindowDesign& form1 = Form1Design();
  const auto item = [&](HWND window, const ui::WindowDesign& design, const char* name) {
    return GetDlgItem(window, ControlId(design, name));
  };
  HWND text1 = item(main, form1, "Text1");
  HWND text2 = item(main, form1, "Text2");
  HWND option1 = item(main, form1, "Option1");
  HWND command1 = item(main, form1, "Command1");
  HWND command2 = item(main, form1, "Command2");
  const auto type = [](HWND edit, const wchar_t* text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  };

  // The focus, and the window's size at this dpi.
  const auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process.dwThreadId, &info);
    return info.hwndFocus;
  };
  Check(focus() == text1, "the focus starts in the input box");
  RECT client{};
  GetClientRect(main, &client);
  HDC screen = GetDC(nullptr);
  Check(client.right == MulDiv(4620, GetDeviceCaps(screen, LOGPIXELSY), 1440),
        "client width scales with dpi");
  ReleaseDC(nullptr, screen);

  // Focus order, by the Tab key, and the default button.
  bool inOrder = true;
  for (HWND next : {text2, option1, command1, command2, text1}) {
    PostMessageW(focus(), WM_KEYDOWN, VK_TAB, 0);
    for (int i = 0; i < 40 && focus() != next; ++i) Sleep(25);
    inOrder = inOrder && focus() == next;
  }
  Check(inOrder, "Tab goes Text1, Text2, the selected option, Command1, Command2");
  type(text1, L"4");
  PostMessageW(text1, WM_KEYDOWN, VK_RETURN, 0);
  for (int i = 0; i < 40 && TextOf(text2) != L"4102"; ++i) Sleep(25);
  Check(TextOf(text2) == L"4102", "Enter in the input box calculates");
  type(text1, L"");
  type(text2, L"");

  // Screen readers meet the controls in stacking order: reading order, line by line.
  std::vector<int> stacked;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    stacked.push_back(GetDlgCtrlID(child));
  }
  std::vector<int> reading;
  for (const auto* control : ui::ReadingOrder(form1)) {
    reading.push_back(ControlId(form1, control->name));
  }
  Check(stacked == reading, "the controls are stacked in reading order");

  // A long result shrinks the output box's font until it shows whole; a short one gets it back.
  // Where the characters stand tells the font's size, from outside the program.
  const auto left = [&](int character) {
    return static_cast<short>(LOWORD(SendMessageW(text2, EM_POSFROMCHAR, character, 0)));
  };
  RECT box{};
  GetClientRect(text2, &box);
  type(text2, L"88");
  const int designedAdvance = left(1) - left(0);
  type(text2, L"102400005");
  const int advance = (left(8) - left(0)) / 8;
  Check(advance < designedAdvance && left(0) >= 0 && left(8) + advance <= box.right,
        "a long result shows whole");
  type(text2, L"88");
  Check(left(1) - left(0) == designedAdvance, "  and a short one as designed");
  type(text2, L"");
  RECT input{};
  GetClientRect(text1, &input);
  for (const wchar_t* typed : {L"1", L"16", L"160", L"1606", L"16065"}) {
    SendMessageW(text1, WM_CHAR, typed[wcslen(typed) - 1], 0);
  }
  const auto inputLeft = [&](int character) {
    return static_cast<short>(LOWORD(SendMessageW(text1, EM_POSFROMCHAR, character, 0)));
  };
  for (int i = 0; i < 40 && inputLeft(0) < 0; ++i) Sleep(25);  // it scrolls back after typing
  Check(TextOf(text1) == L"16065" && inputLeft(0) >= 0 &&
            inputLeft(4) + (inputLeft(4) - inputLeft(0)) / 4 <= input.right,
        "a typed 16065 shows whole");
  type(text1, L"");

  // The scenario every engine runs.
  const ui::WindowDesign& form2 = Form2Design();
  for (const scenario::Step& step : scenario::kSteps) {
    std::string what = std::string(step.target) + " " + Narrow(step.typed);
    const auto closes = [](HWND window) {
      DWORD_PTR result = 0;
      return SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
    };
    switch (step.action) {
      case scenario::kType:
        SendMessageW(
            text1, WM_SETTEXT, 0,
            reinterpret_cast<LPARAM>(std::wstring(step.typed.begin(), step.typed.end()).c_str()));
        break;
      case scenario::kClick: {
        HWND control = item(main, form1, std::string(step.target).c_str());
        if (step.box == scenario::kNone) {
          // Returns once the click is handled; a box would keep it waiting.
          DWORD_PTR result = 0;
          Check(SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_NORMAL, 2000, &result) != 0,
                (what + ": no box").c_str());
          if (step.target == "Command2") WaitFor(L"原理", false);
        } else {
          PostMessageW(control, BM_CLICK, 0, 0);
          const scenario::ExpectedBox expected = scenario::Expected(step.box);
          AnswerBox(main, std::wstring(expected.title.begin(), expected.title.end()).c_str(),
                    std::wstring(expected.text.begin(), expected.text.end()).c_str(), what.c_str());
          for (int i = 0; i < 40 && focus() != text1; ++i) Sleep(25);
          const auto selection = SendMessageW(text1, EM_GETSEL, 0, 0);
          Check(focus() == text1 && LOWORD(selection) == 0 &&
                    HIWORD(selection) == TextOf(text1).size(),
                "  the input has the focus, its text selected");
        }
        break;
      }
      case scenario::kClose:
        Check(closes(step.target == "Form1" ? main : FindTop(L"原理", false)),
              (what + ": closed or refused at once").c_str());
        break;
    }
    HWND explanation = FindTop(L"原理", false);
    Check(TextOf(text2) == std::wstring(step.output.begin(), step.output.end()) &&
              (explanation != nullptr) == step.explanationOpen &&
              IsWindowEnabled(main) == !step.explanationOpen && IsWindowVisible(main),
          (what + ": output, explanation window and main window as expected").c_str());
    if (explanation && step.action == scenario::kClick) {
      Check(GetWindow(explanation, GW_OWNER) == nullptr &&
                TextOf(item(explanation, form2, "Label9")) == L"MB=(GB-1)*2+GB*1024",
            "  the explanation has no owner and shows both rules");
    }
  }

  // Escape closes the explanation window and puts the focus back on the button that opened it.
  PostMessageW(command2, BM_CLICK, 0, 0);
  HWND opened = WaitFor(L"原理", false);
  for (int i = 0; i < 40 && focus() != opened; ++i) Sleep(25);
  PostMessageW(opened, WM_KEYDOWN, VK_ESCAPE, 0);
  Check(opened && WaitUntilGone(opened), "Escape closes the explanation window");
  for (int i = 0; i < 40 && focus() != command2; ++i) Sleep(25);
  Check(focus() == command2 && IsWindowEnabled(main), "  and the focus is back on 了解原理");

  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == 0;
  Check(ended, "closing the main window ends the program cleanly");
  if (!ended) TerminateProcess(process.hProcess, 1);
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
