#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/fake_engine.h"
#include "tests/ui/scenario.h"
#include "ui/rules.h"

namespace {

using ui::FormId;
using ui::Key;

class Windows : public testing::Test {
 protected:
  void SetUp() override { core.Start(); }
  fake::Window& Shown(FormId form) {
    return static_cast<fake::Window&>(core.Loaded(form)->Shown());
  }
  fake::Window& Main() { return Shown(FormId::kForm1); }
  bool Press(FormId form, Key key) { return Shown(form).events.key(key); }

  fake::Engine engine;
  ui::Core core{engine};
};

TEST_F(Windows, StartWithEmptyBoxesTheOldAlgorithmAndTheFocusInTheInput) {
  EXPECT_EQ(Main().Text("Text1"), u"");
  EXPECT_EQ(Main().Text("Text2"), u"");
  EXPECT_TRUE(Main().Checked("Option1"));
  EXPECT_FALSE(Main().Checked("Option2"));
  EXPECT_EQ(Main().focus, "Text1");
  EXPECT_EQ(Main().defaultButton, "Command1");
  EXPECT_EQ(engine.stacking, std::vector<fake::Window*>{&Main()});
  EXPECT_EQ(core.Loaded(FormId::kForm2), nullptr);
  EXPECT_TRUE(engine.boxes.empty());
}

TEST_F(Windows, RunTheScenario) {
  for (const scenario::Step& step : scenario::kSteps) {
    SCOPED_TRACE(std::string(step.target) + " " +
                 std::string(step.typed.begin(), step.typed.end()));
    const std::size_t boxesBefore = engine.boxes.size();
    Main().focus = "Command1";
    switch (step.action) {
      case scenario::kType:
        Main().Type(step.target, step.typed);
        break;
      case scenario::kClick:
        Main().Click(step.target);
        break;
      case scenario::kClose:
        Shown(step.target == "Form1" ? FormId::kForm1 : FormId::kForm2).events.close();
        break;
    }
    EXPECT_EQ(Main().Text("Text2"), step.output);
    EXPECT_EQ(core.Loaded(FormId::kForm2) != nullptr, step.explanationOpen);
    EXPECT_EQ(Main().enabled, !step.explanationOpen);
    if (step.box == scenario::kNone) {
      EXPECT_EQ(engine.boxes.size(), boxesBefore);
      continue;
    }
    ASSERT_EQ(engine.boxes.size(), boxesBefore + 1);
    const scenario::ExpectedBox expected = scenario::Expected(step.box);
    EXPECT_EQ(engine.boxes.back().title, expected.title);
    EXPECT_EQ(engine.boxes.back().text, expected.text);
    EXPECT_EQ(engine.boxes.back().icon,
              expected.critical ? ui::MessageIcon::kError : ui::MessageIcon::kWarning);
    EXPECT_EQ(Main().focus, "Text1");  // back in the input, ready for typing
  }
}

TEST_F(Windows, TheRequestsUseTheUsersDecimalSeparator) {
  engine.separator = u',';
  Main().Type("Text1", u"1.25");
  Main().Click("Command1");
  EXPECT_EQ(Main().Text("Text2"), u"1280,5");
}

// Tab goes round the window's stops in the design's order, one stop for the option group: the
// selected option. Enter clicks the focused button, else the default one, which shows it.
TEST_F(Windows, TabEnterAndTheDefaultButton) {
  std::vector<std::string_view> order;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(Press(FormId::kForm1, Key::kTab));
    order.push_back(Main().focus);
  }
  EXPECT_EQ(order,
            (std::vector<std::string_view>{"Text2", "Option1", "Command1", "Command2", "Text1"}));
  Main().Click("Option2");
  Press(FormId::kForm1, Key::kShiftTab);
  EXPECT_EQ(Main().focus, "Command2");
  EXPECT_EQ(Main().defaultButton, "Command2");
  Press(FormId::kForm1, Key::kShiftTab);
  Press(FormId::kForm1, Key::kShiftTab);
  EXPECT_EQ(Main().focus, "Option2");
  EXPECT_EQ(Main().defaultButton, "Command1");

