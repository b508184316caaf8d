#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/ui/probe.h"
#include "tests/ui/scenario.h"
#include "ui/forms.h"

// What every engine must do alike, run on each engine's probe (a default-constructible
// probe::Probe). Expected values come from the designs' own rules or from arithmetic done here,
// never from the tables under test.
namespace engine_suite {

using probe::FormId;
using ui::Key;

inline std::string Narrow(std::u16string_view text) { return {text.begin(), text.end()}; }

template <typename Probe>
class EngineSuite : public testing::Test {
 protected:
  Probe probe;

  // A control's designed font in the windows' units: a cell's row in a terminal's.
  int Designed(const ui::WindowDesign& design, const ui::ControlDesign& control) {
    return probe.Units().cells ? 1 : ui::FontPixels(ui::FontOf(design, control), probe.Units().dpi);
  }
  // Every control of an open window at its designed font, at the windows' scale.
  void ExpectDesignedFonts(FormId form) {
    const ui::WindowDesign& design = ui::Calculator().windows[form].design();
    for (const ui::ControlDesign& control : design.controls) {
      if (control.kind == ui::ControlKind::kLine) continue;
      EXPECT_EQ(probe.FontPixels(form, control.name), Designed(design, control))
          << control.name << " at " << probe.Units().dpi << " dpi";
    }
  }
};

TYPED_TEST_SUITE_P(EngineSuite);

// The program starts with the old rule, the keyboard in the input and 开始计算 the default button;
// then each step of the scenario leaves the windows as it says.
TYPED_TEST_P(EngineSuite, RunsTheScenario) {
  auto& probe = this->probe;
  EXPECT_TRUE(probe.Checked("Option1") && probe.HasIcon(FormId::kMainWindow));
  EXPECT_EQ(probe.Focused(FormId::kMainWindow) + " " + probe.DefaultButton(), "Text1 Command1");
  this->ExpectDesignedFonts(FormId::kMainWindow);
  for (const scenario::Step& step : scenario::kSteps) {
    SCOPED_TRACE(std::string(step.target) + " " + Narrow(step.typed));
    if (step.action == scenario::kType) probe.Type(step.target, step.typed);
    if (step.action == scenario::kClick) probe.Click(step.target);
    if (step.action == scenario::kClose) probe.Close(step.target == "Form1" ? FormId::kMainWindow : FormId::kExplanationWindow);
    EXPECT_EQ(Narrow(probe.Text(FormId::kMainWindow, "Text2")), Narrow(step.output));
    ASSERT_TRUE(probe.Open(FormId::kMainWindow));
    EXPECT_TRUE(probe.OnScreen(FormId::kMainWindow));  // also where its close was refused
    EXPECT_EQ(probe.Open(FormId::kExplanationWindow), step.explanationOpen);
    EXPECT_EQ(probe.Enabled(FormId::kMainWindow), !step.explanationOpen);
    const std::vector<probe::Box> boxes = probe.TakeBoxes();
    if (step.box == scenario::kNone) {
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    ASSERT_EQ(boxes.size(), 1u);
    const scenario::ExpectedBox expected = scenario::Expected(step.box);
    EXPECT_TRUE(boxes[0].title == expected.title && boxes[0].text == expected.text);
    EXPECT_EQ(boxes[0].icon, expected.critical ? ui::MessageIcon::kError : ui::MessageIcon::kWarning);
    EXPECT_TRUE(boxes[0].ownedByMain);
    // Back in the input, its text selected, so that typing replaces what was refused.
    EXPECT_EQ(probe.Focused(FormId::kMainWindow), "Text1");
    EXPECT_EQ(probe.Selection("Text1"), probe.Text(FormId::kMainWindow, "Text1"));
  }
}

// Tab goes round the stops: the two boxes, the selected option, 开始计算 and 了解原理; Shift+Tab
// goes back. The button shown as the default is the one Enter clicks: the focused button, else
// 开始计算. Enter in the input calculates, on 了解原理 opens the explanation; with Shift, Enter and
// Escape do as without, with Ctrl or Alt they are the toolkit's.
TYPED_TEST_P(EngineSuite, TabAndEnterFollowTheRules) {
  auto& probe = this->probe;
  // The stops in Tab order, and the button Enter clicks on each: round once, and back.
  const std::pair<std::string, std::string> ring[] = {{"Text1", "Command1"}, {"Text2", "Command1"},
      {"Option1", "Command1"}, {"Command1", "Command1"}, {"Command2", "Command2"}};
  for (int step = 1; step <= 10; ++step) {
    const auto& [stop, button] = ring[step <= 5 ? step % 5 : (10 - step) % 5];
    probe.Press(FormId::kMainWindow, Key::kTab, step <= 5 ? 0u : unsigned{ui::kShift});
    EXPECT_EQ(probe.Focused(FormId::kMainWindow), stop);
    EXPECT_EQ(probe.DefaultButton(), button) << "on " << stop;
  }
  probe.Type("Text1", u"4");
  probe.Press(FormId::kMainWindow, Key::kEnter, ui::kCtrl);  // the toolkit's, with Ctrl or Alt
  probe.Press(FormId::kMainWindow, Key::kEnter, ui::kAlt);
  EXPECT_EQ(probe.Text(FormId::kMainWindow, "Text2"), u"");
  probe.Press(FormId::kMainWindow, Key::kEnter, probe::kKeypad);  // the keypad's as the main one
  EXPECT_EQ(probe.Text(FormId::kMainWindow, "Text2"), u"4102");  // (4 - 1) * 2 + 4 * 1024
  probe.Press(FormId::kMainWindow, Key::kTab, ui::kShift);
  probe.Press(FormId::kMainWindow, Key::kEnter, ui::kShift);  // with Shift as without
  ASSERT_TRUE(probe.Open(FormId::kExplanationWindow));
  EXPECT_EQ(probe.Front(), FormId::kExplanationWindow);
  probe.Press(FormId::kExplanationWindow, Key::kTab);  // the explanation has no stop; Tab stays in it
  probe.Press(FormId::kExplanationWindow, Key::kEnter);
  EXPECT_EQ(probe.Front(), FormId::kExplanationWindow);
  EXPECT_EQ(probe.Focused(FormId::kMainWindow), "");
  probe.Press(FormId::kExplanationWindow, Key::kEscape, ui::kShift);
  EXPECT_FALSE(probe.Open(FormId::kExplanationWindow));
  EXPECT_TRUE(probe.TakeBoxes().empty());
}

// A box answers Enter, Space and Escape as it does a press on its one button; where the core is
// the window manager, Alt+F4 and the close key too. Then the main window takes input again.
TYPED_TEST_P(EngineSuite, ABoxAnswersItsKeys) {
  auto& probe = this->probe;
  std::vector<std::pair<Key, unsigned>> keys{{Key::kEnter, 0}, {Key::kSpace, 0}, {Key::kEscape, 0}};
  if (!probe.WindowManager()) keys.insert(keys.end(), {{Key::kF4, ui::kAlt}, {Key::kW, ui::kCtrl}});
  for (const auto& [key, modifiers] : keys) {
    probe.AnswerBoxesWith(key, modifiers);
    probe.Type("Text1", u"");
    probe.Click("Command1");
    EXPECT_EQ(probe.TakeBoxes().size(), 1u);
    EXPECT_EQ(probe.Focused(FormId::kMainWindow), "Text1");
  }
}

// In the option group the arrow keys select and click the next option, round the group, as in a
// Windows dialog; on a button they do nothing; in a text box they move its caret.
TYPED_TEST_P(EngineSuite, ArrowKeysGoRoundTheOptionGroup) {
  auto& probe = this->probe;
  for (const std::string_view box : {"Text2", "Text1"}) {
    probe.Type(box, u"4");
    probe.Press(FormId::kMainWindow, Key::kLeft);
    EXPECT_EQ(probe.Caret(box), 0u) << box;
    probe.Press(FormId::kMainWindow, Key::kRight);
    EXPECT_EQ(probe.Caret(box), 1u) << box;
  }
  probe.Press(FormId::kMainWindow, Key::kTab);   // into the result box, its text all selected
  probe.Press(FormId::kMainWindow, Key::kDown);  // which a one-line box has no use for
  EXPECT_EQ(probe.Text(FormId::kMainWindow, "Text2"), u"4");
  while (probe.Focused(FormId::kMainWindow) != "Option1") probe.Press(FormId::kMainWindow, Key::kTab);
  const std::tuple<Key, std::string, std::u16string> presses[] = {
      {Key::kDown, "Option2", u"4103"}, {Key::kRight, "Option1", u"4102"},
      {Key::kUp, "Option2", u"4103"}, {Key::kLeft, "Option1", u"4102"}};
  for (const auto& [key, option, result] : presses) {
    probe.Press(FormId::kMainWindow, key);
    EXPECT_EQ(probe.Focused(FormId::kMainWindow), option);
    EXPECT_TRUE(probe.Checked(option)) << option;
    EXPECT_EQ(probe.Text(FormId::kMainWindow, "Text2"), result);
  }
  // On a button the arrows, and chords the core does not answer (Ctrl+Space, Ctrl+Enter, an arrow
  // with Shift or Alt), do nothing: 了解原理 opens nothing and keeps the focus.
  while (probe.Focused(FormId::kMainWindow) != "Command2") probe.Press(FormId::kMainWindow, Key::kTab);
  const std::pair<Key, unsigned> nothing[] = {{Key::kDown, 0}, {Key::kRight, 0}, {Key::kUp, 0}, {Key::kLeft, 0},
      {Key::kSpace, ui::kCtrl}, {Key::kEnter, ui::kCtrl}, {Key::kDown, ui::kShift}, {Key::kDown, ui::kAlt}};
  for (const auto& [key, modifiers] : nothing) {
    probe.Press(FormId::kMainWindow, key, modifiers);
    EXPECT_EQ(probe.Focused(FormId::kMainWindow), "Command2");
  }
  EXPECT_FALSE(probe.Open(FormId::kExplanationWindow));
}

// The explanation stays in front of the disabled main window, even raised, and a window manager
// that minimises it, as it has no minimise button, sees it back at once; Escape closes it as it
// closes a dialog, and the focus goes back to the button that opened it. The main window does not
// close on Escape.
TYPED_TEST_P(EngineSuite, TheExplanationStaysInFrontUntilEscapeClosesIt) {
  auto& probe = this->probe;
  probe.Press(FormId::kMainWindow, Key::kEscape);
  ASSERT_TRUE(probe.Open(FormId::kMainWindow));
  probe.Click("Command2");
  ASSERT_TRUE(probe.Open(FormId::kExplanationWindow));
  EXPECT_TRUE(probe.HasIcon(FormId::kExplanationWindow));
  this->ExpectDesignedFonts(FormId::kExplanationWindow);
  probe.Leave();
  probe.Raise(FormId::kMainWindow);  // from another program
  EXPECT_EQ(probe.Front(), FormId::kExplanationWindow);
  probe.Minimise(FormId::kExplanationWindow);
  EXPECT_TRUE(probe.OnScreen(FormId::kExplanationWindow));
  EXPECT_EQ(probe.Front(), FormId::kExplanationWindow);
  probe.Press(FormId::kExplanationWindow, Key::kEscape);
  EXPECT_FALSE(probe.Open(FormId::kExplanationWindow));
  EXPECT_TRUE(probe.Enabled(FormId::kMainWindow));
  EXPECT_EQ(probe.Front(), FormId::kMainWindow);
  EXPECT_EQ(probe.Focused(FormId::kMainWindow), "Command2");
  EXPECT_EQ(probe.DefaultButton(), "Command2");
  // Coming back to the program, by a press on its window, finds the keyboard where it was.
  probe.Leave();
  probe.Raise(FormId::kMainWindow);
  EXPECT_TRUE(probe.Open(FormId::kMainWindow) && probe.Front() == FormId::kMainWindow);
  EXPECT_EQ(probe.Focused(FormId::kMainWindow), "Command2");
}

// Whether what a text box draws reads right: whole characters only, and a cut mark at an end
// exactly where characters are hidden beyond it.
inline testing::AssertionResult ReadsRight(const probe::Visible& shown, std::size_t length) {
  if (shown.whole > 0 && !shown.partOfAnother && (shown.first > 0) == shown.markLeft &&
      (shown.first + shown.whole < length) == shown.markRight) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << shown.whole << " whole of " << length << " from " << shown.first
                                     << ", part of another " << shown.partOfAnother << ", marks "
                                     << shown.markLeft << shown.markRight;
}

// A number too wide for its box shrinks the box's font until it shows whole: a size of up to
// seven characters, a result of up to twelve digits. A result too wide even at the smallest font
// shows whole characters from the first and the cut mark; a short text gets the designed font
// back, in pixels (a terminal's cells have one size). A cut text is the box's tooltip, a whole one
// has none.
TYPED_TEST_P(EngineSuite, LongNumbersShowWholeCharacters) {
  auto& probe = this->probe;
  const struct {
    std::u16string_view typed;
    bool shrinks, whole;  // the result's font, and its characters
  } cases[] = {
      {u"16065", true, true},                  // eight digits
      {u"-1e20", true, true},                  // -1.024E+23 and more
      {u"1.2345678901234E+200", true, false},  // 1.26666665526661E+203
      {u"99999999", true, true},               // 102599998972: twelve digits
      {u"1", false, true},                     // after a shrink, the designed font again
  };
  for (const std::u16string_view size : {u"1024.25", u"16065.5", u"2048.25", u"123456", u"0.0001"}) {
    probe.Type("Text1", size);
    probe.Press(FormId::kMainWindow, Key::kTab);
    EXPECT_TRUE(ReadsRight(probe.Shown("Text1"), size.size()));
    EXPECT_EQ(probe.Shown("Text1").whole, size.size()) << Narrow(size);
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.typed));
    probe.Type("Text1", c.typed);
    probe.Click("Command1");
    const std::string_view box = "Text2";
    const std::u16string text = probe.Text(FormId::kMainWindow, box);
    const int designed = this->Designed(ui::Form1Design(), ui::Form1Design().Control(box));
    EXPECT_EQ(probe.FontPixels(FormId::kMainWindow, box) < designed, c.shrinks && !probe.Units().cells);
    const probe::Visible visible = probe.Shown(box);
    EXPECT_TRUE(ReadsRight(visible, text.size()));
    EXPECT_EQ(visible.whole == text.size(), c.whole);
    const auto tooltip = probe.Tooltip(box);
    EXPECT_EQ(tooltip.value_or(text), c.whole && tooltip ? u"" : text);
  }
}

