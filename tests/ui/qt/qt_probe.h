#pragma once

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <memory>
#include <utility>

#include "app/qt_icon.h"
#include "tests/ui/probe.h"
#include "ui/forms.h"
#include "tests/ui/qt/message_box_watcher.h"
#include "ui/qt/qt_engine.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/text.h"

// The program on Qt, in this process: real widgets driven by Qt's test events, as a mouse and a
// keyboard would drive them; a box is answered as soon as it shows.
class QtProbe final : public probe::Probe {
  static Qt::Key QtKey(ui::Key key) {
    constexpr std::pair<ui::Key, Qt::Key> kKeys[] = {
        {ui::Key::kTab, Qt::Key_Tab},       {ui::Key::kShiftTab, Qt::Key_Backtab},
        {ui::Key::kEnter, Qt::Key_Return},  {ui::Key::kEscape, Qt::Key_Escape},
        {ui::Key::kUp, Qt::Key_Up},         {ui::Key::kDown, Qt::Key_Down},
        {ui::Key::kLeft, Qt::Key_Left},     {ui::Key::kRight, Qt::Key_Right}};
    for (const auto& [known, qtKey] : kKeys) {
      if (known == key) return qtKey;
    }
    return Qt::Key_unknown;
  }

 public:
  QtProbe() {
    QApplication::setWindowIcon(ApplicationIcon());
    QApplication::instance()->installEventFilter(&hearing_);
    core_.Start();
    Settle();
  }

  void Type(std::string_view textBox, std::u16string_view text) override {
    auto* edit = Get<QLineEdit>(textBox);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (!edit->text().isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, ui::qt::ToQString(text));
  }
  void Click(std::string_view control) override {
    QTest::mouseClick(Get(control), Qt::LeftButton);
    Settle();
  }
  void Press(probe::FormId form, ui::Key key) override {
    QWidget* window = Window(form);
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, QtKey(key),
                    key == ui::Key::kShiftTab ? Qt::ShiftModifier : Qt::NoModifier);
    Settle();
  }
  void Close(probe::FormId form) override {
    Window(form)->close();
    Settle();
  }
  void Raise(probe::FormId form) override {
    Window(form)->raise();
    Window(form)->activateWindow();
    Settle();
  }

  bool Open(probe::FormId form) const override { return core_.Loaded(form) != nullptr; }
  bool Enabled(probe::FormId form) const override { return Window(form)->isEnabled(); }
  probe::FormId Front() const override {
    return QApplication::activeWindow() == Window(probe::FormId::kMainWindow) ? probe::FormId::kMainWindow
                                                                         : probe::FormId::kExplanationWindow;
  }
  void Minimise(probe::FormId form) override { Window(form)->showMinimized(); Settle(); }
  bool Minimised(probe::FormId form) const override { return Window(form)->isMinimized(); }
  bool HasIcon(probe::FormId form) const override {
    return !Window(form)->windowIcon().pixmap(64).isNull();
  }
  std::u16string Text(probe::FormId form, std::string_view control) const override {
    return Get(control, form)->property("text").toString().toStdU16String();  // a label's or a box's
  }
  std::u16string Selection(std::string_view textBox) const override {
    return Get<QLineEdit>(textBox)->selectedText().toStdU16String();
  }
  bool Checked(std::string_view option) const override {
    return Get<QRadioButton>(option)->isChecked();
  }
  // The control that has the focus within its window: the offscreen platform activates no
  // window again after a box, as a window manager would.
  std::string Focused(probe::FormId form) const override {
    const QWidget* focus = Window(form)->isEnabled() ? Window(form)->focusWidget() : nullptr;
    return focus ? focus->objectName().toStdString() : "";
  }
  std::string DefaultButton() const override {
    for (auto* button : Window(probe::FormId::kMainWindow)->findChildren<QPushButton*>()) {
      if (button->isDefault()) return button->objectName().toStdString();
    }
    return "";
  }
  // Where Qt draws a line edit's text: from the frame and two pixels in, to the right margin.
  probe::Visible Shown(std::string_view textBox) const override {
    const auto* edit = Get<QLineEdit>(textBox);
    const QString text = edit->text();
    const QFontMetrics metrics(edit->font());
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const int end = edit->contentsRect().right() + 1 - frame - edit->textMargins().right();
    // The first character's place, scrolled or not, from the cursor's.
    const int cursorX = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() + 1;
    const int first = cursorX - metrics.horizontalAdvance(text.left(edit->cursorPosition()));
    if (first < edit->contentsRect().left() + frame) return {0, false, false};
    qsizetype whole = 0;
    while (whole < text.size() && first + metrics.horizontalAdvance(text.left(whole + 1)) <= end) {
      ++whole;
    }
    const int wholeEnd = first + metrics.horizontalAdvance(text.left(whole));
    const bool partOfNext = whole < text.size() && end - wholeEnd > 1;
    // The mark: something drawn between the text's end and the two pixels Qt keeps at the right.
    const QImage drawn = const_cast<QLineEdit*>(edit)->grab().toImage();
    const qreal ratio = drawn.devicePixelRatio();
    bool cutMark = false;
    for (int x = end * ratio; x < (edit->contentsRect().right() - 1 - frame) * ratio; ++x) {
      for (int y = 0; y < drawn.height(); ++y) cutMark = cutMark || qGray(drawn.pixel(x, y)) < 128;
    }
    return {static_cast<std::size_t>(whole), partOfNext, cutMark};
  }
  int Dpi() const override { return 96; }  // Qt scales the device-independent pixels itself
  int FontPixels(probe::FormId form, std::string_view control) const override {
    return Get(control, form)->font().pixelSize();
  }
  std::vector<probe::Box> TakeBoxes() override {
    std::vector<probe::Box> boxes;
    for (const MessageBoxWatcher::Box& box : watcher_.Boxes()) {
      boxes.push_back({box.title.toStdU16String(), box.text.toStdU16String(),
                       box.icon == QMessageBox::Critical ? ui::MessageIcon::kError
                                                         : ui::MessageIcon::kWarning,
                       box.parent == Window(probe::FormId::kMainWindow)});
    }
    watcher_.Clear();
    return boxes;
  }
  std::vector<std::u16string> TakeAnnounced() override { return std::move(hearing_.said); }

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

 private:
  // Windows shown or activated by a handler settle before they are looked at.
  void Settle() {
    for (const probe::FormId form : {probe::FormId::kMainWindow, probe::FormId::kExplanationWindow}) {
      if (Window(form)) (void)QTest::qWaitForWindowExposed(Window(form));
    }
    QCoreApplication::processEvents();
  }

  // A notification with a text shown in the main window: the event a screen reader speaks it on (the offscreen
  // platform has no accessibility bridge to raise it further).
  struct Hearing : QObject {
    bool eventFilter(QObject* object, QEvent* event) override {
      auto* widget = event->type() == QEvent::Show ? qobject_cast<QWidget*>(object) : nullptr;
      QAccessibleInterface* heard = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
      if (heard && heard->role() == QAccessible::Notification && !heard->text(QAccessible::Name).isEmpty() &&
          widget->window()->objectName() == QLatin1String("Form1")) {
        said.push_back(heard->text(QAccessible::Name).toStdU16String());
      }
      return false;
    }
    std::vector<std::u16string> said;
  } hearing_;
  MessageBoxWatcher watcher_;
  ui::qt::QtEngine engine_;
  ui::Core core_{engine_, ui::Calculator()};
};
