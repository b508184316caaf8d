#include "ui/qt/text_box_accessible.h"

#include <QFontMetrics>

namespace ui::qt {

TextBoxAccessible::TextBoxAccessible(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

void* TextBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (type == QAccessible::EditableTextInterface) {
    return static_cast<QAccessibleEditableTextInterface*>(this);
  }
  return QAccessibleWidget::interface_cast(type);
}

QAccessible::State TextBoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.editable = true;
  state.selectableText = true;
  return state;
}

QString TextBoxAccessible::text(QAccessible::Text kind) const {
  return kind == QAccessible::Value ? Edit()->text() : QAccessibleWidget::text(kind);
}

void TextBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !Edit()->hasSelectedText()) return;
  *startOffset = Edit()->selectionStart();
  *endOffset = *startOffset + static_cast<int>(Edit()->selectedText().size());
}

int TextBoxAccessible::selectionCount() const { return Edit()->hasSelectedText() ? 1 : 0; }

void TextBoxAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void TextBoxAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) Edit()->deselect();
}

void TextBoxAccessible::setSelection(int, int startOffset, int endOffset) {
  Edit()->setSelection(startOffset, endOffset - startOffset);
}

int TextBoxAccessible::cursorPosition() const { return Edit()->cursorPosition(); }

// A caret put anywhere ends the selection, also where the caret already stands, which Qt's own
// keeps selected.
void TextBoxAccessible::setCursorPosition(int position) {
  Edit()->deselect();
  Edit()->setCursorPosition(position);
}

QString TextBoxAccessible::text(int startOffset, int endOffset) const {
  return Edit()->text().mid(startOffset, endOffset - startOffset);
}

int TextBoxAccessible::characterCount() const { return static_cast<int>(Edit()->text().size()); }

QRect TextBoxAccessible::characterRect(int offset) const {
  const QFontMetrics metrics(Edit()->font());
  const QString text = Edit()->text();
  const int cursor = Edit()->cursorPosition();
  // The cursor's place is known; the other characters stand where their advances put them.
  const QRect cursorRect = Edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const int x = cursorRect.center().x() + metrics.horizontalAdvance(text.left(offset)) -
                metrics.horizontalAdvance(text.left(cursor));
  const QRect local(x, cursorRect.top(), metrics.horizontalAdvance(text.mid(offset, 1)),
                    cursorRect.height());
  return QRect(Edit()->mapToGlobal(local.topLeft()), local.size());
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const {
  return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
}

void TextBoxAccessible::scrollToSubstring(int startIndex, int) {
  Edit()->setCursorPosition(startIndex);
}

QString TextBoxAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

void TextBoxAccessible::deleteText(int startOffset, int endOffset) {
  replaceText(startOffset, endOffset, {});
}

void TextBoxAccessible::insertText(int offset, const QString& text) {
  replaceText(offset, offset, text);
}

// As the user's own edit: Qt reports it as edited, and the box fits its text.
void TextBoxAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
  Edit()->setSelection(startOffset, endOffset - startOffset);
  Edit()->insert(text);
}

}  // namespace ui::qt
