#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/engine.h"
#include "ui/forms.h"

// The program as its user meets it, on one engine: the program started (its main window open),
// what a user does, and what the windows then show. The engine suite (engine_suite.h) runs on
// every probe, so that the engines are held to one behaviour. Actions return once the program has
// handled them; a message box that comes up is answered with its one button and recorded.
namespace probe {

using ui::FormId;

// Held with Enter: the keypad's Enter, not the main one.
constexpr unsigned kKeypad = 1u << 8;

// A tooltip shown, and whether it lies within the screen's width.
struct Tip {
  std::u16string text;
  bool fits;
};

struct Box {
  std::u16string title, text;
  ui::MessageIcon icon;
  bool ownedByMain;
};

// What a text box draws of its text: the characters drawn whole, from `first`; whether any part of
// another one is drawn too; and the cut mark at either end, as the toolkit drew them.
struct Visible {
  std::size_t first;
  std::size_t whole;
  bool partOfAnother;
  bool markLeft;
  bool markRight;
};

// The characters of a text of `size` drawn whole between `left` and `right`, the n-th starting at
// x(n), and whether part of another shows there; the marks are for the probe to read.
template <typename X>
Visible WholeBetween(std::size_t size, X x, int left, int right) {
  const auto firstFrom = [&](std::size_t low, auto wanted) {  // the first from `low` that is wanted
    for (std::size_t high = size; low < high;) {
      const std::size_t middle = (low + high) / 2;
      wanted(middle) ? high = middle : low = middle + 1;
    }
    return low;
  };
  const std::size_t first = firstFrom(0, [&](std::size_t c) { return x(c) >= left; });
  const std::size_t end = firstFrom(first, [&](std::size_t c) { return x(c + 1) > right; });
  return {first, end - first, (first > 0 && x(first) > left) || (end < size && x(end) < right), false, false};
}

// Whether anything is drawn in columns [from, to) of rows [top, bottom): `ink(x, y)`.
template <typename Ink>
bool Inked(int from, int to, int top, int bottom, Ink ink) {
  for (int x = from; x < to; ++x) {
    for (int y = top; y < bottom; ++y) {
      if (ink(x, y)) return true;
    }
  }
  return false;
}

class Probe {
 public:
  virtual ~Probe() = default;

  // In the main window: a text box pressed, and its text replaced as by typing, or by a paste, the
  // caret after it; a control clicked.
  virtual void Type(std::string_view textBox, std::u16string_view text) = 0;
  virtual void Paste(std::string_view textBox, std::u16string_view text) = 0;
  // Added at the caret as an input method commits what was composed, which Chinese users type with.
  virtual void Compose(std::string_view textBox, std::u16string_view text) = 0;
  virtual void Click(std::string_view control) = 0;
  // To the window, wherever its focus is, with the modifiers held down.
  void Press(FormId form, ui::Key key, unsigned modifiers = 0) { PressKey(form, key, modifiers); }
  virtual void PressKey(FormId form, ui::Key key, unsigned modifiers) = 0;
  virtual void PressHome() = 0;  // in the main window's text box with the focus: its own key
  virtual void Close(FormId form) = 0;     // its close box
  virtual void Raise(FormId form) = 0;     // a press on the window, or its title bar
  virtual void Minimise(FormId form) = 0;  // its title bar's button
  virtual void Leave() = 0;                // another program's window comes to the front
  // Boxes from now on answered with this key; until then, by a press on the box's button.
  virtual void AnswerBoxesWith(ui::Key key, unsigned modifiers) = 0;
  // Whether a window manager frames the windows, or the core is their window manager.
  virtual bool WindowManager() const = 0;

  virtual bool Open(FormId form) const = 0;
  virtual bool Enabled(FormId form) const = 0;
  virtual bool OnScreen(FormId form) const = 0;  // mapped, and not minimised
  virtual FormId Front() const = 0;              // the open window on top
  virtual bool HasIcon(FormId form) const = 0;
  virtual std::u16string Text(FormId form, std::string_view control) const = 0;
  virtual std::u16string Selection(std::string_view textBox) const = 0;  // in the main window
  virtual std::size_t Caret(std::string_view textBox) const = 0;         // ... in UTF-16 units
  virtual bool Checked(std::string_view option) const = 0;
  virtual std::string Focused(FormId form) const = 0;  // empty where no control has it
  virtual std::string DefaultButton() const = 0;       // the main window's, as it is shown
  virtual Visible Shown(std::string_view textBox) const = 0;
  // The box's tooltip, none: empty; where the toolkit has no tooltips, nothing.
  virtual std::optional<std::u16string> Tooltip(std::string_view textBox) const = 0;
  // The pointer comes to rest on the box, and stays; the tooltip then showing, none where the
  // toolkit has no tooltips.
  virtual void Hover(std::string_view textBox) = 0;
  virtual std::optional<Tip> TipShown() const = 0;
  // Where a control is drawn in its window, and the window's client area itself (an empty name),
  // as the toolkit drew them: in the window's units, from the client area's corner.
  virtual ui::Rect Drawn(FormId form, std::string_view control) const = 0;
  // The units the windows are laid out in, and a control's font in them.
  virtual ui::Units Units() const = 0;
  virtual int FontPixels(FormId form, std::string_view control) const = 0;

  // The boxes shown since the last call.
  virtual std::vector<Box> TakeBoxes() = 0;
  // What the main window announced to a screen reader since the last call, caught as a reader
  // gets it: by the toolkit's own accessibility event; nothing where a screen reader reads the
  // screen itself, as in a terminal.
  virtual std::optional<std::vector<std::u16string>> TakeAnnounced() = 0;
};

}  // namespace probe
