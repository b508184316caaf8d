#pragma once

#include <QTranslator>

#include <memory>
#include <optional>

#include "ui/engine.h"
#include "ui/qt/x11.h"

namespace ui::qt {

// The engine over Qt 6 Widgets. Implemented: windows of real widgets laid out in
// device-independent pixels (Qt scales them), the user's locale's decimal separator, Qt's own
// texts in the user's language; where the screen is touched, and whether a window manager frames
// the windows (on X11 as the X server says; a Wayland compositor always); where an X window
// manager does, Qt's message boxes, and elsewhere the core's, waited for in a loop of Qt's; on
// Wayland the windows' own title bars. What a window does is the core's to decide.
class QtEngine final : public Engine {
 public:
  QtEngine();
  ~QtEngine() override;

  unsigned Capabilities() const override;
  void UseTexts(const ProgramTexts& texts) override { texts_ = texts; }
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design, Report report) override;
  void Destroy(std::unique_ptr<EngineWindow> window) override;
  void Quit() override;
  // Qt raises the window in front as it is shown (QtWindow::Show): that stacks them where no
  // window manager does.
  void Stack(const std::vector<EngineWindow*>&) override {}
  void ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
               std::u16string_view title) override;
  void Wait(const std::function<bool()>& done) override;
  char16_t DecimalSeparator() const override;

 private:
  QTranslator qtTexts_;
  ProgramTexts texts_{};
  // Read once, and again once the engine learned of a change: a window manager that came or
  // went, a touch screen touched.
  mutable std::optional<unsigned> capabilities_;
  x11::WindowManagerWatch watch_{[this] { capabilities_.reset(); }};
};

}  // namespace ui::qt
