#include <gtest/gtest.h>

#include "tests/ui/console/console_probe.h"
#include "tests/ui/engine_suite.h"

namespace engine_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(Console, EngineSuite, ConsoleProbe);
}

namespace {

// A press in a text box puts the caret where it was pressed: before the character there, or after
// the text where it was pressed past its end; in a cut text too, its view staying where it was.
TEST(TextBoxes, APressPutsTheCaretWhereItWasPressed) {
  ConsoleProbe probe;
  const ui::Rect cells = probe.Cells(probe::FormId::kMainWindow, "Text1");
  probe.Type("Text1", u"123456");
  probe.PressAt(cells.left + probe.LeftOfText("Text1") + 2, cells.top);
  EXPECT_EQ(probe.Caret("Text1"), 2u);
  probe.PressAt(cells.left + cells.width - 1, cells.top);
  EXPECT_EQ(probe.Caret("Text1"), 6u);
  probe.Type("Text1", u"123456789012345");
  probe.Press(probe::FormId::kMainWindow, ui::Key::kEnter);
  const int pressed = cells.left + probe.LeftOfText("Text1") + 2;  // the third character shown
  probe.PressAt(pressed, cells.top);
  EXPECT_EQ(probe.Cursor().col, pressed);
}

// A character beyond the sixteen-bit range, as many Chinese ones are, is one to the caret and two
// cells on the screen.
TEST(TextBoxes, TakeACharacterOfTwoUnitsAsOne) {
  ConsoleProbe probe;
  probe.Type("Text1", u"\U00020000" u"4");
  for (const auto& [key, caret] : {std::pair{ui::Key::kLeft, 2u}, {ui::Key::kLeft, 0u}, {ui::Key::kRight, 2u},
                                   {ui::Key::kRight, 3u}, {ui::Key::kRight, 3u}}) {
    probe.Press(probe::FormId::kMainWindow, key);
    EXPECT_EQ(probe.Caret("Text1"), caret);
  }
  probe.Compose("Text1", u"5");  // typed at the end, where Right left the caret
  EXPECT_EQ(probe.Text(probe::FormId::kMainWindow, "Text1"), u"\U00020000" u"45");
}

// The explanation's lines, each on its row across its width, between the texts it separates.
TEST(Lines, AreDrawnWhereTheyStand) {
  ConsoleProbe probe;
  probe.Click("Command2");
  for (const char* line : {"Line2", "Line3"}) {
    const int width = probe.Cells(probe::FormId::kExplanationWindow, line).width;
    EXPECT_EQ(probe.Text(probe::FormId::kExplanationWindow, line), std::u16string(width, u'\u2500')) << line;
  }
}

// The mouse drags a window by its title bar, where the core lets it go: its frame whole on the
// screen, in the corner at the farthest.
TEST(Mouse, DragsAWindowByItsTitleBar) {
  ConsoleProbe probe;
  const ui::Rect before = probe.ClientOf(probe::FormId::kMainWindow);
  probe.Drag({before.left + 3, before.top - 1}, {before.left - 2, before.top + 1});
  const ui::Rect after = probe.ClientOf(probe::FormId::kMainWindow);
  EXPECT_EQ(after.left * 100 + after.top, (before.left - 5) * 100 + before.top + 2);
  probe.Drag({after.left + 3, after.top - 1}, {0, 0});
  const ui::Rect corner = probe.ClientOf(probe::FormId::kMainWindow);
  EXPECT_EQ(corner.left * 100 + corner.top, 101);  // inside the border's first column and row
}

}  // namespace
