#include <gtest/gtest.h>

#include "tests/ui/engine_suite.h"
#include "tests/win32/win32_probe.h"

namespace engine_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, EngineSuite, Win32Probe);
}

namespace {

// An edit control draws its one line at the top: the box keeps its text in the middle of its
// height, also once the font has shrunk, and a press anywhere on its face, above or below the
// line, puts the caret in it.
TEST(TextBoxes, KeepTheirTextInTheMiddleAndTakeAPressAnywhere) {
  Win32Probe probe;
  for (const std::string_view box : {"Text1", "Text2"}) {
    probe.Type("Text1", u"16065.5");
    probe.Click("Command1");
    HWND edit = probe.Control(probe::FormId::kMainWindow, box);
    RECT outside{}, line{};
    GetWindowRect(edit, &outside);
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));  // its text's first line
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&line), 2);
    HDC context = GetDC(edit);
    SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW font{};
    GetTextMetricsW(context, &font);
    ReleaseDC(edit, context);
    const LONG above = line.top - outside.top, below = outside.bottom - line.top - font.tmHeight;
    EXPECT_LE(std::abs(above - below), 1) << box << ": " << above << " above, " << below << " below";
    for (const LONG y : {outside.top + 3, outside.bottom - 4}) {
      probe.Click("Command2");
      probe.Press(probe::FormId::kExplanationWindow, ui::Key::kEscape);
      probe.PressAt({(outside.left + outside.right) / 2, y});
      EXPECT_EQ(GetFocus(), edit) << box << " pressed at " << y - outside.top;
    }
  }
}

// The task bar grown over the main window: the system says the work area changed, and the window
// moves into what is left of it.
TEST(WorkArea, AChangeMovesTheWindowInside) {
  Win32Probe probe;
  HWND main = GetAncestor(probe.Control(probe::FormId::kMainWindow, "Text1"), GA_ROOT);
  RECT work{}, window{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(main, &window);
  RECT left{window.left + 20, window.top + 20, work.right, work.bottom};
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &left, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);  // as the task bar does
  probe.Pump();
  GetWindowRect(main, &window);
  SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  EXPECT_TRUE(window.left >= left.left && window.top >= left.top && window.right <= left.right &&
              window.bottom <= left.bottom)
      << window.left << "," << window.top << " in " << left.left << "," << left.top;
}

}  // namespace
