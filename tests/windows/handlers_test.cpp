#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/windows/scenario.h"
#include "windows/engine.h"

namespace {

using windows::ControlKind;
using windows::EngineWindow;
using windows::FormId;
using windows::MessageIcon;
using windows::WindowDesign;
using windows::WindowEvents;

// A window of plain data: what an engine would show, and what a user does to it.
class FakeWindow final : public EngineWindow {
 public:
  FakeWindow(const WindowDesign& design, WindowEvents events)
      : design_(design), events_(std::move(events)) {}

  void Show() override { ++shown; }
  bool IsEnabled() const override { return enabled_; }
  void FocusFirstStop() override { ++focusedFirst; }
  std::u16string Text(std::string_view box) const override {
    const auto found = texts_.find(Checked(box, ControlKind::kTextBox));
    return found == texts_.end() ? std::u16string(design_.Control(box).caption) : found->second;
  }
  void SetText(std::string_view box, std::u16string_view text) override {
    texts_[Checked(box, ControlKind::kTextBox)] = text;
  }
  bool Value(std::string_view option) const override {
    return selected_ == Checked(option, ControlKind::kOptionButton);
  }
  void SetValue(std::string_view option, bool selected) override {
    const std::string name = Checked(option, ControlKind::kOptionButton);
    if (selected) selected_ = name;
    if (!selected && selected_ == name) selected_.clear();
  }
  void SetCaption(std::string_view label, std::u16string_view caption) override {
    texts_[Checked(label, ControlKind::kLabel)] = caption;
  }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

  // The user's side: a click selects an option before the window reports it.
  void Type(std::string_view box, std::u16string_view text) { SetText(box, text); }
  void Click(std::string_view control) {
    if (design_.Control(control).kind == ControlKind::kOptionButton) selected_ = control;
    events_.click(control);
  }
  bool Close() { return events_.close(); }
  void Activate() { events_.activated(); }
  std::u16string Caption(std::string_view label) const { return texts_.at(std::string(label)); }

  int shown = 0;
  int focusedFirst = 0;
  bool failing = false;  // every access to a control fails, as a toolkit might refuse one

 private:
  std::string Checked(std::string_view name, ControlKind kind) const {
    if (failing || design_.Control(name).kind != kind) throw std::runtime_error("refused");
    return std::string(name);
  }

  const WindowDesign& design_;
  WindowEvents events_;
  std::map<std::string, std::u16string> texts_;
  std::string selected_;
  bool enabled_ = true;
};

struct Box {
  std::u16string title;
  std::u16string text;
  MessageIcon icon;
};

// An engine that records what it is asked to show instead of showing it.
class FakeEngine final : public windows::Engine {
 public:
  FakeWindow* Loaded(FormId form) const { return static_cast<FakeWindow*>(LoadedWindow(form)); }
  void InitCommonControls() override { ++commonControlsInitialised; }
  char16_t DecimalSeparator() const override { return u'.'; }

  std::vector<Box> boxes;
  int commonControlsInitialised = 0;

 protected:
  void ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) override {
    boxes.push_back({std::u16string(title), std::u16string(text), icon});
  }
  std::unique_ptr<EngineWindow> BuildWindow(const WindowDesign& design,
                                            WindowEvents events) override {
    return std::make_unique<FakeWindow>(design, std::move(events));
  }
  void Discard(std::unique_ptr<EngineWindow> window) override { window.reset(); }
};

class Handlers : public testing::Test {
 protected:
  void SetUp() override { engine.Start(); }
  FakeWindow& Main() { return *engine.Loaded(FormId::kForm1); }

  FakeEngine engine;
};

TEST_F(Handlers, StartWithEmptyBoxesAndTheOldRule) {
  EXPECT_EQ(Main().Text("Text1"), u"");
  EXPECT_EQ(Main().Text("Text2"), u"");
  EXPECT_TRUE(Main().Value("Option1"));
  EXPECT_FALSE(Main().Value("Option2"));
  EXPECT_EQ(Main().shown, 1);
  EXPECT_EQ(engine.commonControlsInitialised, 1);
  EXPECT_EQ(engine.Loaded(FormId::kForm2), nullptr);
  EXPECT_TRUE(engine.boxes.empty());
}

