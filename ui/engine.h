#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/design.h"
#include "ui/layout.h"

// What an engine over a toolkit (Qt, Win32, the page, a terminal) provides, and the one way it
// reports what the user did. An engine builds a window's controls from its design, measures text,
// states what it can do, reports every event below as it happens, filtering none, and applies what
// the core (core.h) decides. Every length across this interface is in the window's units (Units).
//
// What an engine may do otherwise than the others, and nothing more:
// - Where a window manager frames the windows (kWindowManager), their frames, raising a window,
//   moving it and closing the active one on Alt+F4 are the window manager's: the core hears of
//   them as activations, close requests and frames. Elsewhere the engine draws a frame with the
//   title and a close mark, and the core is the window manager. On Wayland, whose compositors let
//   no program place, raise or bring back its window, and draw title bars with buttons the design
//   lacks or none, Qt's windows draw their own title bar with the title and a close box, and are
//   shown anew to come in front; the compositor moves them.
// - What a text box does with a key the core leaves to it (a caret key, a typed or pasted text):
//   its toolkit's own editing; where the engine has no toolkit (a terminal), the portable one
//   (drawn_window.h).
// - Where a box is the system's own (kNativeBoxes), as a screen reader and the system's sounds
//   expect it, its look, its keys and its placing are the system's; Win32's MessageBoxW names its
//   button in the system's language, Qt's takes the program's text. Elsewhere a box is a window of
//   the core's, like any other.
// - How each thing the core lays out is drawn: a control, the default mark, the focus, a symbol,
//   the cut mark, a close mark; a terminal draws them in characters.
namespace ui {

// The keys an engine reports, with whatever modifiers are held down; which combinations the core
// answers is its own rule (rules.h: CommandFor), and every other key is the toolkit's. W is there
// for Ctrl+W, the close key.
enum class Key { kTab, kEnter, kEscape, kSpace, kUp, kDown, kLeft, kRight, kF4, kW };

// The modifiers held down with a key, as the toolkit gave them.
enum Modifier : unsigned { kShift = 1, kCtrl = 2, kAlt = 4, kMeta = 8 };

// What the user did to a window, the same on every engine.
struct Event {
  enum class Kind {
    kClicked,      // a push button or an option pressed by the user, by mouse, finger or an
                   // assistive technology's action; never when the program sets an option's value
    kEdited,       // a text box's text, changed by the user
    kCaretMoved,   // a text box's caret or selection, moved by the user without an edit
    kKey,          // a key of the above, wherever the focus is in the window
    kFocusMoved,   // a control took the keyboard focus, whoever moved it
    kActivated,    // brought to the front by a window manager or its task bar
    kDeactivated,  // the keyboard gone from the window to another program's, or to none
    kPressed,      // pressed, on any part of the window, a disabled one too: where the engine
                   // draws the windows itself, used, the press goes on to what was pressed (a
                   // control, the title bar to drag the window); not used, it does nothing more
    kCloseAsked,   // the close box or mark, the system menu, or a window manager's Alt+F4
    kMinimised,    // minimised by a window manager, which offers it where the design has no button
    kFramed,       // the frame around the client area, the screen's work area or the window's
                   // units became known or changed
    kDragged,      // the title bar dragged where the engine draws the windows itself: `at` is
                   // where the client area's top-left corner would go
  };
  Kind kind;
  std::string_view control = {};  // any name: the core looks it up in the window's design
  Key key = Key::kTab;
  unsigned modifiers = 0;
  Point at = {};
};

// The one way into the core. Returns whether the core used the event: a key it answered, a close
// it allowed, a press that goes on; the toolkit does its own with an unused key. The window may be
// gone when it returns: a report is the last thing an engine's handler does with it.
using Report = std::function<bool(const Event& event)>;

// What an engine can do, stated as flags the core reads whenever it decides.
enum Capability : unsigned {
  kScalesWindows = 1,  // draws a whole window, frame included, at a scale
  kTouch = 2,          // its screen is touched, as a phone's is
  kWindowManager = 4,  // a window manager frames, raises and moves the windows, and closes the
                       // active one on Alt+F4
  kNativeBoxes = 8,    // shows a box as the system's own (Engine::ShowBox)
};

// The program's texts that an engine shows beside its windows' designs.
struct ProgramTexts {
  std::u16string_view boxButton;   // a box's one button
  std::u16string_view closeBox;    // the name of a close mark the engine draws itself
  std::u16string_view closeMark;   // ... what it shows
  std::u16string_view closeKey;    // the close key, Ctrl+W, as a terminal writes it beside the mark
  std::u16string_view ended;       // where the program's surface outlives its last window
  std::u16string_view startAgain;  // ... the button that starts it again
  std::u16string_view tooSmall;    // where a screen is too small for a window, before the size
                                   // it needs
};

// One window of an engine, built from its design: its controls by name, placing and showing it.
// A failing access throws, which ends the running handler.
class EngineWindow {
 public:
  virtual ~EngineWindow() = default;

