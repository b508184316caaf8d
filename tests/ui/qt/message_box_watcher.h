#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>
#include <utility>
#include <vector>

// Answers every box that opens while it lives, Qt's own message box or the core's box window,
// recording what it showed, so that a test neither hangs on a box nor misses one: by a press on
// its button, or with the key asked for.
class MessageBoxWatcher {
 public:
  struct Box {
    QString title, text;
    QMessageBox::Icon icon;  // as drawn: a red symbol is an error's, a yellow one a warning's
    QStringList buttons;
    Qt::WindowModality modality;
    QRect geometry;
    QFontMetrics fontMetrics;
    qreal symbolPixelRatio;  // of the pixels the symbol is drawn with
  };

  MessageBoxWatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start(5);
  }

  const std::vector<Box>& Boxes() const { return boxes_; }
  void Clear() { boxes_.clear(); }
  void AnswerWith(Qt::Key key, Qt::KeyboardModifiers modifiers) { answer_ = {key, modifiers}; }

 private:
  // The box showing: Qt's, which is modal, or the core's window named so.
  static QWidget* Showing() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) return box;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == QStringLiteral("Box") && window->isVisible()) return window;
    }
    return nullptr;
  }

  void Poll() {
    QWidget* box = Showing();
    if (!box || !box->isVisible() || box == answered_) return;
    auto* native = qobject_cast<QMessageBox*>(box);
    QStringList buttons;
    for (const QPushButton* button : box->findChildren<QPushButton*>()) buttons << button->text();
    const auto* symbol = box->findChild<QLabel*>(native ? QStringLiteral("qt_msgboxex_icon_label") : QStringLiteral("Symbol"));
    const auto* text = box->findChild<QLabel*>(native ? QStringLiteral("qt_msgbox_label") : QStringLiteral("Message"));
    const QImage drawn = symbol ? symbol->pixmap().toImage() : QImage();
    int red = 0, yellow = 0;
    for (int at = 0; at < drawn.width() * drawn.height(); ++at) {
      const QColor colour = drawn.pixelColor(at % drawn.width(), at / drawn.width());
      (colour.green() < 90 ? red : yellow) += colour.red() > 160 && colour.blue() < 90;
    }
    const auto icon = red + yellow == 0 ? QMessageBox::NoIcon
                      : red > yellow    ? QMessageBox::Critical
                                        : QMessageBox::Warning;
    boxes_.push_back({box->windowTitle(), text ? text->text() : QString(), icon, buttons,
                      box->windowModality(), box->frameGeometry(), box->fontMetrics(),
                      symbol ? symbol->pixmap().devicePixelRatio() : 0});
    answered_ = box;
    if (answer_) {
      QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, answer_->first, answer_->second);
    } else {
      QTest::mouseClick(box->findChild<QPushButton*>(), Qt::LeftButton);
    }
  }

  QTimer timer_;
  std::vector<Box> boxes_;
  std::optional<std::pair<Qt::Key, Qt::KeyboardModifiers>> answer_;
  QPointer<QWidget> answered_;  // the box last answered, until it has gone
};
