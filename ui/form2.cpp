#include <string_view>
#include <utility>

#include "ui/forms.h"

namespace ui::form2 {
namespace {

// In the order they are set. "＝" in Label1 and Label4 is the full-width equals sign.
constexpr std::pair<std::string_view, std::u16string_view> kLabelTexts[] = {
    {"Label1", u"1柱面大小=512byte*255*63＝8225280(B)"},
    {"Label2", u"(4GB为例)4GB=4*1024*1024*1024=4294967296(B)"},
    {"Label3", u"需要柱面数=4294967296/8225280=522.16669…≈523(MB)"},
    {"Label4", u"应分拜特数=523*8225280＝4301821440(B)"},
    {"Label5", u"应分MB数=4301821440/1024/1024=4102.53662…≈4103(MB)"},
    {"Label6", u"新算法："},
    {"Label7", u"Prelvane 开发组 制作"},
    {"Label8", u"旧算法："},
    {"Label9", u"MB=(GB-1)*2+GB*1024"},
};

}  // namespace

void Form_Load(Core& core) {
  Window& self = core.Load(kExplanationWindow);
  for (const auto& [label, text] : kLabelTexts) self.SetCaption(label, text);
}

// Closing is the only way back to the main window.
void Form_Unload(Core& core) { core.Load(kMainWindow).SetEnabled(true); }

}  // namespace ui::form2
