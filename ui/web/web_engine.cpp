#include "ui/web/web_engine.h"

#include <emscripten.h>

#include <algorithm>
#include <string_view>
#include <stdexcept>
#include <string>
#include <utility>

#include "ui/web/page.h"
#include "ui/web/web_window.h"

namespace ui::web {
namespace {

WebEngine* thePages = nullptr;

// Names, not numbers, across the page's boundary: page.js says them.
constexpr std::pair<const char*, Event::Kind> kKinds[] = {
    {"clicked", Event::Kind::kClicked},
    {"edited", Event::Kind::kEdited},
    {"caret", Event::Kind::kCaretMoved},
    {"key", Event::Kind::kKey},
    {"focus", Event::Kind::kFocusMoved},
    {"deactivated", Event::Kind::kDeactivated},
    {"pressed", Event::Kind::kPressed},
    {"close", Event::Kind::kCloseAsked},
    {"framed", Event::Kind::kFramed},
    {"dragged", Event::Kind::kDragged},
};
constexpr std::pair<const char*, Key> kKeys[] = {
    {"Tab", Key::kTab},   {"Enter", Key::kEnter}, {"Escape", Key::kEscape}, {"Space", Key::kSpace},
    {"Up", Key::kUp},     {"Down", Key::kDown},   {"Left", Key::kLeft},     {"Right", Key::kRight},
    {"F4", Key::kF4},     {"W", Key::kW}};
constexpr std::pair<const char*, unsigned> kModifiers[] = {
    {"Shift", kShift}, {"Ctrl", kCtrl}, {"Alt", kAlt}, {"Meta", kMeta}};
constexpr std::pair<const char*, Capability> kCapabilities[] = {
    {"ScalesWindows", kScalesWindows}, {"Touch", kTouch}};

template <typename Value, std::size_t size>
Value Named(const std::pair<const char*, Value> (&names)[size], std::string_view name) {
  for (const auto& [known, value] : names) {
    if (known == name) return value;
  }
  throw std::invalid_argument("the page said " + std::string(name));
}

// "Shift+Ctrl", as the page names the modifiers held.
unsigned ModifiersNamed(std::string_view names) {
  unsigned modifiers = 0;
  while (!names.empty()) {
    const std::size_t plus = std::min(names.find('+'), names.size());
    modifiers |= Named(kModifiers, names.substr(0, plus));
    names.remove_prefix(std::min(plus + 1, names.size()));
  }
  return modifiers;
}

}  // namespace

WebEngine::WebEngine() { thePages = this; }

WebEngine::~WebEngine() { thePages = nullptr; }

WebEngine& WebEngine::OfThePage() { return *thePages; }

unsigned WebEngine::Capabilities() const {
  unsigned capabilities = 0;
  for (const auto& [name, capability] : kCapabilities) {
    if (web_can(name)) capabilities |= capability;
  }
  return capabilities;
}

void WebEngine::UseTexts(const ProgramTexts& texts) {
  const auto terminated = [](std::u16string_view text) { return std::u16string(text); };
  web_use_texts(terminated(texts.closeBox).c_str(), terminated(texts.closeMark).c_str(),
                terminated(texts.ended).c_str(), terminated(texts.startAgain).c_str());
}

std::unique_ptr<EngineWindow> WebEngine::BuildWindow(const WindowDesign& design, Report report) {
  auto window = std::make_unique<WebWindow>(++lastNumber_, design, std::move(report));
  windows_[lastNumber_] = window.get();
  return window;
}

void WebEngine::Destroy(std::unique_ptr<EngineWindow> window) {
  windows_.erase(static_cast<WebWindow&>(*window).Number());
}

// An event that answers the box the program waits on wakes it, once the event is over.
bool WebEngine::Tell(int window, const Event& event) {
  const auto found = windows_.find(window);
  const bool used = found != windows_.end() && found->second->Tell(event);
  if (waiting_ && (*waiting_)()) {
    waiting_ = nullptr;
    web_wake();
  }
  return used;
}

void WebEngine::Quit() { web_quit(); }

void WebEngine::Stack(const std::vector<EngineWindow*>& backToFront) {
  std::vector<int> numbers;
  for (const EngineWindow* window : backToFront) numbers.push_back(static_cast<const WebWindow*>(window)->Number());
  web_stack(numbers.data(), static_cast<int>(numbers.size()));
}

void WebEngine::Wait(const std::function<bool()>& done) {
  if (done()) return;
  waiting_ = &done;
  web_wait();
}

char16_t WebEngine::DecimalSeparator() const {
  return static_cast<char16_t>(web_decimal_separator());
}

}  // namespace ui::web

// The page's one way into the program: each event of a window, as page.js names it.
extern "C" EMSCRIPTEN_KEEPALIVE int quorvel_report(int window, const char* kind,
                                                   const char* control, const char* key,
                                                   const char* modifiers, int x, int y) {
  using ui::web::WebEngine;
  const ui::Event::Kind named = ui::web::Named(ui::web::kKinds, kind);
  return WebEngine::OfThePage().Tell(
      window,
      {named, control,
       named == ui::Event::Kind::kKey ? ui::web::Named(ui::web::kKeys, key) : ui::Key::kTab,
       ui::web::ModifiersNamed(modifiers), {x, y}});
}
