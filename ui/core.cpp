#include "ui/core.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "sizing/errors.h"
#include "ui/forms.h"
#include "ui/rules.h"

namespace ui {
Window::Window(const WindowDesign& design, std::unique_ptr<EngineWindow> shown)
    : design_(design), shown_(std::move(shown)) {}

std::string_view Window::Checked(std::string_view name, ControlKind kind) const {
  const ControlDesign& control = design_.Control(name);
  if (control.kind != kind) {
    throw std::logic_error(std::string(design_.name) + "." + std::string(name) +
                           " is a control of another kind");
  }
  return control.name;
}

std::u16string Window::Text(std::string_view textBox) const {
  return shown_->Text(Checked(textBox, ControlKind::kTextBox));
}

void Window::SetText(std::string_view textBox, std::u16string_view text) {
  const ControlDesign& control = design_.Control(Checked(textBox, ControlKind::kTextBox));
  shown_->SetText(control.name, text);
  Fit(control.name);
  if (control.announced && !text.empty()) shown_->Announce(control.name, text);
}

bool Window::Value(std::string_view option) const {
  return shown_->Checked(Checked(option, ControlKind::kOptionButton));
}

void Window::SetValue(std::string_view option, bool selected) {
  const ControlDesign& chosen = design_.Control(Checked(option, ControlKind::kOptionButton));
  for (const ControlDesign& other : design_.controls) {
    if (selected && other.group == chosen.group && &other != &chosen) {
      shown_->SetChecked(other.name, false);
    }
  }
  shown_->SetChecked(chosen.name, selected);
}

void Window::SetCaption(std::string_view label, std::u16string_view caption) {
  const std::string_view name = Checked(label, ControlKind::kLabel);
  shown_->SetText(name, caption);
  std::erase_if(captions_, [&](const auto& entry) { return entry.first == name; });
  captions_.emplace_back(name, caption);
}

std::u16string Window::Captions() const {
  std::u16string text;
  for (const ControlDesign* control : ReadingOrder(design_)) {
    const auto found = std::find_if(captions_.begin(), captions_.end(), [&](const auto& entry) {
      return entry.first == control->name;
    });
    if (found != captions_.end()) text += found->second + u"\n";
  }
  return text;
}

void Window::SetEnabled(bool enabled) {
  enabled_ = enabled;
  shown_->SetEnabled(enabled);
}

std::vector<std::string_view> Window::FocusStops() const {
  return ui::FocusStops(design_, [&](std::string_view option) { return shown_->Checked(option); });
}

void Window::FocusOn(std::string_view control) {
  shown_->Focus(control);
  if (const auto button = ButtonForEnter(design_, control)) shown_->MarkDefault(*button);
}

void Window::Fit(std::string_view textBox) {
  const ControlDesign& control = design_.Control(textBox);
  const int dpi = shown_->Dpi();
  const TextFit fit =
      FitText(FontPixels(FontOf(design_, control), dpi), dpi, shown_->TextRoom(control.name),
              shown_->Text(control.name), [&](std::u16string_view text, int pixels) {
                return shown_->TextWidth(control.name, text, pixels);
              });
  shown_->SetTextFont(control.name, fit.pixels, fit.clip);
}

Core::~Core() = default;

Window* Core::Loaded(FormId form) const {
  return slots_[static_cast<std::size_t>(form)].window.get();
}

Window& Core::GetWindow(FormId form) { return Load(form); }

Window& Core::Load(FormId form) {
  Slot& slot = SlotOf(form);
  if (slot.window) return *slot.window;
  const Form& handlers = FormFor(form);
  const WindowDesign& design = handlers.design();
  WindowEvents events{
      .click = [this, form](std::string_view control) { Click(form, control); },
      .textChanged =
          [this, form](std::string_view textBox) {
            if (Window* window = Loaded(form)) Dispatch([&] { window->Fit(textBox); });
          },
      .key = [this, form](Key key) { return KeyPressed(form, key); },
      .close = [this, form] { return Close(form); },
      .activated = [this, form] { Activated(form); },
      .framed = [this, form] { Place(form); },
  };
  slot.window = std::make_unique<Window>(design, engine_.BuildWindow(design, std::move(events)));
  slot.shown = false;
  Place(form);
  Dispatch([&] { handlers.load(*this); });
  return *slot.window;
}

// Shown for the first time since it was loaded, a window has the focus on its first stop; a
// window of text alone is read out whole, as a reader opening it would want.
void Core::Show(FormId form) {
  Window& window = Load(form);
  if (clicked_) SlotOf(form).opener = clicked_;
  window.Shown().Show();
  if (std::exchange(SlotOf(form).shown, true)) return;
  if (!FocusFirstStop(window)) window.Shown().Announce({}, window.Captions());
}

bool Core::FocusFirstStop(Window& window) {
  const std::vector<std::string_view> stops = window.FocusStops();
  if (!stops.empty()) window.FocusOn(stops.front());
  return !stops.empty();
}

Window* Core::FrontWindow() const {
  for (const FormId form : kFormIds) {
    if (Window* window = Loaded(form); window && window->Enabled()) return window;
  }
  return Loaded(FormId::kForm1);
}

// After the box the focus is on the first stop of the window in front, ready for a new size.
void Core::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  Window* owner = FrontWindow();
  engine_.ShowBox(owner ? &owner->Shown() : nullptr, text, icon, title);
  if (owner && owner->Enabled()) FocusFirstStop(*owner);
}

