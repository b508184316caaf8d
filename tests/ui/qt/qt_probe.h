#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <utility>

#include "app/qt_icon.h"
#include "tests/ui/probe.h"
#include "ui/forms.h"
#include "tests/ui/qt/message_box_watcher.h"
#include "ui/qt/buttons.h"
#include "ui/qt/qt_engine.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/text.h"

// The program on Qt, in this process: real widgets driven by Qt's test events, as a mouse and a
// keyboard would drive them; a box is answered as soon as it shows.
class QtProbe final : public probe::Probe {
  static Qt::Key QtKey(ui::Key key, unsigned modifiers) {
    constexpr std::pair<ui::Key, Qt::Key> kKeys[] = {
        {ui::Key::kTab, Qt::Key_Tab},      {ui::Key::kEnter, Qt::Key_Return},
        {ui::Key::kEscape, Qt::Key_Escape}, {ui::Key::kSpace, Qt::Key_Space},
        {ui::Key::kUp, Qt::Key_Up},        {ui::Key::kDown, Qt::Key_Down},
        {ui::Key::kLeft, Qt::Key_Left},    {ui::Key::kRight, Qt::Key_Right},
        {ui::Key::kF4, Qt::Key_F4},         {ui::Key::kW, Qt::Key_W}};
    if (key == ui::Key::kTab && (modifiers & ui::kShift)) return Qt::Key_Backtab;  // as X sends it
    for (const auto& [known, qtKey] : kKeys) {
      if (known == key) return qtKey;
    }
    return Qt::Key_unknown;
  }
  static Qt::KeyboardModifiers QtModifiers(unsigned modifiers) {
    Qt::KeyboardModifiers held;
    if (modifiers & ui::kShift) held |= Qt::ShiftModifier;
    if (modifiers & ui::kCtrl) held |= Qt::ControlModifier;
    if (modifiers & ui::kAlt) held |= Qt::AltModifier;
    if (modifiers & ui::kMeta) held |= Qt::MetaModifier;
    return held;
  }

 public:
  QtProbe() {
    QApplication::setWindowIcon(ApplicationIcon());
    core_.Start();
    Settle();
  }

