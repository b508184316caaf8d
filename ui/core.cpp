#include "ui/core.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "ui/box.h"
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
  native_->SetEnabled(enabled_ && whole_);
}

void Window::SetWhole(bool whole) {
  if (std::exchange(whole_, whole) != whole) native_->SetEnabled(enabled_ && whole_);
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

void Window::Fit(std::string_view textBox, bool caretToStart) {
  if (!fitting_) return;
  const ControlDesign& control = design_.Control(textBox);
  const Units units = native_->Measure();
  const std::u16string text = native_->Text(control.name);
  const auto caret = focus_ == control.name ? std::optional(native_->Caret(control.name)) : std::nullopt;
  auto first = std::find_if(firsts_.begin(), firsts_.end(), [&](const auto& box) { return box.first == control.name; });
  if (first == firsts_.end()) first = firsts_.insert(firsts_.end(), {control.name, 0});
  TextView view = FitText(units.cells ? 1 : FontPixels(FontOf(design_, control), units.dpi),
                          FitFloor(design_, control, units), native_->TextRoom(control.name), text,
                          [&](std::u16string_view part, int pixels) {
                            return native_->TextWidth(control.name, part, pixels);
                          },
                          caret, first->second);
  first->second = view.first;
  view.caretToFirst = caretToStart && !caret;
  if (view.markLeft || view.markRight) view.tooltip = TooltipOf(text);
  native_->ShowText(control.name, view);
}

// C0 and C1 control characters, a tab and line ends among them.
void Window::Edited(std::string_view textBox) {
  const std::u16string text = native_->Text(textBox);
  const auto control = [](char16_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); };
  if (std::none_of(text.begin(), text.end(), control)) return Fit(textBox);
  const std::size_t caret = native_->Caret(textBox);
  std::u16string kept;
  std::size_t keptBeforeCaret = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (control(text[at])) continue;
    kept += text[at];
    keptBeforeCaret += at < caret;
  }
  native_->SetText(textBox, kept);
  native_->MoveCaret(textBox, keptBeforeCaret);
  Fit(textBox);
}

void Window::Lay(const Placement& placement) {
  native_->Lay(LayOut(design_, native_->Measure(), placement));
  if (fitting_) FitTexts();
}

void Window::FitTexts() {
  fitting_ = true;
  for (const ControlDesign& control : design_.controls) {
    if (control.kind == ControlKind::kTextBox) Fit(control.name, true);
  }
}

Core::Core(Engine& engine, const Program& program)
    : engine_(engine), program_(program), slots_(program.windows.size()) {
  engine_.UseTexts(program_.texts);
}

Core::~Core() = default;

Window* Core::Loaded(WindowId id) const {
  return id < slots_.size() ? slots_[id].window.get() : nullptr;
}

Window& Core::Load(WindowId id) {
  if (Window* loaded = Loaded(id)) return *loaded;
  const Form& form = program_.windows[id];
  Build(id, form.design());
  Dispatch([&] { form.load(*this); });
  Window& window = *slots_[id].window;
  Dispatch([&] { window.FitTexts(); });
  return window;
}

void Core::Build(WindowId id, const WindowDesign& design) {
  Slot& slot = slots_.at(id);
  Report report = [this, id](const Event& event) { return Receive(id, event); };
  slot.window = std::make_unique<Window>(design, engine_.BuildWindow(design, std::move(report)));
  slot.shown = false;
  slot.dragged.reset();
  slot.laid.reset();
  Dispatch([&] { Arrange(id); });
}

// Shown for the first time since it was loaded, a window has the focus on its first stop; a
// window of text alone takes the keyboard itself, and is read out whole, as a reader opening it
// would want.
void Core::Show(WindowId id) {
  Window& window = IsProgramWindow(id) ? Load(id) : *Loaded(id);
  Slot& slot = slots_[id];
  if (clicked_) slot.opener = clicked_;
  Raise(id);
  if (std::exchange(slot.shown, true)) return;
  if (!window.FocusFirstStop()) window.Native().TakeKeyboard(window.Captions());
}

void Core::Raise(WindowId id) {
  std::erase(stack_, id);
  stack_.push_back(id);
  active_ = id;
  Restack();
  Loaded(id)->Native().Show();
}

void Core::Restack() {
  std::vector<EngineWindow*> natives;
  for (const WindowId open : stack_) natives.push_back(&Loaded(open)->Native());
  engine_.Stack(natives);
}

bool Core::TakesInput(WindowId id) const {
  const Window* window = Loaded(id);
  const bool boxAbove = id + 1 < slots_.size() && slots_.size() > program_.windows.size();
  return window && window->Enabled() && slots_[id].placed.notice.empty() && !boxAbove;
}

