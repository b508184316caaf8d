#include "windows/web/web_window.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "windows/fit.h"
#include "windows/web/page.h"

namespace windows::web {
namespace {

std::map<int, WebWindow*>& Windows() {
  static std::map<int, WebWindow*> windows;
  return windows;
}

std::u16string Terminated(std::u16string_view text) { return std::u16string(text); }

std::string Name(std::string_view name) { return std::string(name); }

}  // namespace

WebWindow::WebWindow(const WindowDesign& design, WindowEvents events)
    : design_(design), events_(std::move(events)) {
  static int lastNumber = 0;
  number_ = ++lastNumber;
  Windows()[number_] = this;
  web_create_window(number_, Terminated(design.title).c_str(), TwipsToPixels(design.clientWidth),
                    TwipsToPixels(design.clientHeight), TwipsToPixels(design.clientLeft),
                    TwipsToPixels(design.clientTop));
  for (const ControlDesign* control : InReadingOrder(design)) {
    const Rect pixels = PixelBounds(*control);
    const FontDesign& font = control->font ? *control->font : design.defaultFont;
    web_create_control(number_, Name(control->name).c_str(), static_cast<int>(control->kind),
                       Terminated(control->caption).c_str(), pixels.left, pixels.top,
                       pixels.width, pixels.height, control->tabIndex.value_or(-1),
                       Terminated(control->accessibleName).c_str(), FontPixels(font), font.bold,
                       control->isDefaultButton);
  }
  for (const ControlDesign& line : design.controls) {
    if (line.kind != ControlKind::kLine) continue;
    web_draw_line(number_, TwipsToPixels(line.left), TwipsToPixels(line.top),
                  TwipsToPixels(line.width), TwipsToPixels(line.height));
  }
}

WebWindow::~WebWindow() { RemoveFromPage(); }

void WebWindow::RemoveFromPage() {
  if (Windows().erase(number_)) web_destroy_window(number_);
}

WebWindow* WebWindow::Numbered(int window) {
  const auto found = Windows().find(window);
  return found == Windows().end() ? nullptr : found->second;
}

const ControlDesign& WebWindow::Checked(std::string_view name,
                                        std::optional<ControlKind> kind) const {
  const ControlDesign& control = design_.Control(name);
  if (kind && control.kind != *kind) {
    throw std::logic_error("control of another kind: " + std::string(name));
  }
  return control;
}

void WebWindow::Show() { web_show_window(number_); }

void WebWindow::FocusFirstStop() {
  const auto order = InTabOrder(design_);
  for (const ControlDesign* control : order) {
    if (control->kind == ControlKind::kLabel) continue;
    web_focus(number_, Name(control->name).c_str());
    return;
  }
}

std::u16string WebWindow::Text(std::string_view textBox) const {
  Checked(textBox, ControlKind::kTextBox);
  std::unique_ptr<char16_t, decltype(&std::free)> text(web_text(number_, Name(textBox).c_str()),
                                                       &std::free);
  if (!text) throw std::runtime_error("no such text box on the page");
  return text.get();
}

void WebWindow::SetText(std::string_view textBox, std::u16string_view text) {
  Checked(textBox, ControlKind::kTextBox);
  web_set_text(number_, Name(textBox).c_str(), Terminated(text).c_str());
  FitText(textBox);
}

bool WebWindow::Value(std::string_view optionButton) const {
  Checked(optionButton, ControlKind::kOptionButton);
  return web_checked(number_, Name(optionButton).c_str()) != 0;
}

// A radio button of the page clears the others of its group itself.
void WebWindow::SetValue(std::string_view optionButton, bool selected) {
  Checked(optionButton, ControlKind::kOptionButton);
  web_set_checked(number_, Name(optionButton).c_str(), selected);
}

void WebWindow::SetCaption(std::string_view label, std::u16string_view caption) {
  Checked(label, ControlKind::kLabel);
  web_set_text(number_, Name(label).c_str(), Terminated(caption).c_str());
}

void WebWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  web_set_enabled(number_, enabled);
}

// The designed font where the text fits the box, else a smaller one (in whole pixels) at which it
// does, down to a floor.
void WebWindow::FitText(std::string_view textBox) {
  const ControlDesign& control = Checked(textBox, ControlKind::kTextBox);
  const std::string name = Name(textBox);
  const FontDesign& font = control.font ? *control.font : design_.defaultFont;
  const int room = web_text_room(number_, name.c_str());
  web_set_font_pixels(number_, name.c_str(),
                      FittingFontPixels(FontPixels(font), 96, room, [&](int pixels) {
                        return web_text_width(number_, name.c_str(), pixels);
                      }));
}

}  // namespace windows::web
