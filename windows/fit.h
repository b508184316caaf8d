#pragma once

#include <functional>

// A text box shrinks its font for a text wider than the box, as calculator displays do, so that
// a long result is read whole rather than cut at either end.
namespace windows {

// The font size, in whole pixels, for a text box `room` pixels wide: the designed size where the
// text fits, else the largest smaller size at which it fits, but never below the floor (55% of
// the designed size, and at least 12 pixels at 96 dpi), where the box shows the start of the
// text. `widthAt` measures the text at a pixel size.
int FittingFontPixels(int designedPixels, int dpi, int room,
                      const std::function<int(int pixels)>& widthAt);

}  // namespace windows
