#include "app/win32/window_icons.h"

#include "app/win32/resources.h"

namespace {

// The icon drawn at a smaller size, colour and mask apart.
HICON ScaledIcon(HICON icon, int size) {
  HDC screen = GetDC(nullptr);
  HDC context = CreateCompatibleDC(screen);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
  HGDIOBJ previous = SelectObject(context, colour);
  DrawIconEx(context, 0, 0, icon, size, size, 0, nullptr, DI_IMAGE);
  SelectObject(context, mask);
  DrawIconEx(context, 0, 0, icon, size, size, 0, nullptr, DI_MASK);
  SelectObject(context, previous);
  ICONINFO info{TRUE, 0, 0, mask, colour};
  HICON scaled = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  DeleteDC(context);
  ReleaseDC(nullptr, screen);
  return scaled;
}

}  // namespace

// The one image at its own size, and the title bar's small icon scaled from it: an icon loaded at
// another size than its own leaves the system to derive the small one, which comes out dark.
ui::win32::Icons LoadWindowIcons(HINSTANCE instance) {
  const auto large = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(QUORVEL_ICON), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
  return {large, ScaledIcon(large, GetSystemMetrics(SM_CXSMICON))};
}
