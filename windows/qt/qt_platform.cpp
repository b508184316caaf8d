#include "windows/qt/qt_platform.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "windows/dispatch.h"
#include "windows/qt/text.h"

namespace windows::qt {
namespace {

std::size_t Index(FormId form) { return static_cast<std::size_t>(form); }

}  // namespace

QtPlatform::~QtPlatform() {
  for (Instance& instance : instances_) delete instance.window.data();
}

void QtPlatform::Start() { Show(FormId::kForm1); }

QtPlatform::Instance& QtPlatform::Instantiate(FormId form) {
  Instance& instance = instances_[Index(form)];
  if (!instance.handlers) {
    instance.handlers = CreateForm(form, *this);
    Dispatch(*this, [&] { instance.handlers->Form_Initialize(); });
  }
  return instance;
}

// Controls are loaded with their window, as a reference to a control of an unloaded window
// loads it.
QtWindow& QtPlatform::Load(FormId form) {
  Instance& instance = Instantiate(form);
  if (!instance.window) {
    Form& handlers = *instance.handlers;
    instance.window = new QtWindow(
        handlers.Design(),
        {.click = [this, &handlers](std::string_view control) {
           Dispatch(*this, [&] { handlers.Click(control); });
         },
         .close = [this, form] { return Unload(form); }});
    Dispatch(*this, [&] { handlers.Form_Load(); });
  }
  return *instance.window;
}

// A disabled window cannot be closed by the user; otherwise the unload handler runs and the
// window goes (Qt deletes it once the close is accepted).
bool QtPlatform::Unload(FormId form) {
  Instance& instance = instances_[Index(form)];
  if (!instance.window || !instance.window->isEnabled()) return false;
  Dispatch(*this, [&] { instance.handlers->Form_Unload(); });
  instance.window = nullptr;
  return true;
}

Window& QtPlatform::GetWindow(FormId form) { return Load(form); }

void QtPlatform::Show(FormId form) {
  QtWindow& window = Load(form);
  window.show();
  window.raise();
  window.activateWindow();
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

QtWindow* QtPlatform::LoadedWindow(FormId form) const { return instances_[Index(form)].window; }

}  // namespace windows::qt