// A cut text reads right however the user came to it: typed and calculated with the keyboard
// still in the box (its end shows, the mark before it), left for the next box (its start), a cut
// result tabbed into (its start, all selected), a paste far too long for its box, and walked through
// from its start.
TYPED_TEST_P(EngineSuite, CutTextsReadRight) {
  auto& probe = this->probe;
  const std::u16string size = u"123456789012345";  // fifteen digits, as written
  probe.Type("Text1", size);
  probe.Press(FormId::kMainWindow, Key::kEnter);
  const probe::Visible typed = probe.Shown("Text1");
  EXPECT_TRUE(ReadsRight(typed, size.size()));
  EXPECT_TRUE(typed.markLeft);
  EXPECT_EQ(probe.Tooltip("Text1").value_or(size), size);
  probe.Press(FormId::kMainWindow, Key::kTab);
  EXPECT_EQ(probe.Focused(FormId::kMainWindow), "Text2");
  const probe::Visible left = probe.Shown("Text1"), result = probe.Shown("Text2");
  EXPECT_TRUE(ReadsRight(left, size.size()));
  EXPECT_TRUE(left.markRight);
  const std::u16string text = probe.Text(FormId::kMainWindow, "Text2");
  EXPECT_TRUE(ReadsRight(result, text.size()));
  EXPECT_TRUE(result.markRight && probe.Selection("Text2") == text);
  probe.Paste("Text1", std::u16string(3000, u'7'));
  EXPECT_TRUE(ReadsRight(probe.Shown("Text1"), 3000));
  // Home, then Right: the first characters, no mark before them; then as far right as the caret
  // goes, each view reading right.
  probe.Type("Text1", size);
  probe.PressHome();
  probe.Press(FormId::kMainWindow, Key::kRight);
  const probe::Visible start = probe.Shown("Text1");
  EXPECT_TRUE(ReadsRight(start, size.size()));
  EXPECT_EQ(start.first, 0u);
  for (std::size_t caret = 1; caret < size.size(); ++caret) {
    probe.Press(FormId::kMainWindow, Key::kRight);
    EXPECT_TRUE(ReadsRight(probe.Shown("Text1"), size.size())) << "the caret at " << caret + 1;
  }
}

