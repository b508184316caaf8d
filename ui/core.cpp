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
  Fit(control.name, true);
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
  const std::string_view name = design_.Control(control).name;
  native_->Focus(name);
  FocusArrived(name);
}

void Window::FocusArrived(std::string_view control) {
  const std::string_view left = std::exchange(focus_, control);
  if (!left.empty() && left != control && design_.Control(left).kind == ControlKind::kTextBox) {
    Fit(left, true);
  }
  if (design_.Control(control).kind == ControlKind::kTextBox) Fit(control);
  if (const auto button = ButtonForEnter(design_, control)) native_->MarkDefault(*button);
}

bool Window::FocusFirstStop() {
  const std::vector<std::string_view> stops = FocusStops();
  if (!stops.empty()) FocusOn(stops.front());
  return !stops.empty();
}

void Window::RestoreFocus() {
  if (!focus_.empty()) {
    FocusOn(focus_);
  } else if (!FocusFirstStop()) {
    native_->TakeKeyboard({});
  }
}

void Window::Fit(std::string_view textBox, bool scrollBack) {
  const ControlDesign& control = design_.Control(textBox);
  const Units units = native_->Measure();
  const std::u16string text = native_->Text(control.name);
  const bool focused = focus_ == control.name;
  const Anchor anchor = AnchorOf(focused, focused ? native_->Caret(control.name) : 0, text.size());
  TextView view = FitText(units.cells ? 1 : FontPixels(FontOf(design_, control), units.dpi),
                          FitFloor(design_, control, units), native_->TextRoom(control.name), text,
                          [&](std::u16string_view part, int pixels) {
                            return native_->TextWidth(control.name, part, pixels);
                          },
                          anchor);
  view.fromStart = scrollBack && !focused;
  if (view.markLeft || view.markRight) view.tooltip = text;
  native_->ShowText(control.name, view);
}

void Window::Lay(const Placement& placement) {
  native_->Lay(LayOut(design_, native_->Measure(), placement));
  for (const ControlDesign& control : design_.controls) {
    if (control.kind == ControlKind::kTextBox) Fit(control.name, true);
  }
}

Core::Core(Engine& engine, const Program& program)
    : engine_(engine), program_(program), slots_(program.windows.size()) {
  engine_.UseTexts(program_.texts);
}

Core::~Core() = default;

Window* Core::Loaded(WindowId id) const { return slots_.at(id).window.get(); }

Window& Core::Load(WindowId id) {
  Slot& slot = slots_.at(id);
  if (slot.window) return *slot.window;
  const Form& form = program_.windows[id];
  const WindowDesign& design = form.design();
  Report report = [this, id](const Event& event) { return Receive(id, event); };
  slot.window = std::make_unique<Window>(design, engine_.BuildWindow(design, std::move(report)));
  slot.shown = 0;
  slot.dragged.reset();
  slot.laid.reset();
  Dispatch([&] { Arrange(id); });
  Dispatch([&] { form.load(*this); });
  return *slot.window;
}

// Shown for the first time since it was loaded, a window has the focus on its first stop; a
// window of text alone takes the keyboard itself, and is read out whole, as a reader opening it
// would want.
void Core::Show(WindowId id) {
  Window& window = Load(id);
  Slot& slot = slots_[id];
  if (clicked_) slot.opener = clicked_;
  window.Native().Show();
  if (std::exchange(slot.shown, ++shows_)) return;
  if (!window.FocusFirstStop()) window.Native().TakeKeyboard(window.Captions());
}

std::optional<WindowId> Core::TakingInput() const {
  std::optional<WindowId> last;
  for (WindowId id = 0; id < slots_.size(); ++id) {
    const Slot& slot = slots_[id];
    if (slot.window && slot.window->Enabled() && (!last || slot.shown > slots_[*last].shown)) {
      last = id;
    }
  }
  return last;
}

// After the box its window is active again, with the focus on its first stop, ready for a new
// size: a desktop without a window manager activates no window by itself.
void Core::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  const std::optional<WindowId> owner = TakingInput();
  engine_.ShowBox(owner ? &Loaded(*owner)->Native() : nullptr, text, icon, title);
  Window* back = owner ? Loaded(*owner) : nullptr;
  if (back && back->Enabled()) {
    back->Native().Show();
    Dispatch([&] { back->FocusFirstStop(); });
  }
}

// An error that ends a handler is reported, and the windows stay usable: no handler catches. One
// that comes while the last is being reported, as the window gets the focus back after its box, is
// the box's already.
void Core::Dispatch(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    if (reporting_) return;
    reporting_ = true;
    ShowMessage(program_.failure(error), MessageIcon::kError,
                program_.windows.front().design().title);
    reporting_ = false;
  }
}

// An event names its control as the engine does; from here on by the design's own name, and a
// name the design lacks is reported as a failed access.
bool Core::Receive(WindowId id, const Event& event) {
  Window* window = Loaded(id);
  if (!window) return false;
  ++depth_;
  Event named = event;
  bool used = false;
  if (const ControlDesign* control = window->Design().Find(event.control)) {
    named.control = control->name;
    used = React(id, *window, named);
  } else if (event.control.empty()) {
    used = React(id, *window, named);
  } else {
    Dispatch([&] { window->Design().Control(event.control); });
  }
  if (--depth_ == 0) EndOfEvent();
  return used;
}