TEST_F(Handlers, RunTheScenario) {
  for (const scenario::Step& step : scenario::kSteps) {
    SCOPED_TRACE(std::string(step.target) + " " +
                 std::string(step.typed.begin(), step.typed.end()));
    const std::size_t boxesBefore = engine.boxes.size();
    const int focusedBefore = Main().focusedFirst;
    switch (step.action) {
      case scenario::kType:
        Main().Type(step.target, step.typed);
        break;
      case scenario::kClick:
        Main().Click(step.target);
        break;
      case scenario::kClose:
        engine.Loaded(step.target == "Form1" ? FormId::kForm1 : FormId::kForm2)->Close();
        break;
    }
    EXPECT_EQ(Main().Text("Text2"), step.output);
    EXPECT_EQ(engine.Loaded(FormId::kForm2) != nullptr, step.explanationOpen);
    EXPECT_EQ(Main().IsEnabled(), !step.explanationOpen);
    if (step.box == scenario::kNone) {
      EXPECT_EQ(engine.boxes.size(), boxesBefore);
      continue;
    }
    ASSERT_EQ(engine.boxes.size(), boxesBefore + 1);
    const scenario::ExpectedBox expected = scenario::Expected(step.box);
    EXPECT_EQ(engine.boxes.back().title, expected.title);
    EXPECT_EQ(engine.boxes.back().text, expected.text);
    EXPECT_EQ(engine.boxes.back().icon,
              expected.critical ? MessageIcon::kCritical : MessageIcon::kExclamation);
    EXPECT_EQ(Main().focusedFirst, focusedBefore + 1);  // back in the input, ready for typing
  }
}

// The worked example, from its own arithmetic: 4 GB in bytes, the cylinders it needs rounded up,
// their bytes, and their megabytes rounded up.
TEST_F(Handlers, TheExplanationShowsTheWorkedExample) {
  constexpr long long kBytes = 4LL * 1024 * 1024 * 1024, kCylinder = 512 * 255 * 63;
  constexpr long long kCylinders = kBytes / kCylinder + 1, kWholeBytes = kCylinders * kCylinder;
  const std::string numbers[] = {std::to_string(kCylinder), std::to_string(kBytes),
                                 std::to_string(kCylinders), std::to_string(kWholeBytes),
                                 std::to_string(kWholeBytes / (1 << 20) + 1)};
  Main().Click("Command2");
  FakeWindow& explanation = *engine.Loaded(FormId::kForm2);
  std::u16string shown;
  for (int label = 1; label <= 9; ++label) {
    shown += explanation.Caption("Label" + std::to_string(label)) + u"\n";
  }
  for (const std::string& number : numbers) {
    EXPECT_NE(shown.find(std::u16string(number.begin(), number.end())), std::u16string::npos)
        << number;
  }
  EXPECT_NE(shown.find(u"MB=(GB-1)*2+GB*1024"), std::u16string::npos);
}

TEST_F(Handlers, BringingTheDisabledMainWindowForwardShowsTheExplanation) {
  Main().Click("Command2");
  FakeWindow& explanation = *engine.Loaded(FormId::kForm2);
  const int shown = explanation.shown;
  Main().Activate();
  EXPECT_EQ(explanation.shown, shown + 1);
  explanation.Activate();  // enabled: nothing to do
  EXPECT_EQ(explanation.shown, shown + 1);
}

TEST_F(Handlers, AFailedControlAccessIsReportedAndEndsTheHandler) {
  Main().Type("Text1", u"4");
  Main().failing = true;
  Main().Click("Command1");
  ASSERT_EQ(engine.boxes.size(), 1u);
  EXPECT_EQ(engine.boxes.front().text, u"无法访问控件");
  EXPECT_EQ(engine.boxes.front().icon, MessageIcon::kCritical);
  Main().failing = false;
  EXPECT_EQ(Main().Text("Text2"), u"");
}

}  // namespace
