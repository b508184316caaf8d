#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

#include "tests/windows/qt/message_box_watcher.h"
#include "tests/windows/scenario.h"
#include "windows/qt/qt_platform.h"
#include "windows/qt/text.h"

using windows::FormId;
using windows::qt::QtPlatform;
using windows::qt::QtWindow;
using windows::qt::ToQString;

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void runsTheScenario();
  void tabOrderFollowsTheDesign();
  void enterClicksTheCalculateButton();
  void optionsClickByKeyboardAndScreenReader();
  void closingTheMainWindowUnloadsIt();
  void longNumbersShowWhole_data();
  void longNumbersShowWhole();
  void captionsFitTheirControls();

 private:
  QtWindow& Main() { return *platform_->LoadedWindow(FormId::kForm1); }
  QtWindow* Explanation() { return platform_->LoadedWindow(FormId::kForm2); }
  template <typename Widget>
  Widget* Get(QtWindow& window, std::string_view name) {
    auto* widget = qobject_cast<Widget*>(window.Control(name));
    if (!widget) qFatal("no control %s", name.data());
    return widget;
  }
  void Type(const QString& text) {
    auto* input = Get<QLineEdit>(Main(), "Text1");
    input->clear();
    QTest::keyClicks(input, text);
  }
  QString Output() { return Get<QLineEdit>(Main(), "Text2")->text(); }

  std::unique_ptr<MessageBoxWatcher> boxes_;
  std::unique_ptr<QtPlatform> platform_;
};

void WindowsTest::init() {
  boxes_ = std::make_unique<MessageBoxWatcher>();
  platform_ = std::make_unique<QtPlatform>();
  platform_->Start();
  QVERIFY(QTest::qWaitForWindowExposed(&Main()));
}

void WindowsTest::cleanup() {
  platform_.reset();
  boxes_.reset();
}

// The same rows as every engine; what is Qt's own here is how a box looks and where the focus goes.
void WindowsTest::runsTheScenario() {
  QCOMPARE(Main().size(), QSize(308, 165));
  QCOMPARE(Main().focusWidget(), Main().Control("Text1"));
  for (const scenario::Step& step : scenario::kSteps) {
    const QString where =
        QStringLiteral("%1 %2").arg(step.target.data()).arg(ToQString(step.typed));
    const std::size_t boxesBefore = boxes_->Boxes().size();
    switch (step.action) {
      case scenario::kType:
        Type(ToQString(step.typed));
        break;
      case scenario::kClick:
        QTest::mouseClick(Main().Control(step.target), Qt::LeftButton);
        break;
      case scenario::kClose:
        (step.target == "Form1" ? &Main() : Explanation())->close();
        break;
    }
    QVERIFY2(Output() == ToQString(step.output), qPrintable(where + " gave " + Output()));
    QVERIFY2((Explanation() != nullptr) == step.explanationOpen, qPrintable(where));
    QVERIFY2(Main().isVisible() && Main().isEnabled() == !step.explanationOpen, qPrintable(where));
    if (Explanation()) {
      QVERIFY(QTest::qWaitForWindowExposed(Explanation()));
      QCOMPARE(Explanation()->size(), QSize(356, 231));
      QVERIFY(!Explanation()->parentWidget());
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
    // Typing replaces what was refused.
    auto* input = Get<QLineEdit>(Main(), "Text1");
    QCOMPARE(Main().focusWidget(), input);
    QCOMPARE(input->selectedText(), input->text());
  }
}

void WindowsTest::tabOrderFollowsTheDesign() {
  QStringList order;
  QWidget* widget = Main().Control("Text1");
  for (int i = 0; i < 6; ++i) {
    order << widget->objectName();
    widget = widget->nextInFocusChain();
    while (widget->focusPolicy() == Qt::NoFocus) widget = widget->nextInFocusChain();
  }
  QCOMPARE(order, (QStringList{"Text1", "Text2", "Option1", "Option2", "Command1", "Command2"}));
}

void WindowsTest::enterClicksTheCalculateButton() {
  Type("4");
  QTest::keyClick(Main().Control("Text1"), Qt::Key_Return);
  QCOMPARE(Output(), QStringLiteral("4102"));
  QTest::mouseClick(Main().Control("Option2"), Qt::LeftButton);
  Type("1");
  QTest::keyClick(Main().Control("Option2"), Qt::Key_Enter, Qt::KeypadModifier);
  QCOMPARE(Output(), QStringLiteral("1028"));
}

// Space on the option already selected clicks it again; an arrow key selects and clicks the
// next one; a screen reader's action clicks as a mouse would.
void WindowsTest::optionsClickByKeyboardAndScreenReader() {
  auto* oldRule = Get<QRadioButton>(Main(), "Option1");
  auto* newRule = Get<QRadioButton>(Main(), "Option2");
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
  Type("1");
  option->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  QCOMPARE(Output(), QStringLiteral("1024"));
}

void WindowsTest::closingTheMainWindowUnloadsIt() {
  QVERIFY(Main().close());
  QVERIFY(!platform_->LoadedWindow(FormId::kForm1));
}

void WindowsTest::longNumbersShowWhole_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("asDesigned");  // the designed font
  QTest::addColumn<bool>("whole");       // else the floor's font shows its start
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
// floor the box shows its start. Whatever came before, a short text gets the designed font back.
void WindowsTest::longNumbersShowWhole() {
  QFETCH(QString, box);
  QFETCH(QString, text);
  QFETCH(bool, asDesigned);
  QFETCH(bool, whole);
  const std::string name = box.toStdString();
  auto* edit = Get<QLineEdit>(Main(), name);
  const int designed = edit->font().pixelSize();
  if (box == "Text1") {
    Type(text);
  } else {
    Main().SetText(name, text.toStdU16String());
  }
  const int pixels = edit->font().pixelSize();
  QCOMPARE(pixels == designed, asDesigned);
  QVERIFY(pixels >= designed * 11 / 20);
  // Whole: the first and the last character are both inside the box at once.
  const QRect inside = edit->contentsRect().adjusted(4, 0, -4, 0);
  const bool startShows = edit->cursorPositionAt(inside.topLeft() + QPoint(0, 10)) == 0;
  const bool endShows = edit->cursorPositionAt(inside.topRight() + QPoint(0, 10)) == text.size();
  QVERIFY2(startShows || box == "Text1", "the start of a result shows");
  QCOMPARE(startShows && endShows, whole);
  Main().SetText(name, u"8");
  QCOMPARE(edit->font().pixelSize(), designed);
}

// At the window's pixel size, every caption and label fits its control in the control's font.
void WindowsTest::captionsFitTheirControls() {
  QTest::mouseClick(Main().Control("Command2"), Qt::LeftButton);
  for (QtWindow* window : {&Main(), Explanation()}) {
    for (const auto& control : window->Design().controls) {
      QWidget* widget = window->Control(control.name);
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

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
