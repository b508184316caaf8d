#pragma once

#include <algorithm>

#include "tests/ui/fake_engine.h"
#include "tests/ui/probe.h"

namespace fake {

// The program on the fake engine, whose toolkit does what toolkits do of their own: a typed text
// leaves the caret after it, an arrow key the core leaves moves the caret, a window shown is in
// front, and a text box draws its text in the room its view leaves, from its start or, its caret at
// the end, up to its end.
class Probe final : public probe::Probe {
 public:
  Probe() { core.Start(); }

  // Into the box, which takes the focus first, as a press on it gives it.
  void Type(std::string_view textBox, std::u16string_view text) override {
    Main().focus = Main().design.Control(textBox).name;
    Main().report({ui::Event::Kind::kFocusMoved, textBox});
    Main().texts[std::string(textBox)] = text;
    Main().carets[std::string(textBox)] = text.size();
    Main().report({ui::Event::Kind::kEdited, textBox});
  }
  void Paste(std::string_view textBox, std::u16string_view text) override { Type(textBox, text); }
  void Click(std::string_view control) override {
    if (Main().enabled) Main().report({ui::Event::Kind::kClicked, control});
  }
  void PressKey(probe::FormId form, ui::Key key, unsigned modifiers) override {
    Window& window = Shown(form);
    if (!window.enabled || window.report({ui::Event::Kind::kKey, {}, key, modifiers})) return;
    const std::string box(window.focus);
    if (window.focus.empty() || window.design.Control(box).kind != ui::ControlKind::kTextBox) return;
    std::size_t& caret = window.carets[box];
    if (key == ui::Key::kLeft && caret > 0) --caret;
    if (key == ui::Key::kRight && caret < window.Text(box).size()) ++caret;
    window.report({ui::Event::Kind::kCaretMoved, box});
  }
  void Close(probe::FormId form) override { Shown(form).report({ui::Event::Kind::kCloseAsked}); }
  void Raise(probe::FormId form) override { Shown(form).report({ui::Event::Kind::kActivated}); }
  void Minimise(probe::FormId form) override {
    Shown(form).minimised = true;
    Shown(form).report({ui::Event::Kind::kMinimised});
  }
  void Leave() override { engine.stacking.push_back(nullptr); }

  bool Open(probe::FormId form) const override { return core.Loaded(form) != nullptr; }
  bool Enabled(probe::FormId form) const override { return Shown(form).enabled; }
  bool OnScreen(probe::FormId form) const override {
    return Shown(form).shown && !Shown(form).minimised;
  }
  probe::FormId Front() const override {
    return engine.stacking.back() == &Shown(probe::FormId::kMainWindow)
               ? probe::FormId::kMainWindow
               : probe::FormId::kExplanationWindow;
  }
  // A fake window has no icon to lose, only its place on the screen.
  bool HasIcon(probe::FormId form) const override { return Shown(form).shown; }
  std::u16string Text(probe::FormId form, std::string_view control) const override {
    return Shown(form).Text(control);
  }
  std::u16string Selection(std::string_view textBox) const override {
    return Main().focus == textBox && Caret(textBox) == 0 ? Main().Text(textBox) : u"";
  }
  std::size_t Caret(std::string_view textBox) const override { return Main().Caret(textBox); }
  bool Checked(std::string_view option) const override { return Main().Value(option); }
  std::string Focused(probe::FormId form) const override {
    return engine.stacking.back() == &Shown(form) ? std::string(Shown(form).focus) : "";
  }
  std::string DefaultButton() const override { return std::string(Main().defaultButton); }
  probe::Visible Shown(std::string_view textBox) const override {
    const ui::TextView& view = Main().views.at(std::string(textBox));
    const std::size_t size = Main().Text(textBox).size();
    const int room = Main().TextRoom(textBox);
    const int area = room - view.clearLeft - view.clearRight;  // where the text is drawn
    const int character = view.pixels / 2;
    const bool atEnd = Main().focus == textBox && Caret(textBox) == size;
    const auto whole = static_cast<std::size_t>(std::max(0, area - (atEnd ? 1 : 0)) / character);
    probe::Visible visible{0, std::min(size, whole), false, false, false};
    if (whole < size && atEnd) visible.first = size - whole;
    visible.partOfAnother = whole < size && (area - (atEnd ? 1 : 0)) % character != 0;
    // The mark, as wide as a character here, drawn in the clear room at its end of the room.
    visible.markLeft = view.markLeft && view.clearLeft >= character;
    visible.markRight = view.markRight && view.clearRight >= character;
    return visible;
  }
  std::optional<std::u16string> Tooltip(std::string_view textBox) const override {
    return Main().tooltips.at(std::string(textBox));
  }
  ui::Units Units() const override { return {}; }
  int FontPixels(probe::FormId form, std::string_view control) const override {
    const Window& window = Shown(form);
    const auto view = window.views.find(std::string(control));
    return view != window.views.end() ? view->second.pixels : window.Laid(control).fontPixels;
  }
  std::vector<probe::Box> TakeBoxes() override {
    std::vector<probe::Box> boxes;
    for (const fake::Box& box : engine.boxes) {
      boxes.push_back({box.title, box.text, box.icon, box.owner == &Main()});
    }
    engine.boxes.clear();
    return boxes;
  }
  std::optional<std::vector<std::u16string>> TakeAnnounced() override { return std::move(Main().announced); }

  Engine engine;
  ui::Core core{engine, ui::Calculator()};

 private:
  Window& Shown(probe::FormId form) const {
    return static_cast<Window&>(core.Loaded(form)->Native());
  }
  Window& Main() const { return Shown(probe::FormId::kMainWindow); }
};

}  // namespace fake
