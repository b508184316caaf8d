#include "windows/fit.h"

#include <algorithm>

namespace windows {

int FittingFontPixels(int designedPixels, int dpi, int room,
                      const std::function<int(int pixels)>& widthAt) {
  const int floor = std::min(designedPixels, std::max(designedPixels * 11 / 20, 12 * dpi / 96));
  int pixels = designedPixels;
  while (pixels > floor && widthAt(pixels) > room) --pixels;
  return pixels;
}

}  // namespace windows
