#include "ui/core.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "ui/rules.h"

namespace ui {
Window::Window(const WindowDesign& design, std::unique_ptr<EngineWindow> native)
    : design_(design), native_(std::move(native)) {}

std::string_view Window::Checked(std::string_view name, ControlKind kind) const {
  const ControlDesign& control = design_.Control(name);
  if (control.kind != kind) {
    throw std::logic_error(std::string(design_.name) + "." + std::string(name) +
                           " is a control of another kind");
  }
  return control.name;
}

std::u16string Window::Text(std::string_view textBox) const {
  return native_->Text(Checked(textBox, ControlKind::kTextBox));
}

void Window::SetText(std::string_view textBox, std::u16string_view text) {
  const ControlDesign& control = design_.Control(Checked(textBox, ControlKind::kTextBox));
  native_->SetText(control.name, text);
  Fit(control.name);
  if (control.announced && !text.empty()) native_->Announce(control.name, text);
}

bool Window::Value(std::string_view option) const {
  return native_->Value(Checked(option, ControlKind::kOptionButton));
}

void Window::SetValue(std::string_view option, bool selected) {
  const ControlDesign& chosen = design_.Control(Checked(option, ControlKind::kOptionButton));
  for (const ControlDesign& other : design_.controls) {
    if (selected && other.group == chosen.group && &other != &chosen) {
      native_->SetValue(other.name, false);
    }
  }
  native_->SetValue(chosen.name, selected);
}

void Window::SetCaption(std::string_view label, std::u16string_view caption) {
  const std::string_view name = Checked(label, ControlKind::kLabel);
  native_->SetText(name, caption);
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
  native_->SetEnabled(enabled);
}

std::vector<std::string_view> Window::FocusStops() const {
  return ui::FocusStops(design_, [&](std::string_view option) { return native_->Value(option); });
}

void Window::FocusOn(std::string_view control) {
  lastFocus_ = design_.Control(control).name;
  native_->Focus(lastFocus_);
  if (const auto button = ButtonForEnter(design_, lastFocus_)) native_->MarkDefault(*button);
}

bool Window::FocusFirstStop() {
  const std::vector<std::string_view> stops = FocusStops();
  if (!stops.empty()) FocusOn(stops.front());
  return !stops.empty();
}

void Window::RestoreFocus() {
  if (!lastFocus_.empty()) {
    FocusOn(lastFocus_);
  } else if (!FocusFirstStop()) {
    native_->TakeKeyboard({});
  }
}

void Window::Fit(std::string_view textBox) {
  const ControlDesign& control = design_.Control(textBox);
  const int dpi = native_->Dpi();
  const TextFit fit =
      FitText(FontPixels(FontOf(design_, control), dpi), dpi, native_->TextRoom(control.name),
              native_->Text(control.name), [&](std::u16string_view text, int pixels) {
                return native_->TextWidth(control.name, text, pixels);
              });
  native_->SetTextFont(control.name, fit);
}

Core::Core(Engine& engine, const Program& program)
    : engine_(engine), program_(program), slots_(program.windows.size()) {}

Core::~Core() = default;

Window* Core::Loaded(WindowId id) const { return slots_.at(id).window.get(); }

Window& Core::Load(WindowId id) {
  Slot& slot = slots_.at(id);
  if (slot.window) return *slot.window;
  const Form& form = program_.windows[id];
  const WindowDesign& design = form.design();
  Report report = [this, id](const Event& event) { return Receive(id, event); };
  slot.window = std::make_unique<Window>(design, engine_.BuildWindow(design, std::move(report)));
  slot.shown = false;
  Place(id);
  Dispatch([&] { form.load(*this); });
  return *slot.window;
}

// Shown for the first time since it was loaded, a window has the focus on its first stop; a
// window of text alone takes the keyboard itself, and is read out whole, as a reader opening it
// would want.
void Core::Show(WindowId id) {
  Window& window = Load(id);
  if (clicked_) slots_[id].opener = clicked_;
  window.Native().Show();
  if (std::exchange(slots_[id].shown, true)) return;
  if (!window.FocusFirstStop()) window.Native().TakeKeyboard(window.Captions());
}

Window* Core::FrontWindow() const {
  for (const Slot& slot : slots_) {
    if (slot.window && slot.window->Enabled()) return slot.window.get();
  }
  return slots_.front().window.get();
}

// After the box its window is active again, with the focus on its first stop, ready for a new
// size: a desktop without a window manager activates no window by itself.
void Core::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  Window* owner = FrontWindow();
  engine_.ShowBox(owner ? &owner->Native() : nullptr, text, icon, title);
  if (owner && owner->Enabled()) {
    owner->Native().Show();
    owner->FocusFirstStop();
  }
}

// An error that ends a handler is reported, and the windows stay usable: no handler catches.
void Core::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    ShowMessage(program_.failure(error), MessageIcon::kError,
                program_.windows.front().design().title);
  }
}

bool Core::Receive(WindowId id, const Event& event) {
  Window* window = Loaded(id);
  if (!window) return false;
  ++depth_;
  const bool used = React(id, *window, event);
  if (--depth_ == 0) EndOfEvent();
  return used;
}

