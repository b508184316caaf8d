#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <vector>

// Dismisses every message box that opens while it lives, recording what it showed, so that a
// test neither hangs on a box nor misses one.
class MessageBoxWatcher {
 public:
  struct Box {
    QString title, text;
    QMessageBox::Icon icon;  // as drawn: a red symbol is an error's, a yellow one a warning's
    QStringList buttons;
    Qt::WindowModality modality;
    int width;
    QFontMetrics fontMetrics;
    qreal symbolPixelRatio;  // of the pixels the symbol is drawn with
    const QWidget* parent;
  };

  MessageBoxWatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(5);
  }

  const std::vector<Box>& Boxes() const { return boxes_; }
  void Clear() { boxes_.clear(); }

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    QStringList buttons;
    for (QAbstractButton* button : box->buttons()) buttons << button->text();
    const auto* symbol = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
    const QImage drawn = symbol ? symbol->pixmap().toImage() : QImage();
    int red = 0, yellow = 0;
    for (int at = 0; at < drawn.width() * drawn.height(); ++at) {
      const QColor colour = drawn.pixelColor(at % drawn.width(), at / drawn.width());
      (colour.green() < 90 ? red : yellow) += colour.red() > 160 && colour.blue() < 90;
    }
    const auto icon = red + yellow == 0 ? QMessageBox::NoIcon
                      : red > yellow    ? QMessageBox::Critical
                                        : QMessageBox::Warning;
    boxes_.push_back({box->windowTitle(), box->text(), icon, buttons, box->windowModality(),
                      box->width(), box->fontMetrics(),
                      symbol ? symbol->pixmap().devicePixelRatio() : 0, box->parentWidget()});
    box->buttons().front()->click();
  }

  QTimer timer_;
  std::vector<Box> boxes_;
};
