#include "windows/web/web_platform.h"

#include <string>

#include "windows/web/page.h"
#include "windows/web/web_window.h"

namespace windows::web {
namespace {

std::vector<std::unique_ptr<EngineWindow>>& Discarded() {
  static std::vector<std::unique_ptr<EngineWindow>> discarded;
  return discarded;
}

}  // namespace

void WebPlatform::ForgetDiscarded() { Discarded().clear(); }

char16_t WebPlatform::DecimalSeparator() const {
  return static_cast<char16_t>(web_decimal_separator());
}

void WebPlatform::ShowBox(std::u16string_view text, MessageIcon icon, std::u16string_view title) {
  web_show_box(std::u16string(text).c_str(), static_cast<int>(icon), std::u16string(title).c_str());
}

std::unique_ptr<EngineWindow> WebPlatform::BuildWindow(const WindowDesign& design,
                                                       WindowEvents events) {
  return std::make_unique<WebWindow>(design, std::move(events));
}

void WebPlatform::Discard(std::unique_ptr<EngineWindow> window) {
  static_cast<WebWindow*>(window.get())->RemoveFromPage();
  Discarded().push_back(std::move(window));
}

}  // namespace windows::web
