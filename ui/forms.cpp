#include "ui/forms.h"

namespace ui {
namespace {

constexpr ClickHandler kForm1Clicks[] = {
    {"Command1", form1::Command1_Click},
    {"Option1", form1::Option1_Click},
    {"Option2", form1::Option2_Click},
    {"Command2", form1::Command2_Click},
};

constexpr Form kForms[] = {
    {Form1Design, form1::Form_Load, nullptr, kForm1Clicks},
    {Form2Design, form2::Form_Load, form2::Form_Unload, {}},
};

}  // namespace

const Form& FormFor(FormId id) { return kForms[static_cast<std::size_t>(id)]; }

}  // namespace ui
