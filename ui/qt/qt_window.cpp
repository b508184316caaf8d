#include "ui/qt/qt_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>

#include "ui/qt/fonts.h"
#include "ui/qt/text.h"

namespace ui::qt {
namespace {

QString Name(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

QtWindow::QtWindow(const WindowDesign& design, Report report)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      design_(design),
      report_(std::move(report)) {
  setObjectName(Name(design.name));
  setWindowTitle(ToQString(design.title));
  setFont(FontFor(design.defaultFont));
  setFixedSize(TwipsToPixels(design.clientWidth), TwipsToPixels(design.clientHeight));
  // Made in reading order, which screen readers follow; it is also the stacking order, and puts
  // Label4 beneath the output box, as the design draws it.
  std::map<std::string_view, QButtonGroup*> groups;
  for (const ControlDesign* control : ReadingOrder(design)) {
    QWidget* widget = CreateControl(*control);
    if (control->kind == ControlKind::kOptionButton) {
      QButtonGroup*& group = groups[control->group];
      if (!group) group = new QButtonGroup(this);
      group->addButton(static_cast<QRadioButton*>(widget));
    }
    controls_.emplace_back(control->name, widget);
  }
  // Nothing to see: a screen reader hears it (accessibility.cpp).
  announcer_ = new QWidget(this);
  announcer_->setObjectName(QStringLiteral("announcer"));
  announcer_->setGeometry(0, 0, 0, 0);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (const std::string_view name = NameOf(now); !name.empty()) {
      report_({Event::Kind::kFocusMoved, name});
    }
  });
}

QWidget* QtWindow::CreateControl(const ControlDesign& control) {
  QWidget* widget = nullptr;
  const QString caption = ToQString(control.caption);
  const std::string_view name = control.name;
  const auto reports = [this](Event event) { return [this, event] { report_(event); }; };
  switch (control.kind) {
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(caption, this);
      button->setAutoDefault(false);  // Enter is the core's to decide
      connect(button, &QPushButton::clicked, this, reports({Event::Kind::kClicked, name}));
      widget = button;
      break;
    }
    case ControlKind::kOptionButton: {
      // Qt reports the user's clicks, the one on the option already selected included, and not
      // the program's selections.
      auto* option = new QRadioButton(caption, this);
      connect(option, &QRadioButton::clicked, this, reports({Event::Kind::kClicked, name}));
      widget = option;
      break;
    }
    case ControlKind::kTextBox: {
      auto* edit = new QLineEdit(caption, this);
      edit->setMaxLength(std::numeric_limits<int>::max());  // no limit beyond Qt's own
      connect(edit, &QLineEdit::textEdited, this, reports({Event::Kind::kEdited, name}));
      widget = edit;
      break;
    }
    case ControlKind::kLabel: {
      auto* label = new QLabel(caption, this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      widget = label;
      break;
    }
    case ControlKind::kLine:
      return nullptr;  // drawn by paintEvent
  }
  // A button's or an option's arrow keys, which Qt would use to move the focus, are the core's; a
  // text box draws a cut mark over itself.
  if (control.kind != ControlKind::kLabel) widget->installEventFilter(this);
  widget->setObjectName(Name(name));
  widget->setFont(FontFor(FontOf(design_, control)));
  if (!control.accessibleName.empty()) widget->setAccessibleName(ToQString(control.accessibleName));
  const Rect pixels = ControlBounds(design_, control);
  widget->setGeometry(pixels.left, pixels.top, pixels.width, pixels.height);
  return widget;
}

QWidget* QtWindow::Widget(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  if (found == controls_.end() || !found->second) {
    throw std::logic_error(std::string(design_.name) + " has no widget " + std::string(name));
  }
  return found->second;
}

template <typename Kind>
Kind* QtWindow::Widget(std::string_view name) const {
  auto* widget = qobject_cast<Kind*>(Widget(name));
  if (!widget) throw std::logic_error("a widget of another kind: " + std::string(name));
  return widget;
}

std::u16string QtWindow::Text(std::string_view textBox) const {
  return ToU16(Widget<QLineEdit>(textBox)->text());
}

void QtWindow::SetText(std::string_view control, std::u16string_view text) {
  if (auto* edit = qobject_cast<QLineEdit*>(Widget(control))) {
    edit->setText(ToQString(text));
    edit->setCursorPosition(0);
  } else {
    Widget<QLabel>(control)->setText(ToQString(text));
  }
}

bool QtWindow::Value(std::string_view option) const {
  return Widget<QRadioButton>(option)->isChecked();
}

void QtWindow::SetValue(std::string_view option, bool selected) {
  Widget<QRadioButton>(option)->setChecked(selected);
}

std::string_view QtWindow::NameOf(const QWidget* control) const {
  for (const auto& [name, widget] : controls_) {
    if (widget && widget == control) return name;
  }
  return {};
}

std::string_view QtWindow::Focused() const { return NameOf(focusWidget()); }

void QtWindow::Focus(std::string_view control) {
  QWidget* widget = Widget(control);
  widget->setFocus(Qt::TabFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

void QtWindow::TakeKeyboard(std::u16string_view readAs) {
  activateWindow();
  setFocus(Qt::OtherFocusReason);
  if (!readAs.empty()) Announce({}, readAs);
}

void QtWindow::MarkDefault(std::string_view button) {
  for (const auto& [name, widget] : controls_) {
    if (auto* push = qobject_cast<QPushButton*>(widget)) push->setDefault(name == button);
  }
}

// Qt keeps two pixels either side of the text within the frame.
QRect QtWindow::TextRoomRect(const QLineEdit* edit) {
  const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  return edit->contentsRect().adjusted(frame + 2, frame, -frame - 2, -frame);
}

int QtWindow::TextRoom(std::string_view textBox) const {
  return TextRoomRect(Widget<QLineEdit>(textBox)).width();
}

QFont QtWindow::DesignFont(std::string_view control, int pixels) const {
  QFont font = FontFor(FontOf(design_, design_.Control(control)));
  font.setPixelSize(pixels);
  return font;
}

int QtWindow::TextWidth(std::string_view textBox, std::u16string_view text, int pixels) const {
  return QFontMetrics(DesignFont(textBox, pixels)).horizontalAdvance(ToQString(text));
}

void QtWindow::SetTextFont(std::string_view textBox, const TextFit& fit) {
  QLineEdit* edit = Widget<QLineEdit>(textBox);
  const QFont font = DesignFont(textBox, fit.pixels);
  if (edit->font() != font) edit->setFont(font);
  // Qt draws into the two pixels it keeps beside the text: pixels kept empty keep those too.
  edit->setTextMargins(0, 0, fit.emptyRight ? fit.emptyRight + 2 : 0, 0);
  edit->setToolTip(fit.cut ? edit->text() : QString());
  cutMarks_[edit] = fit.cut ? fit.emptyRight : 0;
  edit->update();
}

// Over the box once it has drawn itself, on its text's line, at the right end of its text's room:
// not part of the text, and nothing a screen reader meets.
void QtWindow::PaintCutMark(QLineEdit* edit, int width) const {
  const QRect room = TextRoomRect(edit);
  QPainter painter(edit);
  painter.setFont(edit->font());
  painter.setPen(edit->palette().text().color());
  painter.drawText(QRect(room.right() + 1 - width, room.top(), width, room.height()),
                   Qt::AlignRight | Qt::AlignVCenter, ToQString(kCutMark));
}

// At a fractional scale Qt rounds the frame's screen pixels, and the client area's size, to whole
// device-independent pixels, either way: a pixel more on each side keeps the whole window within
// what it reports.
Margins QtWindow::Frame() const {
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  const qreal ratio = devicePixelRatioF();
  const int rounding = ratio == std::floor(ratio) ? 0 : 1;
  return {frame.left() + rounding, frame.top() + rounding, frame.right() + rounding,
          frame.bottom() + rounding};
}

Rect QtWindow::WorkArea() const {
  const QRect area = screen()->availableGeometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

// Qt draws a widget at its screen's scale only: on a phone's screen the window keeps its size.
void QtWindow::Place(const Placement& placement) {
  setGeometry(placement.client.x, placement.client.y, width(), height());
}

void QtWindow::Show() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void QtWindow::Announce(std::string_view, std::u16string_view text) {
  announcer_->setAccessibleName(ToQString(text));
  announcer_->hide();
  announcer_->show();
}

bool QtWindow::event(QEvent* event) {
  // A window manager frames a window once it is shown: report the frame when it comes or changes.
  if (event->type() == QEvent::Move && windowHandle() && windowHandle()->frameMargins() != frame_) {
    frame_ = windowHandle()->frameMargins();
    report_({Event::Kind::kFramed});
  }
  const bool activated = event->type() == QEvent::WindowActivate;
  const bool handled = QWidget::event(event);
  if (activated) report_({Event::Kind::kActivated});  // after Qt has given the focus back
  return handled;
}

bool QtWindow::focusNextPrevChild(bool next) {
  return report_({Event::Kind::kKey, {}, next ? Key::kTab : Key::kShiftTab}) ||
         QWidget::focusNextPrevChild(next);
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
    const auto mark = cutMarks_.find(edit);
    if (event->type() != QEvent::Paint || mark == cutMarks_.end() || !mark->second) return false;
    static_cast<QObject*>(edit)->event(event);
    PaintCutMark(edit, mark->second);
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* press = static_cast<QKeyEvent*>(event);
  constexpr std::pair<int, Key> kArrows[] = {{Qt::Key_Up, Key::kUp},
                                             {Qt::Key_Down, Key::kDown},
                                             {Qt::Key_Left, Key::kLeft},
                                             {Qt::Key_Right, Key::kRight}};
  for (const auto& [qtKey, key] : kArrows) {
    if (press->key() == qtKey && (press->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      return report_({Event::Kind::kKey, {}, key});
    }
  }
  return QWidget::eventFilter(watched, event);
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool escape = event->key() == Qt::Key_Escape;
  if (plain && (enter || escape) &&
      report_({Event::Kind::kKey, {}, enter ? Key::kEnter : Key::kEscape})) {
    return;
  }
  QWidget::keyPressEvent(event);
}

void QtWindow::closeEvent(QCloseEvent* event) {
  event->setAccepted(report_({Event::Kind::kCloseAsked}));
}

void QtWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(palette().windowText(), 1));
  for (const ControlDesign& control : design_.controls) {
    if (control.kind != ControlKind::kLine) continue;
    painter.drawLine(TwipsToPixels(control.left), TwipsToPixels(control.top),
                     TwipsToPixels(control.width), TwipsToPixels(control.height));
  }
}

}  // namespace ui::qt