std::optional<WindowId> Core::TakingInput() const {
  const auto front = std::find_if(stack_.rbegin(), stack_.rend(),
                                  [&](WindowId id) { return TakesInput(id); });
  return front == stack_.rend() ? std::nullopt : std::optional(*front);
}

// After the box its window is active again, with the focus on its first stop, ready for a new
// size: a desktop without a window manager activates no window by itself.
void Core::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  const std::optional<WindowId> owner = TakingInput();
  if (engine_.Capabilities() & kNativeBoxes) {
    engine_.ShowBox(owner ? &Loaded(*owner)->Native() : nullptr, text, icon, title);
  } else {
    ShowBox(owner, text, icon, title);
  }
  if (owner && TakesInput(*owner)) {
    Raise(*owner);
    Dispatch([&] { Loaded(*owner)->FocusFirstStop(); });
  }
}

// The core's own box, in front of every window and waited for; where the program ends meanwhile
// (its terminal gone), closed with it.
void Core::ShowBox(std::optional<WindowId> owner, std::u16string_view text, MessageIcon icon,
                   std::u16string_view title) {
  const WindowId id = slots_.size();
  Slot& slot = slots_.emplace_back();
  slot.box = std::make_unique<BoxDesign>(text, icon, title, program_.texts.boxButton,
                                         program_.windows.front().design().defaultFont);
  slot.owner = owner;
  Build(id, slot.box->Window());
  Show(id);
  engine_.Wait([&] { return !Loaded(id); });
  if (Loaded(id)) Close(id);
  slots_.pop_back();
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

// A window that takes no input cannot be closed or moved by the user either; brought up or
// pressed, it puts the window that takes input in front of it. No window has a minimise button:
// one that a window manager minimised anyway comes back at once, so that none is left where a
// disabled window's owner cannot reach it. A press on a window without the keyboard activates it,
// and goes on where it then takes input.
bool Core::React(WindowId id, Window& window, const Event& event) {
  switch (event.kind) {
    case Event::Kind::kFramed:
      Dispatch([&] { Arrange(id); });
      return true;
    case Event::Kind::kActivated:
      Activated(id);
      return true;
    case Event::Kind::kDeactivated:
      if (active_ == id) active_.reset();
      return true;
    case Event::Kind::kPressed:
      if (active_ != id) Activated(id);
      return TakesInput(id);
    case Event::Kind::kFocusMoved:
      Dispatch([&] { window.FocusArrived(event.control); });
      return true;
    case Event::Kind::kMinimised:
      window.Native().Show();
      return true;
    default:
      break;
  }
  if (!TakesInput(id)) return false;
  switch (event.kind) {
    case Event::Kind::kClicked:
      Click(id, event.control);
      return true;
    case Event::Kind::kEdited:
      Dispatch([&] { window.Edited(event.control); });
      return true;
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
  const auto windows = slots_.begin() + static_cast<std::ptrdiff_t>(program_.windows.size());
  if (std::none_of(slots_.begin(), windows, [](const Slot& slot) { return !!slot.window; })) {
    engine_.Quit();
  }
}

// A click on an option selects it, and clears the others of its group, before its handler runs;
// a box's one button answers it.
void Core::Click(WindowId id, std::string_view control) {
  if (!IsProgramWindow(id)) {
    Close(id);
    return;
  }
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
// with the focus; Escape closes a window that closes like a dialog. The core's answer is final
// but in a text box, which edits with the keys the core leaves, and for the keys a window manager
// acts on.
bool Core::KeyPressed(WindowId id, Key key, unsigned modifiers) {
  Window& window = *Loaded(id);
  const std::string_view focused = window.Focus();
  const ControlKind kind = focused.empty() ? ControlKind::kLabel : window.Design().Control(focused).kind;
  const unsigned capabilities = engine_.Capabilities();
  switch (const Command command = CommandFor(key, modifiers, capabilities)) {
    case Command::kNextStop:
    case Command::kPreviousStop: {
      const std::vector<std::string_view> stops = window.FocusStops();
      if (!stops.empty()) {
        window.FocusOn(NextFocusStop(stops, focused, command == Command::kPreviousStop));
      }
      return true;
    }
    case Command::kEnter:
      if (const auto button = ButtonForEnter(window.Design(), focused)) {
        Click(id, *button);
        return true;
      }
      break;
    case Command::kSpace:
      if (kind == ControlKind::kPushButton || kind == ControlKind::kOptionButton) {
        Click(id, focused);
        return true;
      }
      break;
    case Command::kEscape:
      if (window.Design().closesOnEscape) return Close(id);
      break;
    case Command::kBack:
    case Command::kForward:
      if (kind != ControlKind::kTextBox) return ArrowPressed(id, command == Command::kBack);
      break;
    case Command::kClose:
      return Close(id);
    case Command::kNone:
      break;
  }
  return kind != ControlKind::kTextBox && !ForTheWindowManager(key, modifiers, capabilities);
}

// In an option group an arrow key selects the next option, round the group, and clicks it; on a
// button, or on a window without a control, it does nothing.
bool Core::ArrowPressed(WindowId id, bool backward) {
  Window& window = *Loaded(id);
  const std::string_view focused = window.Focus();
  if (!focused.empty() && window.Design().Control(focused).kind == ControlKind::kOptionButton) {
    const std::string_view next = NextOption(window.Design(), focused, backward);
    window.FocusOn(next);
    Click(id, next);
  }
  return true;
}

// Once closed, a window opened by a click gives the focus back to the control that opened it, as
// a dialog does.
bool Core::Close(WindowId id) {
  if (IsProgramWindow(id)) {
    Dispatch([&] {
      if (const Handler unload = program_.windows[id].unload) unload(*this);
    });
  }
  Slot& slot = slots_[id];
  closed_.push_back(slot.window->Release());
  slot.window.reset();
  std::erase(stack_, id);
  if (active_ == id) active_.reset();
  Restack();
  const std::optional<Control> opener = std::exchange(slot.opener, std::nullopt);
  if (Window* back = opener ? Loaded(opener->window) : nullptr; back && TakesInput(opener->window)) {
    Show(opener->window);
    back->FocusOn(opener->name);
  }
  return true;
}

// A window brought up or pressed comes to the front and has the keyboard back where it was; one
// that takes no input brings up the window that takes input instead, restored if it was minimised.
void Core::Activated(WindowId id) {
  const std::optional<WindowId> target = TakesInput(id) ? id : TakingInput();
  if (!target) return;
  Raise(*target);
  Window& window = *Loaded(*target);
  Dispatch([&] { window.RestoreFocus(); });
}

// Where the design puts the client area, a box over the window it belongs to, or where the user
// dragged it, with the whole window kept on its screen, or on a phone's, in its corner and as wide
// as the screen allows; and its controls laid out for it. Where the engine draws the windows
// itself, one that is not whole shows a notice with the size it needs instead, the least that
// holds every window of the program.
void Core::Arrange(WindowId id) {
  Slot& slot = slots_[id];
  Window& window = *slot.window;
  EngineWindow& native = window.Native();
  const Units units = native.Measure();
  const Margins frame = native.Frame();
  Rect client = ClientInUnits(window.Design(), units);
  Rect together = client;
  int widest = 0, tallest = 0;
  for (const Form& form : program_.windows) {
    const Rect other = ClientInUnits(form.design(), units);
    widest = std::max(widest, other.width);
    tallest = std::max(tallest, other.height);
    if (slot.box) continue;
    const int right = std::max(together.left + together.width, other.left + other.width);
    const int bottom = std::max(together.top + together.height, other.top + other.height);
    together.left = std::min(together.left, other.left);
    together.top = std::min(together.top, other.top);
    together.width = right - together.left;
    together.height = bottom - together.top;
  }
  if (slot.box) {
    const Slot* owner = slot.owner ? &slots_[*slot.owner] : nullptr;
    const Rect over = owner ? Rect{owner->placed.client.x, owner->placed.client.y,
                                   ClientInUnits(owner->window->Design(), units).width,
                                   ClientInUnits(owner->window->Design(), units).height}
                            : native.WorkArea();
    client.left = over.left + (over.width - client.width) / 2;
    client.top = over.top + (over.height - client.height) / 2;
    together = client;
  }
  const unsigned capabilities = engine_.Capabilities();
  Placement placement = PlaceWindow({client, together, frame, native.WorkArea(), widest, units,
                                     capabilities, slot.dragged});
  if (!placement.whole && !(capabilities & kWindowManager)) {
    const auto number = [](int n) {
      const std::string digits = std::to_string(n);
      return std::u16string(digits.begin(), digits.end());
    };
    placement.notice = std::u16string(program_.texts.tooSmall) +
                       number(frame.left + widest + frame.right) + u"\u00d7" +
                       number(frame.top + tallest + frame.bottom);
  }
  // Laid out anew only where what it is laid out for changed: its units, or a finger's size.
  const Laid laid{units.dpi, units.cells, placement.fingerPixels, placement.scale};
  if (slot.laid != laid) window.Lay(placement);
  slot.laid = laid;
  window.SetWhole(placement.notice.empty());
  native.Place(placement);
  slot.placed = std::move(placement);
}

void Engine::ShowBox(const EngineWindow*, std::u16string_view, MessageIcon, std::u16string_view) {
  throw std::logic_error("this engine shows the core's boxes");
}

void Engine::Wait(const std::function<bool()>&) {
  throw std::logic_error("this engine shows boxes of its own");
}

}  // namespace ui
