#include "windows/form.h"

#include "windows/form1.h"
#include "windows/form2.h"

namespace windows {

std::unique_ptr<Form> CreateForm(FormId form, Platform& platform) {
  switch (form) {
    case FormId::kForm1:
      return std::make_unique<Form1>(platform);
    case FormId::kForm2:
      return std::make_unique<Form2>(platform);
  }
  return nullptr;
}

}  // namespace windows
