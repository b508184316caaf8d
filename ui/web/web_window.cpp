#include "ui/web/web_window.h"

#include <cstdlib>
#include <memory>
#include <utility>

#include "ui/web/page.h"

namespace ui::web {
namespace {

// The page wants names and texts that end in a zero.
std::string Name(std::string_view name) { return std::string(name); }
std::u16string Terminated(std::u16string_view text) { return std::u16string(text); }

// The kinds of control as the page names them; lines it draws apart.
const char* KindName(ControlKind kind) {
  constexpr std::pair<ControlKind, const char*> kNames[] = {{ControlKind::kPushButton, "button"},
                                                            {ControlKind::kOptionButton, "option"},
                                                            {ControlKind::kTextBox, "text"},
                                                            {ControlKind::kLabel, "label"},
                                                            {ControlKind::kSymbol, "symbol"}};
  for (const auto& [known, name] : kNames) {
    if (known == kind) return name;
  }
  return "line";
}

}  // namespace

WebWindow::WebWindow(int number, const WindowDesign& design, Report report)
    : number_(number), report_(std::move(report)) {
  web_create_window(number_, Terminated(design.title).c_str(), design.messageBox);
  for (const ControlDesign* control : ReadingOrder(design)) {
    web_create_control(number_, Name(control->name).c_str(), KindName(control->kind),
                       Terminated(control->caption).c_str(), Name(control->group).c_str(),
                       Name(control->labelFor).c_str(), Terminated(control->accessibleName).c_str(),
                       FontOf(design, *control).bold, control->symbol == MessageIcon::kError);
  }
}

WebWindow::~WebWindow() { web_destroy_window(number_); }

void WebWindow::Lay(const WindowLayout& layout) {
  web_lay_window(number_, layout.width, layout.height);
  for (const ControlLayout& control : layout.controls) {
    web_lay_control(number_, Name(control.name).c_str(), control.bounds.left, control.bounds.top,
                    control.bounds.width, control.bounds.height, control.fontPixels);
  }
  for (const Rect& line : layout.lines) {
    web_draw_line(number_, line.left, line.top, line.width, line.height);
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

bool WebWindow::Value(std::string_view option) const {
  return web_checked(number_, Name(option).c_str()) != 0;
}

void WebWindow::SetValue(std::string_view option, bool selected) {
  web_set_checked(number_, Name(option).c_str(), selected);
}

void WebWindow::SetEnabled(bool enabled) { web_set_enabled(number_, enabled); }

void WebWindow::Focus(std::string_view control) { web_focus(number_, Name(control).c_str()); }

std::size_t WebWindow::Caret(std::string_view textBox) const {
  return static_cast<std::size_t>(web_caret(number_, Name(textBox).c_str()));
}

void WebWindow::MoveCaret(std::string_view textBox, std::size_t to) {
  web_move_caret(number_, Name(textBox).c_str(), static_cast<int>(to));
}

// A reader reads a window that takes the focus itself, with its text: nothing more to say.
void WebWindow::TakeKeyboard(std::u16string_view) { web_take_keyboard(number_); }

void WebWindow::MarkDefault(std::string_view button) {
  web_mark_default(number_, Name(button).c_str());
}

int WebWindow::TextRoom(std::string_view textBox) const {
  return web_text_room(number_, Name(textBox).c_str());
}

int WebWindow::TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const {
  return web_text_width(number_, Name(textBox).c_str(), Terminated(text).c_str(), pixels);
}

void WebWindow::ShowText(std::string_view textBox, const TextView& view) {
  web_show_text(number_, Name(textBox).c_str(), view.pixels, view.clearLeft, view.clearRight,
                view.markLeft, view.markRight, static_cast<int>(view.first), view.caretToFirst,
                Terminated(kCutMark).c_str(), view.tooltip.c_str());
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

void WebWindow::Place(const Placement& placement) {
  web_place(number_, placement.client.x, placement.client.y, placement.scale,
            placement.fingerPixels, placement.notice.c_str());
}

void WebWindow::Show() { web_show_window(number_); }

void WebWindow::Announce(std::string_view, std::u16string_view text) {
  web_announce(number_, Terminated(text).c_str());
}

}  // namespace ui::web
