#pragma once

#include <memory>

#include "windows/engine.h"
#include "windows/qt/qt_window.h"

namespace windows::qt {

// The window operations over Qt Widgets.
class QtPlatform final : public Engine {
 public:
  QtPlatform();

  void InitCommonControls() override {}  // Qt's widgets need no set-up of their own
  char16_t DecimalSeparator() const override;

  QtWindow* LoadedWindow(FormId form) const {
    return static_cast<QtWindow*>(Engine::LoadedWindow(form));
  }

 protected:
  void ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design,
                                            WindowEvents events) override;
  void Discard(std::unique_ptr<EngineWindow> window) override;
};

}  // namespace windows::qt