  Main().Type("Text1", u"4");
  EXPECT_TRUE(Press(FormId::kForm1, Key::kEnter));
  EXPECT_EQ(Main().Text("Text2"), u"4103");
  Main().focus = "Command2";
  EXPECT_TRUE(Press(FormId::kForm1, Key::kEnter));
  ASSERT_NE(core.Loaded(FormId::kForm2), nullptr);
  EXPECT_FALSE(Press(FormId::kForm1, Key::kEnter));  // disabled
  EXPECT_TRUE(Press(FormId::kForm2, Key::kTab));     // no stop, and Tab stays in the window
  EXPECT_FALSE(Press(FormId::kForm2, Key::kEnter));  // no button
}

// Escape closes the explanation window as it closes a dialog, and the focus goes back to the
// button that opened it; the main window does not close on Escape.
TEST_F(Windows, TheExplanationClosesOnEscapeAndGivesTheFocusBack) {
  EXPECT_FALSE(Press(FormId::kForm1, Key::kEscape));
  Main().Click("Command2");
  fake::Window& explanation = Shown(FormId::kForm2);
  EXPECT_EQ(engine.stacking.back(), &explanation);
  EXPECT_FALSE(Main().events.close());  // disabled: refused
  Main().focus = "Text1";
  EXPECT_TRUE(Press(FormId::kForm2, Key::kEscape));
  EXPECT_EQ(core.Loaded(FormId::kForm2), nullptr);
  EXPECT_TRUE(Main().enabled);
  EXPECT_EQ(Main().focus, "Command2");
  EXPECT_EQ(engine.stacking.back(), &Main());
}

TEST_F(Windows, ActivatingTheDisabledMainWindowPutsTheExplanationInFront) {
  Main().Click("Command2");
  fake::Window& explanation = Shown(FormId::kForm2);
  Main().Show();  // the toolkit raised it
  Main().events.activated();
  EXPECT_EQ(engine.stacking, (std::vector<fake::Window*>{&Main(), &explanation}));
  explanation.events.activated();  // enabled: nothing to do
  EXPECT_EQ(engine.stacking.back(), &explanation);
}

// A screen reader hears each new result once, whichever control has the focus, and the
// explanation window whole when it opens; an empty box or a refusal announces nothing.
TEST_F(Windows, ResultsAndTheExplanationAreAnnounced) {
  EXPECT_TRUE(Main().announced.empty());
  Main().Type("Text1", u"4");
  Main().Click("Command1");
  Main().Click("Option2");
  Main().Type("Text1", u"-5");
  Main().Click("Command1");
  EXPECT_EQ(Main().announced, (std::vector<std::u16string>{u"4102", u"4103"}));
  Main().Click("Command2");
  const std::vector<std::u16string>& read = Shown(FormId::kForm2).announced;
  ASSERT_EQ(read.size(), 1u);
  EXPECT_TRUE(read[0].starts_with(u"新算法：\n1柱面大小"));
  EXPECT_TRUE(read[0].ends_with(u"旧算法：\nMB=(GB-1)*2+GB*1024\nPrelvane 开发组 制作\n"));
}

