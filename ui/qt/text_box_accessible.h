#pragma once

#include <QAccessibleWidget>
#include <QLineEdit>

namespace ui::qt {

// A text box as a screen reader reads it: its text, its selection and the cursor, and editing
// as the user's own edits. Qt's own interface reports each character's attributes as an empty
// run of no length, after which a screen reader drops the last character ("410" for "4103");
// here one run covers the text.
class TextBoxAccessible final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
 public:
  explicit TextBoxAccessible(QLineEdit* edit);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QAccessible::State state() const override;
  QString text(QAccessible::Text kind) const override;

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

  void deleteText(int startOffset, int endOffset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int startOffset, int endOffset, const QString& text) override;

 private:
  QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }
};

}  // namespace ui::qt
