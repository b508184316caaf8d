#pragma once

#include <windows.h>

#include <string_view>

namespace ui::win32 {

// Tells a screen reader that `source` has a new text, and asks it to say `text`: through UI
// Automation's notifications where the system has them (Windows 10 1709 on), and everywhere
// through the value change of the control.
void AnnounceToScreenReader(HWND source, std::u16string_view text);

}  // namespace ui::win32
