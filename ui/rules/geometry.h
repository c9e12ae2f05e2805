#ifndef QUARNEL_UI_RULES_GEOMETRY_H_
#define QUARNEL_UI_RULES_GEOMETRY_H_

namespace quarnel {

// A rectangle in a window's client pixels (96 dots per inch).
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int right() const { return left + width; }   // one past the last column
  constexpr int bottom() const { return top + height; }  // one past the last row
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < right() && y >= top && y < bottom();
  }
};

struct Size {
  int width = 0;
  int height = 0;
};

// A colour as red, green and blue.
struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

// The mouse pointer a window shows over its own surface and hot spots.
enum class Pointer {
  kDefault,  // the platform's arrow
  kLink,     // LinkPointer: the arrow mirrored left to right
};

}  // namespace quarnel

#endif  // QUARNEL_UI_RULES_GEOMETRY_H_
