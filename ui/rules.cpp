#include "ui/rules.h"

#include <algorithm>
#include <cmath>

namespace ui {

std::vector<std::string_view> FocusStops(const WindowDesign& window,
                                         const std::function<bool(std::string_view)>& selected) {
  std::vector<std::string_view> stops;
  std::vector<std::string_view> groups;  // each group's place in `stops`, by position
  for (const ControlDesign* control : TabOrder(window)) {
    if (control->kind == ControlKind::kLabel || control->kind == ControlKind::kSymbol) continue;
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

Command CommandFor(Key key, unsigned modifiers, unsigned capabilities) {
  const bool chord = (modifiers & (kCtrl | kAlt | kMeta)) != 0;
  switch (key) {
    case Key::kTab:
      if (chord) return Command::kNone;
      return modifiers & kShift ? Command::kPreviousStop : Command::kNextStop;
    case Key::kEnter:
      return chord ? Command::kNone : Command::kEnter;
    case Key::kEscape:
      return chord ? Command::kNone : Command::kEscape;
    case Key::kSpace:
      return chord ? Command::kNone : Command::kSpace;
    case Key::kUp:
    case Key::kLeft:
      return modifiers ? Command::kNone : Command::kBack;
    case Key::kDown:
    case Key::kRight:
      return modifiers ? Command::kNone : Command::kForward;
    case Key::kF4:
    case Key::kW:
      return modifiers == (key == Key::kF4 ? kAlt : kCtrl) && !(capabilities & kWindowManager)
                 ? Command::kClose
                 : Command::kNone;
  }
  return Command::kNone;
}

bool ForTheWindowManager(Key key, unsigned modifiers, unsigned capabilities) {
  return (capabilities & kWindowManager) && modifiers == kAlt &&
         (key == Key::kF4 || key == Key::kSpace);
}

namespace {

int CeilDiv(int length, int unit) { return (length + unit - 1) / unit; }

}  // namespace

Rect CellBounds(const ControlDesign& control) {
  const Rect twips = Bounds(control);
  const int column = twips.left / kTwipsPerColumn;
  const int columns = (twips.left + twips.width) / kTwipsPerColumn - column;
  const int row = (control.kind == ControlKind::kLine ? twips.top : twips.top + twips.height / 2) /
                  kTwipsPerRow;
  return {column, row, control.kind == ControlKind::kLine && columns == 0 ? 1 : columns, 1};
}

Rect ClientInUnits(const WindowDesign& window, Units units) {
  if (units.cells) {
    return {window.clientLeft / kTwipsPerColumn, window.clientTop / kTwipsPerRow,
            CeilDiv(window.clientWidth, kTwipsPerColumn), CeilDiv(window.clientHeight, kTwipsPerRow)};
  }
  return {TwipsToPixels(window.clientLeft, units.dpi), TwipsToPixels(window.clientTop, units.dpi),
          TwipsToPixels(window.clientWidth, units.dpi), TwipsToPixels(window.clientHeight, units.dpi)};
}

Placement PlaceWindow(const Placing& placing) {
  const Rect& work = placing.workArea;
  const Margins& frame = placing.frame;
  const int dpi = placing.units.dpi;
  Placement placement{{placing.client.left, placing.client.top}};
  const bool phone = !placing.units.cells && (placing.capabilities & kTouch) &&
                     work.width < AtDpi(600, dpi);
  const int margin = AtDpi(8, dpi);
  if (phone) {
    if (placing.capabilities & kScalesWindows) {
      placement.scale =
          std::min(1.0, static_cast<double>(work.width - 2 * margin) /
                            (placing.widestClient + frame.left + frame.right));
    }
    placement.fingerPixels = AtDpi(24, dpi);
    placement.client = {work.left + margin, work.top + margin};
  }
  if (placing.dragged) placement.client = *placing.dragged;
  // A window in a phone's corner has its frame there; the client area inside it.
  if (phone && !placing.dragged) {
    placement.client.x += static_cast<int>(std::lround(frame.left * placement.scale));
    placement.client.y += static_cast<int>(std::lround(frame.top * placement.scale));
  }
  // The frame's far edge on the work area's far edge at the latest, its near edge on the near edge
  // at the earliest; all of it drawn at the window's scale.
  const auto scaled = [&](int length) {
    return static_cast<int>(std::lround(length * placement.scale));
  };
  const auto keep = [&](int at, int before, int size, int after, int start, int length) {
    const int latest = start + length - scaled(after) - scaled(size);
    return std::max(start + scaled(before), std::min(at, latest));
  };
  if (!phone && !placing.dragged) {
    const Rect& all = placing.together;
    placement.client.x += keep(all.left, frame.left, all.width, frame.right, work.left, work.width) - all.left;
    placement.client.y += keep(all.top, frame.top, all.height, frame.bottom, work.top, work.height) - all.top;
  }
  placement.client = {keep(placement.client.x, frame.left, placing.client.width, frame.right,
                           work.left, work.width),
                      keep(placement.client.y, frame.top, placing.client.height, frame.bottom,
                           work.top, work.height)};
  placement.whole = scaled(frame.left + placing.client.width + frame.right) <= work.width &&
                    scaled(frame.top + placing.client.height + frame.bottom) <= work.height;
  return placement;
}

WindowLayout LayOut(const WindowDesign& window, Units units, const Placement& placement) {
  const Rect client = ClientInUnits(window, units);
  WindowLayout layout{client.width, client.height, {}, {}};
  const int finger = placement.fingerPixels
                         ? static_cast<int>(std::ceil(placement.fingerPixels / placement.scale))
                         : 0;
  for (const ControlDesign* control : ReadingOrder(window)) {
    ControlLayout laid{control->name,
                       units.cells ? CellBounds(*control) : ControlBounds(window, *control, units.dpi),
                       units.cells ? 1 : FontPixels(FontOf(window, *control), units.dpi)};
    const bool pressed = control->kind == ControlKind::kPushButton ||
                         control->kind == ControlKind::kOptionButton;
    if (pressed) laid.bounds.height = std::max(laid.bounds.height, finger);
    if (finger && control->kind == ControlKind::kOptionButton) {
      // Below the option before it in its group, which a finger made taller.
      for (const ControlLayout& before : layout.controls) {
        if (window.Control(before.name).group != control->group) continue;
        laid.bounds.top = std::max(laid.bounds.top, before.bounds.top + before.bounds.height);
      }
    }
    layout.controls.push_back(laid);
  }
  for (const ControlDesign& line : window.controls) {
    if (line.kind != ControlKind::kLine) continue;
    Rect stroke = units.cells ? CellBounds(line) : PixelBounds(line, units.dpi);
    stroke.width = std::max(stroke.width, units.cells ? 1 : std::max(1, AtDpi(1, units.dpi)));
    stroke.height = std::max(stroke.height, units.cells ? 1 : std::max(1, AtDpi(1, units.dpi)));
    layout.lines.push_back(stroke);
  }
  return layout;
}

int FitFloor(const WindowDesign& window, const ControlDesign& textBox, Units units) {
  const int designed = units.cells ? 1 : FontPixels(FontOf(window, textBox), units.dpi);
  if (units.cells) return designed;
  return std::min(designed, FontPixels(window.defaultFont, units.dpi));
}

namespace {

bool SecondOfAPair(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The characters of a text measured at one font size, in whole characters: a surrogate pair is
// one, never cut between its two units.
class Measured {
 public:
  Measured(std::u16string_view text, const std::function<int(std::u16string_view)>& widthOf)
      : text_(text), widthOf_(widthOf) {}

  int Width(std::size_t from, std::size_t to) const { return widthOf_(text_.substr(from, to - from)); }
  // The most characters from `from` on, or up to `to`, that take at most `room`.
  std::size_t From(std::size_t from, int room) const { return Most(from, text_.size(), room, false); }
  std::size_t UpTo(std::size_t to, int room) const { return Most(0, to, room, true); }

 private:
  std::size_t Most(std::size_t begin, std::size_t end, int room, bool backward) const {
    const auto part = [&](std::size_t units) {
      return backward ? Width(end - units, end) : Width(begin, begin + units);
    };
    const auto splitsAPair = [&](std::size_t units) {
      const std::size_t cut = backward ? end - units : begin + units;
      return cut > begin && cut < end && SecondOfAPair(text_[cut]);
    };
    std::size_t fits = 0, tooLong = end - begin + 1;
    while (tooLong - fits > 1) {
      std::size_t middle = fits + (tooLong - fits) / 2;
      if (splitsAPair(middle)) middle = middle - 1 > fits ? middle - 1 : middle + 1;
      if (middle >= tooLong) break;
      (part(middle) <= room ? fits : tooLong) = middle;
    }
    return fits;
  }

  std::u16string_view text_;
  const std::function<int(std::u16string_view)>& widthOf_;
};

}  // namespace

TextView FitText(int designedPixels, int floor, int room, std::u16string_view text,
                 const std::function<int(std::u16string_view text, int pixels)>& widthAt,
                 std::optional<std::size_t> caret, std::size_t lastFirst) {
  constexpr int kCaret = 1;
  int pixels = designedPixels;
  int width = widthAt(text, pixels);
  while (pixels > floor && width > room - kCaret) width = widthAt(text, --pixels);
  if (width <= room - kCaret) return {pixels};
  const int mark = widthAt(kCutMark, pixels);
  const std::function<int(std::u16string_view)> widthOf = [&](std::u16string_view part) {
    return widthAt(part, pixels);
  };
  const Measured measured(text, widthOf);
  const std::size_t size = text.size();
  const std::size_t at = caret.value_or(0);
  // How many characters show from `first`: the marks' room kept, and the caret's where it stands
  // after the last of them, or could, after the text's end.
  const auto shown = [&](std::size_t first) {
    const int left = first > 0 ? mark : 0;
    if (measured.Width(first, size) + kCaret <= room - left) return size - first;
    const std::size_t most = measured.From(first, room - left - mark);
    return at == first + most ? measured.From(first, room - left - mark - kCaret) : most;
  };
  std::size_t first = 0;
  if (caret) {
    const std::size_t lastShowingTheEnd = size - measured.UpTo(size, room - mark - kCaret);
    first = std::min({lastFirst, at, lastShowingTheEnd});
    if (at > first + shown(first)) {  // the caret at the room's right end
      first = at - measured.UpTo(at, room - mark - (at < size ? mark : 0) - kCaret);
    }
  }
  const std::size_t count = shown(first);
  const int left = first > 0 ? mark : 0;
  const bool caretAfter = (caret && at == first + count) || first + count == size;
  const int used = measured.Width(first, first + count) + (caretAfter ? kCaret : 0);
  return {pixels, left, room - left - used, first > 0, first + count < size, first};
}

std::u16string TooltipOf(std::u16string_view text) {
  constexpr std::size_t kColumns = 40, kLines = 10, kKeptBefore = 5, kKeptAfter = 4;
  std::vector<std::u16string_view> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = std::min(text.size(), at + kColumns);
    if (end < text.size() && SecondOfAPair(text[end])) --end;
    lines.push_back(text.substr(at, end - at));
    at = end;
  }
  if (lines.size() > kLines) {
    lines.erase(lines.begin() + kKeptBefore, lines.end() - kKeptAfter);
    lines.insert(lines.begin() + kKeptBefore, kCutMark);
  }
  std::u16string tooltip;
  for (const std::u16string_view line : lines) tooltip += std::u16string(line) + u"\n";
  if (!tooltip.empty()) tooltip.pop_back();
  return tooltip;
}

}  // namespace ui
