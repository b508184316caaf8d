#pragma once

namespace ui::qt {

// Both windows are exposed as windows, an option's actions click it, as the user's click would,
// a text box reads whole, and a window's announcements are notifications. Installed once,
// before the first window is made.
void InstallAccessibility();

}  // namespace ui::qt
