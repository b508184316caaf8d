#include "ui/rules.h"

#include <algorithm>
#include <cmath>

namespace ui {

std::vector<std::string_view> FocusStops(const WindowDesign& window,
                                         const std::function<bool(std::string_view)>& selected) {
  std::vector<std::string_view> stops;
  std::vector<std::string_view> groups;  // each group's place in `stops`, by position
  for (const ControlDesign* control : TabOrder(window)) {
    if (control->kind == ControlKind::kLabel) continue;
    if (control->kind != ControlKind::kOptionButton) {
      stops.push_back(control->name);
      groups.emplace_back();
      continue;
    }
    const auto group = std::find(groups.begin(), groups.end(), control->group);
    if (group == groups.end()) {
      stops.push_back(control->name);
      groups.push_back(control->group);
    } else if (selected(control->name)) {
      const auto at = static_cast<std::size_t>(group - groups.begin());
      if (!selected(stops[at])) stops[at] = control->name;
    }
  }
  return stops;
}

std::string_view NextFocusStop(const std::vector<std::string_view>& stops, std::string_view current,
                               bool backward) {
  if (stops.empty()) return {};
  const auto found = std::find(stops.begin(), stops.end(), current);
  if (found == stops.end()) return backward ? stops.back() : stops.front();
  const auto index = static_cast<std::size_t>(found - stops.begin());
  return stops[(index + (backward ? stops.size() - 1 : 1)) % stops.size()];
}

std::string_view NextOption(const WindowDesign& window, std::string_view option, bool backward) {
  const std::string_view group = window.Control(option).group;
  std::vector<std::string_view> options;
  for (const ControlDesign* control : TabOrder(window)) {
    if (control->kind == ControlKind::kOptionButton && control->group == group) {
      options.push_back(control->name);
    }
  }
  return NextFocusStop(options, option, backward);
}

std::optional<std::string_view> ButtonForEnter(const WindowDesign& window,
                                               std::string_view focused) {
  std::optional<std::string_view> button;
  for (const ControlDesign& control : window.controls) {
    if (control.kind != ControlKind::kPushButton) continue;
    if (control.name == focused) return control.name;
    if (control.isDefaultButton) button = control.name;
  }
  return button;
}

Placement PlaceWindow(Rect designed, Margins frame, Rect workArea, int widestClient) {
  constexpr int kPhoneWidth = 600, kScreenMargin = 8, kFingerPixels = 24;
  if (workArea.width < kPhoneWidth) {
    const double scale = std::min(1.0, static_cast<double>(workArea.width - 2 * kScreenMargin) /
                                           (widestClient + frame.left + frame.right));
    const auto inset = [scale](int start, int frame) {
      return start + kScreenMargin + static_cast<int>(std::lround(frame * scale));
    };
    return {
        {inset(workArea.left, frame.left), inset(workArea.top, frame.top)}, scale, kFingerPixels};
  }
  const auto place = [](int at, int before, int size, int after, int start, int length) {
    const int latest = start + length - after - size;  // the frame's far edge on the far edge
    return std::max(start + before, std::min(at, latest));
  };
  return {
      {place(designed.left, frame.left, designed.width, frame.right, workArea.left, workArea.width),
       place(designed.top, frame.top, designed.height, frame.bottom, workArea.top,
             workArea.height)}};
}

TextFit FitText(int designedPixels, int dpi, int room, std::u16string_view text,
                const std::function<int(std::u16string_view text, int pixels)>& widthAt) {
  constexpr int kCaretPixels = 1;
  const int textRoom = room - kCaretPixels;
  const int floor = std::min(designedPixels, std::max(designedPixels * 11 / 20, 12 * dpi / 96));
  int pixels = designedPixels;
  int width = widthAt(text, pixels);
  while (pixels > floor && width > textRoom) width = widthAt(text, --pixels);
  if (width <= textRoom) return {pixels};
  // The longest start of the text that fits whole before the mark; a surrogate pair is one
  // character.
  const int beforeMark = textRoom - widthAt(kCutMark, pixels);
  std::size_t fits = 0, tooLong = text.size();
  int fitsWidth = 0;
  while (tooLong - fits > 1) {
    std::size_t middle = fits + (tooLong - fits) / 2;
    if (middle > 0 && text[middle] >= 0xDC00 && text[middle] <= 0xDFFF) --middle;
    if (middle <= fits) break;
    const int middleWidth = widthAt(text.substr(0, middle), pixels);
    if (middleWidth <= beforeMark) {
      fits = middle;
      fitsWidth = middleWidth;
    } else {
      tooLong = middle;
    }
  }
  return {pixels, room - fitsWidth, true};
}

}  // namespace ui
