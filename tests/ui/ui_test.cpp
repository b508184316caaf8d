#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/ui/engine_suite.h"
#include "tests/ui/fake_probe.h"
#include "ui/design_checks.h"
#include "ui/rules.h"

namespace {

// The fake engine with a window manager and boxes of its own, and with the core as the window
// manager, its boxes the core's.
using Managed = fake::Probe<ui::kWindowManager | ui::kNativeBoxes>;
using Unmanaged = fake::Probe<0>;

}  // namespace

namespace engine_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(FakeManaged, EngineSuite, Managed);
INSTANTIATE_TYPED_TEST_SUITE_P(FakeUnmanaged, EngineSuite, Unmanaged);
}

namespace {

using ui::FormId;

// What only the fake engine can show: the handlers' side of the engine interface.
class Windows : public testing::Test {
 protected:
  fake::Window& Shown(FormId form) {
    return static_cast<fake::Window&>(probe.core.Loaded(form)->Native());
  }
  fake::Window& Main() { return Shown(FormId::kMainWindow); }

  Managed probe;
};

TEST_F(Windows, TheRequestsUseTheUsersDecimalSeparator) {
  probe.engine.separator = u',';
  probe.Type("Text1", u"1.25");
  probe.Click("Command1");
  EXPECT_EQ(Main().Text("Text2"), u"1280,5");
}

TEST_F(Windows, AFailedControlAccessIsReportedAndEndsTheHandler) {
  probe.Type("Text1", u"4");
  Main().failing = true;
  Main().report({ui::Event::Kind::kClicked, "Command1"});
  const std::vector<probe::Box> boxes = probe.TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"无法访问控件");
  EXPECT_EQ(boxes[0].icon, ui::MessageIcon::kError);
  Main().failing = false;
  EXPECT_EQ(Main().Text("Text2"), u"");
  Main().report({ui::Event::Kind::kEdited, "Text9"});  // a control the window does not have
  EXPECT_EQ(probe.TakeBoxes().at(0).text, u"无法访问控件");
}

using Kind = ui::Event::Kind;

// A disabled window takes no input and cannot be closed; brought up, it brings up the window that
// takes input. The explanation, which has no control, takes the keyboard itself, and is read out
// whole only when it opens.
TEST_F(Windows, TheCoreDecidesWhatAWindowDoesWithItsInput) {
  probe.Type("Text1", u"4");
  probe.Click("Command2");
  EXPECT_FALSE(Main().report({Kind::kClicked, "Command1"}) ||
               Main().report({Kind::kKey, {}, ui::Key::kEnter}) ||
               Main().report({Kind::kCloseAsked}));
  EXPECT_EQ(Main().Text("Text2"), u"");
  fake::Window& explanation = Shown(FormId::kExplanationWindow);
  explanation.focus = "elsewhere";
  Main().Show();
  Main().report({Kind::kActivated});
  EXPECT_EQ(probe.engine.stacking.back(), &explanation);
  EXPECT_EQ(explanation.focus, "");
  EXPECT_EQ(explanation.announced.size(), 1u);
}

// Where no window manager closes the active window on Alt+F4, the core does, and on the close
// key, Ctrl+W, as it does the close box: not the disabled main window. Elsewhere Alt+F4 is the
// window manager's.
TEST_F(Windows, AltF4AndTheCloseKeyCloseWhereNoWindowManagerDoes) {
  EXPECT_FALSE(Main().report({Kind::kKey, {}, ui::Key::kF4, ui::kAlt}));
  Main().report({Kind::kKey, {}, ui::Key::kW, ui::kCtrl});
  EXPECT_TRUE(probe.Open(FormId::kMainWindow));
  probe.engine.capabilities = 0;
  probe.Click("Command2");
  EXPECT_FALSE(Main().report({Kind::kKey, {}, ui::Key::kF4, ui::kAlt}));
  Shown(FormId::kExplanationWindow).report({Kind::kKey, {}, ui::Key::kF4, ui::kCtrl});
  EXPECT_TRUE(probe.Open(FormId::kExplanationWindow));
  EXPECT_TRUE(Shown(FormId::kExplanationWindow).report({Kind::kKey, {}, ui::Key::kW, ui::kCtrl}));
  EXPECT_FALSE(probe.Open(FormId::kExplanationWindow));
  EXPECT_TRUE(probe.engine.destroyed == 1 && !probe.engine.quit);  // destroyed once closed
  EXPECT_TRUE(Main().report({Kind::kKey, {}, ui::Key::kF4, ui::kAlt}));
  EXPECT_TRUE(probe.engine.destroyed == 2 && probe.engine.quit);  // the last ends the program
}

