#include <array>

#include "ui/design.h"
#include "ui/design_checks.h"
#include "ui/forms.h"
#include "ui/song.h"

namespace ui {
namespace {

constexpr FontDesign kSongLarge = Song(24);
constexpr FontDesign kSongLargeBold = Song(24, true);
constexpr FontDesign kSongResultBold = Song(20.4, true);

using enum ControlKind;

// In creation order. Label4's box reaches under the left end of Text2; labels lie beneath the
// other controls, so the output box is drawn over it. The two options share the window, and so
// form one group; each box has its label and its unit, and a new result is announced.
// clang-format off
constexpr std::array kControls{
    //            name        kind           caption       left  top   width height tab
    ControlDesign{"Command2", kPushButton,  u"了解原理",  315,  1890, 945,  360,   9},
    ControlDesign{"Command1", kPushButton,  u"开始计算",  3300, 1830, 1110, 480,   8,
                  std::nullopt, {}, /*isDefaultButton=*/true},
    ControlDesign{"Option2",  kOptionButton, u"新算法",   255,  570,  945,  345,   7,
                  std::nullopt, {}, false, "算法"},
    ControlDesign{"Option1",  kOptionButton, u"旧算法",   255,  255,  945,  345,   6,
                  std::nullopt, {}, false, "算法"},
    ControlDesign{"Text2",    kTextBox,     u"Text2",     2355, 1110, 1425, 480,   3,
                  kSongResultBold, u"应输整数 (MB)", false, {}, {}, /*announced=*/true},
    ControlDesign{"Text1",    kTextBox,     u"Text1",     2700, 270,  930,  615,   0,
                  kSongLargeBold, u"分区 (GB)"},
    ControlDesign{"Label3",   kLabel,       u"MB",        3915, 1125, 585,  450,   5, kSongLarge,
                  {}, false, {}, "Text2"},
    ControlDesign{"Label4",   kLabel,       u"应输整数：", 255,  1095, 2970, 495,   4, kSongLarge,
                  {}, false, {}, "Text2"},
    ControlDesign{"Label2",   kLabel,       u"分区：",    1215, 300,  1455, 495,   2, kSongLarge,
                  {}, false, {}, "Text1"},
    ControlDesign{"Label1",   kLabel,       u"GB",        3915, 345,  495,  405,   1, kSongLarge,
                  {}, false, {}, "Text1"},
};
// clang-format on

constexpr WindowDesign kWindow{
    .name = "Form1",
    .title = u"Prelvane",
    .clientWidth = 4620,
    .clientHeight = 2472,
    .clientLeft = 7200,
    .clientTop = 4536,
    .defaultFont = kSongDefault,
    .controls = kControls,
};
UI_CHECK_DESIGN(kWindow);

}  // namespace

const WindowDesign& Form1Design() { return kWindow; }

}  // namespace ui
