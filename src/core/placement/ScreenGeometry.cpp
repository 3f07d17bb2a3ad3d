#include "core/placement/ScreenGeometry.h"

namespace core {

int FindMonitorAt(MonitorList monitors, Point point) {
  for (size_t i = 0; i < monitors.size(); ++i) {
    if (monitors[i].Contains(point)) return static_cast<int>(i);
  }
  return -1;
}

int MonitorIndexAt(MonitorList monitors, Point point) {
  const int index = FindMonitorAt(monitors, point);
  return index < 0 ? 0 : index;
}

}  // namespace core