// What a paste puts into a box is what the box shows: a spreadsheet's cell with its tab, or a text
// with C1 and C0 controls in it, leaves the digits alone. A tooltip of a text far too long for its
// box lies within the screen, and follows a text an input method gives while it shows.
TYPED_TEST_P(EngineSuite, APasteKeepsNoInvisibleCharacter) {
  auto& probe = this->probe;
  for (const std::u16string_view pasted : {u"4\t", u"\u00854\u0007", u"4\r\n"}) {
    probe.Paste("Text1", pasted);
    EXPECT_EQ(probe.Text(FormId::kMainWindow, "Text1"), u"4");
    probe.Press(FormId::kMainWindow, Key::kEnter);
    EXPECT_EQ(probe.Text(FormId::kMainWindow, "Text2"), u"4102");
    EXPECT_TRUE(probe.TakeBoxes().empty());
  }
  probe.Paste("Text1", std::u16string(10000, u'7'));
  probe.Hover("Text1");
  const std::optional<probe::Tip> tip = probe.TipShown();
  EXPECT_TRUE(tip ? tip->fits : !probe.Tooltip("Text1"));  // shown wherever there are tooltips
  probe.Type("Text1", u"1234567890123456");
  probe.Hover("Text1");
  probe.Compose("Text1", u"78");
  EXPECT_EQ(probe.Text(FormId::kMainWindow, "Text1"), u"123456789012345678");
  EXPECT_EQ(probe.TipShown().value_or(probe::Tip{}).text, tip ? u"123456789012345678" : u"");
}

