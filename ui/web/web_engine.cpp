#include "ui/web/web_engine.h"

#include <emscripten.h>

#include <cstring>
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
    {"activated", Event::Kind::kActivated},
    {"close", Event::Kind::kCloseAsked},
    {"framed", Event::Kind::kFramed},
    {"dragged", Event::Kind::kDragged},
};
constexpr std::pair<const char*, Key> kKeys[] = {
    {"Tab", Key::kTab},   {"Enter", Key::kEnter}, {"Escape", Key::kEscape}, {"Space", Key::kSpace},
    {"Up", Key::kUp},     {"Down", Key::kDown},   {"Left", Key::kLeft},     {"Right", Key::kRight},
    {"F4", Key::kF4}};

template <typename Value, std::size_t size>
Value Named(const std::pair<const char*, Value> (&names)[size], const char* name) {
  for (const auto& [known, value] : names) {
    if (std::strcmp(known, name) == 0) return value;
  }
  throw std::invalid_argument(std::string("the page said ") + name);
}

}  // namespace

WebEngine::WebEngine() { thePages = this; }

WebEngine::~WebEngine() { thePages = nullptr; }

WebEngine& WebEngine::OfThePage() { return *thePages; }

unsigned WebEngine::Capabilities() const { return web_capabilities(); }

void WebEngine::UseTexts(const ProgramTexts& texts) {
  const auto terminated = [](std::u16string_view text) { return std::u16string(text); };
  web_use_texts(terminated(texts.boxButton).c_str(), terminated(texts.closeBox).c_str(),
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

bool WebEngine::Tell(int window, const Event& event) {
  const auto found = windows_.find(window);
  return found != windows_.end() && found->second->Tell(event);
}

void WebEngine::Quit() { web_quit(); }

// The page's box is modal to the whole page, whichever window owns it.
void WebEngine::ShowBox(const EngineWindow*, std::u16string_view text, MessageIcon icon,
                        std::u16string_view title) {
  web_show_box(std::u16string(text).c_str(), icon == MessageIcon::kError,
               std::u16string(title).c_str());
}

char16_t WebEngine::DecimalSeparator() const {
  return static_cast<char16_t>(web_decimal_separator());
}

}  // namespace ui::web

// The page's one way into the program: each event of a window, as page.js names it.
extern "C" EMSCRIPTEN_KEEPALIVE int quorvel_report(int window, const char* kind,
                                                   const char* control, const char* key,
                                                   unsigned modifiers, int x, int y) {
  using ui::web::WebEngine;
  const ui::Event::Kind named = ui::web::Named(ui::web::kKinds, kind);
  return WebEngine::OfThePage().Tell(
      window,
      {named, control,
       named == ui::Event::Kind::kKey ? ui::web::Named(ui::web::kKeys, key) : ui::Key::kTab,
       modifiers, {x, y}});
}
