#pragma once

#include <span>
#include <string_view>

#include "ui/core.h"

// The program's two windows: each one's design and event handlers, bound by control name.
namespace ui {

using Handler = void (*)(Core& core);

struct ClickHandler {
  std::string_view control;
  Handler handler;
};

struct Form {
  const WindowDesign& (*design)();
  Handler load;
  Handler unload;  // none where the window has no unload handler
  std::span<const ClickHandler> clicks;
};

const Form& FormFor(FormId id);

// The main window: the size in GB, the size to enter in MB, the two algorithms and two buttons.
namespace form1 {
void Form_Load(Core& core);
void Command1_Click(Core& core);
void Option1_Click(Core& core);
void Option2_Click(Core& core);
void Command2_Click(Core& core);
}  // namespace form1

// The explanation window: both algorithms, with a worked example for 4 GB.
namespace form2 {
void Form_Load(Core& core);
void Form_Unload(Core& core);
}  // namespace form2

}  // namespace ui