// Every control is drawn inside its window's client area.
TYPED_TEST_P(EngineSuite, EveryControlIsInsideItsWindow) {
  auto& probe = this->probe;
  probe.Click("Command2");
  for (const FormId form : {FormId::kMainWindow, FormId::kExplanationWindow}) {
    const ui::Rect client = probe.Drawn(form, "");
    for (const ui::ControlDesign& control : ui::Calculator().windows[form].design().controls) {
      if (control.kind == ui::ControlKind::kLine) continue;
      const ui::Rect drawn = probe.Drawn(form, control.name);
      EXPECT_TRUE(drawn.left >= 0 && drawn.top >= 0 && drawn.left + drawn.width <= client.width &&
                  drawn.top + drawn.height <= client.height)
          << control.name << " at " << drawn.left << "," << drawn.top << " " << drawn.width << "x"
          << drawn.height << " in " << client.width << "x" << client.height;
    }
  }
}

// A screen reader hears every new result, also one equal to the last; a refusal says nothing.
TYPED_TEST_P(EngineSuite, EveryResultIsAnnounced) {
  auto& probe = this->probe;
  probe.Type("Text1", u"4");
  probe.Click("Command1");
  probe.Click("Command1");
  probe.Click("Option2");
  probe.Type("Text1", u"");
  probe.Click("Command1");
  probe.TakeBoxes();
  const auto heard = probe.TakeAnnounced();
  if (!heard) GTEST_SKIP() << "this engine's probe hears no screen reader";
  EXPECT_EQ(*heard, (std::vector<std::u16string>{u"4102", u"4102", u"4103"}));
}