  virtual std::u16string Text(std::string_view textBox) const = 0;
  virtual void SetText(std::string_view control, std::u16string_view text) = 0;  // or a caption
  virtual bool Value(std::string_view option) const = 0;
  virtual void SetValue(std::string_view option, bool selected) = 0;  // this option alone
  virtual void SetEnabled(bool enabled) = 0;

  // The focus to a control, which the engine reports as it does every move of the focus; a text
  // box takes it with its text all selected and its caret at the start.
  virtual void Focus(std::string_view control) = 0;
  virtual std::size_t Caret(std::string_view textBox) const = 0;  // in UTF-16 units
  virtual void MoveCaret(std::string_view textBox, std::size_t to) = 0;  // nothing selected
  // The keyboard to the window itself, which has no control to take it; a screen reader hears
  // `readAs` (where it is not empty) as it would a window's own text.
  virtual void TakeKeyboard(std::u16string_view readAs) = 0;
  // The button Enter would click shows it; drawn only, never a toolkit's own default button,
  // which would click by itself.
  virtual void MarkDefault(std::string_view button) = 0;

  virtual Units Measure() const = 0;
  virtual void Lay(const WindowLayout& layout) = 0;
  // A text box: the room the toolkit lays its text out in, caret included; a text's width at a
  // font size; and how it shows its text, applied as given: from the first character it says,
  // which stands at the left end of the room its clear rooms leave, and where the toolkit has
  // tooltips, the view's tooltip too, its lines as they are.
  virtual int TextRoom(std::string_view textBox) const = 0;
  virtual int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const = 0;
  virtual void ShowText(std::string_view textBox, const TextView& view) = 0;

  virtual Margins Frame() const = 0;  // around the client area, title bar included
  virtual Rect WorkArea() const = 0;  // of the screen the window is on
  // Where it goes; where it is not whole on the screen, the notice shows in its place.
  virtual void Place(const Placement& placement) = 0;
  virtual void Show() = 0;  // visible, restored if it was minimised, in front and active
  // Said once by a screen reader, politely, whichever control has the focus: a control's new text,
  // or with no control the window's; said again when it comes again, equal or not.
  virtual void Announce(std::string_view control, std::u16string_view text) = 0;
};

class Engine {
 public:
  virtual ~Engine() = default;
  virtual unsigned Capabilities() const = 0;
  virtual void UseTexts(const ProgramTexts& texts) = 0;  // before the first window
  virtual std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design, Report report) = 0;
  // Destroys a closed window. The core does so once the outermost event is over, but that event
  // may still be the toolkit's own.
  virtual void Destroy(std::unique_ptr<EngineWindow> window) = 0;
  virtual void Quit() = 0;  // the last window has closed
  // The open windows from back to front, whenever that changes: where the engine draws the
  // windows itself, it draws them in this order and gives the keyboard to the last; a window
  // manager stacks them itself.
  virtual void Stack(const std::vector<EngineWindow*>& backToFront) = 0;
  // Where boxes are the system's own (kNativeBoxes): a box with one button, modal to the program
  // and owned by `owner`, its whole title showing in its title bar; returns when it is dismissed.
  virtual void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
                       std::u16string_view title);
  // Elsewhere: the toolkit's events, reported as they come, until `done` holds or the program has
  // ended; the core waits so on a box of its own, which its handler waits for.
  virtual void Wait(const std::function<bool()>& done);
  virtual char16_t DecimalSeparator() const = 0;
};

}  // namespace ui
