#pragma once

#include <QPointer>

#include <array>
#include <memory>
#include <string_view>

#include "windows/form.h"
#include "windows/platform.h"
#include "windows/qt/qt_window.h"

namespace windows::qt {

// The window operations over Qt Widgets. Each window exists at most once: created on first use,
// loaded when shown, and unloaded (its widgets destroyed) when it closes.
class QtPlatform final : public Platform {
 public:
  QtPlatform() = default;
  ~QtPlatform() override;

  // Start-up: the main window, initialised, loaded and shown.
  void Start();

  Window& GetWindow(FormId form) override;
  void Show(FormId form) override;
  void ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) override;
  void InitCommonControls() override {}  // Qt's widgets need no set-up of their own
  char16_t DecimalSeparator() const override;

  // The loaded window, or null.
  QtWindow* LoadedWindow(FormId form) const;

 private:
  struct Instance {
    std::unique_ptr<Form> handlers;
    QPointer<QtWindow> window;  // null while unloaded
  };

  Instance& Instantiate(FormId form);
  QtWindow& Load(FormId form);
  bool Unload(FormId form);

  std::array<Instance, 2> instances_;
};

}  // namespace windows::qt
