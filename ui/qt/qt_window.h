#pragma once

#include <QMargins>
#include <QRect>
#include <QWidget>

class QLineEdit;
class QScreen;

#include <functional>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/design.h"
#include "ui/engine.h"

namespace ui::qt {

class TitleBar;

// A window built from its design: real widgets in reading order, laid out and sized as the core
// says, lines drawn on the window itself; on Wayland with a title bar of its own (title_bar.h). It
// reports clicks, the user's edits and caret moves, the focus, keys with their modifiers, presses,
// close requests, activation, minimising, its frame and its screen's work area to the core, and
// knows no handler. It tells `learned` when it learned what may change the engine's capabilities:
// a frame that came or went, a touch.
class QtWindow final : public QWidget, public EngineWindow {
 public:
  QtWindow(const WindowDesign& design, Report report, const ProgramTexts& texts,
           std::function<void()> learned);

  std::u16string Text(std::string_view textBox) const override;
  void SetText(std::string_view control, std::u16string_view text) override;
  bool Value(std::string_view option) const override;
  void SetValue(std::string_view option, bool selected) override;
  void SetEnabled(bool enabled) override { setEnabled(enabled); }
  void Focus(std::string_view control) override;
  std::size_t Caret(std::string_view textBox) const override;
  void MoveCaret(std::string_view textBox, std::size_t to) override;
  void TakeKeyboard(std::u16string_view readAs) override;
  void MarkDefault(std::string_view button) override;
  Units Measure() const override { return {}; }  // Qt scales the device-independent pixels itself
  void Lay(const WindowLayout& layout) override;
  int TextRoom(std::string_view textBox) const override;
  int TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const override;
  void ShowText(std::string_view textBox, const TextView& view) override;
  Margins Frame() const override;
  Rect WorkArea() const override;
  void Place(const Placement& placement) override;
  void Show() override;
  void Announce(std::string_view control, std::u16string_view text) override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* CreateControl(const ControlDesign& control);
  QWidget* Widget(std::string_view name) const;
  std::string_view NameOf(const QWidget* control) const;  // none where it is not a control
  template <typename Kind>
  Kind* Widget(std::string_view name) const;
  QFont DesignFont(std::string_view control, int pixels) const;
  static QRect TextRoomRect(const QLineEdit* edit);  // where Qt lays its text out
  void PaintCutMarks(QLineEdit* edit, const TextView& view) const;
  void ShowFrom(QLineEdit* edit, const TextView& view);
  bool KeyPressed(const QKeyEvent& press);
  void FollowWorkArea(QScreen* screen);
  void StateChanged(Qt::WindowStates states);

  const WindowDesign& design_;
  Report report_;
  std::vector<std::pair<std::string_view, QWidget*>> controls_;
  std::vector<QRect> lines_;
  QMargins frame_;  // as last reported
  QWidget* announcer_;
  std::map<const QLineEdit*, TextView> views_;  // each text box's, as last shown
  std::function<void()> learned_;
  TitleBar* titleBar_ = nullptr;  // on Wayland
  int top_ = 0;                   // the client area's top, below the title bar
  QMetaObject::Connection workArea_;
  bool remapped_ = false;  // shown again to come in front, not yet active or exposed since
};

}  // namespace ui::qt
