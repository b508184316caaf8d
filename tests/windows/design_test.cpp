#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "windows/design.h"
#include "windows/fit.h"

namespace {

using windows::ControlKind;
using windows::WindowDesign;

class DesignTest : public testing::TestWithParam<const WindowDesign*> {};

TEST_P(DesignTest, ControlNamesAreUnique) {
  std::set<std::string_view> names;
  for (const auto& control : GetParam()->controls) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
  }
}

TEST_P(DesignTest, ControlsLieInsideTheClientArea) {
  const WindowDesign& window = *GetParam();
  for (const auto& control : window.controls) {
    const windows::Rect bounds = windows::Bounds(control);
    EXPECT_GE(bounds.left, 0) << control.name;
    EXPECT_GE(bounds.top, 0) << control.name;
    EXPECT_LE(bounds.left + bounds.width, window.clientWidth) << control.name;
    EXPECT_LE(bounds.top + bounds.height, window.clientHeight) << control.name;
  }
}

// Every control but the lines has a tab index; together they count up from 0 without a gap.
TEST_P(DesignTest, TabIndicesCountUpFromZero) {
  std::vector<int> indices;
  for (const auto& control : GetParam()->controls) {
    EXPECT_EQ(control.tabIndex.has_value(), control.kind != ControlKind::kLine) << control.name;
    if (control.tabIndex) indices.push_back(*control.tabIndex);
  }
  std::sort(indices.begin(), indices.end());
  for (std::size_t i = 0; i < indices.size(); ++i) EXPECT_EQ(indices[i], static_cast<int>(i));
}

TEST_P(DesignTest, OnlyAPushButtonIsTheDefaultButton) {
  for (const auto& control : GetParam()->controls) {
    if (control.isDefaultButton) {
      EXPECT_EQ(control.kind, ControlKind::kPushButton) << control.name;
    }
  }
}

bool Overlap(windows::Rect a, windows::Rect b) {
  // A line is as thick as one unit at either scale.
  for (windows::Rect* r : {&a, &b}) {
    r->width = std::max(r->width, 1);
    r->height = std::max(r->height, 1);
  }
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// Scaling keeps the arrangement: two controls, or a control and a line, overlap at a scale only
// where they overlap in twips (Label4 lies under Text2 by design).
TEST_P(DesignTest, ScalingAddsNoOverlap) {
  const auto& controls = GetParam()->controls;
  for (const int dpi : {96, 120, 144, 192}) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        const auto &a = controls[i], &b = controls[j];
        if (!Overlap(windows::PixelBounds(a, dpi), windows::PixelBounds(b, dpi))) continue;
        EXPECT_TRUE(Overlap(windows::Bounds(a), windows::Bounds(b)))
            << a.name << " and " << b.name << " at " << dpi << " dpi";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, DesignTest,
                         testing::Values(&windows::Form1Design(), &windows::Form2Design()),
                         [](const auto& info) { return std::string(info.param->name); });

std::vector<std::string_view> Names(const std::vector<const windows::ControlDesign*>& controls) {
  std::vector<std::string_view> names;
  for (const auto* control : controls) names.push_back(control->name);
  return names;
}

// Line by line, each from the left, as the windows read: the options, then 分区： [GB box] GB;
// 应输整数： [MB box] MB; the two buttons. The explanation from its heading to its credit line.
TEST(ReadingOrder, FollowsTheLinesOfEachWindow) {
  using Order = std::vector<std::string_view>;
  EXPECT_EQ(Names(windows::InReadingOrder(windows::Form1Design())),
            (Order{"Option1", "Option2", "Label2", "Text1", "Label1", "Label4", "Text2", "Label3",
                   "Command2", "Command1"}));
  EXPECT_EQ(Names(windows::InReadingOrder(windows::Form2Design())),
            (Order{"Label6", "Label1", "Label2", "Label3", "Label4", "Label5", "Label8", "Label9",
                   "Label7"}));
}

// Engines stack controls in reading order: where two overlap, the label must come first, so
// that it lies beneath.
TEST_P(DesignTest, ReadingOrderPutsLabelsBeneathWhatCoversThem) {
  const auto order = windows::InReadingOrder(*GetParam());
  for (std::size_t i = 0; i < order.size(); ++i) {
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (Overlap(windows::Bounds(*order[i]), windows::Bounds(*order[j]))) {
        EXPECT_FALSE(order[j]->kind == ControlKind::kLabel && order[i]->kind != ControlKind::kLabel)
            << order[j]->name << " would cover " << order[i]->name;
      }
    }
  }
}

// A text n characters long measures n * pixels / 2 here, as half-width digits roughly do.
TEST(FittingFont, ShrinksInWholePixelsDownToAFloor) {
  struct Case {
    int designed, dpi, room, characters, expected;
  };
  const Case cases[] = {
      {27, 96, 90, 6, 27},    // fits as designed
      {27, 96, 90, 7, 25},    // 7 * 25 / 2 = 87 fits, 7 * 26 / 2 = 91 does not
      {27, 96, 90, 10, 18},   // 10 * 18 / 2 = 90, exactly the room
      {27, 96, 90, 21, 14},   // the floor, 55% of 27 in whole pixels: shows the start
      {16, 96, 50, 21, 12},   // never under 12 pixels at 96 dpi
      {32, 192, 50, 21, 24},  // ... nor under 24 at 192
      {10, 96, 10, 21, 10},   // a designed font below the floor stays as it is
  };
  for (const Case& c : cases) {
    const int pixels = windows::FittingFontPixels(
        c.designed, c.dpi, c.room, [&](int size) { return c.characters * size / 2; });
    EXPECT_EQ(pixels, c.expected) << c.designed << " px, " << c.characters << " characters";
  }
}

TEST(Twips, ConvertToPixels) {
  EXPECT_EQ(windows::TwipsToPixels(4620), 308);
  EXPECT_EQ(windows::TwipsToPixels(2472), 165);
  EXPECT_EQ(windows::TwipsToPixels(2472, 192), 330);
  EXPECT_EQ(windows::TwipsToPixels(4536, 120), 378);
  EXPECT_EQ(windows::FontPixels({u"宋体", 24, true, 134}), 32);
  EXPECT_EQ(windows::FontPixels({u"宋体", 9, false, 134}), 12);
}

}  // namespace
