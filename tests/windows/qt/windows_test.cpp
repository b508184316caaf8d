#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

#include "tests/windows/qt/message_box_watcher.h"
#include "windows/qt/qt_platform.h"

using windows::FormId;
using windows::qt::QtPlatform;
using windows::qt::QtWindow;

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startsEmptyWithTheOldRuleSelected();
  void tabOrderFollowsTheDesign();
  void calculates_data();
  void calculates();
  void enterClicksTheCalculateButton();
  void refusesSilentlyOnOptionClicks();
  void reportsErrorsAndStaysUsable_data();
  void reportsErrorsAndStaysUsable();
  void explanationWindowOpensClosesAndReopens();
  void mainWindowIgnoresCloseWhileExplanationIsOpen();
  void closingTheMainWindowUnloadsIt();
  void textsFitTheirControls();
  void screenReadersFindEveryControl();

 private:
  QtWindow& Main() { return *platform_->LoadedWindow(FormId::kForm1); }
  template <typename Widget>
  Widget* Get(QtWindow& window, const char* name) {
    auto* widget = qobject_cast<Widget*>(window.Control(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  void Type(const QString& text) {
    auto* input = Get<QLineEdit>(Main(), "Text1");
    input->clear();
    QTest::keyClicks(input, text);
  }
  void Click(QtWindow& window, const char* name) {
    QTest::mouseClick(window.Control(name), Qt::LeftButton);
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

void WindowsTest::startsEmptyWithTheOldRuleSelected() {
  QCOMPARE(Main().windowTitle(), QStringLiteral("Prelvane"));
  QCOMPARE(Main().size(), QSize(308, 165));
  QCOMPARE(Get<QLineEdit>(Main(), "Text1")->text(), QString());
  QCOMPARE(Output(), QString());
  QVERIFY(Get<QRadioButton>(Main(), "Option1")->isChecked());
  QVERIFY(!Get<QRadioButton>(Main(), "Option2")->isChecked());
  QCOMPARE(Main().focusWidget(), Main().Control("Text1"));
  QVERIFY(!platform_->LoadedWindow(FormId::kForm2));
  QCOMPARE(boxes_->Boxes().size(), 0u);
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
  QVERIFY(Get<QPushButton>(Main(), "Command1")->isDefault());
}

void WindowsTest::calculates_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("clicks");  // controls clicked in turn, comma-separated
  QTest::addColumn<QString>("output");
  QTest::newRow("old rule") << "4"
                            << "Command1"
                            << "4102";
  QTest::newRow("new rule") << "4"
                            << "Option2,Command1"
                            << "4103";
  QTest::newRow("option switches") << "4"
                                   << "Option2"
                                   << "4103";
  QTest::newRow("and back") << "4"
                            << "Option2,Option1"
                            << "4102";
  QTest::newRow("extra cylinder") << "16065"
                                  << "Option2"
                                  << "16450568";
  QTest::newRow("fraction") << "1.5"
                            << "Command1,Option2"
                            << "1538";
  QTest::newRow("negative written") << "-1e3"
                                    << "Command1"
                                    << "-1026002";
  QTest::newRow("negative new") << "-1e3"
                                << "Option2"
                                << "-1023994";
  QTest::newRow("zero") << "0"
                        << "Command1"
                        << "-2";
}

void WindowsTest::calculates() {
  QFETCH(QString, input);
  QFETCH(QString, clicks);
  QFETCH(QString, output);
  Type(input);
  for (const QString& name : clicks.split(',')) Click(Main(), name.toUtf8().constData());
  QCOMPARE(Output(), output);
  QCOMPARE(boxes_->Boxes().size(), 0u);
}

void WindowsTest::enterClicksTheCalculateButton() {
  Type("4");
  QTest::keyClick(Main().Control("Text1"), Qt::Key_Return);
  QCOMPARE(Output(), QStringLiteral("4102"));
  Click(Main(), "Option2");
  Type("1");
  QTest::keyClick(Main().Control("Option2"), Qt::Key_Enter, Qt::KeypadModifier);
  QCOMPARE(Output(), QStringLiteral("1028"));
}

void WindowsTest::refusesSilentlyOnOptionClicks() {
  for (const QString input : {"", "-5", "1.50"}) {
    Type(input);
    Click(Main(), "Option2");
    Click(Main(), "Option1");
    QCOMPARE(Output(), QString());
    QCOMPARE(boxes_->Boxes().size(), 0u);
  }
  Click(Main(), "Command1");
  QCOMPARE(boxes_->Boxes().size(), 1u);
  const MessageBoxWatcher::Box& box = boxes_->Boxes().front();
  QCOMPARE(box.title, QStringLiteral("数据有误"));
  QCOMPARE(box.text, QStringLiteral("请输入纯数字"));
  QCOMPARE(box.icon, QMessageBox::Warning);
  QCOMPARE(box.buttons, QStringList{QStringLiteral("确定")});
  QCOMPARE(box.modality, Qt::ApplicationModal);
  QCOMPARE(Output(), QString());
}

void WindowsTest::reportsErrorsAndStaysUsable_data() {
  QTest::addColumn<QString>("input");
  QTest::addColumn<QString>("message");
  QTest::newRow("not a number") << "a"
                                << "类型不匹配";
  QTest::newRow("check passes, reading fails") << "1e3x"
                                               << "类型不匹配";
  QTest::newRow("beyond the double range") << "1e400"
                                           << "溢出";
  QTest::newRow("megabytes overflow") << "1.8E+305"
                                      << "溢出";
}

void WindowsTest::reportsErrorsAndStaysUsable() {
  QFETCH(QString, input);
  QFETCH(QString, message);
  Type("4");
  Click(Main(), "Option2");
  Type(input);
  Click(Main(), "Option1");
  QCOMPARE(boxes_->Boxes().size(), 1u);
  const MessageBoxWatcher::Box& box = boxes_->Boxes().front();
  QCOMPARE(box.title, QStringLiteral("Prelvane"));
  QCOMPARE(box.text, message);
  QCOMPARE(box.icon, QMessageBox::Critical);
  QCOMPARE(box.buttons, QStringList{QStringLiteral("确定")});
  QCOMPARE(Output(), QStringLiteral("4103"));
  QVERIFY(Main().isEnabled());
  Type("1");
  Click(Main(), "Option2");
  QCOMPARE(Output(), QStringLiteral("1028"));
}

void WindowsTest::explanationWindowOpensClosesAndReopens() {
  const QStringList texts{
      "1柱面大小=512byte*255*63＝8225280(B)",
      "(4GB为例)4GB=4*1024*1024*1024=4294967296(B)",
      "需要柱面数=4294967296/8225280=522.16669…≈523(MB)",
      "应分拜特数=523*8225280＝4301821440(B)",
      "应分MB数=4301821440/1024/1024=4102.53662…≈4103(MB)",
      "新算法：",
      "Prelvane 开发组 制作",
      "旧算法：",
      "MB=(GB-1)*2+GB*1024",
  };
  Type("4");
  Click(Main(), "Option2");
  for (int opening = 0; opening < 2; ++opening) {
    Click(Main(), "Command2");
    QtWindow* explanation = platform_->LoadedWindow(FormId::kForm2);
    QVERIFY(explanation);
    QVERIFY(QTest::qWaitForWindowExposed(explanation));
    QCOMPARE(explanation->windowTitle(), QStringLiteral("原理"));
    QCOMPARE(explanation->size(), QSize(356, 231));
    QVERIFY(!explanation->parentWidget());
    for (int i = 0; i < texts.size(); ++i) {
      QCOMPARE(Get<QLabel>(*explanation, qPrintable(QStringLiteral("Label%1").arg(i + 1)))->text(),
               texts[i]);
    }
    QVERIFY(Main().isVisible());
    QVERIFY(!Main().isEnabled());

    QVERIFY(explanation->close());
    QVERIFY(!platform_->LoadedWindow(FormId::kForm2));
    QVERIFY(Main().isEnabled());
    QCOMPARE(Get<QLineEdit>(Main(), "Text1")->text(), QStringLiteral("4"));
    QCOMPARE(Output(), QStringLiteral("4103"));
    QVERIFY(Get<QRadioButton>(Main(), "Option2")->isChecked());
  }
  QCOMPARE(boxes_->Boxes().size(), 0u);
}

void WindowsTest::mainWindowIgnoresCloseWhileExplanationIsOpen() {
  Click(Main(), "Command2");
  QVERIFY(!Main().close());
  QVERIFY(Main().isVisible());
  QVERIFY(platform_->LoadedWindow(FormId::kForm2)->close());
  QVERIFY(Main().isEnabled());
}

void WindowsTest::closingTheMainWindowUnloadsIt() {
  QVERIFY(Main().close());
  QVERIFY(!platform_->LoadedWindow(FormId::kForm1));
}

// At the window's pixel size, every caption and label text fits its control in the font the
// control uses, and the text boxes are tall enough for a typed number.
void WindowsTest::textsFitTheirControls() {
  Click(Main(), "Command2");
  for (QtWindow* window : {&Main(), platform_->LoadedWindow(FormId::kForm2)}) {
    for (const auto& control : window->Design().controls) {
      QWidget* widget = window->Control(control.name);
      if (!widget) continue;
      const QFontMetrics metrics(widget->font());
      QString text;
      QRect room = widget->contentsRect();
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
      } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text();
        QStyleOptionButton option;
        option.initFrom(button);
        const auto element = qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                                 : QStyle::SE_PushButtonContents;
        room = button->style()->subElementRect(element, &option, button);
      } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        text = QStringLiteral("1234567890");
        room = edit->contentsRect();
        QVERIFY2(metrics.ascent() + metrics.descent() <= room.height(), control.name.data());
        continue;  // a long number scrolls sideways in a single-line box
      }
      // Labels draw from the top; buttons centre their text.
      const QRect ink = metrics.tightBoundingRect(text);
      const bool fromTop = qobject_cast<QLabel*>(widget);
      const int inkBottom = fromTop ? metrics.ascent() + ink.bottom() : ink.height();
      const QString detail = QStringLiteral("%1: %2x%3 in %4x%5")
                                 .arg(text)
                                 .arg(metrics.horizontalAdvance(text))
                                 .arg(inkBottom)
                                 .arg(room.width())
                                 .arg(room.height());
      QVERIFY2(metrics.horizontalAdvance(text) <= room.width(), qPrintable(detail));
      QVERIFY2(inkBottom <= room.height(), qPrintable(detail));
    }
  }
}

void WindowsTest::screenReadersFindEveryControl() {
  QCOMPARE(Main().Control("Text1")->accessibleName(), QStringLiteral("分区 (GB)"));
  QCOMPARE(Main().Control("Text2")->accessibleName(), QStringLiteral("应输整数 (MB)"));
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