  void Type(std::string_view textBox, std::u16string_view text) override {
    auto* edit = Get<QLineEdit>(textBox);
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (!edit->text().isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, ui::qt::ToQString(text));
  }
  // What Qt's paste does with the clipboard's text.
  void Paste(std::string_view textBox, std::u16string_view text) override {
    auto* edit = Get<QLineEdit>(textBox);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    edit->insert(ui::qt::ToQString(text));
    Settle();
  }
  // What an input method's commit does: no key comes, the text comes whole.
  void Compose(std::string_view textBox, std::u16string_view text) override {
    QInputMethodEvent commit;
    commit.setCommitString(ui::qt::ToQString(text));
    QCoreApplication::sendEvent(Get<QLineEdit>(textBox), &commit);
    Settle();
  }
  void Click(std::string_view control) override {
    QTest::mouseClick(Get(control), Qt::LeftButton);
    Settle();
  }
  void PressKey(probe::FormId form, ui::Key key, unsigned modifiers) override {
    QWidget* window = Window(form);
    const bool keypad = modifiers & probe::kKeypad;
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window,
                    keypad ? Qt::Key_Enter : QtKey(key, modifiers),
                    QtModifiers(modifiers) | (keypad ? Qt::KeypadModifier : Qt::NoModifier));
    Settle();
  }
  void PressHome() override {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    Settle();
  }
  void Close(probe::FormId form) override {
    Window(form)->close();
    Settle();
  }
  // A press on the window; a window manager then activates it.
  void Raise(probe::FormId form) override {
    QTest::mouseClick(Window(form), Qt::LeftButton, {}, QPoint(1, 1));
    if (WindowManager()) Window(form)->activateWindow();
    Settle();
  }
  void Leave() override {
    stranger_.show();
    stranger_.activateWindow();
    Settle();
  }

  bool Open(probe::FormId form) const override { return core_.Loaded(form) != nullptr; }
  bool Enabled(probe::FormId form) const override { return Window(form)->isEnabled(); }
  probe::FormId Front() const override {
    const QWidget* explanation = Window(probe::FormId::kExplanationWindow);
    return explanation && QApplication::activeWindow() == explanation ? probe::FormId::kExplanationWindow
                                                                      : probe::FormId::kMainWindow;
  }
  void Minimise(probe::FormId form) override { Window(form)->showMinimized(); Settle(); }
  bool OnScreen(probe::FormId form) const override {
    return Window(form)->isVisible() && !Window(form)->isMinimized();
  }
  bool HasIcon(probe::FormId form) const override {
    return !Window(form)->windowIcon().pixmap(64).isNull();
  }
  std::u16string Text(probe::FormId form, std::string_view control) const override {
    return Get(control, form)->property("text").toString().toStdU16String();  // a label's or a box's
  }
  std::u16string Selection(std::string_view textBox) const override {
    return Get<QLineEdit>(textBox)->selectedText().toStdU16String();
  }
  std::size_t Caret(std::string_view textBox) const override {
    return static_cast<std::size_t>(Get<QLineEdit>(textBox)->cursorPosition());
  }
  std::optional<std::u16string> Tooltip(std::string_view textBox) const override {
    return Get<QLineEdit>(textBox)->toolTip().toStdU16String();
  }
  // Shown where the box is, as a pointer resting on it shows it.
  void Hover(std::string_view textBox) override {
    QLineEdit* edit = Get<QLineEdit>(textBox);
    QToolTip::showText(edit->mapToGlobal(QPoint(0, 0)), edit->toolTip(), edit);
  }
  std::optional<probe::Tip> TipShown() const override {
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->inherits("QTipLabel") && widget->isVisible()) {
        return probe::Tip{QToolTip::text().toStdU16String(),
                          widget->frameGeometry().width() <= widget->screen()->availableGeometry().width()};
      }
    }
    return std::nullopt;
  }
  ui::Rect Drawn(probe::FormId form, std::string_view control) const override {
    const QWidget* window = Window(form);
    const QRect drawn = control.empty() ? window->rect() : QRect(Get(control, form)->mapTo(window, QPoint()), Get(control, form)->size());
    return {drawn.x(), drawn.y(), drawn.width(), drawn.height()};
  }
  bool Checked(std::string_view option) const override {
    return Get<QRadioButton>(option)->isChecked();
  }
  // The control that has the focus, in the active window.
  std::string Focused(probe::FormId form) const override {
    const QWidget* focus = QApplication::activeWindow() == Window(form) ? Window(form)->focusWidget() : nullptr;
    return focus ? focus->objectName().toStdString() : "";
  }
  // The button marked as the default, which its style option then draws as the default.
  std::string DefaultButton() const override {
    for (const auto* button : Window(probe::FormId::kMainWindow)->findChildren<ui::qt::PushButton*>()) {
      if (button->Marked()) return button->objectName().toStdString();
    }
    return "";
  }
  // Where Qt draws a line edit's characters, from where its cursor stands, within the room its
  // margins leave (the clip Qt draws its text in); the marks, whatever is drawn in the margins. Qt
  // scrolls its text as it paints it: painted first.
  probe::Visible Shown(std::string_view textBox) const override {
    const auto* edit = Get<QLineEdit>(textBox);
    const QImage drawn = const_cast<QLineEdit*>(edit)->grab().toImage();
    const QString text = edit->text();
    const QFontMetrics metrics(edit->font());
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const QRect room = edit->contentsRect().adjusted(frame + 2, frame, -frame - 2, -frame);
    const QMargins margins = edit->textMargins();
    const int left = room.left() + margins.left();
    const int right = room.right() + 1 - margins.right();
    const int cursorX = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() + 1;
    const int origin = cursorX - metrics.horizontalAdvance(text.left(edit->cursorPosition()));
    const auto x = [&](std::size_t character) {
      return origin + metrics.horizontalAdvance(text.left(static_cast<qsizetype>(character)));
    };
    probe::Visible visible = probe::WholeBetween(static_cast<std::size_t>(text.size()), x, left, right);
    // The room's last pixel is the caret's where it stands after the last character shown.
    const std::size_t end = visible.first + visible.whole;
    const bool caretThere = edit->hasFocus() && static_cast<std::size_t>(edit->cursorPosition()) == end;
    visible.partOfAnother = (visible.first > 0 && x(visible.first) > left) ||
                            (end < static_cast<std::size_t>(text.size()) && x(end) < right - caretThere);
    const qreal ratio = drawn.devicePixelRatio();
    const auto inked = [&](int from, int to) {
      return probe::Inked(static_cast<int>(from * ratio), static_cast<int>(to * ratio),
                          static_cast<int>(room.top() * ratio), static_cast<int>((room.bottom() + 1) * ratio),
                          [&](int x, int y) { return qGray(drawn.pixel(x, y)) < 128; });
    };
    visible.markLeft = inked(room.left(), left);
    visible.markRight = inked(right, room.right() + 1);
    return visible;
  }
  ui::Units Units() const override { return {}; }  // Qt scales the device-independent pixels itself
  int FontPixels(probe::FormId form, std::string_view control) const override {
    return Get(control, form)->font().pixelSize();
  }
  // Each box, and whether it stood over the middle of the main window.
  std::vector<probe::Box> TakeBoxes() override {
    std::vector<probe::Box> boxes;
    const QPoint main = Window(probe::FormId::kMainWindow)->geometry().center();
    for (const MessageBoxWatcher::Box& box : watcher_.Boxes()) {
      const QPoint off = box.geometry.center() - main;
      boxes.push_back({box.title.toStdU16String(), box.text.toStdU16String(),
                       box.icon == QMessageBox::Critical ? ui::MessageIcon::kError
                                                         : ui::MessageIcon::kWarning,
                       std::abs(off.x()) <= 16 && std::abs(off.y()) <= 32});
    }
    watcher_.Clear();
    return boxes;
  }
  void AnswerBoxesWith(ui::Key key, unsigned modifiers) override {
    watcher_.AnswerWith(QtKey(key, modifiers), QtModifiers(modifiers));
  }
  bool WindowManager() const override { return engine_.Capabilities() & ui::kWindowManager; }
  // What a screen reader hears of Qt is heard on the accessibility bus (tests/e2e).
  std::optional<std::vector<std::u16string>> TakeAnnounced() override { return std::nullopt; }

  // The Qt side, for what only Qt shows.
  ui::qt::QtWindow* Window(probe::FormId form) const {
    ui::Window* loaded = core_.Loaded(form);
    return loaded ? static_cast<ui::qt::QtWindow*>(&loaded->Native()) : nullptr;
  }
  template <typename Widget = QWidget>
  Widget* Get(std::string_view name, probe::FormId form = probe::FormId::kMainWindow) const {
    auto* widget = Window(form)->findChild<Widget*>(QString::fromUtf8(name.data(), name.size()));
    if (!widget) qFatal("no control %s", name.data());
    return widget;
  }
  const MessageBoxWatcher& Watcher() const { return watcher_; }
  ui::qt::QtEngine& Engine() { return engine_; }

 private:
  // Windows shown or activated by a handler settle before they are looked at.
  void Settle() {
    for (const probe::FormId form : {probe::FormId::kMainWindow, probe::FormId::kExplanationWindow}) {
      if (Window(form)) (void)QTest::qWaitForWindowExposed(Window(form));
    }
    QCoreApplication::processEvents();
  }

  MessageBoxWatcher watcher_;
  QWidget stranger_;  // another program's window
  ui::qt::QtEngine engine_;
  ui::Core core_{engine_, ui::Calculator()};
};
