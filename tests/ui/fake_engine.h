#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/core.h"

// An engine of plain data: what a toolkit would show, and what a user does to it. A text n
// characters long measures n * (pixels / 2), as half-width digits roughly do.
namespace fake {

struct Box {
  std::u16string title, text;
  ui::MessageIcon icon;
  const ui::EngineWindow* owner;
};

class Window final : public ui::EngineWindow {
 public:
  Window(const ui::WindowDesign& design, ui::Report report)
      : design(design), report(std::move(report)) {}

  std::u16string Text(std::string_view box) const override {
    Access();
    const auto found = texts.find(std::string(box));
    return found == texts.end() ? std::u16string(design.Control(box).caption) : found->second;
  }
  void SetText(std::string_view control, std::u16string_view text) override {
    Access();
    texts[std::string(control)] = text;
    carets[std::string(control)] = 0;
  }
  bool Value(std::string_view option) const override { return checked.count(std::string(option)); }
  void SetValue(std::string_view option, bool on) override {
    on ? void(checked.insert(std::string(option))) : void(checked.erase(std::string(option)));
  }
  void SetEnabled(bool on) override { enabled = on; }
  void Focus(std::string_view control) override {
    focus = control;
    carets[std::string(control)] = 0;
  }
  void MoveCaret(std::string_view box, std::size_t to) override { carets[std::string(box)] = to; }
  std::size_t Caret(std::string_view box) const override {
    const auto found = carets.find(std::string(box));
    return found == carets.end() ? 0 : found->second;
  }
  void TakeKeyboard(std::u16string_view readAs) override {
    focus = {};
    if (!readAs.empty()) announced.emplace_back(readAs);
  }
  void MarkDefault(std::string_view button) override { defaultButton = button; }
  ui::Units Measure() const override { return {}; }
  void Lay(const ui::WindowLayout& layout) override { this->layout = layout; }
  int TextRoom(std::string_view box) const override { return Laid(box).bounds.width - 4; }
  int TextWidth(std::string_view, std::u16string_view text, int pixels) const override {
    return static_cast<int>(text.size()) * (pixels / 2);
  }
  void ShowText(std::string_view box, const ui::TextView& view) override {
    views[std::string(box)] = view;
    tooltips[std::string(box)] = view.tooltip;
  }
  ui::Margins Frame() const override { return {}; }
  ui::Rect WorkArea() const override { return workArea; }
  void Place(const ui::Placement& placement) override { this->placement = placement; }
  void Show() override {
    shown = true;
    minimised = false;
  }
  void Announce(std::string_view, std::u16string_view text) override {
    announced.emplace_back(text);
  }

  const ui::ControlLayout& Laid(std::string_view control) const {
    const auto found = std::find_if(layout.controls.begin(), layout.controls.end(),
                                    [&](const ui::ControlLayout& laid) { return laid.name == control; });
    if (found == layout.controls.end()) throw std::logic_error("not laid out");
    return *found;
  }

  const ui::WindowDesign& design;
  ui::Report report;
  std::map<std::string, std::u16string> texts;
  std::map<std::string, std::size_t> carets;
  std::set<std::string> checked;
  std::map<std::string, ui::TextView> views;
  std::map<std::string, std::u16string> tooltips;
  std::vector<std::u16string> announced;
  std::string_view focus;
  std::string_view defaultButton;
  bool enabled = true;
  bool shown = false;
  bool minimised = false;
  bool failing = false;  // every access to a text fails, as a toolkit might refuse one
  ui::WindowLayout layout{};
  ui::Rect workArea{0, 0, 1920, 1080};
  ui::Placement placement{};

 private:
  void Access() const {
    if (failing) throw std::runtime_error("refused");
  }
};

// Where it has a window manager, it shows boxes as its own: a box is recorded and dismissed. Where
// the core is the window manager, the core's box is a window like any other, and while the core
// waits for it, what the user does is `user`'s.
class Engine final : public ui::Engine {
 public:
  explicit Engine(unsigned capabilities) : capabilities(capabilities) {}
  unsigned Capabilities() const override { return capabilities; }
  void UseTexts(const ui::ProgramTexts&) override {}
  std::unique_ptr<ui::EngineWindow> BuildWindow(const ui::WindowDesign& design,
                                                ui::Report report) override {
    return std::make_unique<Window>(design, std::move(report));
  }
  void Stack(const std::vector<ui::EngineWindow*>& backToFront) override {
    stacking.clear();
    for (ui::EngineWindow* window : backToFront) stacking.push_back(static_cast<Window*>(window));
  }
  void Wait(const std::function<bool()>& done) override {
    for (int turns = 0; !done(); ++turns) {
      if (turns == 10 || !user) {
        ADD_FAILURE() << "a box nobody answers";
        return;
      }
      user();
    }
  }
  void Destroy(std::unique_ptr<ui::EngineWindow> window) override {
    window.reset();
    ++destroyed;
  }
  void Quit() override { quit = true; }
  void ShowBox(const ui::EngineWindow* owner, std::u16string_view text, ui::MessageIcon icon,
               std::u16string_view title) override {
    boxes.push_back({std::u16string(title), std::u16string(text), icon, owner});
  }
  char16_t DecimalSeparator() const override { return separator; }

  unsigned capabilities;
  std::vector<Box> boxes;
  std::vector<Window*> stacking;  // front last
  std::function<void()> user;
  char16_t separator = u'.';
  int destroyed = 0;
  bool quit = false;
};

}  // namespace fake