// A disabled window takes no input, and cannot be closed by the user; brought up, it puts the
// window that disabled it in front of it.
bool Core::React(WindowId id, Window& window, const Event& event) {
  switch (event.kind) {
    case Event::Kind::kFramed:
      Place(id);
      return true;
    case Event::Kind::kActivated:
      Activated(id);
      return true;
    case Event::Kind::kFocusMoved:
      window.FocusMoved(event.control);
      return true;
    default:
      break;
  }
  if (!window.Enabled()) return false;
  switch (event.kind) {
    case Event::Kind::kClicked:
      Click(id, event.control);
      return true;
    case Event::Kind::kEdited:
      Dispatch([&] { window.Fit(event.control); });
      return true;
    case Event::Kind::kKey:
      return KeyPressed(id, event.key);
    case Event::Kind::kCloseAsked:
      return Close(id);
    default:
      return false;
  }
}

// Closed windows go once the outermost event is over, whatever handler or box it ran through;
// the program ends with its last window.
void Core::EndOfEvent() {
  if (closed_.empty()) return;
  for (auto& window : std::exchange(closed_, {})) engine_.Destroy(std::move(window));
  if (std::none_of(slots_.begin(), slots_.end(), [](const Slot& slot) { return !!slot.window; })) {
    engine_.Quit();
  }
}

void Core::Click(WindowId id, std::string_view control) {
  for (const ClickHandler& click : program_.windows[id].clicks) {
    if (click.control != control) continue;
    clicked_ = Control{id, click.control};
    Dispatch([&] { click.handler(*this); });
    clicked_.reset();
  }
}

// Tab stays inside the window; Enter clicks a button as in a dialog; Escape closes a window that
// closes like a dialog.
bool Core::KeyPressed(WindowId id, Key key) {
  Window& window = *Loaded(id);
  switch (key) {
    case Key::kTab:
    case Key::kShiftTab: {
      const std::vector<std::string_view> stops = window.FocusStops();
      if (!stops.empty()) {
        window.FocusOn(NextFocusStop(stops, window.Native().Focused(), key == Key::kShiftTab));
      }
      return true;
    }
    case Key::kEnter: {
      const auto button = ButtonForEnter(window.Design(), window.Native().Focused());
      if (button) Click(id, *button);
      return button.has_value();
    }
    case Key::kEscape:
      return window.Design().closesOnEscape && Close(id);
    case Key::kUp:
    case Key::kDown:
    case Key::kLeft:
    case Key::kRight:
      return ArrowPressed(id, key == Key::kUp || key == Key::kLeft);
  }
  return false;
}

// In an option group an arrow key selects the next option, round the group, and clicks it; on a
// button it does nothing; in a text box it is the box's own.
bool Core::ArrowPressed(WindowId id, bool backward) {
  Window& window = *Loaded(id);
  const std::string_view focused = window.Native().Focused();
  if (focused.empty()) return true;
  switch (window.Design().Control(focused).kind) {
    case ControlKind::kOptionButton: {
      const std::string_view next = NextOption(window.Design(), focused, backward);
      window.SetValue(next, true);
      window.FocusOn(next);
      Click(id, next);
      return true;
    }
    case ControlKind::kTextBox:
      return false;
    default:
      return true;
  }
}

// Once closed, a window opened by a click gives the focus back to the control that opened it, as
// a dialog does.
bool Core::Close(WindowId id) {
  Slot& slot = slots_[id];
  Dispatch([&] {
    if (const Handler unload = program_.windows[id].unload) unload(*this);
  });
  closed_.push_back(slot.window->Release());
  slot.window.reset();
  const std::optional<Control> opener = std::exchange(slot.opener, std::nullopt);
  if (Window* back = opener ? Loaded(opener->window) : nullptr; back && back->Enabled()) {
    Show(opener->window);
    back->FocusOn(opener->name);
  }
  return true;
}

// A window brought up has the keyboard back where it was; a disabled one brings up the window in
// front of it instead.
void Core::Activated(WindowId id) {
  Window* window = Loaded(id);
  if (!window->Enabled()) {
    window = FrontWindow();
    if (!window->Enabled()) return;
    window->Native().Show();
  }
  window->RestoreFocus();
}

// Where the design puts the client area, with the whole window kept on its screen, or on a
// phone's, in its corner and as wide as the screen allows.
void Core::Place(WindowId id) {
  EngineWindow& native = Loaded(id)->Native();
  const WindowDesign& design = Loaded(id)->Design();
  const int dpi = native.Dpi();
  const Rect designed{TwipsToPixels(design.clientLeft, dpi), TwipsToPixels(design.clientTop, dpi),
                      TwipsToPixels(design.clientWidth, dpi),
                      TwipsToPixels(design.clientHeight, dpi)};
  int widest = 0;
  for (const Form& form : program_.windows) {
    widest = std::max(widest, TwipsToPixels(form.design().clientWidth, dpi));
  }
  native.Place(PlaceWindow(designed, native.Frame(), native.WorkArea(), widest));
}

}  // namespace ui