// A key the core does not answer is the toolkit's in a text box only (Tab with Ctrl), and for the
// window manager (Alt+Space); on an option or a button it does nothing (an arrow with Shift).
TEST_F(Windows, KeysTheCoreLeavesAreATextBoxsOnly) {
  probe.Type("Text1", u"4");
  EXPECT_FALSE(Main().report({Kind::kKey, {}, ui::Key::kTab, ui::kCtrl}) || Main().focus != "Text1");
  while (Main().focus != "Option1") Main().report({Kind::kKey, {}, ui::Key::kTab});
  EXPECT_FALSE(Main().report({Kind::kKey, {}, ui::Key::kSpace, ui::kAlt}));
  EXPECT_TRUE(Main().report({Kind::kKey, {}, ui::Key::kDown, ui::kShift}));
  EXPECT_TRUE(Main().Value("Option1") && Main().focus == "Option1");
  EXPECT_TRUE(Main().report({Kind::kKey, {}, ui::Key::kSpace, ui::kShift}));  // as without
  EXPECT_EQ(Main().Text("Text2"), u"4102");
}

// Where the core is the window manager, a window the user drags goes where it was dragged (kept on
// the screen as Placing shows); a disabled one does not move (a press on it is the engine suite's).
TEST(WindowManager, MovesAWindowByItsTitleBar) {
  Unmanaged probe;
  auto& main = static_cast<fake::Window&>(probe.core.Loaded(FormId::kMainWindow)->Native());
  EXPECT_TRUE(main.report({Kind::kDragged, {}, ui::Key::kTab, 0, {100, 200}}));
  EXPECT_EQ(main.placement.client.x * 1000 + main.placement.client.y, 100 * 1000 + 200);
  probe.Click("Command2");
  EXPECT_FALSE(main.report({Kind::kDragged, {}, ui::Key::kTab, 0, {300, 400}}));
  EXPECT_EQ(main.placement.client.x * 1000 + main.placement.client.y, 100 * 1000 + 200);
}

// Where the core is the window manager, a window not whole on its screen, in either direction,
// shows a notice with the size every window needs instead, and takes no input until the screen
// is large enough: no click, no key, no close.
TEST(WindowManager, AWindowNotWholeTakesNoInput) {
  Unmanaged probe;
  auto& main = static_cast<fake::Window&>(probe.core.Loaded(FormId::kMainWindow)->Native());
  probe.Type("Text1", u"4");
  const std::string size = std::to_string(ui::TwipsToPixels(ui::Form2Design().clientWidth)) + "x" +
                           std::to_string(ui::TwipsToPixels(ui::Form2Design().clientHeight));
  std::u16string needed(size.begin(), size.end());  // the larger window's
  needed[needed.find(u'x')] = u'\u00d7';
  for (const ui::Rect screen : {ui::Rect{0, 0, 1000, 100}, ui::Rect{0, 0, 100, 1000}}) {
    main.workArea = screen;
    main.report({Kind::kFramed});
    EXPECT_EQ(main.placement.notice, u"窗口太小，至少需要" + needed);
    EXPECT_FALSE(main.enabled);
    EXPECT_FALSE(main.report({Kind::kPressed}) || main.report({Kind::kClicked, "Command1"}) ||
                 main.report({Kind::kKey, {}, ui::Key::kEnter}) || main.report({Kind::kCloseAsked}));
    EXPECT_EQ(main.Text("Text2"), u"");
  }
  main.workArea = {0, 0, 1000, 1000};
  main.report({Kind::kFramed});
  EXPECT_TRUE(main.enabled && main.placement.notice.empty());
  EXPECT_TRUE(main.report({Kind::kKey, {}, ui::Key::kEnter}));
  EXPECT_EQ(main.Text("Text2"), u"4102");
}

