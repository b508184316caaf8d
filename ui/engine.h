#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/design.h"
#include "ui/rules.h"

// What an engine over a toolkit (Qt, Win32, the page) provides, and what its windows report. An
// engine creates widgets from a design, measures text, reports the events below and applies what
// the core (core.h) decides; it decides nothing the user can see.
namespace ui {

enum class Key { kTab, kShiftTab, kEnter, kEscape };

enum class MessageIcon { kWarning, kError };

// What a window reports, the same on every engine. A click is a push button's click, or an
// option's whenever the user selects it, by mouse, keyboard (Space, also on the option already
// selected, or the arrow keys within its group) or an assistive technology's action; never when
// the program sets an option's value.
struct WindowEvents {
  std::function<void(std::string_view control)> click;
  std::function<void(std::string_view textBox)> textChanged;  // by the user
  std::function<bool(Key key)> key;                           // whether the key was used
  // The close box, the system menu or Alt+F4: whether the window closes (it is then discarded).
  std::function<bool()> close;
  std::function<void()> activated;  // brought to the front by the user
  std::function<void()> framed;     // the frame around the client area is known or changed
};

// One window of an engine, built from its design: its controls by name, placing and showing it.
// A failing access throws, which ends the running handler.
class EngineWindow {
 public:
  virtual ~EngineWindow() = default;

  virtual std::u16string Text(std::string_view textBox) const = 0;
  // A text box's text, shown from its first character, or a label's caption.
  virtual void SetText(std::string_view control, std::u16string_view text) = 0;
  virtual bool Checked(std::string_view option) const = 0;
  virtual void SetChecked(std::string_view option, bool checked) = 0;  // this option alone
  virtual void SetEnabled(bool enabled) = 0;

  virtual std::string_view Focused() const = 0;           // the control with the focus, or none
  virtual void Focus(std::string_view control) = 0;       // a text box's text all selected
  virtual void MarkDefault(std::string_view button) = 0;  // the button Enter clicks shows it

  // A text box: the room for its text, a text's width at a font size, in pixels; its font size,
  // and the pixels kept empty at the right end of the room.
  virtual int TextRoom(std::string_view textBox) const = 0;
  virtual int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const = 0;
  virtual void SetTextFont(std::string_view textBox, int pixels, int clip) = 0;

  virtual int Dpi() const = 0;
  virtual Margins Frame() const = 0;  // around the client area, title bar included
  virtual Rect WorkArea() const = 0;  // of the screen the window is on
  virtual void MoveClient(Point topLeft) = 0;
  virtual void Show() = 0;  // visible, in front and active
  // Said once by a screen reader, politely, whichever control has the focus: a control's new text,
  // or with no control the window's.
  virtual void Announce(std::string_view control, std::u16string_view text) = 0;
};

class Engine {
 public:
  virtual ~Engine() = default;
  virtual std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design,
                                                    WindowEvents events) = 0;
  // Takes an unloaded window, to be destroyed once the event that closed it is over. The program
  // ends when its last window has closed.
  virtual void Discard(std::unique_ptr<EngineWindow> window) = 0;
  // A box with one OK button, modal to the application and owned by `owner`; returns when it is
  // dismissed.
  virtual void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
                       std::u16string_view title) = 0;
  virtual char16_t DecimalSeparator() const = 0;
};

}  // namespace ui
