#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/design.h"
#include "ui/engine.h"
#include "ui/text_field.h"

namespace ui {

// A window that an engine with no toolkit of its own draws itself (the terminal): the state a
// toolkit keeps for a window (its controls' captions, options and text boxes, the focus, the
// default button, where the core laid it out and placed it), and what a toolkit does with what a
// user does to it (a text box's editing keys and typing, a press on a control), reported to the
// core as a toolkit's window reports. The engine measures and draws it, in its own units.
class DrawnWindow : public EngineWindow {
 public:
  DrawnWindow(const WindowDesign& design, Report report);
  DrawnWindow(const DrawnWindow&) = delete;
  DrawnWindow& operator=(const DrawnWindow&) = delete;

  bool Tell(const Event& event) { return report_(event); }
  // What the text box with the focus does with a key the core left it, or with a typed text.
  void Edit(LineKey key);
  void Type(std::u16string_view typed);
  // A press at a point of the client area, once the core let it go on: the control pressed takes
  // the focus, as with the toolkits, and a button or an option is clicked, a text box's caret put
  // there.
  void Press(Point at);

  const TextField& Field(std::string_view textBox) const { return Find(textBox).field; }
  Point Origin() const { return origin_; }  // the client area's top-left corner
  const std::u16string& Notice() const { return notice_; }

  std::u16string Text(std::string_view textBox) const override { return Find(textBox).field.text; }
  void SetText(std::string_view control, std::u16string_view text) override;
  bool Value(std::string_view option) const override { return Find(option).checked; }
  void SetValue(std::string_view option, bool selected) override { Find(option).checked = selected; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void Focus(std::string_view control) override;
  std::size_t Caret(std::string_view textBox) const override { return Find(textBox).field.caret; }
  void MoveCaret(std::string_view textBox, std::size_t to) override { Find(textBox).field.Move(to); }
  void TakeKeyboard(std::u16string_view) override { focus_ = {}; }
  void MarkDefault(std::string_view button) override { default_ = button; }
  void Lay(const WindowLayout& layout) override;
  int TextRoom(std::string_view textBox) const override { return Find(textBox).bounds.width; }
  int TextWidth(std::string_view, std::u16string_view text, int) const override { return Width(text); }
  void ShowText(std::string_view textBox, const TextView& view) override { Find(textBox).view = view; }
  void Place(const Placement& placement) override;

 protected:
  struct Control {
    const ControlDesign* design;
    Rect bounds{};  // in the client area
    std::u16string caption;
    bool checked = false;
    TextField field;
    TextView view{1};
  };
  virtual int Width(std::u16string_view text) const = 0;  // in the engine's units
  // The first character a text box shows, and how many after it, in the room its view leaves.
  std::pair<std::size_t, std::size_t> Shown(const Control& box) const;
  bool Focused(const Control& control) const { return enabled_ && focus_ == control.design->name; }

  const WindowDesign& design_;
  std::vector<Control> controls_;  // in reading order
  std::vector<Rect> lines_;
  int width_ = 0, height_ = 0;
  Point origin_{0, 0};
  std::u16string notice_;
  bool enabled_ = true;
  std::string_view focus_;
  std::string_view default_;

 private:
  Control& Find(std::string_view name);
  const Control& Find(std::string_view name) const;
  Control* FocusedTextBox();

  Report report_;
};

}  // namespace ui
