#include "ui/qt/qt_engine.h"

#include <QApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDevice>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include "ui/qt/accessibility.h"
#include "ui/qt/box_symbol.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/text.h"
#include "ui/qt/x11.h"

namespace ui::qt {
namespace {

// What a title bar holds beside its title, which it centres: the icon and the window manager's
// buttons.
constexpr int kTitleBarRoom = 120;

}  // namespace

// Qt's own texts (a text box's menu, the boxes' buttons, accessibility actions) in the user's
// language, where Qt has a translation; the program's own are Chinese in every locale.
QtEngine::QtEngine() {
  InstallAccessibility();
  if (qtTexts_.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts_);
  }
}

QtEngine::~QtEngine() = default;

// Qt's message boxes where an X window manager frames them; on Wayland, where a box would have
// the title bar the windows' own replaces, the core's.
unsigned QtEngine::Capabilities() const {
  if (capabilities_) return *capabilities_;
  unsigned capabilities = 0;
  for (const QInputDevice* device : QInputDevice::devices()) {
    if (device->type() == QInputDevice::DeviceType::TouchScreen) capabilities |= kTouch;
  }
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    capabilities |= kWindowManager;
  } else if (x11::WindowManagerRuns()) {
    capabilities |= kWindowManager | kNativeBoxes;
  }
  capabilities_ = capabilities;
  return capabilities;
}

void QtEngine::Wait(const std::function<bool()>& done) {
  QEventLoop loop;
  while (!done()) loop.processEvents(QEventLoop::WaitForMoreEvents);
}

std::unique_ptr<EngineWindow> QtEngine::BuildWindow(const WindowDesign& design, Report report) {
  return std::make_unique<QtWindow>(design, std::move(report), texts_, [this] { capabilities_.reset(); });
}

// Gone from the screen at once; the window may still be in Qt's event that closed it: Qt deletes
// it once that is over.
void QtEngine::Destroy(std::unique_ptr<EngineWindow> window) {
  auto* closed = static_cast<QtWindow*>(window.release());
  closed->hide();
  closed->deleteLater();
}

void QtEngine::Quit() { QCoreApplication::quit(); }

void QtEngine::ShowBox(const EngineWindow* owner, std::u16string_view text, MessageIcon icon,
                       std::u16string_view title) {
  auto* parent = const_cast<QtWindow*>(static_cast<const QtWindow*>(owner));
  QMessageBox box(icon == MessageIcon::kError ? QMessageBox::Critical : QMessageBox::Warning,
                  ToQString(title), ToQString(text), QMessageBox::NoButton, parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(box.addButton(ToQString(texts_.boxButton), QMessageBox::AcceptRole));
  // A box can be neither minimised nor maximised.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // The symbol at the screen's pixel ratio (Qt's own is a 32-pixel bitmap, blocky when scaled),
  // at the size Qt gave its own.
  if (auto* symbol = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
    const qreal ratio = parent ? parent->devicePixelRatioF() : qApp->devicePixelRatio();
    const int size = symbol->pixmap().deviceIndependentSize().toSize().width();
    symbol->setPixmap(BoxSymbol(icon, size, ratio));
  }
  // Wide enough for a window manager to show the whole title beside its icon and buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
    grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
}

char16_t QtEngine::DecimalSeparator() const { return QLocale().decimalPoint().at(0).unicode(); }

}  // namespace ui::qt