// Where the design puts a window, unless its frame would leave the work area: then just inside.
// On a small touch screen, in its corner, 8 pixels in at 96 dpi, scaled to fit where the widest
// window would not and the engine can scale; a narrow screen without touch is no phone's.
TEST(Placing, KeepsTheWholeWindowOnItsScreen) {
  constexpr unsigned kPhone = ui::kTouch | ui::kScalesWindows;
  struct Case {
    ui::Rect designed; ui::Margins frame; ui::Rect work; ui::Point expected;
    double scale = 1; int finger = 0; unsigned capabilities = kPhone; int dpi = 96;
    std::optional<ui::Point> dragged = std::nullopt; int widest = 534;
    std::optional<ui::Rect> together = std::nullopt;  // else the window alone
  };
  const Case cases[] = {
      {{480, 454, 308, 165}, {4, 30, 4, 4}, {0, 0, 1920, 1080}, {480, 454}},
      {{0, 0, 308, 165}, {}, {0, 0, 1920, 1080}, {0, 0}},  // no frame: in the very corner
      // The explanation window at 144 dpi on a 1280 x 800 screen: 492 + 347 + 8 is past 800.
      {{683, 492, 534, 347}, {8, 30, 8, 8}, {0, 0, 1280, 800}, {683, 800 - 8 - 347}},
      {{-20, -5, 308, 165}, {4, 30, 4, 4}, {0, 24, 640, 480}, {4, 24 + 30}},
      {{0, 0, 900, 700}, {4, 30, 4, 4}, {0, 0, 640, 480}, {4, 30}},  // larger than the screen
      {{480, 454, 308, 165}, {4, 30, 4, 4}, {0, 0, 599, 480}, {599 - 4 - 308, 480 - 4 - 165},
       1, 0, ui::kScalesWindows},  // narrow, but not touched
      // A phone 360 pixels wide: 534 + 2 scaled to 360 - 2 * 8.
      {{480, 454, 308, 165}, {1, 27, 1, 1}, {0, 0, 360, 740}, {9, 8 + 17}, 344.0 / 536, 24},
      {{683, 492, 534, 347}, {1, 27, 1, 1}, {0, 40, 360, 740}, {9, 40 + 8 + 17}, 344.0 / 536, 24},
      // Narrow windows on a phone keep their size, in its corner; so do all where the engine
      // cannot scale, and a finger is as wide at 192 dpi as 48 pixels.
      {{480, 454, 308, 165}, {1, 27, 1, 1}, {0, 0, 599, 740}, {9, 35}, 1, 24, kPhone, 96, {}, 300},
      {{480, 454, 308, 165}, {2, 54, 2, 2}, {0, 0, 1000, 1480}, {18, 70}, 1, 48, ui::kTouch, 192},
      // Dragged, on a desktop and on a phone: where it was dragged to, kept whole on the screen.
      {{480, 454, 308, 165}, {4, 30, 4, 4}, {0, 0, 1920, 1080}, {100, 200}, 1, 0, 0, 96, {{100, 200}}},
      {{480, 454, 308, 165}, {4, 30, 4, 4}, {0, 0, 1920, 1080}, {4, 1080 - 4 - 165}, 1, 0, 0, 96,
       {{-50, 5000}}},
      {{480, 454, 308, 165}, {1, 27, 1, 1}, {0, 0, 360, 740}, {360 - 1 - 198, 17}, 344.0 / 536, 24,
       kPhone, 96, {{300, 0}}},
      // The explanation in an 80 x 24 terminal, with the main window: both moved 56 cells left and
      // 10 up, so that the main window's title still shows above the explanation.
      {{75, 19, 60, 14}, {1, 1, 1, 1}, {0, 0, 80, 24}, {19, 9}, 1, 0, 0, 96, {}, 60, {{74, 18, 61, 15}}},
      {{80, 18, 52, 10}, {1, 1, 1, 1}, {0, 0, 80, 24}, {24, 8}, 1, 0, 0, 96, {}, 60, {{74, 18, 61, 15}}},
  };
  for (const Case& c : cases) {
    const ui::Placement placed = ui::PlaceWindow({c.designed, c.together.value_or(c.designed), c.frame,
                                                  c.work, c.widest, {c.dpi, false}, c.capabilities,
                                                  c.dragged});
    EXPECT_EQ(placed.client.x, c.expected.x);
    EXPECT_EQ(placed.client.y, c.expected.y);
    EXPECT_DOUBLE_EQ(placed.scale, c.scale);
    EXPECT_EQ(placed.fingerPixels, c.finger);
  }
}