// An error that ends a handler is reported, and the windows stay usable: no handler catches.
void Core::Dispatch(const std::function<void()>& handler) {
  const auto report = [this](std::u16string_view text) {
    ShowMessage(text, MessageIcon::kError, u"Prelvane");
  };
  try {
    handler();
  } catch (const sizing::ConversionError&) {
    report(u"类型不匹配");
  } catch (const sizing::FloatingPointError&) {
    report(u"溢出");
  } catch (const std::exception&) {
    // A failed control access: the toolkit refused an operation on a window.
    report(u"无法访问控件");
  }
}

void Core::Click(FormId form, std::string_view control) {
  Window* window = Loaded(form);
  if (!window || !window->Enabled()) return;
  for (const ClickHandler& click : FormFor(form).clicks) {
    if (click.control != control) continue;
    clicked_ = Control{form, click.control};
    Dispatch([&] { click.handler(*this); });
    clicked_.reset();
  }
}

// Tab stays inside the window; Enter clicks a button as in a dialog; Escape closes a window that
// closes like a dialog.
bool Core::KeyPressed(FormId form, Key key) {
  Window* window = Loaded(form);
  if (!window || !window->Enabled()) return false;
  switch (key) {
    case Key::kTab:
    case Key::kShiftTab: {
      const std::vector<std::string_view> stops = window->FocusStops();
      if (!stops.empty()) {
        window->FocusOn(NextFocusStop(stops, window->Shown().Focused(), key == Key::kShiftTab));
      }
      return true;
    }
    case Key::kEnter: {
      const auto button = ButtonForEnter(window->Design(), window->Shown().Focused());
      if (button) Click(form, *button);
      return button.has_value();
    }
    case Key::kEscape:
      return window->Design().closesOnEscape && Close(form);
  }
  return false;
}

// A disabled window cannot be closed by the user. Once closed, a window opened by a click gives
// the focus back to the control that opened it, as a dialog does.
bool Core::Close(FormId form) {
  Slot& slot = SlotOf(form);
  if (!slot.window || !slot.window->Enabled()) return false;
  Dispatch([&] {
    if (const Handler unload = FormFor(form).unload) unload(*this);
  });
  engine_.Discard(slot.window->Release());
  slot.window.reset();
  const std::optional<Control> opener = std::exchange(slot.opener, std::nullopt);
  if (Window* back = opener ? Loaded(opener->form) : nullptr; back && back->Enabled()) {
    Show(opener->form);
    back->FocusOn(opener->name);
  }
  return true;
}

// A disabled window brought to the front puts the window that disabled it in front of it.
void Core::Activated(FormId form) {
  const Window* window = Loaded(form);
  if (!window || window->Enabled()) return;
  for (const FormId other : kFormIds) {
    if (Window* front = Loaded(other); front && front->Enabled()) front->Shown().Show();
  }
}

// Where the design puts the client area, with the whole window kept on its screen.
void Core::Place(FormId form) {
  Window* window = Loaded(form);
  if (!window) return;
  EngineWindow& shown = window->Shown();
  const WindowDesign& design = window->Design();
  const int dpi = shown.Dpi();
  const Rect designed{TwipsToPixels(design.clientLeft, dpi), TwipsToPixels(design.clientTop, dpi),
                      TwipsToPixels(design.clientWidth, dpi),
                      TwipsToPixels(design.clientHeight, dpi)};
  shown.MoveClient(PlaceClient(designed, shown.Frame(), shown.WorkArea()));
}

}  // namespace ui
