#pragma once
// Screen points and rectangles in pixels, and the monitor lookups that placement decides by.
// Monitors come in the system's order; index 0 is the first the system lists.

#include <cstdint>
#include <span>

namespace core {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Left and top inclusive, right and bottom exclusive, as the system's rectangles are.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool Contains(Point point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

using MonitorList = std::span<const Rect>;

// The first monitor whose bounds hold the point, or -1.
int FindMonitorAt(MonitorList monitors, Point point);
// The same, but monitor 0 when none holds it: the app bar always docks somewhere.
int MonitorIndexAt(MonitorList monitors, Point point);

}  // namespace core
