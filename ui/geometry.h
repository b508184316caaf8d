#pragma once

// Lengths on a screen and in a design. A design measures in twips (1440 to the inch, 15 to a pixel
// at 96 dpi); a window on a screen in its engine's units (engine.h: Units).
namespace ui {

struct Point {
  int x;
  int y;
};

struct Rect {
  int left;
  int top;
  int width;
  int height;

  constexpr bool Holds(Point at) const {
    return at.x >= left && at.x < left + width && at.y >= top && at.y < top + height;
  }
};

struct Margins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

constexpr int kTwipsPerInch = 1440;

// Twips to pixels at the given dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>((scaled + (scaled >= 0 ? kTwipsPerInch / 2 : -kTwipsPerInch / 2)) /
                          kTwipsPerInch);
}

// A length given in pixels at 96 dpi, at another dpi.
constexpr int AtDpi(int pixelsAt96, int dpi) { return pixelsAt96 * dpi / 96; }

}  // namespace ui
