#include "ui/web/web_window.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>

#include "ui/web/page.h"

namespace ui::web {
namespace {

std::map<int, WebWindow*>& OnPage() {
  static std::map<int, WebWindow*> windows;
  return windows;
}

// The page wants names and texts that end in a zero.
std::string Name(std::string_view name) { return std::string(name); }
std::u16string Terminated(std::u16string_view text) { return std::u16string(text); }

}  // namespace

WebWindow::WebWindow(const WindowDesign& design, WindowEvents events)
    : design_(design), events_(std::move(events)) {
  static int lastNumber = 0;
  number_ = ++lastNumber;
  OnPage()[number_] = this;
  web_create_window(number_, Terminated(design.title).c_str(), TwipsToPixels(design.clientWidth),
                    TwipsToPixels(design.clientHeight));
  for (const ControlDesign* control : ReadingOrder(design)) {
    const Rect pixels = PixelBounds(*control);
    const FontDesign& font = FontOf(design, *control);
    web_create_control(number_, Name(control->name).c_str(), static_cast<int>(control->kind),
                       Terminated(control->caption).c_str(), pixels.left, pixels.top, pixels.width,
                       pixels.height, Name(control->group).c_str(), Name(control->labelFor).c_str(),
                       Terminated(control->accessibleName).c_str(), FontPixels(font), font.bold);
  }
  for (const ControlDesign& line : design.controls) {
    if (line.kind != ControlKind::kLine) continue;
    web_draw_line(number_, TwipsToPixels(line.left), TwipsToPixels(line.top),
                  TwipsToPixels(line.width), TwipsToPixels(line.height));
  }
}

WebWindow::~WebWindow() { RemoveFromPage(this); }

WebWindow* WebWindow::Numbered(int number) {
  const auto found = OnPage().find(number);
  return found == OnPage().end() ? nullptr : found->second;
}

void WebWindow::RemoveFromPage(const EngineWindow* window) {
  for (const auto& [number, onPage] : OnPage()) {
    if (onPage != window) continue;
    web_destroy_window(number);
    OnPage().erase(number);
    return;
  }
}

std::u16string WebWindow::Text(std::string_view textBox) const {
  std::unique_ptr<char16_t, decltype(&std::free)> text(web_text(number_, Name(textBox).c_str()),
                                                       &std::free);
  return text.get();
}

void WebWindow::SetText(std::string_view control, std::u16string_view text) {
  web_set_text(number_, Name(control).c_str(), Terminated(text).c_str());
}

bool WebWindow::Checked(std::string_view option) const {
  return web_checked(number_, Name(option).c_str()) != 0;
}

void WebWindow::SetChecked(std::string_view option, bool checked) {
  web_set_checked(number_, Name(option).c_str(), checked);
}

void WebWindow::SetEnabled(bool enabled) { web_set_enabled(number_, enabled); }

std::string_view WebWindow::Focused() const {
  std::unique_ptr<char, decltype(&std::free)> name(web_focused(number_), &std::free);
  if (!name) return {};
  return design_.Control(name.get()).name;
}

void WebWindow::Focus(std::string_view control) { web_focus(number_, Name(control).c_str()); }

void WebWindow::MarkDefault(std::string_view button) {
  web_mark_default(number_, Name(button).c_str());
}

int WebWindow::TextRoom(std::string_view textBox) const {
  return web_text_room(number_, Name(textBox).c_str());
}

int WebWindow::TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const {
  return web_text_width(number_, Name(textBox).c_str(), Terminated(text).c_str(), pixels);
}

void WebWindow::SetTextFont(std::string_view textBox, int pixels, int clip) {
  web_set_text_font(number_, Name(textBox).c_str(), pixels, clip);
}

Margins WebWindow::Frame() const {
  int margins[4] = {};
  web_frame(number_, margins);
  return {margins[0], margins[1], margins[2], margins[3]};
}

Rect WebWindow::WorkArea() const {
  int area[4] = {};
  web_work_area(area);
  return {area[0], area[1], area[2], area[3]};
}

void WebWindow::MoveClient(Point topLeft) { web_move_client(number_, topLeft.x, topLeft.y); }

void WebWindow::Show() { web_show_window(number_); }

void WebWindow::Announce(std::string_view, std::u16string_view text) {
  web_announce(number_, Terminated(text).c_str());
}

}  // namespace ui::web
