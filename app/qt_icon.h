#pragma once

#include <QIcon>

// The program's icon at the sizes a title bar, a task bar and a window switcher ask for, from
// the images built into the program. Both windows take it.
QIcon ApplicationIcon();
