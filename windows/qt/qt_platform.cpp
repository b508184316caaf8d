#include "windows/qt/qt_platform.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "windows/qt/text.h"

namespace windows::qt {

std::unique_ptr<EngineWindow> QtPlatform::BuildWindow(const WindowDesign& design,
                                                      WindowEvents events) {
  return std::make_unique<QtWindow>(design, std::move(events));
}

// The window is still in its close event: Qt deletes it once the event is over.
void QtPlatform::Discard(std::unique_ptr<EngineWindow> window) {
  static_cast<QtWindow*>(window.release())->deleteLater();
}

void QtPlatform::ShowMessage(std::u16string_view text, MessageIcon icon,
                             std::u16string_view title) {
  QWidget* parent = QApplication::activeWindow();
  if (!parent) parent = LoadedWindow(FormId::kForm1);
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::Warning,
                  ToQString(title), ToQString(text), QMessageBox::NoButton, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
  box.exec();
}

char16_t QtPlatform::DecimalSeparator() const { return QLocale().decimalPoint().at(0).unicode(); }

}  // namespace windows::qt