// Each window is placed again when its frame or screen changes; on a phone every window is drawn
// at one scale, at which the widest fits the screen's width, and what a finger presses is a
// finger tall on the screen, the options of a group one under the other.
TEST_F(Windows, ShareOneScaleOnAPhone) {
  probe.engine.capabilities = ui::kTouch | ui::kScalesWindows;
  probe.Click("Command2");
  for (fake::Window* window : {&Main(), &Shown(FormId::kExplanationWindow)}) {
    window->workArea = {0, 0, 360, 740};
    window->report({ui::Event::Kind::kFramed});
  }
  const double scale = Main().placement.scale;
  EXPECT_DOUBLE_EQ(Shown(FormId::kExplanationWindow).placement.scale, scale);
  const int widest = std::max(ui::TwipsToPixels(ui::Form1Design().clientWidth),
                              ui::TwipsToPixels(ui::Form2Design().clientWidth));
  EXPECT_DOUBLE_EQ(scale * widest + 2 * 8, 360);
  const ui::Rect first = Main().Laid("Option1").bounds, second = Main().Laid("Option2").bounds;
  for (const ui::Rect& pressed : {first, second, Main().Laid("Command1").bounds}) {
    EXPECT_GE(pressed.height * scale, 24);
  }
  EXPECT_EQ(second.top, first.top + first.height);
}

// A text n characters long measures n * pixels / 2 here, as half-width digits roughly do.
const auto kWidth = [](std::u16string_view text, int pixels) { return int(text.size()) * pixels / 2; };

TEST(FittingText, ShrinksInWholePixelsDownToAFloor) {
  struct Case {
    int designed, floor, room, characters, expected;
  };
  // Each room holds a pixel for the caret after a text that fits.
  const Case cases[] = {
      {27, 12, 90, 6, 27},   // fits as designed
      {27, 12, 90, 7, 25},   // 7 * 25 / 2 = 87 fits, 7 * 26 / 2 = 91 does not
      {27, 12, 91, 10, 18},  // 10 * 18 / 2 = 90, and the caret: exactly the room
      {27, 12, 90, 10, 17},  // ... a pixel less
      {27, 12, 90, 21, 12},  // the floor, and cut
      {10, 12, 11, 21, 10},  // a designed font below the floor stays as it is
  };
  for (const Case& c : cases) {
    const std::u16string text(static_cast<std::size_t>(c.characters), u'8');
    const ui::TextView view = ui::FitText(c.designed, c.floor, c.room, text, kWidth, std::nullopt, 0);
    EXPECT_EQ(view.pixels, c.expected) << c.characters << " characters in " << c.room;
    EXPECT_EQ(view.markRight, c.characters * c.expected / 2 > c.room - 1);
  }
}

// Where a cut text is looked at from, and where its marks stand: from its start without the focus
// or with the caret there; up to its end with the caret there; with the caret in the middle, from
// where it was looked at last, moved as little as shows the caret. A mark stands only at an end
// beyond which characters are hidden, and no whole character would fit before it. Twenty
// characters and the mark, 5 pixels each, in a room of 51.
TEST(FittingText, MarksStandWhereCharactersAreHidden) {
  struct Case {
    std::optional<std::size_t> caret;
    std::size_t lastFirst, first, shown;
    bool markLeft, markRight;
  };
  const Case cases[] = {
      {std::nullopt, 7, 0, 9, false, true},  // no focus: the start
      {0, 7, 0, 9, false, true},             // the caret at the start
      {1, 0, 0, 9, false, true},             // Home, then Right: the start still
      {9, 0, 0, 9, false, true},             // ... as far as the last shown, and its caret
      {10, 0, 2, 8, true, true},             // one further: moved as little as shows the caret
      {20, 0, 11, 9, true, false},           // End: the end
      {12, 11, 11, 9, true, false},          // Left from the end: the end still
      {10, 11, 10, 8, true, true},           // ... past its first: both ends hidden
      {20, 15, 11, 9, true, false},          // never so far that room is left after the end
  };
  const std::u16string text(20, u'8');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caret ? std::to_string(*c.caret) : "no focus");
    const ui::TextView view = ui::FitText(10, 10, 51, text, kWidth, c.caret, c.lastFirst);
    EXPECT_EQ(view.first, c.first);
    EXPECT_EQ(view.markLeft, c.markLeft);
    EXPECT_EQ(view.markRight, c.markRight);
    // The room between the marks is the shown characters', and the caret's after the last, or
    // after the text's end.
    const int caretAfter = c.caret == c.first + c.shown || c.first + c.shown == 20;
    EXPECT_EQ(view.clearLeft, c.markLeft ? 5 : 0);
    EXPECT_EQ(51 - view.clearLeft - view.clearRight, int(c.shown) * 5 + caretAfter);
    EXPECT_GE(view.clearRight, c.markRight ? 5 : 0);
  }
  // A character outside the Basic Multilingual Plane is two units, never cut between them, from
  // either end.
  const std::u16string pairs = u"\U00010000\U00010000\U00010000\U00010000\U00010000\U00010000";
  for (int room = 4; room < 40; ++room) {
    for (const auto caret : {std::optional<std::size_t>(), std::optional(pairs.size())}) {
      const ui::TextView view = ui::FitText(10, 10, room, pairs, kWidth, caret, 0);
      EXPECT_EQ(view.first % 2, 0u) << room;
      EXPECT_EQ((room - view.clearLeft - view.clearRight - (caret ? 1 : 0)) % 10, 0) << room;
    }
  }
}

