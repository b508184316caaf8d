#include <optional>
#include <string>

#include "sizing/sizing.h"
#include "ui/forms.h"

namespace ui::form1 {
namespace {

Window& Self(Core& core) { return core.Load(kMainWindow); }

// The input, checked and converted by the algorithm; a refused input is warned about only where
// the calculate button asked.
void ShowResult(Core& core, sizing::Algorithm algorithm, bool warnOfRefusal) {
  const std::optional<std::u16string> result =
      sizing::Calculate(Self(core).Text("Text1"), algorithm, core.DecimalSeparator());
  if (result) {
    Self(core).SetText("Text2", *result);
  } else if (warnOfRefusal) {
    core.ShowMessage(u"请输入纯数字", MessageIcon::kWarning, u"数据有误");
  }
}

}  // namespace

void Form_Load(Core& core) {
  Window& self = Self(core);
  self.SetText("Text1", u"");
  self.SetText("Text2", u"");
  // Should this raise Option1's click, the request finds the input empty and stays silent.
  self.SetValue("Option1", true);
}

void Command1_Click(Core& core) {
  const bool old = Self(core).Value("Option1");
  ShowResult(core, old ? sizing::Algorithm::kOld : sizing::Algorithm::kNew, true);
}

void Option1_Click(Core& core) { ShowResult(core, sizing::Algorithm::kOld, false); }

void Option2_Click(Core& core) { ShowResult(core, sizing::Algorithm::kNew, false); }

// The main window stays visible but takes no input until the explanation window unloads.
void Command2_Click(Core& core) {
  Self(core).SetEnabled(false);
  core.Show(kExplanationWindow);
}

}  // namespace ui::form1
