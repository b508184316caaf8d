#pragma once

#include <QWidget>

#include <string_view>
#include <utility>
#include <vector>

#include "windows/design.h"
#include "windows/engine.h"

class QLineEdit;
class QPushButton;

namespace windows::qt {

// A window built from its design: real widgets at the designed places, lines drawn on the
// window itself. Clicks and close requests go to the engine; the window knows no handler.
class QtWindow final : public QWidget, public EngineWindow {
 public:
  QtWindow(const WindowDesign& design, WindowEvents events);

  void Show() override;
  bool IsEnabled() const override { return isEnabled(); }
  void FocusFirstStop() override;

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view textBox, std::u16string_view text) override;
  bool Value(std::string_view optionButton) const override;
  void SetValue(std::string_view optionButton, bool selected) override;
  void SetCaption(std::string_view label, std::u16string_view caption) override;
  void SetEnabled(bool enabled) override;

  // The widget made for the named control.
  QWidget* Control(std::string_view name) const;
  const WindowDesign& Design() const { return design_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  template <typename Widget>
  Widget* ControlOfKind(std::string_view name) const;
  QWidget* CreateControl(const ControlDesign& control);
  void ArrangeTabOrder();
  static void FitText(QLineEdit* edit, const QFont& designed);
  void PlaceOnScreen();

  const WindowDesign& design_;
  WindowEvents events_;
  std::vector<std::pair<std::string_view, QWidget*>> controls_;
  QPushButton* defaultButton_ = nullptr;
};

}  // namespace windows::qt