// A tooltip: the whole text, in lines of 40 characters; of a text too long for ten, the first
// five lines and the last four, the cut mark between them.
TEST(Tooltips, BreakALongTextIntoFewLines) {
  EXPECT_EQ(ui::TooltipOf(u"1234"), u"1234");
  std::u16string digits;
  for (int line = 0; line < 12; ++line) digits += std::u16string(40, static_cast<char16_t>(u'a' + line));
  const std::u16string tooltip = ui::TooltipOf(digits);
  std::vector<std::u16string> lines{u""};
  for (const char16_t c : tooltip) c == u'\n' ? void(lines.emplace_back()) : void(lines.back() += c);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[4], std::u16string(40, u'e'));
  EXPECT_EQ(lines[5], u"\u2026");
  EXPECT_EQ(lines[6], std::u16string(40, u'i'));
  EXPECT_EQ(ui::TooltipOf(digits.substr(0, 80)), digits.substr(0, 40) + u"\n" + digits.substr(40, 40));
}

std::vector<std::string_view> Names(const ui::ControlOrder& controls) {
  std::vector<std::string_view> names;
  for (const auto* control : controls) names.push_back(control->name);
  return names;
}

// Reading goes line by line, each from the left: the options, then 分区： [GB box] GB;
// 应输整数： [MB box] MB; the two buttons; the explanation from its heading to its credit line.
// Tab goes to each control with a tab index in the order of the indices, and to one option of
// the group: the selected one. The explanation has no stop.
TEST(Orders, ReadingFollowsTheLinesAndTabTheIndices) {
  using Order = std::vector<std::string_view>;
  EXPECT_EQ(Names(ui::ReadingOrder(ui::Form1Design())),
            (Order{"Option1", "Option2", "Label2", "Text1", "Label1", "Label4", "Text2", "Label3",
                   "Command2", "Command1"}));
  EXPECT_EQ(Names(ui::ReadingOrder(ui::Form2Design())),
            (Order{"Label6", "Label1", "Label2", "Label3", "Label4", "Label5", "Label8", "Label9",
                   "Label7"}));
  // The selected option is the group's stop (with Option1 selected, the engine suite's ring); with
  // the focus on no stop, Tab starts at the first, Shift+Tab at the last.
  const auto stops = ui::FocusStops(ui::Form1Design(), [](auto option) { return option == "Option2"; });
  EXPECT_EQ(stops, (Order{"Text1", "Text2", "Option2", "Command1", "Command2"}));
  EXPECT_EQ(ui::NextFocusStop(stops, "", false), "Text1");
  EXPECT_EQ(ui::NextFocusStop(stops, "", true), "Command2");
  EXPECT_TRUE(ui::FocusStops(ui::Form2Design(), [](auto) { return false; }).empty());
}

// Scaling keeps the arrangement: two controls, or a control and a line, overlap at a scale only
// where they overlap in twips (Label4 lies under Text2 by design).
TEST(Scaling, AddsNoOverlap) {
  const auto overlap = ui::checks::Overlap;  // as the designs' checks see it, a line a unit thick
  for (const ui::WindowDesign* window : {&ui::Form1Design(), &ui::Form2Design()}) {
    const auto& controls = window->controls;
    for (const int dpi : {96, 120, 144, 192}) {
      for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
          const auto &a = controls[i], &b = controls[j];
          if (!overlap(ui::PixelBounds(a, dpi), ui::PixelBounds(b, dpi))) continue;
          EXPECT_TRUE(overlap(ui::Bounds(a), ui::Bounds(b)))
              << a.name << " and " << b.name << " at " << dpi << " dpi";
        }
      }
    }
  }
  EXPECT_EQ(ui::FontPixels(*ui::Form1Design().Control("Text1").font, 120), 40);  // 24 pt
  EXPECT_EQ(ui::FontPixels(*ui::Form1Design().Control("Text2").font, 144), 41);  // 20.4 pt: 40.8
}

}  // namespace
