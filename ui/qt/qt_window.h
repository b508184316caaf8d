#pragma once

#include <QMargins>
#include <QRect>
#include <QWidget>

class QLineEdit;

#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/design.h"
#include "ui/engine.h"

namespace ui::qt {

// A window built from its design: real widgets at the designed places, in reading order, lines
// drawn on the window itself. It reports clicks, the user's edits, the focus, Tab, Enter and
// Escape, close requests, activation and its frame to the core, and knows no handler.
class QtWindow final : public QWidget, public EngineWindow {
 public:
  QtWindow(const WindowDesign& design, Report report);

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view control, std::u16string_view text) override;
  bool Value(std::string_view option) const override;
  void SetValue(std::string_view option, bool selected) override;
  void SetEnabled(bool enabled) override { setEnabled(enabled); }
  std::string_view Focused() const override;
  void Focus(std::string_view control) override;
  void TakeKeyboard(std::u16string_view readAs) override;
  void MarkDefault(std::string_view button) override;
  int TextRoom(std::string_view textBox) const override;
  int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const override;
  void SetTextFont(std::string_view textBox, const TextFit& fit) override;
  int Dpi() const override { return 96; }  // Qt scales the device-independent pixels itself
  Margins Frame() const override;
  Rect WorkArea() const override;
  void Place(const Placement& placement) override;
  void Show() override;
  void Announce(std::string_view control, std::u16string_view text) override;

 protected:
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* CreateControl(const ControlDesign& control);
  QWidget* Widget(std::string_view name) const;
  std::string_view NameOf(const QWidget* control) const;  // none where it is not a control
  template <typename Kind>
  Kind* Widget(std::string_view name) const;
  QFont DesignFont(std::string_view control, int pixels) const;
  static QRect TextRoomRect(const QLineEdit* edit);  // where Qt lays its text out
  void PaintCutMark(QLineEdit* edit, int width) const;

  const WindowDesign& design_;
  Report report_;
  std::vector<std::pair<std::string_view, QWidget*>> controls_;
  QMargins frame_;  // as last reported
  QWidget* announcer_;
  std::map<const QLineEdit*, int> cutMarks_;  // each text box's cut mark's width, none if 0
};

}  // namespace ui::qt
