#pragma once

#include <QPushButton>
#include <QRadioButton>

namespace ui::qt {

// A push button that shows the default mark where the core says, as Qt draws a default button,
// without being Qt's default button, which would click itself on Enter; and its focus plainly,
// as a dotted frame inside it.
class PushButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;
  void SetMarked(bool marked);
  bool Marked() const { return marked_; }

 protected:
  void initStyleOption(QStyleOptionButton* option) const override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool marked_ = false;
};

// An option whose selection is the core's to decide: a click reports, and selects nothing by
// itself; its focus shown as a dotted frame round its caption.
class OptionButton final : public QRadioButton {
 public:
  explicit OptionButton(const QString& caption, QWidget* parent);

 protected:
  void nextCheckState() override {}
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui::qt
