#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>

#include <memory>

#include "tests/ui/qt/qt_probe.h"
#include "ui/qt/buttons.h"

using ui::FormId;

// What only Qt shows: its message boxes, captions that fit in Qt's fonts, and the focus drawn.
class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { probe_ = std::make_unique<QtProbe>(); }
  void cleanup() { probe_.reset(); }

  void boxesAndWindowsAreQtsOwn();
  void captionsFitTheirControls();
  void theFocusShows();
  void noStateButTheDesigns();

 private:
  std::unique_ptr<QtProbe> probe_;
};

// Where a window manager runs, a box is Qt's message box with one 确定, modal to the program, wide
// enough for its title, its symbol drawn at the screen's pixel ratio; the explanation is a window
// of its own.
void WindowsTest::boxesAndWindowsAreQtsOwn() {
  probe_->Engine().ShowBox(probe_->Window(FormId::kMainWindow), u"请输入纯数字", ui::MessageIcon::kWarning,
                           u"数据有误");
  QCOMPARE(probe_->Watcher().Boxes().size(), std::size_t{1});
  const MessageBoxWatcher::Box& box = probe_->Watcher().Boxes().back();
  QCOMPARE(box.buttons, QStringList{QStringLiteral("确定")});
  QCOMPARE(box.modality, Qt::ApplicationModal);
  QVERIFY(box.geometry.width() >= box.fontMetrics.horizontalAdvance(box.title) + 100);
  QCOMPARE(box.symbolPixelRatio, probe_->Window(FormId::kMainWindow)->devicePixelRatioF());
  probe_->Click("Command2");
  QVERIFY(!probe_->Window(FormId::kExplanationWindow)->parentWidget());
}

// At the window's pixel size, every caption and label fits its control in the control's font.
void WindowsTest::captionsFitTheirControls() {
  probe_->Click("Command2");
  for (const FormId form : {FormId::kMainWindow, FormId::kExplanationWindow}) {
    for (const auto& control : ui::Calculator().windows[form].design().controls) {
      if (control.kind == ui::ControlKind::kLine) continue;
      QWidget* widget = probe_->Get(control.name, form);
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

// Every button and option is drawn otherwise with the focus than without, the default mark aside.
void WindowsTest::theFocusShows() {
  for (const char* name : {"Option1", "Command1", "Command2"}) {
    QWidget* control = probe_->Get(name);
    auto* button = dynamic_cast<ui::qt::PushButton*>(control);
    if (button) button->SetMarked(true);
    probe_->Get("Text1")->setFocus();
    const QImage without = control->grab().toImage();
    control->setFocus();
    if (button) button->SetMarked(true);
    QVERIFY2(control->grab().toImage() != without, name);
  }
}

// Maximised or made full screen, as a compositor or Qt's own title bar asks through the window's
// state, a window stays at its size, and the program goes on; minimised so, it comes back. On
// Weston a maximised window of a fixed size ended the program.
void WindowsTest::noStateButTheDesigns() {
  probe_->Click("Command2");
  for (const FormId form : {FormId::kExplanationWindow, FormId::kMainWindow}) {
    QWidget* window = probe_->Window(form);
    const QSize size = window->size();
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen, Qt::WindowMinimized}) {
      window->windowHandle()->setWindowStates(state);
      QTRY_VERIFY(window->windowHandle()->windowStates() == Qt::WindowNoState && window->isVisible() &&
                  window->windowHandle()->isExposed());
      QCOMPARE(window->size(), size);
    }
  }
  QTest::keyClick(probe_->Window(FormId::kExplanationWindow), Qt::Key_Escape);
  QTRY_VERIFY(!probe_->Open(FormId::kExplanationWindow) && probe_->Enabled(FormId::kMainWindow));
}

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
