#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

#include "tests/ui/qt/message_box_watcher.h"
#include "tests/ui/scenario.h"
#include "ui/core.h"
#include "ui/qt/qt_engine.h"
#include "ui/qt/qt_window.h"
#include "ui/qt/text.h"

using ui::FormId;
using ui::qt::QtWindow;
using ui::qt::ToQString;

// How the Qt engine applies what the core decides: the scenario every engine runs, the keys it
// hands to the core, how a long number shows, and that every caption fits.
class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void runsTheScenario();
  void keysGoToTheCore();
  void optionsClickByKeyboardAndScreenReader();
  void longNumbersShowWholeCharacters_data();
  void longNumbersShowWholeCharacters();
  void captionsFitTheirControls();
  void qtsOwnTextsFollowTheLocale();

 private:
  QtWindow* Window(FormId form) {
    ui::Window* loaded = core_->Loaded(form);
    return loaded ? static_cast<QtWindow*>(&loaded->Shown()) : nullptr;
  }
  QtWindow& Main() { return *Window(FormId::kForm1); }
  template <typename Widget = QWidget>
  Widget* Get(std::string_view name, FormId form = FormId::kForm1) {
    auto* widget = Window(form)->findChild<Widget*>(QString::fromUtf8(name.data(), name.size()));
    if (!widget) qFatal("no control %s", name.data());
    return widget;
  }
  void Type(const QString& text) {
    auto* input = Get<QLineEdit>("Text1");
    input->clear();
    QTest::keyClicks(input, text);
  }
  QString Output() { return Get<QLineEdit>("Text2")->text(); }

  std::unique_ptr<MessageBoxWatcher> boxes_;
  std::unique_ptr<ui::qt::QtEngine> engine_;
  std::unique_ptr<ui::Core> core_;
};

void WindowsTest::init() {
  boxes_ = std::make_unique<MessageBoxWatcher>();
  engine_ = std::make_unique<ui::qt::QtEngine>();
  core_ = std::make_unique<ui::Core>(*engine_);
  core_->Start();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
}

void WindowsTest::cleanup() {
  core_.reset();
  engine_.reset();
  boxes_.reset();
}

void WindowsTest::runsTheScenario() {
  QCOMPARE(Main().focusWidget(), Get("Text1"));
  for (const scenario::Step& step : scenario::kSteps) {
    const QString where =
        QStringLiteral("%1 %2").arg(step.target.data()).arg(ToQString(step.typed));
    const std::size_t boxesBefore = boxes_->Boxes().size();
    switch (step.action) {
      case scenario::kType:
        Type(ToQString(step.typed));
        break;
      case scenario::kClick:
        QTest::mouseClick(Get(step.target), Qt::LeftButton);
        break;
      case scenario::kClose:
        Window(step.target == "Form1" ? FormId::kForm1 : FormId::kForm2)->close();
        break;
    }
    QVERIFY2(Output() == ToQString(step.output), qPrintable(where + " gave " + Output()));
    QVERIFY2((Window(FormId::kForm2) != nullptr) == step.explanationOpen, qPrintable(where));
    QVERIFY2(Main().isVisible() && Main().isEnabled() == !step.explanationOpen, qPrintable(where));
    if (QtWindow* explanation = Window(FormId::kForm2)) {
      QVERIFY(QTest::qWaitForWindowExposed(explanation));
      QVERIFY(!explanation->parentWidget());
    }
    if (step.box == scenario::kNone) {
      QVERIFY2(boxes_->Boxes().size() == boxesBefore, qPrintable(where));
      continue;
    }
    QVERIFY2(boxes_->Boxes().size() == boxesBefore + 1, qPrintable(where));
    const MessageBoxWatcher::Box& box = boxes_->Boxes().back();
    const scenario::ExpectedBox expected = scenario::Expected(step.box);
    QCOMPARE(box.title, ToQString(expected.title));
    QCOMPARE(box.text, ToQString(expected.text));
    QCOMPARE(box.icon, expected.critical ? QMessageBox::Critical : QMessageBox::Warning);
    QCOMPARE(box.buttons, QStringList{QStringLiteral("确定")});
    QCOMPARE(box.modality, Qt::ApplicationModal);
    QVERIFY(box.width >= box.fontMetrics.horizontalAdvance(box.title) + 100);
    QCOMPARE(box.symbolPixelRatio, Main().devicePixelRatioF());
    // Typing replaces what was refused.
    auto* input = Get<QLineEdit>("Text1");
    QCOMPARE(Main().focusWidget(), input);
    QCOMPARE(input->selectedText(), input->text());
  }
  QVERIFY(Main().close());
  QVERIFY(!core_->Loaded(FormId::kForm1));
}

// Tab, Enter and Escape reach the core from wherever the focus is, and the focus it decides
// follows: Tab to the output box, Enter in the input calculates, Escape closes the explanation
// and puts the focus back on 了解原理.
void WindowsTest::keysGoToTheCore() {
  QTest::keyClick(Get("Text1"), Qt::Key_Tab);
  QCOMPARE(Main().focusWidget(), Get("Text2"));
  QTest::keyClick(Get("Text2"), Qt::Key_Backtab, Qt::ShiftModifier);
  QCOMPARE(Main().focusWidget(), Get("Text1"));
  Type("4");
  QTest::keyClick(Get("Text1"), Qt::Key_Enter, Qt::KeypadModifier);
  QCOMPARE(Output(), QStringLiteral("4102"));
  QVERIFY(Get<QPushButton>("Command1")->isDefault());
  QTest::mouseClick(Get("Command2"), Qt::LeftButton);
  QtWindow* explanation = Window(FormId::kForm2);
  QVERIFY(QTest::qWaitForWindowExposed(explanation));
  QTest::keyClick(explanation, Qt::Key_Escape);
  QVERIFY(!Window(FormId::kForm2));
  QVERIFY(Main().isEnabled());
  QCOMPARE(Main().focusWidget(), Get("Command2"));
  QVERIFY(Get<QPushButton>("Command2")->isDefault());
}

