#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/design.h"

// What an engine over a toolkit (Qt, Win32, the page) provides, and the one way it reports what
// the user did. An engine creates widgets from a design, measures text, reports every event below
// as it happens, filtering none, and applies what the core (core.h) decides; it decides nothing
// the user can see.
namespace ui {

// The keys the core answers; every other key is the toolkit's (typing, and the arrow keys in a text
// box, which move its caret).
enum class Key { kTab, kShiftTab, kEnter, kEscape, kUp, kDown, kLeft, kRight };

enum class MessageIcon { kWarning, kError };

// What the user did to a window, the same on every engine.
struct Event {
  enum class Kind {
    // A push button's click, or an option's whenever the user selects it, by mouse, keyboard
    // (Space, also on the option already selected) or an assistive technology's action; never
    // when the program sets an option's value.
    kClicked,
    kEdited,      // a text box's text, changed by the user
    kKey,         // one of the keys above, wherever the focus is in the window; the arrow keys
                  // need not be reported from a text box
    kFocusMoved,  // a control took the keyboard focus, whoever moved it
    kActivated,   // the window brought to the front, or pressed while another window has the
                  // keyboard
    kCloseAsked,  // the close box, the system menu or Alt+F4
    kFramed,      // the frame around the client area, or the screen's work area, became known or
                  // changed
  };
  Kind kind;
  std::string_view control = {};  // clicked, edited or focused: a name of the window's design
  Key key = Key::kTab;
};

// The one way into the core. Returns whether the core used the event: a key it answered, a close
// it allowed; the toolkit does its own with an unused key. The window may be gone when it returns:
// a report is the last thing an engine's handler does with it.
using Report = std::function<bool(const Event& event)>;

// One window of an engine, built from its design: its controls by name, placing and showing it.
// A failing access throws, which ends the running handler.
class EngineWindow {
 public:
  virtual ~EngineWindow() = default;

  virtual std::u16string Text(std::string_view textBox) const = 0;
  // A text box's text, shown from its first character, or a label's caption.
  virtual void SetText(std::string_view control, std::u16string_view text) = 0;
  virtual bool Value(std::string_view option) const = 0;
  virtual void SetValue(std::string_view option, bool selected) = 0;  // this option alone
  virtual void SetEnabled(bool enabled) = 0;

  virtual std::string_view Focused() const = 0;      // the control with the focus, or none
  virtual void Focus(std::string_view control) = 0;  // a text box's text all selected
  // The keyboard to the window itself, which has no control to take it; a screen reader hears
  // `readAs` (where it is not empty) as it would a window's own text.
  virtual void TakeKeyboard(std::u16string_view readAs) = 0;
  virtual void MarkDefault(std::string_view button) = 0;  // the button Enter clicks shows it

  // A text box: the room the toolkit lays its text out in, caret included, and a text's width at a
  // font size, in pixels; how it shows its text, applied as given: its font size, the pixels at
  // the right end of that room kept clear of the text, and where the text is cut, the cut mark
  // drawn over the box at the right end of the room, not part of its text, and where the toolkit
  // has tooltips the whole text as the box's tooltip.
  virtual int TextRoom(std::string_view textBox) const = 0;
  virtual int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const = 0;
  virtual void SetTextFont(std::string_view textBox, const TextFit& fit) = 0;

  virtual int Dpi() const = 0;
  virtual Margins Frame() const = 0;  // around the client area, title bar included
  virtual Rect WorkArea() const = 0;  // of the screen the window is on
  virtual void Place(const Placement& placement) = 0;
  virtual void Show() = 0;  // visible, restored if it was minimised, in front and active
  // Said once by a screen reader, politely, whichever control has the focus: a control's new text,
  // or with no control the window's; said again when it comes again, equal or not.
  virtual void Announce(std::string_view control, std::u16string_view text) = 0;
};

class Engine {
 public:
  virtual ~Engine() = default;
  virtual std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design, Report report) = 0;
  // Destroys a closed window. The core does so once the outermost event is over, but that event
  // may still be the toolkit's own.
  virtual void Destroy(std::unique_ptr<EngineWindow> window) = 0;
  virtual void Quit() = 0;  // the last window has closed
  // A box with one OK button, modal to the application and owned by `owner`, its whole title
  // showing in its title bar; returns when it is dismissed.
  virtual void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
                       std::u16string_view title) = 0;
  virtual char16_t DecimalSeparator() const = 0;
};

}  // namespace ui