// The worked example, from its own arithmetic: a cylinder's bytes, 4 GB in bytes, the cylinders
// that takes rounded up, their bytes, and their megabytes rounded up; each line's numbers in turn.
TYPED_TEST_P(EngineSuite, TheExplanationWorksTheExample) {
  auto& probe = this->probe;
  constexpr long long kCylinder = 512 * 255 * 63, kBytes = 4LL * 1024 * 1024 * 1024;
  constexpr long long kCylinders = kBytes / kCylinder + 1, kWholeBytes = kCylinders * kCylinder;
  const auto n = [](long long number) { return std::to_string(number); };
  const auto quotient = [](long long dividend, long long divisor) {  // cut after five places
    char digits[32];
    std::snprintf(digits, sizeof digits, "%lld.%05lld", dividend / divisor,
                  dividend % divisor * 100000 / divisor);
    return std::string(digits);
  };
  const std::pair<const char*, std::vector<std::string>> lines[] = {
      {"Label1", {"1", "512", "255", "63", n(kCylinder)}},
      {"Label2", {"4", "4", "4", "1024", "1024", "1024", n(kBytes)}},
      {"Label3", {n(kBytes), n(kCylinder), quotient(kBytes, kCylinder), n(kCylinders)}},
      {"Label4", {n(kCylinders), n(kCylinder), n(kWholeBytes)}},
      {"Label5", {n(kWholeBytes), "1024", "1024", quotient(kWholeBytes, 1048576),
                  n(kWholeBytes / 1048576 + 1)}},
  };
  probe.Click("Command2");
  for (const auto& [label, numbers] : lines) {
    std::string shown;  // the numbers, anything else a blank
    for (const char16_t c : probe.Text(FormId::kExplanationWindow, label)) {
      shown += (c >= u'0' && c <= u'9') || c == u'.' ? static_cast<char>(c) : ' ';
    }
    std::vector<std::string> found;
    for (std::istringstream words(shown); words >> shown;) {
      if (shown != ".") found.push_back(shown);
    }
    EXPECT_EQ(found, numbers) << label;
  }
}

REGISTER_TYPED_TEST_SUITE_P(EngineSuite, RunsTheScenario, TabAndEnterFollowTheRules,
                            ABoxAnswersItsKeys, ArrowKeysGoRoundTheOptionGroup,
                            TheExplanationStaysInFrontUntilEscapeClosesIt, LongNumbersShowWholeCharacters,
                            CutTextsReadRight, APasteKeepsNoInvisibleCharacter, EveryControlIsInsideItsWindow,
                            EveryResultIsAnnounced,
                            TheExplanationWorksTheExample);

}  // namespace engine_suite
