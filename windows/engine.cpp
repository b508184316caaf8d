#include "windows/engine.h"

#include "windows/dispatch.h"

namespace windows {
namespace {

std::size_t Index(FormId form) { return static_cast<std::size_t>(form); }

}  // namespace

EngineWindow* Engine::LoadedWindow(FormId form) const {
  return instances_[Index(form)].window.get();
}

EngineWindow& Engine::Load(FormId form) {
  Instance& instance = instances_[Index(form)];
  if (!instance.handlers) {
    instance.handlers = CreateForm(form, *this);
    Dispatch(*this, [&] { instance.handlers->Form_Initialize(); });
  }
  if (!instance.window) {
    Form& handlers = *instance.handlers;
    instance.window =
        BuildWindow(handlers.Design(), {.click =
                                            [this, &handlers](std::string_view control) {
                                              Dispatch(*this, [&] { handlers.Click(control); });
                                            },
                                        .close = [this, form] { return Unload(form); },
                                        .activated = [this, form] { Activated(form); }});
    Dispatch(*this, [&] { handlers.Form_Load(); });
  }
  return *instance.window;
}

bool Engine::Unload(FormId form) {
  Instance& instance = instances_[Index(form)];
  if (!instance.window || !instance.window->IsEnabled()) return false;
  Dispatch(*this, [&] { instance.handlers->Form_Unload(); });
  Discard(std::move(instance.window));
  return true;
}

void Engine::Activated(FormId form) {
  const EngineWindow* window = LoadedWindow(form);
  if (!window || window->IsEnabled()) return;
  for (const FormId other : {FormId::kForm1, FormId::kForm2}) {
    EngineWindow* front = LoadedWindow(other);
    if (other != form && front && front->IsEnabled()) front->Show();
  }
}

void Engine::ShowMessage(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  ShowBox(text, icon, title);
  EngineWindow* main = LoadedWindow(FormId::kForm1);
  if (main && main->IsEnabled()) main->FocusFirstStop();
}

}  // namespace windows
