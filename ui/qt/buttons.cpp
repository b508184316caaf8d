#include "ui/qt/buttons.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

namespace ui::qt {
namespace {

// The classic focus frame, dotted in the text's colour, which no style leaves out.
void PaintFocus(QWidget* control, const QRect& around) {
  QPainter painter(control);
  QPen pen(control->palette().windowText().color(), 1, Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(around.adjusted(0, 0, -1, -1));
}

}  // namespace

void PushButton::SetMarked(bool marked) {
  if (marked_ == marked) return;
  marked_ = marked;
  update();
}

void PushButton::initStyleOption(QStyleOptionButton* option) const {
  QPushButton::initStyleOption(option);
  if (marked_) option->features |= QStyleOptionButton::DefaultButton;
}

void PushButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  if (hasFocus()) PaintFocus(this, rect().adjusted(4, 4, -4, -4));
}

OptionButton::OptionButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
  setAutoExclusive(false);
}

void OptionButton::paintEvent(QPaintEvent* event) {
  QRadioButton::paintEvent(event);
  if (!hasFocus()) return;
  QStyleOptionButton option;
  initStyleOption(&option);
  PaintFocus(this, style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, this));
}

}  // namespace ui::qt