// The worked example, from its own arithmetic: 4 GB in bytes, the cylinders it needs rounded up,
// their bytes, and their megabytes rounded up, each in its line in the window's order.
TEST_F(Windows, TheExplanationShowsTheWorkedExample) {
  constexpr long long kBytes = 4LL * 1024 * 1024 * 1024, kCylinder = 512 * 255 * 63;
  constexpr long long kCylinders = kBytes / kCylinder + 1, kWholeBytes = kCylinders * kCylinder;
  const std::pair<const char*, long long> lines[] = {{"Label1", kCylinder},
                                                     {"Label2", kBytes},
                                                     {"Label3", kCylinders},
                                                     {"Label4", kWholeBytes},
                                                     {"Label5", kWholeBytes / (1 << 20) + 1}};
  Main().Click("Command2");
  const fake::Window& explanation = Shown(FormId::kForm2);
  for (const auto& [label, number] : lines) {
    const std::string digits = std::to_string(number);
    const std::u16string shown = explanation.texts.at(label);
    const std::u16string end = u"≈" + std::u16string(digits.begin(), digits.end()) + u"(MB)";
    const std::u16string equals = u"=" + std::u16string(digits.begin(), digits.end()) + u"(B)";
    const std::u16string fullWidth = u"＝" + std::u16string(digits.begin(), digits.end()) + u"(B)";
    EXPECT_TRUE(shown.ends_with(end) || shown.ends_with(equals) || shown.ends_with(fullWidth))
        << label;
  }
  EXPECT_EQ(explanation.texts.at("Label9"), u"MB=(GB-1)*2+GB*1024");
}

TEST_F(Windows, AFailedControlAccessIsReportedAndEndsTheHandler) {
  Main().Type("Text1", u"4");
  Main().failing = true;
  Main().Click("Command1");
  ASSERT_EQ(engine.boxes.size(), 1u);
  EXPECT_EQ(engine.boxes.front().text, u"无法访问控件");
  EXPECT_EQ(engine.boxes.front().icon, ui::MessageIcon::kError);
  Main().failing = false;
  EXPECT_EQ(Main().Text("Text2"), u"");
}

// A long text shrinks its box's font; past the floor the box shows whole characters from the
// first one. Whatever came before, a short text gets the designed font back.
TEST_F(Windows, ALongResultShrinksItsFontAndShowsOnlyWholeCharacters) {
  const int designed = ui::FontPixels(*ui::Form1Design().Control("Text2").font);
  const int room = ui::PixelBounds(ui::Form1Design().Control("Text2")).width - 4;
  core.Loaded(FormId::kForm1)->SetText("Text2", u"1234567890123");
  const auto [pixels, clip] = Main().fonts.at("Text2");
  EXPECT_LT(pixels, designed);
  EXPECT_EQ(clip, 0);
  EXPECT_LE(13 * pixels / 2, room);
  core.Loaded(FormId::kForm1)->SetText("Text2", u"123456789012345678901");
  const auto [floor, cut] = Main().fonts.at("Text2");
  const int wholeCharacters = (room - cut) * 2 / floor;
  EXPECT_EQ(wholeCharacters * floor / 2, room - cut);
  EXPECT_GT((wholeCharacters + 1) * floor / 2, room);
  core.Loaded(FormId::kForm1)->SetText("Text2", u"8");
  EXPECT_EQ(Main().fonts.at("Text2"), std::make_pair(designed, 0));
}

// Where the design puts a window, unless its frame would leave the work area: then just inside.
TEST(Placing, KeepsTheWholeWindowOnItsScreen) {
  struct Case {
    ui::Rect designed;
    ui::Margins frame;
    ui::Rect work;
    ui::Point expected;
  };
  const Case cases[] = {
      {{480, 454, 308, 165}, {4, 30, 4, 4}, {0, 0, 1920, 1080}, {480, 454}},
      // The explanation window at 144 dpi on a 1280 x 800 screen: 492 + 347 + 8 is past 800.
      {{683, 492, 534, 347}, {8, 30, 8, 8}, {0, 0, 1280, 800}, {683, 800 - 8 - 347}},
      {{-20, -5, 308, 165}, {4, 30, 4, 4}, {0, 24, 640, 480}, {4, 24 + 30}},
      {{0, 0, 900, 700}, {4, 30, 4, 4}, {0, 0, 640, 480}, {4, 30}},  // larger than the screen
  };
  for (const Case& c : cases) {
    const ui::Point placed = ui::PlaceClient(c.designed, c.frame, c.work);
    EXPECT_EQ(placed.x, c.expected.x);
    EXPECT_EQ(placed.y, c.expected.y);
  }
}

