#include <array>

#include "ui/design.h"
#include "ui/design_checks.h"
#include "ui/forms.h"
#include "ui/song.h"

namespace ui {
namespace {

using enum ControlKind;

// In creation order. The labels' captions are only placeholders: every label gets its text when
// the window loads.
// clang-format off
constexpr std::array kControls{
    //            name      kind   caption     left top   width height tab
    ControlDesign{"Label9", kLabel, u"Label9", 270, 2250, 4770, 300, 8},
    ControlDesign{"Line3",  kLine,  {},        210, 2670, 5055, 2670, std::nullopt},
    ControlDesign{"Label8", kLabel, u"Label8", 270, 2010, 4710, 240, 7},
    ControlDesign{"Label7", kLabel, u"Label7", 510, 2850, 4215, 375, 6},
    ControlDesign{"Label1", kLabel, u"Label1", 240, 480,  5070, 255, 5},
    ControlDesign{"Label2", kLabel, u"Label2", 240, 720,  5055, 255, 4},
    ControlDesign{"Label3", kLabel, u"Label3", 270, 990,  5055, 240, 3},
    ControlDesign{"Label4", kLabel, u"Label4", 240, 1260, 5025, 210, 2},
    ControlDesign{"Label5", kLabel, u"Label5", 255, 1515, 5010, 285, 1},
    ControlDesign{"Line2",  kLine,  {},        210, 1800, 5100, 1800, std::nullopt},
    ControlDesign{"Label6", kLabel, u"Label6", 270, 150,  5025, 240, 0},
};
// clang-format on

constexpr WindowDesign kWindow{
    .name = "Form2",
    .title = u"原理",
    .clientWidth = 5340,
    .clientHeight = 3468,
    .clientLeft = 6828,
    .clientTop = 4920,
    .defaultFont = kSongDefault,
    .controls = kControls,
    .closesOnEscape = true,
};
UI_CHECK_DESIGN(kWindow);

}  // namespace

const WindowDesign& Form2Design() { return kWindow; }

}  // namespace ui
