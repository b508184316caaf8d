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
                                                            {ControlKind::kLabel, "label"}};
  for (const auto& [known, name] : kNames) {
    if (known == kind) return name;
  }
  return "line";
}

}  // namespace

WebWindow::WebWindow(int number, const WindowDesign& design, Report report)
    : number_(number), design_(design), report_(std::move(report)) {
  web_create_window(number_, Terminated(design.title).c_str(), TwipsToPixels(design.clientWidth),
                    TwipsToPixels(design.clientHeight));
  for (const ControlDesign* control : ReadingOrder(design)) {
    const Rect pixels = ControlBounds(design, *control);
    const FontDesign& font = FontOf(design, *control);
    web_create_control(number_, Name(control->name).c_str(), KindName(control->kind),
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

WebWindow::~WebWindow() { web_destroy_window(number_); }

bool WebWindow::Tell(Event event) {
  if (!event.control.empty()) event.control = design_.Control(event.control).name;
  return report_(event);
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

std::string_view WebWindow::Focused() const {
  std::unique_ptr<char, decltype(&std::free)> name(web_focused(number_), &std::free);
  if (!name) return {};
  return design_.Control(name.get()).name;
}

void WebWindow::Focus(std::string_view control) { web_focus(number_, Name(control).c_str()); }

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

void WebWindow::SetTextFont(std::string_view textBox, const TextFit& fit) {
  web_set_text_font(number_, Name(textBox).c_str(), fit.pixels, fit.emptyRight,
                    Terminated(fit.cut ? kCutMark : u"").c_str());
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
            placement.fingerPixels);
}

void WebWindow::Show() { web_show_window(number_); }

void WebWindow::Announce(std::string_view, std::u16string_view text) {
  web_announce(number_, Terminated(text).c_str());
}

}  // namespace ui::web
