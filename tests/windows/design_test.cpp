#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "windows/design.h"

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

TEST(Twips, ConvertToPixels) {
  EXPECT_EQ(windows::TwipsToPixels(4620), 308);
  EXPECT_EQ(windows::TwipsToPixels(2472), 165);
  EXPECT_EQ(windows::TwipsToPixels(2472, 192), 330);
  EXPECT_EQ(windows::TwipsToPixels(4536, 120), 378);
  EXPECT_EQ(windows::FontPixels({u"宋体", 24, true, 134}), 32);
  EXPECT_EQ(windows::FontPixels({u"宋体", 9, false, 134}), 12);
}

}  // namespace
