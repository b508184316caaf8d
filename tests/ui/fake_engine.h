#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/core.h"

// An engine of plain data: what a toolkit would show, and what a user does to it. A text n
// characters long measures n * pixels / 2, as half-width digits roughly do.
namespace fake {

struct Box {
  std::u16string title, text;
  ui::MessageIcon icon;
  const ui::EngineWindow* owner;
};

class Window final : public ui::EngineWindow {
 public:
  Window(const ui::WindowDesign& design, ui::Report report, std::vector<Window*>& stacking)
      : design(design), report(std::move(report)), stacking_(stacking) {
    for (const ui::ControlDesign& control : design.controls) {  // each at its designed font
      fonts[std::string(control.name)] = {ui::FontPixels(ui::FontOf(design, control), dpi)};
    }
  }
  ~Window() override { std::erase(stacking_, this); }

  std::u16string Text(std::string_view box) const override {
    Access();
    const auto found = texts.find(std::string(box));
    return found == texts.end() ? std::u16string(design.Control(box).caption) : found->second;
  }
  void SetText(std::string_view control, std::u16string_view text) override {
    Access();
    texts[std::string(control)] = text;
  }
  bool Value(std::string_view option) const override { return checked.count(std::string(option)); }
  void SetValue(std::string_view option, bool on) override {
    on ? void(checked.insert(std::string(option))) : void(checked.erase(std::string(option)));
  }
  void SetEnabled(bool on) override { enabled = on; }
  std::string_view Focused() const override { return focus; }
  void Focus(std::string_view control) override { focus = control; }
  void TakeKeyboard(std::u16string_view readAs) override {
    focus = {};
    if (!readAs.empty()) announced.emplace_back(readAs);
  }
  void MarkDefault(std::string_view button) override { defaultButton = button; }
  int TextRoom(std::string_view box) const override {
    return ui::PixelBounds(design.Control(box), dpi).width - 4;
  }
  int TextWidth(std::string_view, std::u16string_view text, int pixels) const override {
    return static_cast<int>(text.size()) * pixels / 2;
  }
  void SetTextFont(std::string_view box, const ui::TextFit& fit) override {
    fonts[std::string(box)] = fit;
  }
  int Dpi() const override { return dpi; }
  ui::Margins Frame() const override { return frame; }
  ui::Rect WorkArea() const override { return workArea; }
  void Place(const ui::Placement& placement) override { this->placement = placement; }
  void Show() override {
    shown = true;
    minimised = false;
    std::erase(stacking_, this);
    stacking_.push_back(this);
  }
  void Announce(std::string_view, std::u16string_view text) override {
    announced.emplace_back(text);
  }

  const ui::WindowDesign& design;
  ui::Report report;
  std::map<std::string, std::u16string> texts;
  std::set<std::string> checked;
  std::map<std::string, ui::TextFit> fonts;
  std::vector<std::u16string> announced;
  std::string_view focus;
  std::string_view defaultButton;
  bool enabled = true;
  bool shown = false;
  bool minimised = false;
  bool failing = false;  // every access to a text fails, as a toolkit might refuse one
  int dpi = 96;
  ui::Margins frame{};
  ui::Rect workArea{0, 0, 1920, 1080};
  ui::Placement placement{};

 private:
  void Access() const {
    if (failing) throw std::runtime_error("refused");
  }
  std::vector<Window*>& stacking_;
};

class Engine final : public ui::Engine {
 public:
  std::unique_ptr<ui::EngineWindow> BuildWindow(const ui::WindowDesign& design,
                                                ui::Report report) override {
    return std::make_unique<Window>(design, std::move(report), stacking);
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

  std::vector<Box> boxes;
  std::vector<Window*> stacking;  // front last
  char16_t separator = u'.';
  int destroyed = 0;
  bool quit = false;
};

}  // namespace fake
