#pragma once

#include <QWidget>

class QToolButton;

namespace ui::qt {

// A window's title bar where no one else draws one the design allows: on Wayland, Qt's own has
// minimise and maximise buttons whatever the window asks, and a compositor's may have them too.
// The window's title and a close box; pressed elsewhere, it lets the compositor move the window.
// Lit while the window is active, as a window manager's.
class TitleBar final : public QWidget {
 public:
  TitleBar(QWidget* window, const QString& closeName, const QString& closeMark);
  int Height() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* close_;
};

}  // namespace ui::qt
