#pragma once

#include <string>
#include <string_view>

// The operations the handlers ask of a window toolkit, and no more. Each engine (Qt, Win32)
// implements them; the handlers are written once against them.
namespace windows {

enum class FormId { kForm1, kForm2 };

// One window's controls, addressed by their names in the window's design. A failing access
// throws, which ends the running handler.
class Window {
 public:
  virtual ~Window() = default;
  virtual std::u16string Text(std::string_view textBox) const = 0;
  virtual void SetText(std::string_view textBox, std::u16string_view text) = 0;
  virtual bool Value(std::string_view optionButton) const = 0;
  // Selecting an option clears the other options of its group.
  virtual void SetValue(std::string_view optionButton, bool selected) = 0;
  virtual void SetCaption(std::string_view label, std::u16string_view caption) = 0;
  // A disabled window stays visible and takes no keyboard or mouse input.
  virtual void SetEnabled(bool enabled) = 0;
};

enum class MessageIcon { kCritical = 16, kExclamation = 48 };

class Platform {
 public:
  virtual ~Platform() = default;
  // The window's single instance, created with its initialisation handler run if there is none.
  virtual Window& GetWindow(FormId form) = 0;
  // Loads the window if needed (running its load handler), shows it without an owner and
  // returns at once.
  virtual void Show(FormId form) = 0;
  // A box with one OK button, modal to the application; returns when it is dismissed.
  virtual void ShowMessage(std::u16string_view text, MessageIcon icon,
                           std::u16string_view title) = 0;
  // Makes the common controls of the platform ready; themed controls come from elsewhere.
  virtual void InitCommonControls() = 0;
  virtual char16_t DecimalSeparator() const = 0;
};

}  // namespace windows
