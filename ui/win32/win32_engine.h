#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/engine.h"

namespace ui::win32 {

// The program's icon for the windows: large, and small for the title bar.
struct Icons {
  HICON large;
  HICON small;
};

// The engine over the Win32 API. Implemented: windows of the standard controls (EDIT, BUTTON,
// STATIC) laid out in the screen's pixels at its dots per inch, themed by the manifest; the
// system's message boxes (MessageBoxW, its button named in the system's language); the user's
// decimal separator; a message loop that hands every key the core may answer to
// it, with its modifiers, before the controls; where the screen is touched. Windows' own window
// manager frames the windows and closes the active one on Alt+F4.
class Win32Engine final : public Engine {
 public:
  Win32Engine(HINSTANCE instance, Icons icons);
  ~Win32Engine() override;

  // The message loop, until no window is left.
  int Run();
  // One message, as the loop handles it: a key to the core first.
  void Dispatch(MSG& message);

  unsigned Capabilities() const override;
  void UseTexts(const ProgramTexts&) override {}  // a box's button is the system's, in its language
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design, Report report) override;
  void Destroy(std::unique_ptr<EngineWindow> window) override { window.reset(); }
  void Quit() override { PostQuitMessage(0); }
  void Stack(const std::vector<EngineWindow*>&) override {}  // Windows' window manager does
  void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
               std::u16string_view title) override;
  char16_t DecimalSeparator() const override;

 private:
  HINSTANCE instance_;
  Icons icons_;
};

}  // namespace ui::win32
