#include "ui/qt/title_bar.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>

namespace ui::qt {
namespace {

constexpr int kPadding = 4;  // round the title, in device-independent pixels

}  // namespace

TitleBar::TitleBar(QWidget* window, const QString& closeName, const QString& closeMark)
    : QWidget(window), close_(new QToolButton(this)) {
  setObjectName(QStringLiteral("titleBar"));
  setFont(QGuiApplication::font());  // the desktop's, as a window manager's title bar has it
  QFont mark = font();
  mark.setPointSizeF(mark.pointSizeF() * 1.5);
  close_->setFont(mark);
  close_->setText(closeMark);
  close_->setAccessibleName(closeName);
  close_->setToolTip(closeName);
  close_->setAutoRaise(true);
  close_->setFocusPolicy(Qt::NoFocus);  // the keyboard's is the core's close key, Alt+F4
  connect(close_, &QToolButton::clicked, window, &QWidget::close);
}

int TitleBar::Height() const { return fontMetrics().height() + 2 * kPadding; }

void TitleBar::resizeEvent(QResizeEvent*) {
  close_->setGeometry(width() - height(), 0, height(), height());
}

void TitleBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool active = window()->isActiveWindow();
  painter.fillRect(rect(), palette().brush(active ? QPalette::Highlight : QPalette::Mid));
  painter.setPen(palette().color(active ? QPalette::HighlightedText : QPalette::WindowText));
  const QRect room = rect().adjusted(2 * kPadding, 0, -height(), 0);
  painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width()));
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && window()->windowHandle()) {
    window()->windowHandle()->startSystemMove();
  }
  event->ignore();  // the window sees the press too
}

}  // namespace ui::qt