// Space on the option already selected clicks it again; an arrow key selects and clicks the
// next one; a screen reader's action clicks as a mouse would.
void WindowsTest::optionsClickByKeyboardAndScreenReader() {
  auto* oldRule = Get<QRadioButton>("Option1");
  auto* newRule = Get<QRadioButton>("Option2");
  Type("1.5");
  oldRule->setFocus();
  QTest::keyClick(oldRule, Qt::Key_Space);
  QCOMPARE(Output(), QStringLiteral("1537"));
  QTest::keyClick(oldRule, Qt::Key_Down);
  QVERIFY(newRule->isChecked());
  QCOMPARE(Output(), QStringLiteral("1538"));
  Type("4");
  QAccessibleInterface* option = QAccessible::queryAccessibleInterface(oldRule);
  QCOMPARE(option->role(), QAccessible::RadioButton);
  option->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  QVERIFY(oldRule->isChecked());
  QCOMPARE(Output(), QStringLiteral("4102"));
}

void WindowsTest::longNumbersShowWholeCharacters_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("asDesigned");  // the designed font
  QTest::addColumn<bool>("whole");       // else the floor's font shows its first characters
  const auto row = [](const char* box, const char* text, bool asDesigned, bool whole) {
    QTest::newRow(text) << box << text << asDesigned << whole;
  };
  row("Text2", "4102", true, true);
  row("Text2", "10258972", false, true);
  row("Text2", "-1.026E+23", false, true);
  row("Text2", "1025998976", false, true);  // ten digits
  row("Text2", "1.79769313486232E+308", false, false);
  row("Text1", "4", true, true);
  row("Text1", "16065", false, true);
  row("Text1", "100000000000000000000", false, false);
}

// A result or a typed size wider than its box shrinks the font until it shows whole; below the
// floor the box shows as many whole characters as fit, from the first, and no part of the next.
void WindowsTest::longNumbersShowWholeCharacters() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  QFETCH(bool, asDesigned);
  QFETCH(bool, whole);
  const std::string name = box.toStdString();
  auto* edit = Get<QLineEdit>(name);
  const int designed = edit->font().pixelSize();
  if (box == "Text1") {
    Type(text);
    edit->setCursorPosition(0);
  } else {
    core_->Loaded(FormId::kForm1)->SetText(name, text.toStdU16String());
  }
  const int pixels = edit->font().pixelSize();
  QCOMPARE(pixels == designed, asDesigned);
  // Where Qt stops drawing, the characters before it are whole and the next one is not begun.
  const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  const int left = edit->contentsRect().left() + frame + 2;
  const int end = edit->contentsRect().right() + 1 - frame - edit->textMargins().right();
  const QFontMetrics metrics(edit->font());
  qsizetype shown = 0;
  while (shown < text.size() && left + metrics.horizontalAdvance(text.left(shown + 1)) <= end) {
    ++shown;
  }
  QCOMPARE(shown == text.size(), whole);
  QVERIFY(whole || end - (left + metrics.horizontalAdvance(text.left(shown))) <= 1);
  core_->Loaded(FormId::kForm1)->SetText(name, u"8");
  QCOMPARE(edit->font().pixelSize(), designed);
}

// At the window's pixel size, every caption and label fits its control in the control's font.
void WindowsTest::captionsFitTheirControls() {
  QTest::mouseClick(Get("Command2"), Qt::LeftButton);
  for (const FormId form : {FormId::kForm1, FormId::kForm2}) {
    for (const auto& control : core_->Loaded(form)->Design().controls) {
      if (control.kind == ui::ControlKind::kLine) continue;
      QWidget* widget = Get(control.name, form);
      auto* label = qobject_cast<QLabel*>(widget);
      auto* button = qobject_cast<QAbstractButton*>(widget);
      if (!label && !button) continue;
      const QFontMetrics metrics(widget->font());
      const QString text = label ? label->text() : button->text();
      QRect room = widget->contentsRect();
      if (button) {
        QStyleOptionButton option;
        option.initFrom(button);
        room = button->style()->subElementRect(qobject_cast<QRadioButton*>(button)
                                                   ? QStyle::SE_RadioButtonContents
                                                   : QStyle::SE_PushButtonContents,
                                               &option, button);
      }
      // Labels draw from the top; buttons centre their text.
      const QRect ink = metrics.tightBoundingRect(text);
      const int inkBottom = label ? metrics.ascent() + ink.bottom() : ink.height();
      QVERIFY2(metrics.horizontalAdvance(text) <= room.width() && inkBottom <= room.height(),
               qPrintable(text));
    }
  }
}

// Qt's own texts, such as a text box's menu, in Chinese under a Chinese locale.
void WindowsTest::qtsOwnTextsFollowTheLocale() {
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  const ui::qt::QtEngine chinese;
  const std::unique_ptr<QMenu> menu(Get<QLineEdit>("Text1")->createStandardContextMenu());
  QLocale::setDefault(QLocale::c());
  QStringList texts;
  for (const QAction* action : menu->actions()) texts << action->text();
  for (const QString& expected :
       {QStringLiteral("撤消"), QStringLiteral("剪切"), QStringLiteral("粘贴")}) {
    QVERIFY2(texts.join(' ').contains(expected), qPrintable(texts.join(' ')));
  }
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
