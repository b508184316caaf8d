#include "windows/qt/qt_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "windows/fit.h"
#include "windows/qt/fonts.h"
#include "windows/qt/text.h"

namespace windows::qt {
namespace {

QRect PixelRect(const ControlDesign& control) {
  const Rect pixels = PixelBounds(control);
  return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

}  // namespace

QtWindow::QtWindow(const WindowDesign& design, WindowEvents events)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      design_(design),
      events_(std::move(events)) {
  setObjectName(QString::fromUtf8(design.name.data(), static_cast<qsizetype>(design.name.size())));
  setWindowTitle(ToQString(design.title));
  setFont(FontFor(design.defaultFont));
  setFixedSize(TwipsToPixels(design.clientWidth), TwipsToPixels(design.clientHeight));

  // Made in reading order, which screen readers follow; it is also the stacking order, and puts
  // Label4 beneath the output box, as the design draws it.
  for (const ControlDesign* control : InReadingOrder(design)) {
    controls_.emplace_back(control->name, CreateControl(*control));
  }
  ArrangeTabOrder();
  PlaceOnScreen();
}

QWidget* QtWindow::CreateControl(const ControlDesign& control) {
  QWidget* widget = nullptr;
  const QString caption = ToQString(control.caption);
  const std::string_view name = control.name;
  switch (control.kind) {
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(caption, this);
      button->setAutoDefault(true);  // Enter clicks the button that has the focus
      if (control.isDefaultButton) {
        button->setDefault(true);
        defaultButton_ = button;
      }
      connect(button, &QPushButton::clicked, this, [this, name] { events_.click(name); });
      widget = button;
      break;
    }
    case ControlKind::kOptionButton: {
      // One group: the window's options. Qt reports the user's clicks, the one on the option
      // already selected included, and not the program's selections.
      auto* option = new QRadioButton(caption, this);
      connect(option, &QRadioButton::clicked, this, [this, name] { events_.click(name); });
      widget = option;
      break;
    }
    case ControlKind::kTextBox: {
      auto* edit = new QLineEdit(caption, this);
      edit->setMaxLength(std::numeric_limits<int>::max());  // no limit beyond Qt's own
      const QFont designed = control.font ? FontFor(*control.font) : font();
      connect(edit, &QLineEdit::textChanged, this, [edit, designed] { FitText(edit, designed); });
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
  widget->setObjectName(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  if (control.font) widget->setFont(FontFor(*control.font));
  if (!control.accessibleName.empty()) widget->setAccessibleName(ToQString(control.accessibleName));
  widget->setGeometry(PixelRect(control));
  if (control.kind == ControlKind::kLabel) {
    // A label shorter than its font's line grows downward rather than cut off its text.
    const int lineHeight = widget->fontMetrics().height();
    if (widget->height() < lineHeight) widget->resize(widget->width(), lineHeight);
  }
  return widget;
}

void QtWindow::ArrangeTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlDesign* control : InTabOrder(design_)) {
    QWidget* widget = Control(control->name);
    if (!widget || widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous) {
      setTabOrder(previous, widget);
    } else {
      widget->setFocus();  // the window opens with the focus on its first stop
    }
    previous = widget;
  }
}

// The client area goes where the design puts it, moved back inside a screen that is too small.
void QtWindow::PlaceOnScreen() {
  QRect client(TwipsToPixels(design_.clientLeft), TwipsToPixels(design_.clientTop), width(),
               height());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect available = screen->availableGeometry();
    client.moveRight(std::min(client.right(), available.right()));
    client.moveBottom(std::min(client.bottom(), available.bottom()));
    client.moveLeft(std::max(client.left(), available.left()));
    client.moveTop(std::max(client.top(), available.top()));
  }
  setGeometry(client);
}

// The designed font where the text fits the box, else a smaller one (in whole pixels) at which it
// does, down to a floor.
void QtWindow::FitText(QLineEdit* edit, const QFont& designed) {
  const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  // Qt keeps two pixels either side of the text, and one for the cursor.
  const int room = edit->contentsRect().width() - 2 * frame - 2 * 2 - 1;
  QFont font = designed;
  font.setPixelSize(FittingFontPixels(designed.pixelSize(), 96, room, [&](int pixels) {
    font.setPixelSize(pixels);
    return QFontMetrics(font).horizontalAdvance(edit->text());
  }));
  if (edit->font() != font) edit->setFont(font);
}

void QtWindow::FocusFirstStop() {
  for (const ControlDesign* control : InTabOrder(design_)) {
    QWidget* widget = Control(control->name);
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
    return;
  }
}

QWidget* QtWindow::Control(std::string_view name) const {
  const auto found = std::find_if(controls_.begin(), controls_.end(),
                                  [&](const auto& entry) { return entry.first == name; });
  return found == controls_.end() ? nullptr : found->second;
}

template <typename Widget>
Widget* QtWindow::ControlOfKind(std::string_view name) const {
  auto* widget = qobject_cast<Widget*>(Control(name));
  if (!widget) {
    throw std::logic_error(std::string(design_.name) +
                           " has no such control: " + std::string(name));
  }
  return widget;
}

std::u16string QtWindow::Text(std::string_view textBox) const {
  return ToU16(ControlOfKind<QLineEdit>(textBox)->text());
}

// The start of a text too long even for the smallest font shows, as the first digits matter most.
void QtWindow::SetText(std::string_view textBox, std::u16string_view text) {
  QLineEdit* edit = ControlOfKind<QLineEdit>(textBox);
  edit->setText(ToQString(text));
  edit->setCursorPosition(0);
}

bool QtWindow::Value(std::string_view optionButton) const {
  return ControlOfKind<QRadioButton>(optionButton)->isChecked();
}

void QtWindow::SetValue(std::string_view optionButton, bool selected) {
  ControlOfKind<QRadioButton>(optionButton)->setChecked(selected);
}

void QtWindow::SetCaption(std::string_view label, std::u16string_view caption) {
  ControlOfKind<QLabel>(label)->setText(ToQString(caption));
}

void QtWindow::SetEnabled(bool enabled) { setEnabled(enabled); }

void QtWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(palette().windowText(), 1));
  for (const ControlDesign& control : design_.controls) {
    if (control.kind != ControlKind::kLine) continue;
    painter.drawLine(TwipsToPixels(control.left), TwipsToPixels(control.top),
                     TwipsToPixels(control.width), TwipsToPixels(control.height));
  }
}

// Enter that no push button took clicks the default button, as in a dialog.
void QtWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (enter && plain && defaultButton_ && defaultButton_->isEnabled()) {
    defaultButton_->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void QtWindow::Show() {
  show();
  raise();
  activateWindow();
}

bool QtWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && !isEnabled()) events_.activated();
  return QWidget::event(event);
}

void QtWindow::closeEvent(QCloseEvent* event) {
  if (events_.close()) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace windows::qt
