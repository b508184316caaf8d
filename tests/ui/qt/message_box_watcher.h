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
    QMessageBox::Icon icon;
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
    boxes_.push_back({box->windowTitle(), box->text(), box->icon(), buttons, box->windowModality(),
                      box->width(), box->fontMetrics(),
                      symbol ? symbol->pixmap().devicePixelRatio() : 0, box->parentWidget()});
    box->buttons().front()->click();
  }

  QTimer timer_;
  std::vector<Box> boxes_;
};
