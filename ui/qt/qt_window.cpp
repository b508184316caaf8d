#include "ui/qt/qt_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <optional>
#include <string>

#include "ui/qt/box_symbol.h"
#include "ui/qt/buttons.h"
#include "ui/qt/fonts.h"
#include "ui/qt/text.h"
#include "ui/qt/title_bar.h"
#include "ui/qt/x11.h"

namespace ui::qt {
namespace {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

QString Name(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

constexpr std::pair<int, Key> kKeys[] = {
    {Qt::Key_Tab, Key::kTab},      {Qt::Key_Backtab, Key::kTab},  {Qt::Key_Return, Key::kEnter},
    {Qt::Key_Enter, Key::kEnter},  {Qt::Key_Escape, Key::kEscape}, {Qt::Key_Space, Key::kSpace},
    {Qt::Key_Up, Key::kUp},        {Qt::Key_Down, Key::kDown},     {Qt::Key_Left, Key::kLeft},
    {Qt::Key_Right, Key::kRight},  {Qt::Key_F4, Key::kF4},         {Qt::Key_W, Key::kW}};
constexpr std::pair<Qt::KeyboardModifier, Modifier> kModifiers[] = {
    {Qt::ShiftModifier, kShift}, {Qt::ControlModifier, kCtrl}, {Qt::AltModifier, kAlt},
    {Qt::MetaModifier, kMeta}};

}  // namespace

// A title bar, a system menu and a close box, as the design has them; on Wayland none but the
// window's own title bar, as no one else draws one with no minimise or maximise button (and Qt
// takes a close box's hint to mean a frame).
QtWindow::QtWindow(const WindowDesign& design, Report report, const ProgramTexts& texts,
                   std::function<void()> learned)
    : QWidget(nullptr, OnWayland() ? Qt::Window | Qt::FramelessWindowHint
                                   : Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      design_(design),
      report_(std::move(report)),
      learned_(std::move(learned)) {
  setObjectName(Name(design.name));
  setWindowTitle(ToQString(design.title));
  // A box is read as its title and its text.
  for (const ControlDesign& control : design.controls) {
    if (design.messageBox && control.kind == ControlKind::kLabel) {
      setAccessibleDescription(ToQString(control.caption));
    }
  }
  setFont(FontFor(design.defaultFont));
  // Made in reading order, which screen readers follow; it is also the stacking order, and puts
  // Label4 beneath the output box, as the design draws it.
  for (const ControlDesign* control : ReadingOrder(design)) {
    controls_.emplace_back(control->name, CreateControl(*control));
  }
  // Nothing to see: a screen reader hears it (accessibility.cpp).
  announcer_ = new QWidget(this);
  announcer_->setObjectName(QStringLiteral("announcer"));
  announcer_->setGeometry(0, 0, 0, 0);
  if (OnWayland()) {
    titleBar_ = new TitleBar(this, ToQString(texts.closeBox), ToQString(texts.closeMark));
    top_ = titleBar_->Height();
  }
  winId();  // the window's handle, to follow its states and its screen
  connect(windowHandle(), &QWindow::windowStateChanged, this, &QtWindow::StateChanged);
  connect(windowHandle(), &QWindow::screenChanged, this, &QtWindow::FollowWorkArea);
  FollowWorkArea(windowHandle()->screen());
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
      auto* button = new PushButton(caption, this);
      button->setAutoDefault(false);  // Enter is the core's to decide
      connect(button, &QPushButton::clicked, this, reports({Event::Kind::kClicked, name}));
      widget = button;
      break;
    }
    case ControlKind::kOptionButton: {
      // Qt reports the user's clicks, the one on the option already selected included, and not
      // the program's selections.
      auto* option = new OptionButton(caption, this);
      connect(option, &QRadioButton::clicked, this, reports({Event::Kind::kClicked, name}));
      widget = option;
      break;
    }
    case ControlKind::kTextBox: {
      auto* edit = new QLineEdit(caption, this);
      edit->setMaxLength(std::numeric_limits<int>::max());  // no limit beyond Qt's own
      connect(edit, &QLineEdit::textEdited, this, reports({Event::Kind::kEdited, name}));
      connect(edit, &QLineEdit::cursorPositionChanged, this,
              reports({Event::Kind::kCaretMoved, name}));
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
    case ControlKind::kSymbol:  // its picture drawn at the size it is laid out at
      widget = new QLabel(this);
      break;
    case ControlKind::kLine:
      return nullptr;  // drawn by paintEvent
  }
  // Keys go to the core before the control; a text box draws its cut marks over itself.
  if (control.kind != ControlKind::kLabel) widget->installEventFilter(this);
  widget->setObjectName(Name(name));
  if (!control.accessibleName.empty()) widget->setAccessibleName(ToQString(control.accessibleName));
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

// A text box's selection runs from its end back to the start, where its caret stands.
void QtWindow::Focus(std::string_view control) {
  QWidget* widget = Widget(control);
  widget->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setSelection(static_cast<int>(edit->text().size()), -static_cast<int>(edit->text().size()));
  }
}

std::size_t QtWindow::Caret(std::string_view textBox) const {
  return static_cast<std::size_t>(Widget<QLineEdit>(textBox)->cursorPosition());
}

void QtWindow::MoveCaret(std::string_view textBox, std::size_t to) {
  Widget<QLineEdit>(textBox)->setCursorPosition(static_cast<int>(to));
}

void QtWindow::TakeKeyboard(std::u16string_view readAs) {
  activateWindow();
  setFocus(Qt::OtherFocusReason);
  if (!readAs.empty()) Announce({}, readAs);
}

void QtWindow::MarkDefault(std::string_view button) {
  for (const auto& [name, widget] : controls_) {
    if (auto* push = dynamic_cast<PushButton*>(widget)) push->SetMarked(name == button);
  }
}

void QtWindow::Lay(const WindowLayout& layout) {
  setFixedSize(layout.width, top_ + layout.height);
  if (titleBar_) titleBar_->setGeometry(0, 0, layout.width, top_);
  for (const ControlLayout& control : layout.controls) {
    QWidget* widget = Widget(control.name);
    widget->setGeometry(control.bounds.left, top_ + control.bounds.top, control.bounds.width,
                        control.bounds.height);
    widget->setFont(DesignFont(control.name, control.fontPixels));
    const ControlDesign& design = design_.Control(control.name);
    if (design.kind == ControlKind::kSymbol) {
      static_cast<QLabel*>(widget)->setPixmap(
          BoxSymbol(design.symbol, control.bounds.width, devicePixelRatioF()));
    }
  }
  lines_.clear();
  for (const Rect& line : layout.lines) lines_.emplace_back(line.left, top_ + line.top, line.width, line.height);
  update();
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

// Shown from the first character the core says: Qt scrolls its text as it paints it, as its caret
// needs; without the focus, its caret is put there where the core says, and else left to the
// user; with it, ShowFrom. A tooltip that shows follows the text at once.
void QtWindow::ShowText(std::string_view textBox, const TextView& view) {
  QLineEdit* edit = Widget<QLineEdit>(textBox);
  const QFont font = DesignFont(textBox, view.pixels);
  if (edit->font() != font) edit->setFont(font);
  edit->setTextMargins(view.clearLeft, 0, view.clearRight, 0);
  const QString tooltip = ToQString(view.tooltip);
  if (QToolTip::isVisible() && QToolTip::text() == edit->toolTip() && edit->toolTip() != tooltip) {
    tooltip.isEmpty() ? QToolTip::hideText() : QToolTip::showText(QCursor::pos(), tooltip, edit);
  }
  edit->setToolTip(tooltip);
  if (view.caretToFirst) edit->setCursorPosition(static_cast<int>(view.first));
  views_[edit] = view;
  if (edit->hasFocus()) {
    ShowFrom(edit, view);
  } else {
    edit->update();
  }
}

// Qt has no way to say where its text starts but its rule, as it paints it, to scroll as little as
// shows the caret, as the core does; so painted at once, it mostly starts where the core says.
// Where it does not (two keys came before a paint, say), it is painted with a room wide enough for
// the whole text, which scrolls it to its start, then with one ending at the caret, which scrolls
// the caret to the room's right end, and then with the room between the marks, which keeps it so.
void QtWindow::ShowFrom(QLineEdit* edit, const TextView& view) {
  edit->repaint();
  const QFontMetrics metrics(edit->font());
  const QString text = edit->text();
  const int caretX = metrics.horizontalAdvance(text.left(edit->cursorPosition()));
  const int firstX = metrics.horizontalAdvance(text.left(static_cast<qsizetype>(view.first)));
  const int textStart =
      edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() + 1 - caretX;
  if (textStart + firstX == TextRoomRect(edit).left() + view.clearLeft) return;
  constexpr int kWholeText = 1 << 20;
  edit->setTextMargins(-kWholeText, 0, -kWholeText, 0);
  edit->repaint();
  if (view.first > 0) {
    edit->setTextMargins(0, 0, TextRoomRect(edit).width() - (caretX - firstX + 1), 0);
    edit->repaint();
  }
  edit->setTextMargins(view.clearLeft, 0, view.clearRight, 0);
  edit->repaint();
}

// Over the box once it has drawn itself, on its text's line, at each end of its text's room that
// hides characters: not part of the text, and nothing a screen reader meets. Qt draws its text two
// pixels past the room it lays it out in: the rooms kept clear are cleared of it first.
void QtWindow::PaintCutMarks(QLineEdit* edit, const TextView& view) const {
  const QRect room = TextRoomRect(edit);
  QPainter painter(edit);
  const QBrush base = edit->palette().base();
  painter.fillRect(QRect(room.left() - 2, room.top(), view.clearLeft + 2, room.height()), base);
  painter.fillRect(QRect(room.right() + 1 - view.clearRight, room.top(), view.clearRight + 2, room.height()), base);
  painter.setFont(edit->font());
  painter.setPen(edit->palette().text().color());
  if (view.markLeft) {
    painter.drawText(QRect(room.left(), room.top(), view.clearLeft, room.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, ToQString(kCutMark));
  }
  if (view.markRight) {
    painter.drawText(QRect(room.right() + 1 - view.clearRight, room.top(), view.clearRight,
                           room.height()),
                     Qt::AlignRight | Qt::AlignVCenter, ToQString(kCutMark));
  }
}

// On X11 the frame as the window manager put it, in the screen's pixels, each side rounded up to
// whole device-independent ones. Elsewhere Qt's, which at a fractional scale it rounds either way,
// as it does the client area's size: a pixel more on each side keeps the whole window within what
// it reports; and the window's own title bar.
Margins QtWindow::Frame() const {
  if (!windowHandle()) return {};
  const qreal ratio = devicePixelRatioF();
  if (const std::optional<QMargins> extents = x11::FrameExtents(*windowHandle())) {
    const auto up = [ratio](int pixels) { return static_cast<int>(std::ceil(pixels / ratio)); };
    return {up(extents->left()), up(extents->top()), up(extents->right()), up(extents->bottom())};
  }
  const QMargins frame = windowHandle()->frameMargins();
  const int rounding = ratio == std::floor(ratio) ? 0 : 1;
  return {frame.left() + rounding, frame.top() + rounding + top_, frame.right() + rounding,
          frame.bottom() + rounding};
}

Rect QtWindow::WorkArea() const {
  const QRect area = screen()->availableGeometry();
  return {area.x(), area.y(), area.width(), area.height()};
}

// Qt draws a widget at its screen's scale only: a window keeps its size.
void QtWindow::Place(const Placement& placement) {
  setGeometry(placement.client.x, placement.client.y - top_, width(), height());
}

// Wayland lets no program raise or activate its window, nor bring back one the compositor
// minimised, which it is not told of: a window shown again is a new one, which the compositor puts
// in front. Once, until it is active or exposed, so that the activation its going gives another
// window does not show it again.
void QtWindow::Show() {
  if (OnWayland() && isVisible() && !isActiveWindow() && !remapped_) {
    remapped_ = true;
    hide();
  }
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

// Neither maximised nor full screen, whoever asked: the window is shown again at its size, a new
// one, as a window Wayland was told is maximised cannot be made otherwise. Minimised by a window
// manager, or by Qt's own title bar: told once the change is over.
void QtWindow::StateChanged(Qt::WindowStates states) {
  if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    QTimer::singleShot(0, this, [this] {
      hide();
      windowHandle()->setWindowStates(Qt::WindowNoState);
      show();
    });
  } else if (states & Qt::WindowMinimized) {
    QTimer::singleShot(0, this, [this] {
      if (windowHandle()->windowStates() & Qt::WindowMinimized) report_({Event::Kind::kMinimised});
    });
  }
}

// The work area of the window's screen, which a panel may take from or give back: its change
// places the window again.
void QtWindow::FollowWorkArea(QScreen* screen) {
  disconnect(workArea_);
  if (screen) {
    workArea_ = connect(screen, &QScreen::availableGeometryChanged, this,
                        [this] { report_({Event::Kind::kFramed}); });
  }
}

void QtWindow::Announce(std::string_view, std::u16string_view text) {
  announcer_->setAccessibleName(ToQString(text));
  announcer_->hide();
  announcer_->show();
}

bool QtWindow::KeyPressed(const QKeyEvent& press) {
  const auto key = std::find_if(std::begin(kKeys), std::end(kKeys),
                                [&](const auto& entry) { return entry.first == press.key(); });
  if (key == std::end(kKeys)) return false;
  unsigned modifiers = 0;
  for (const auto& [qtModifier, modifier] : kModifiers) {
    if (press.modifiers() & qtModifier) modifiers |= modifier;
  }
  return report_({Event::Kind::kKey, {}, key->second, modifiers});
}

bool QtWindow::event(QEvent* event) {
  // A window manager frames a window once it is shown, and may move it without a word: the frame
  // is looked at whenever the window is shown, exposed, moved or activated, and reported when it
  // came or changed.
  const QEvent::Type type = event->type();
  if (type == QEvent::Show || type == QEvent::Expose || type == QEvent::Move ||
      type == QEvent::WindowActivate) {
    const Margins frame = Frame();
    if (frame.left != frame_.left() || frame.top != frame_.top() || frame.right != frame_.right() ||
        frame.bottom != frame_.bottom()) {
      frame_ = QMargins(frame.left, frame.top, frame.right, frame.bottom);
      learned_();  // a window manager came or went, perhaps
      report_({Event::Kind::kFramed});
    }
  }
  if (type == QEvent::WindowActivate || (type == QEvent::Expose && windowHandle()->isExposed())) {
    remapped_ = false;
  }
  if (titleBar_ && (type == QEvent::WindowActivate || type == QEvent::WindowDeactivate)) {
    titleBar_->update();
  }
  if (type == QEvent::TouchBegin) learned_();
  // A press anywhere on the window, on a control or a disabled window too.
  if (type == QEvent::MouseButtonPress) report_({Event::Kind::kPressed});
  // The window's own keys, where it has the keyboard itself; a control's come by eventFilter.
  if (event->type() == QEvent::KeyPress && (!focusWidget() || focusWidget() == this) &&
      KeyPressed(*static_cast<QKeyEvent*>(event))) {
    return true;
  }
  const bool activated = event->type() == QEvent::WindowActivate;
  const bool handled = QWidget::event(event);
  if (activated) report_({Event::Kind::kActivated});  // after Qt has given the focus back
  if (type == QEvent::WindowDeactivate) report_({Event::Kind::kDeactivated});
  return handled;
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) return KeyPressed(*static_cast<QKeyEvent*>(event));
  auto* edit = qobject_cast<QLineEdit*>(watched);
  const auto view = edit ? views_.find(edit) : views_.end();
  if (event->type() != QEvent::Paint || view == views_.end() ||
      !(view->second.markLeft || view->second.markRight)) {
    return false;
  }
  static_cast<QObject*>(edit)->event(event);
  PaintCutMarks(edit, view->second);
  return true;
}

void QtWindow::closeEvent(QCloseEvent* event) {
  event->setAccepted(report_({Event::Kind::kCloseAsked}));
}

// The design's lines; on Wayland, a border round the window, as it has no frame but its own.
void QtWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (const QRect& line : lines_) painter.fillRect(line, palette().windowText());
  if (titleBar_) {
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

}  // namespace ui::qt
