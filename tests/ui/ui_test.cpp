#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/engine_suite.h"
#include "tests/ui/fake_probe.h"
#include "ui/design_checks.h"
#include "ui/rules.h"

namespace engine_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, EngineSuite, fake::Probe);
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

  fake::Probe probe;
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
  probe.Click("Command1");
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

// A disabled window takes no input and cannot be closed; brought up, it brings up the window in
// front of it. A window brought up again has the keyboard where the user left it; the
// explanation, which has no control, takes it itself, and is read out whole only when it opens.
TEST_F(Windows, TheCoreDecidesWhatAWindowDoesWithItsInput) {
  Main().report({Kind::kFocusMoved, "Option1"});
  Main().focus = {};  // gone to another program
  Main().report({Kind::kActivated});
  EXPECT_EQ(Main().focus, "Option1");
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

TEST_F(Windows, ClosedWindowsAreDestroyedAndTheLastEndsTheProgram) {
  probe.Click("Command2");
  probe.Press(FormId::kExplanationWindow, ui::Key::kEscape);
  EXPECT_EQ(probe.engine.destroyed, 1);
  EXPECT_FALSE(probe.engine.quit);
  probe.Close(FormId::kMainWindow);
  EXPECT_EQ(probe.engine.destroyed, 2);
  EXPECT_TRUE(probe.engine.quit);
}

// Where the design puts a window, unless its frame would leave the work area: then just inside.
// On a phone's screen, in its corner, 8 pixels in, scaled to fit when the widest window would not.
TEST(Placing, KeepsTheWholeWindowOnItsScreen) {
  struct Case {
    ui::Rect designed; ui::Margins frame; ui::Rect work; ui::Point expected;
    double scale = 1; int finger = 0; int widest = 534;
  };
  const Case cases[] = {
      {{480, 454, 308, 165}, {4, 30, 4, 4}, {0, 0, 1920, 1080}, {480, 454}},
      {{0, 0, 308, 165}, {}, {0, 0, 1920, 1080}, {0, 0}},  // no frame: in the very corner
      // The explanation window at 144 dpi on a 1280 x 800 screen: 492 + 347 + 8 is past 800.
      {{683, 492, 534, 347}, {8, 30, 8, 8}, {0, 0, 1280, 800}, {683, 800 - 8 - 347}},
      {{-20, -5, 308, 165}, {4, 30, 4, 4}, {0, 24, 640, 480}, {4, 24 + 30}},
      {{0, 0, 900, 700}, {4, 30, 4, 4}, {0, 0, 640, 480}, {4, 30}},  // larger than the screen
      {{480, 454, 308, 165}, {4, 30, 4, 4}, {0, 0, 600, 480}, {600 - 4 - 308, 480 - 4 - 165}},
      // A phone 360 pixels wide: 534 + 2 scaled to 360 - 2 * 8.
      {{480, 454, 308, 165}, {1, 27, 1, 1}, {0, 0, 360, 740}, {9, 8 + 17}, 344.0 / 536, 24},
      {{683, 492, 534, 347}, {1, 27, 1, 1}, {0, 40, 360, 740}, {9, 40 + 8 + 17}, 344.0 / 536, 24},
      // Narrow windows on a phone keep their size, in its corner.
      {{480, 454, 308, 165}, {1, 27, 1, 1}, {0, 0, 599, 740}, {9, 35}, 1, 24, 300},
  };
  for (const Case& c : cases) {
    const ui::Placement placed = ui::PlaceWindow(c.designed, c.frame, c.work, c.widest);
    EXPECT_EQ(placed.client.x, c.expected.x);
    EXPECT_EQ(placed.client.y, c.expected.y);
    EXPECT_DOUBLE_EQ(placed.scale, c.scale);
    EXPECT_EQ(placed.fingerPixels, c.finger);
  }
}

// Each window is placed again when its frame or screen changes; on a phone every window is drawn
// at one scale, at which the widest fits the screen's width.
TEST_F(Windows, ShareOneScaleOnAPhone) {
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
}

// A text n characters long measures n * pixels / 2 here, as half-width digits roughly do.
TEST(FittingText, ShrinksInWholePixelsDownToAFloor) {
  struct Case {
    int designed, dpi, room, characters, expected, emptyRight;
  };
  // Each room holds a pixel for the caret after a text that fits; a cut text leaves room for the
  // mark, a character wide here, and the caret's pixel.
  const Case cases[] = {
      {27, 96, 90, 6, 27, 0},    // fits as designed
      {27, 96, 90, 7, 25, 0},    // 7 * 25 / 2 = 87 fits, 7 * 26 / 2 = 91 does not
      {27, 96, 91, 10, 18, 0},   // 10 * 18 / 2 = 90, and the caret: exactly the room
      {27, 96, 90, 10, 17, 0},   // ... a pixel less
      {27, 96, 90, 21, 14, 13},  // the floor, 55% of 27: 11 characters take 77 of 90 - 7 - 1
      {16, 96, 50, 21, 12, 8},   // never under 12 pixels at 96 dpi: 7 characters, 42 pixels
      {32, 192, 50, 21, 24, 14},  // ... nor under 24 at 192
      {10, 96, 11, 21, 10, 6},   // a designed font below the floor stays as it is: 1 character
      {10, 96, 5, 21, 10, 5},    // no character fits beside the mark
  };
  const auto width = [](std::u16string_view t, int pixels) { return int(t.size()) * pixels / 2; };
  // A character outside the Basic Multilingual Plane is two units, never cut between them.
  const std::u16string pairs = u"\U00010000\U00010000\U00010000\U00010000\U00010000\U00010000";
  for (int room = 4; room < 40; ++room) {
    EXPECT_EQ((room - ui::FitText(10, 96, room, pairs, width).emptyRight) / 5 % 2, 0) << room;
  }
  for (const Case& c : cases) {
    const std::u16string text(static_cast<std::size_t>(c.characters), u'8');
    const ui::TextFit fit = ui::FitText(c.designed, c.dpi, c.room, text, width);
    EXPECT_EQ(fit.pixels, c.expected) << c.designed << " px, " << c.characters << " characters";
    EXPECT_EQ(fit.emptyRight, c.emptyRight)
        << c.designed << " px, " << c.characters << " characters";
    EXPECT_EQ(fit.cut, c.emptyRight > 0);
  }
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
  for (const std::string_view selected : {"Option1", "Option2"}) {
    const auto stops =
        ui::FocusStops(ui::Form1Design(), [&](auto option) { return option == selected; });
    EXPECT_EQ(stops, (Order{"Text1", "Text2", selected, "Command1", "Command2"}));
    // With the focus on no stop, Tab starts at the first, Shift+Tab at the last.
    EXPECT_EQ(ui::NextFocusStop(stops, "", false), "Text1");
    EXPECT_EQ(ui::NextFocusStop(stops, "", true), "Command2");
  }
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
  // "GB", 405 twips tall in a 24-point font, grows to the font's 32 pixels; a box does not.
  const auto height = [](std::string_view name) {
    return ui::ControlBounds(ui::Form1Design(), ui::Form1Design().Control(name)).height;
  };
  EXPECT_EQ(height("Label1"), 32);
  EXPECT_EQ(height("Text2"), 32);  // 480 twips
}

}  // namespace
