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
                                        .close = [this, form] { return Unload(form); }});
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

}  // namespace windows