// A disabled window takes no input, and cannot be closed or moved by the user; brought up, it
// puts the window that takes input in front of it. No window has a minimise button: one that a
// window manager minimised anyway comes back at once, so that none is left where a disabled
// window's owner cannot reach it.
bool Core::React(WindowId id, Window& window, const Event& event) {
  switch (event.kind) {
    case Event::Kind::kFramed:
      Dispatch([&] { Arrange(id); });
      return true;
    case Event::Kind::kActivated:
      Activated(id);
      return true;
    case Event::Kind::kFocusMoved:
      Dispatch([&] { window.FocusArrived(event.control); });
      return true;
    case Event::Kind::kMinimised:
      window.Native().Show();
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
    case Event::Kind::kCaretMoved:
      Dispatch([&] { window.Fit(event.control); });
      return true;
    case Event::Kind::kKey:
      return KeyPressed(id, event.key, event.modifiers);
    case Event::Kind::kCloseAsked:
      return Close(id);
    case Event::Kind::kDragged:
      slots_[id].dragged = event.at;
      Dispatch([&] { Arrange(id); });
      return true;
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

// A click on an option selects it, and clears the others of its group, before its handler runs.
void Core::Click(WindowId id, std::string_view control) {
  Window& window = *Loaded(id);
  if (window.Design().Control(control).kind == ControlKind::kOptionButton) {
    Dispatch([&] { window.SetValue(control, true); });
  }
  for (const ClickHandler& click : program_.windows[id].clicks) {
    if (click.control != control) continue;
    clicked_ = Control{id, click.control};
    Dispatch([&] { click.handler(*this); });
    clicked_.reset();
  }
}

// Tab stays inside the window; Enter clicks a button as in a dialog, Space the button or option
// with the focus; Escape closes a window that closes like a dialog.
bool Core::KeyPressed(WindowId id, Key key, unsigned modifiers) {
  Window& window = *Loaded(id);
  const std::string_view focused = window.Focus();
  const Command command = CommandFor(key, modifiers, engine_.Capabilities());
  switch (command) {
    case Command::kNextStop:
    case Command::kPreviousStop: {
      const std::vector<std::string_view> stops = window.FocusStops();
      if (!stops.empty()) {
        window.FocusOn(NextFocusStop(stops, focused, command == Command::kPreviousStop));
      }
      return true;
    }
    case Command::kEnter: {
      const auto button = ButtonForEnter(window.Design(), focused);
      if (button) Click(id, *button);
      return button.has_value();
    }
    case Command::kSpace: {
      const ControlKind kind = focused.empty() ? ControlKind::kLabel
                                               : window.Design().Control(focused).kind;
      if (kind != ControlKind::kPushButton && kind != ControlKind::kOptionButton) return false;
      Click(id, focused);
      return true;
    }
    case Command::kEscape:
      return window.Design().closesOnEscape && Close(id);
    case Command::kBack:
    case Command::kForward:
      return ArrowPressed(id, command == Command::kBack);
    case Command::kClose:
      return Close(id);
    case Command::kNone:
      break;
  }
  return false;
}

// In an option group an arrow key selects the next option, round the group, and clicks it; on a
// button it does nothing; in a text box it is the box's own.
bool Core::ArrowPressed(WindowId id, bool backward) {
  Window& window = *Loaded(id);
  const std::string_view focused = window.Focus();
  if (focused.empty()) return true;
  switch (window.Design().Control(focused).kind) {
    case ControlKind::kOptionButton: {
      const std::string_view next = NextOption(window.Design(), focused, backward);
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

// A window brought up or pressed comes to the front and has the keyboard back where it was; a
// disabled one brings up the window that takes input instead, restored if it was minimised.
void Core::Activated(WindowId id) {
  const std::optional<WindowId> target = Loaded(id)->Enabled() ? id : TakingInput();
  if (!target) return;
  Window& window = *Loaded(*target);
  window.Native().Show();
  Dispatch([&] { window.RestoreFocus(); });
}

// Where the design puts the client area, or where the user dragged it, with the whole window kept
// on its screen, or on a phone's, in its corner and as wide as the screen allows; and its controls
// laid out for it.
void Core::Arrange(WindowId id) {
  Window& window = *Loaded(id);
  EngineWindow& native = window.Native();
  const Units units = native.Measure();
  Rect together = ClientInUnits(window.Design(), units);
  for (const Form& form : program_.windows) {
    const Rect client = ClientInUnits(form.design(), units);
    const int right = std::max(together.left + together.width, client.left + client.width);
    const int bottom = std::max(together.top + together.height, client.top + client.height);
    together.left = std::min(together.left, client.left);
    together.top = std::min(together.top, client.top);
    together.width = right - together.left;
    together.height = bottom - together.top;
  }
  int widest = 0;
  for (const Form& form : program_.windows) {
    widest = std::max(widest, ClientInUnits(form.design(), units).width);
  }
  const Placement placement = PlaceWindow({ClientInUnits(window.Design(), units), together,
                                           native.Frame(), native.WorkArea(), widest, units,
                                           engine_.Capabilities(), slots_[id].dragged});
  // Laid out anew only where what it is laid out for changed: its units, or a finger's size.
  const Laid laid{units.dpi, units.cells, placement.fingerPixels, placement.scale};
  if (slots_[id].laid != laid) window.Lay(placement);
  slots_[id].laid = laid;
  native.Place(placement);
}

}  // namespace ui
