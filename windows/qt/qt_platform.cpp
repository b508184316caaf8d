#include "windows/qt/qt_platform.h"

#include <QApplication>
#include <QGridLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "windows/qt/accessibility.h"
#include "windows/qt/text.h"

namespace windows::qt {
namespace {

// What a title bar holds beside the title: the icon and the window manager's buttons.
constexpr int kTitleBarRoom = 120;

}  // namespace

QtPlatform::QtPlatform() { InstallAccessibility(); }

std::unique_ptr<EngineWindow> QtPlatform::BuildWindow(const WindowDesign& design,
                                                      WindowEvents events) {
  return std::make_unique<QtWindow>(design, std::move(events));
}

// The window is still in its close event: Qt deletes it once the event is over.
void QtPlatform::Discard(std::unique_ptr<EngineWindow> window) {
  static_cast<QtWindow*>(window.release())->deleteLater();
}

void QtPlatform::ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  QWidget* parent = QApplication::activeWindow();
  if (!parent) parent = LoadedWindow(FormId::kForm1);
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical : QMessageBox::Warning,
                  ToQString(title), ToQString(text), QMessageBox::NoButton, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
  // Wide enough for a window manager to show the whole title beside its icon and buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
}

char16_t QtPlatform::DecimalSeparator() const { return QLocale().decimalPoint().at(0).unicode(); }

}  // namespace windows::qt
