#pragma once

#include <algorithm>
#include <cstdlib>

#include "tests/ui/fake_engine.h"
#include "tests/ui/probe.h"

namespace fake {

// The program on the fake engine, with a window manager and boxes of its own, or with the core as
// the window manager; its toolkit does what toolkits do of their own: a control pressed takes the
// focus, a typed text leaves the caret after it, an arrow key the core leaves moves the caret, and
// a text box draws its text in the room its view leaves, from its start or, its caret at the end,
// up to its end. Without a window manager a press goes to the core first, and keys to the window
// in front.
template <unsigned kCapabilities>
class Probe final : public probe::Probe {
  static constexpr bool kManaged = (kCapabilities & ui::kWindowManager) != 0;

 public:
  Probe() {
    engine.user = [this] { AnswerTheBox(); };
    core.Start();
  }

  // Into the box, which takes the focus first, as a press on it gives it.
  void Type(std::string_view textBox, std::u16string_view text) override {
    if (!Pressed(Main())) return;
    Main().focus = Main().design.Control(textBox).name;
    Main().report({ui::Event::Kind::kFocusMoved, textBox});
    Main().texts[std::string(textBox)] = text;
    Main().carets[std::string(textBox)] = text.size();
    Main().report({ui::Event::Kind::kEdited, textBox});
  }
  void Paste(std::string_view textBox, std::u16string_view text) override { Type(textBox, text); }
  void Compose(std::string_view textBox, std::u16string_view text) override {
    Type(textBox, Main().Text(textBox) + std::u16string(text));
  }
  void Click(std::string_view control) override { PressOn(Main(), control); }
  void PressKey(probe::FormId form, ui::Key key, unsigned modifiers) override {
    modifiers &= ~probe::kKeypad;  // a fake keyboard's keys are the same on its keypad
    Window& window = kManaged ? Shown(form) : *engine.stacking.back();
    if (!window.enabled || window.report({ui::Event::Kind::kKey, {}, key, modifiers})) return;
    const std::string box(window.focus);
    if (window.focus.empty() || window.design.Control(box).kind != ui::ControlKind::kTextBox) return;
    std::size_t& caret = window.carets[box];
    if (key == ui::Key::kLeft && caret > 0) --caret;
    if (key == ui::Key::kRight && caret < window.Text(box).size()) ++caret;
    window.report({ui::Event::Kind::kCaretMoved, box});
  }
  void PressHome() override {
    Main().carets[std::string(Main().focus)] = 0;
    Main().report({ui::Event::Kind::kCaretMoved, Main().focus});
  }
  void Close(probe::FormId form) override {
    if (kManaged || Pressed(Shown(form))) Shown(form).report({ui::Event::Kind::kCloseAsked});
  }
  void Raise(probe::FormId form) override {
    Shown(form).report({kManaged ? ui::Event::Kind::kActivated : ui::Event::Kind::kPressed});
  }
  void Minimise(probe::FormId form) override {
    if (!kManaged) return;  // nothing minimises a window where the core is the window manager
    Shown(form).minimised = true;
    Shown(form).report({ui::Event::Kind::kMinimised});
  }
  void Leave() override {
    engine.stacking.back()->report({ui::Event::Kind::kDeactivated});
    engine.stacking.push_back(nullptr);
  }
  void AnswerBoxesWith(ui::Key key, unsigned modifiers) override { answer_ = {key, modifiers}; }
  bool WindowManager() const override { return kManaged; }

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
    const int character = view.pixels / 2;
    const std::size_t first = std::min(view.first, size);
    // Between the clear rooms, less the caret's pixel where it stands after the last character.
    int area = Main().TextRoom(textBox) - view.clearLeft - view.clearRight;
    const bool focused = Main().focus == textBox;
    if (focused && Caret(textBox) == first + static_cast<std::size_t>(std::max(0, area) / character)) --area;
    const auto whole = std::min(size - first, static_cast<std::size_t>(std::max(0, area) / character));
    probe::Visible visible{first, whole, first + whole < size && area % character != 0, false, false};
    // The mark, as wide as a character here, drawn in the clear room at its end of the room.
    visible.markLeft = view.markLeft && view.clearLeft >= character;
    visible.markRight = view.markRight && view.clearRight >= character;
    return visible;
  }
  std::optional<std::u16string> Tooltip(std::string_view textBox) const override {
    return Main().tooltips.at(std::string(textBox));
  }
  void Hover(std::string_view textBox) override { hovered_ = textBox; }
  // A fake's tooltip shows the box's at any moment, and fits any screen.
  std::optional<probe::Tip> TipShown() const override {
    const std::u16string text = hovered_.empty() ? u"" : Main().tooltips.at(hovered_);
    return text.empty() ? std::nullopt : std::optional(probe::Tip{text, true});
  }
  ui::Rect Drawn(probe::FormId form, std::string_view control) const override {
    const Window& window = Shown(form);
    return control.empty() ? ui::Rect{0, 0, window.layout.width, window.layout.height} : window.Laid(control).bounds;
  }
  ui::Units Units() const override { return {}; }
  int FontPixels(probe::FormId form, std::string_view control) const override {
    const Window& window = Shown(form);
    const auto view = window.views.find(std::string(control));
    return view != window.views.end() ? view->second.pixels : window.Laid(control).fontPixels;
  }
  std::vector<probe::Box> TakeBoxes() override {
    for (const fake::Box& box : engine.boxes) {
      boxes_.push_back({box.title, box.text, box.icon, box.owner == &Main()});
    }
    engine.boxes.clear();
    return std::exchange(boxes_, {});
  }
  std::optional<std::vector<std::u16string>> TakeAnnounced() override { return std::move(Main().announced); }

  Engine engine{kCapabilities};
  ui::Core core{engine, ui::Calculator()};

 private:
  Window& Shown(probe::FormId form) const {
    return static_cast<Window&>(core.Loaded(form)->Native());
  }
  Window& Main() const { return Shown(probe::FormId::kMainWindow); }

  // Whether a press on the window goes on: a disabled one takes none; without a window manager the
  // core says.
  bool Pressed(Window& window) {
    return kManaged ? window.enabled : window.report({ui::Event::Kind::kPressed});
  }
  void PressOn(Window& window, std::string_view control) {
    if (!Pressed(window) || !window.enabled) return;
    window.focus = window.design.Control(control).name;
    window.report({ui::Event::Kind::kFocusMoved, control});
    window.report({ui::Event::Kind::kClicked, control});
  }
  // The core's box, in front: what it shows, whether it stands over the middle of the main window,
  // and answered with the key asked for, else a press on its button.
  void AnswerTheBox() {
    Window& box = *engine.stacking.back();
    const auto middle = [](const Window& window) {
      return ui::Point{window.placement.client.x + window.layout.width / 2,
                       window.placement.client.y + window.layout.height / 2};
    };
    const bool over = std::abs(middle(box).x - middle(Main()).x) <= 1 &&
                      std::abs(middle(box).y - middle(Main()).y) <= 1;
    boxes_.push_back({std::u16string(box.design.title), std::u16string(box.design.Control("Message").caption),
                      box.design.Control("Symbol").symbol, over});
    if (answer_) {
      box.report({ui::Event::Kind::kKey, {}, answer_->first, answer_->second});
    } else {
      PressOn(box, "Button");
    }
  }

  std::vector<probe::Box> boxes_;
  std::optional<std::pair<ui::Key, unsigned>> answer_;
  std::string hovered_;
};

}  // namespace fake
