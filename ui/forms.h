#pragma once

#include "ui/core.h"

// The program's two windows: each one's design and event handlers, bound by control name, and the
// texts of the failures a handler can end with.
namespace ui {

// The windows in the program's table, by what they are.
enum FormId : WindowId { kMainWindow, kExplanationWindow };

const Program& Calculator();

const WindowDesign& Form1Design();
const WindowDesign& Form2Design();

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
