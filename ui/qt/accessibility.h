#pragma once

namespace ui::qt {

// Both windows are exposed as windows, and an option's actions click it, as the user's click
// would. Installed once, before the first window is made.
void InstallAccessibility();

}  // namespace ui::qt