TEST_F(Windows, OpenWhereTheDesignPutsThemWithinTheWorkArea) {
  EXPECT_EQ(Main().client.x, 7200 / 15);
  EXPECT_EQ(Main().client.y, 4536 / 15);
  Main().frame = {4, 30, 4, 4};
  Main().workArea = {0, 0, 640, 400};
  Main().events.framed();
  EXPECT_EQ(Main().client.y + 165 + 4, 400);
}

// A text n characters long measures n * pixels / 2 here, as half-width digits roughly do.
TEST(FittingText, ShrinksInWholePixelsDownToAFloor) {
  struct Case {
    int designed, dpi, room, characters, expected, clip;
  };
  const Case cases[] = {
      {27, 96, 90, 6, 27, 0},    // fits as designed
      {27, 96, 90, 7, 25, 0},    // 7 * 25 / 2 = 87 fits, 7 * 26 / 2 = 91 does not
      {27, 96, 90, 10, 18, 0},   // 10 * 18 / 2 = 90, exactly the room
      {27, 96, 90, 21, 14, 6},   // the floor, 55% of 27: 12 characters take 84 of 90 pixels
      {16, 96, 50, 21, 12, 2},   // never under 12 pixels at 96 dpi: 8 characters, 48 pixels
      {32, 192, 50, 21, 24, 2},  // ... nor under 24 at 192
      {10, 96, 10, 21, 10, 0},   // a designed font below the floor stays as it is: 2 characters
  };
  for (const Case& c : cases) {
    const std::u16string text(static_cast<std::size_t>(c.characters), u'8');
    const ui::TextFit fit = ui::FitText(
        c.designed, c.dpi, c.room, text,
        [](std::u16string_view t, int pixels) { return static_cast<int>(t.size()) * pixels / 2; });
    EXPECT_EQ(fit.pixels, c.expected) << c.designed << " px, " << c.characters << " characters";
    EXPECT_EQ(fit.clip, c.clip) << c.designed << " px, " << c.characters << " characters";
  }
}

std::vector<std::string_view> Names(const ui::ControlOrder& controls) {
  std::vector<std::string_view> names;
  for (const auto* control : controls) names.push_back(control->name);
  return names;
}

// Line by line, each from the left, as the windows read: the options, then 分区： [GB box] GB;
// 应输整数： [MB box] MB; the two buttons. The explanation from its heading to its credit line.
TEST(ReadingOrder, FollowsTheLinesOfEachWindow) {
  using Order = std::vector<std::string_view>;
  EXPECT_EQ(Names(ui::ReadingOrder(ui::Form1Design())),
            (Order{"Option1", "Option2", "Label2", "Text1", "Label1", "Label4", "Text2", "Label3",
                   "Command2", "Command1"}));
  EXPECT_EQ(Names(ui::ReadingOrder(ui::Form2Design())),
            (Order{"Label6", "Label1", "Label2", "Label3", "Label4", "Label5", "Label8", "Label9",
                   "Label7"}));
}

// Scaling keeps the arrangement: two controls, or a control and a line, overlap at a scale only
// where they overlap in twips (Label4 lies under Text2 by design).
TEST(Scaling, AddsNoOverlap) {
  const auto overlap = [](ui::Rect a, ui::Rect b) {
    return a.left < b.left + std::max(b.width, 1) && b.left < a.left + std::max(a.width, 1) &&
           a.top < b.top + std::max(b.height, 1) && b.top < a.top + std::max(a.height, 1);
  };
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
  EXPECT_EQ(ui::FontPixels(*ui::Form1Design().Control("Text1").font, 120), 40);
}

}  // namespace
