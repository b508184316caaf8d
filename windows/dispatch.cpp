#include "windows/dispatch.h"

#include <exception>

#include "sizing/sizing.h"

namespace windows {
namespace {

constexpr char16_t kErrorTitle[] = u"Prelvane";

void Report(Platform& platform, std::u16string_view text) {
  platform.ShowMessage(text, MessageIcon::kCritical, kErrorTitle);
}

}  // namespace

void Dispatch(Platform& platform, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const sizing::ConversionError&) {
    Report(platform, u"类型不匹配");
  } catch (const sizing::FloatingPointError&) {
    Report(platform, u"溢出");
  } catch (const std::exception&) {
    // A failed control access: the toolkit refused an operation on a window.
    Report(platform, u"无法访问控件");
  }
}

}  // namespace windows
