#include "ui/qt/accessibility.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/qt/text_box_accessible.h"

namespace ui::qt {
namespace {

// Qt's own interface toggles an option, which selects it without a click and does nothing to
// the option already selected. This one clicks.
class OptionAccessible final : public QAccessibleWidget {
 public:
  explicit OptionAccessible(QRadioButton* option)
      : QAccessibleWidget(option, QAccessible::RadioButton) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return Option()->text();
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Option()->isChecked();
    return state;
  }

  QStringList actionNames() const override { return {toggleAction(), pressAction()}; }

  void doAction(const QString& action) override {
    if (action == toggleAction() || action == pressAction()) {
      Option()->click();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  QRadioButton* Option() const { return static_cast<QRadioButton*>(widget()); }
};

QAccessibleInterface* Interface(const QString& className, QObject* object) {
  if (className == QLatin1String("QRadioButton")) {
    return new OptionAccessible(static_cast<QRadioButton*>(object));
  }
  if (className == QLatin1String("QLineEdit")) {
    return new TextBoxAccessible(static_cast<QLineEdit*>(object));
  }
  // What a window announces: shown anew for each announcement, which a screen reader speaks.
  if (object->objectName() == QLatin1String("announcer")) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
  }
  // The windows are the program's only plain top-level widgets.
  if (className == QLatin1String("QWidget") && static_cast<QWidget*>(object)->isWindow()) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Interface);
    return true;
  }();
  (void)installed;
}

}  // namespace ui::qt
