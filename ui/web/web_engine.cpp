#include "ui/web/web_engine.h"

#include <string>

#include "ui/web/page.h"
#include "ui/web/web_window.h"

namespace ui::web {

std::unique_ptr<EngineWindow> WebEngine::BuildWindow(const WindowDesign& design,
                                                     WindowEvents events) {
  return std::make_unique<WebWindow>(design, std::move(events));
}

// Gone from the page at once; the object lives on until the event that closed it is over.
void WebEngine::Discard(std::unique_ptr<EngineWindow> window) {
  discarded_.push_back(std::move(window));
  WebWindow::RemoveFromPage(discarded_.back().get());
}

// The page's box is modal to the whole page, whichever window owns it.
void WebEngine::ShowBox(const EngineWindow*, std::u16string_view text, MessageIcon icon,
                        std::u16string_view title) {
  web_show_box(std::u16string(text).c_str(), static_cast<int>(icon), std::u16string(title).c_str());
}

char16_t WebEngine::DecimalSeparator() const {
  return static_cast<char16_t>(web_decimal_separator());
}

}  // namespace ui::web
