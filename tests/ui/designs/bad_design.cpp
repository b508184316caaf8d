// One small design wrong in one way, picked by WRONG, which the compiler must refuse; or (0) one
// that must build, its controls touching without overlapping, a line drawn upward.
#include <array>

#include "ui/design_checks.h"
#include "ui/song.h"

namespace {

using namespace ui;
using enum ControlKind;

constexpr std::array kControls{
#if WRONG == 0
    ControlDesign{"A", kTextBox, u"A", 0, 0, 60, 15, 0}, ControlDesign{"B", kLabel, u"B", 0, 15, 60, 15, 1},
    ControlDesign{"L", kLine, {}, 0, 90, 0, 60, std::nullopt},  // drawn upward
#elif WRONG == 1  // two controls of one name, after another
    ControlDesign{"A", kLabel, u"A", 0, 0, 60, 15, 0}, ControlDesign{"B", kLabel, u"B", 0, 30, 60, 15, 1},
    ControlDesign{"B", kLabel, u"C", 0, 60, 60, 15, 2},
#elif WRONG == 2  // past the client area's right edge
    ControlDesign{"A", kLabel, u"A", 50, 0, 60, 15, 0},
#elif WRONG == 3  // a line with a tab index
    ControlDesign{"A", kLine, {}, 0, 0, 60, 0, 0},
#elif WRONG == 4  // the default mark on a label, not on the push button
    ControlDesign{"A", kPushButton, u"A", 0, 0, 60, 15, 0},
    ControlDesign{"B", kLabel, u"B", 0, 30, 60, 15, 1, std::nullopt, {}, true},
#elif WRONG == 5  // an option in no group
    ControlDesign{"A", kOptionButton, u"A", 0, 0, 60, 15, 0},
#elif WRONG == 6  // a label for a control that is no text box, though the window has one
    ControlDesign{"A", kLabel, u"A", 0, 0, 60, 15, 0, {}, {}, false, {}, "B"},
    ControlDesign{"B", kLabel, u"B", 0, 30, 60, 15, 1}, ControlDesign{"C", kTextBox, u"C", 0, 60, 60, 15, 2},
#elif WRONG == 7  // a label met after the box it overlaps, both after another
    ControlDesign{"C", kLabel, u"C", 0, 0, 60, 15, 2}, ControlDesign{"A", kTextBox, u"A", 0, 30, 60, 15, 0},
    ControlDesign{"B", kLabel, u"B", 10, 20, 60, 15, 1},  // only its lower part over the box
#elif WRONG == 8  // a line drawn aslant
    ControlDesign{"L", kLine, {}, 0, 0, 60, 15, std::nullopt},
#endif
};

constexpr WindowDesign kWindow{"W", u"W", 100, 100, 0, 0, kSongDefault, kControls};
UI_CHECK_DESIGN(kWindow);

}  // namespace
