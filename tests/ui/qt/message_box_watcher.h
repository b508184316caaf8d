#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <vector>

// Dismisses every message box that opens while it lives, recording what it showed, so that a
// test neither hangs on a box nor misses one.
class MessageBoxWatcher {
 public:
  struct Box {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QStringList buttons;
    Qt::WindowModality modality;
    int width;
    QFontMetrics fontMetrics;
  };

  MessageBoxWatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(5);
  }

  const std::vector<Box>& Boxes() const { return boxes_; }

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    QStringList buttons;
    for (QAbstractButton* button : box->buttons()) buttons << button->text();
    boxes_.push_back({box->windowTitle(), box->text(), box->icon(), buttons,
                      box->windowModality(), box->width(), box->fontMetrics()});
    box->buttons().front()->click();
  }

  QTimer timer_;
  std::vector<Box> boxes_;
};
