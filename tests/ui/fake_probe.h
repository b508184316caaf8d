#pragma once

#include <algorithm>

#include "tests/ui/fake_engine.h"
#include "tests/ui/probe.h"

namespace fake {

// The program on the fake engine: a window in front is the last one shown, and a text box draws
// `room - emptyRight` pixels of its text.
class Probe final : public probe::Probe {
 public:
  Probe() { core.Start(); }

  void Type(std::string_view textBox, std::u16string_view text) override {
    Main().texts[std::string(textBox)] = text;
    Main().report({ui::Event::Kind::kEdited, textBox});
  }
  // An option is selected before the window reports the click, as a toolkit's is.
  void Click(std::string_view control) override {
    if (!Main().enabled) return;
    if (Main().design.Control(control).kind == ui::ControlKind::kOptionButton) {
      for (const auto& other : Main().design.controls)
        Main().checked.erase(std::string(other.name));
      Main().checked.insert(std::string(control));
    }
    Main().report({ui::Event::Kind::kClicked, control});
  }
  void Press(probe::FormId form, ui::Key key) override {
    if (Shown(form).enabled) Shown(form).report({ui::Event::Kind::kKey, {}, key});
  }
  void Close(probe::FormId form) override { Shown(form).report({ui::Event::Kind::kCloseAsked}); }
  void Raise(probe::FormId form) override {
    Shown(form).Show();
    Shown(form).report({ui::Event::Kind::kActivated});
  }

  bool Open(probe::FormId form) const override { return core.Loaded(form) != nullptr; }
  bool Enabled(probe::FormId form) const override { return Shown(form).enabled; }
  probe::FormId Front() const override {
    return engine.stacking.back() == &Shown(probe::FormId::kMainWindow)
               ? probe::FormId::kMainWindow
               : probe::FormId::kExplanationWindow;
  }
  // A fake window has no icon to lose, only its place on the screen.
  bool HasIcon(probe::FormId form) const override { return Shown(form).shown; }
  void Minimise(probe::FormId form) override { Shown(form).minimised = true; }
  bool Minimised(probe::FormId form) const override { return Shown(form).minimised; }
  std::u16string Text(probe::FormId form, std::string_view control) const override {
    return Shown(form).Text(control);
  }
  std::u16string Selection(std::string_view textBox) const override {
    return Main().focus == textBox ? Main().Text(textBox) : u"";
  }
  bool Checked(std::string_view option) const override { return Main().Value(option); }
  std::string Focused(probe::FormId form) const override {
    return engine.stacking.back() == &Shown(form) ? std::string(Shown(form).focus) : "";
  }
  std::string DefaultButton() const override { return std::string(Main().defaultButton); }
  probe::Visible Shown(std::string_view textBox) const override {
    const auto [pixels, emptyRight, cut] = Main().fonts.at(std::string(textBox));
    const std::size_t size = Main().Text(textBox).size();
    const int drawn = Main().TextRoom(textBox) - emptyRight;
    const std::size_t whole = std::min(size, static_cast<std::size_t>(drawn * 2 / pixels));
    // The mark, as wide as a character here, drawn at the room's right end.
    const bool mark = cut && Main().TextRoom(textBox) - pixels / 2 >= drawn;
    return {whole, whole < size && static_cast<int>(whole) * pixels / 2 < drawn, mark};
  }
  int Dpi() const override { return 96; }
  int FontPixels(probe::FormId form, std::string_view control) const override {
    return Shown(form).fonts.at(std::string(control)).pixels;
  }
  std::vector<probe::Box> TakeBoxes() override {
    std::vector<probe::Box> boxes;
    for (const fake::Box& box : engine.boxes) {
      boxes.push_back({box.title, box.text, box.icon, box.owner == &Main()});
    }
    engine.boxes.clear();
    return boxes;
  }
  std::vector<std::u16string> TakeAnnounced() override { return std::move(Main().announced); }

  Engine engine;
  ui::Core core{engine, ui::Calculator()};

 private:
  Window& Shown(probe::FormId form) const {
    return static_cast<Window&>(core.Loaded(form)->Native());
  }
  Window& Main() const { return Shown(probe::FormId::kMainWindow); }
};

}  // namespace fake
