#include "ui/box.h"

#include <algorithm>

#include "ui/rules.h"

namespace ui {
namespace {

constexpr int kMargin = 2 * kTwipsPerColumn;
constexpr int kSymbolSize = 360;                            // 24 pixels at 96 dpi
constexpr int kButtonWidth = 1125, kButtonHeight = 345;     // 75 x 23, a dialog's button
constexpr int kTitleBarColumns = 12;                        // an icon, a close mark and the gaps
constexpr int kTextLeft = kMargin + kSymbolSize + kMargin;
constexpr int kButtonTop = 600;
constexpr int kHeight = kButtonTop + kButtonHeight + 120;  // five rows of a terminal

// Where a character is drawn two columns wide, as East Asian wide and full-width forms are.
bool Wide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int Columns(std::u16string_view text) {
  int columns = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t c = text[at];
    if (c >= 0xD800 && c < 0xDC00 && at + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++at] - 0xDC00);
    }
    columns += Wide(c) ? 2 : 1;
  }
  return columns;
}

BoxDesign::BoxDesign(std::u16string_view text, MessageIcon icon, std::u16string_view title,
                     std::u16string_view button, const FontDesign& font)
    : text_(text), title_(title), button_(button) {
  const int textWidth = (Columns(text_) + 1) * kTwipsPerColumn;
  const int width = std::max({kTextLeft + textWidth + kMargin, kButtonWidth + 2 * kMargin,
                              (Columns(title_) + kTitleBarColumns) * kTwipsPerColumn});
  const int buttonLeft = (width - kButtonWidth) / 2 / kTwipsPerColumn * kTwipsPerColumn;
  const int textTop = 120 + kSymbolSize / 2 - 120;  // its middle on the symbol's
  controls_ = {
      ControlDesign{"Symbol", ControlKind::kSymbol, {}, kMargin, 120, kSymbolSize, kSymbolSize, 0},
      ControlDesign{"Message", ControlKind::kLabel, text_, kTextLeft, textTop, textWidth, 240, 1},
      ControlDesign{"Button", ControlKind::kPushButton, button_, buttonLeft, kButtonTop,
                    kButtonWidth, kButtonHeight, 2, std::nullopt, {}, /*isDefaultButton=*/true},
  };
  controls_[0].symbol = icon;
  window_ = {.name = "Box",
             .title = title_,
             .clientWidth = width,
             .clientHeight = kHeight,
             .clientLeft = 0,
             .clientTop = 0,
             .defaultFont = font,
             .controls = controls_,
             .closesOnEscape = true,
             .messageBox = true};
}

}  // namespace ui
