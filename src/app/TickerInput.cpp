// The mouse and the keys on the bar: dragging it between floating and docked, and the keys
// that change its frame and speed.

#include "app/Ticker.h"
#include "core/placement/SpeedKeys.h"
#include "platform/Monitors.h"
#include "platform/Taskbar.h"

namespace {

core::SpeedKey SpeedKeyOf(UINT virtualKey) {
  switch (virtualKey) {
    case VK_UP: return core::SpeedKey::Faster;
    case VK_DOWN: return core::SpeedKey::Slower;
    case VK_RIGHT: return core::SpeedKey::LargerStep;
    case VK_LEFT: return core::SpeedKey::SmallerStep;
    default: return core::SpeedKey::Other;
  }
}

}  // namespace

void TForm1::FormKeyDown(UINT virtualKey) {
  TimerSaveSettings.SetEnabled(false);
  core::TickerSettings values = values_;
  if (virtualKey == 'F') values.Frame = !values.Frame;
  const core::Speed speed =
      core::SpeedAfterKey(SpeedKeyOf(virtualKey), {core::IntervalMs(values.Delay), values.Amount});
  values.Delay = static_cast<std::int32_t>(speed.delayMs);
  values.Amount = speed.amount;
  ApplyValues(values);
  TimerSaveSettings.SetEnabled(true);
}

void TForm1::FormMouseDown() {
  // Where the button went down: on a busy machine the cursor has moved on by now, and the bar
  // would trail the cursor by that much for the whole drag.
  const core::Rect bounds = BarBounds();
  placement_.DragStartCursor = platform::MessageCursorPosition();
  placement_.DragStartPos = {bounds.left, bounds.top};
}

void TForm1::OnButtonDown(UINT message) {
  // A fast pull leaves the bar before the next move arrives: keep the mouse until the button
  // is up.
  if (message == WM_LBUTTONDOWN) {
    ::SetCapture(Handle());
    LinkPress();
  }
  FormMouseDown();
}

void TForm1::OnLeftButtonUp() {
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  LinkRelease();
}

void TForm1::FormMouseMove(WPARAM keys) {
  RevealOnMouseOver();
  if (!(keys & MK_LBUTTON)) return;
  TimerSaveSettings.SetEnabled(false);
  const core::Rect taskbar = platform::TaskbarBounds(Handle());
  const std::optional<core::Point> cursor = platform::CursorPosition();
  // On a horizontal taskbar the bar stays put, and so does its place in the store until the
  // next step that moves it.
  if (!cursor || core::CursorOnTaskbar(taskbar, *cursor)) return;
  const std::vector<core::Rect> monitors = platform::MonitorBounds();
  const int monitor = core::FindMonitorAt(monitors, *cursor);
  if (monitor >= 0) DragStep(monitors, taskbar, *cursor, monitor);
  TimerSaveSettings.SetEnabled(true);
}

void TForm1::DragStep(core::MonitorList monitors, core::Rect taskbar, core::Point cursor,
                      int monitor) {
  if (IsFloating()) {
    MoveBarTo(core::DraggedPosition({placement_.DragStartCursor, placement_.DragStartPos}, cursor));
    const core::DockZone zone = core::DockZoneAt(monitors, taskbar, cursor, Dpi());
    if (zone == core::DockZone::None) return;
    DockAt(zone == core::DockZone::Top ? TEdge::abeTop : TEdge::abeBottom);
    placement_.DragStartCursor = cursor;
    ApplyFrameStyle();
  }
  const core::Rect bounds = BarBounds();
  const int barMonitor = core::FindMonitorAt(monitors, {bounds.left, bounds.top});
  if (core::ShouldUndock(AppBar1->Edge(), cursor, placement_.DragStartCursor, barMonitor, monitor,
                         Dpi())) {
    UndockToCursor(cursor);
  }
}

// The children pass their mouse on to the bar, which works from the cursor's screen position.
void TForm1::ControlMouseDown(const MarqueeMouse& mouse) {
  if (mouse.button == TMouseButton::mbLeft) LinkPress();
  FormMouseDown();
}

void TForm1::ControlMouseUp(const MarqueeMouse& mouse) {
  if (mouse.button == TMouseButton::mbLeft) LinkRelease();
}

void TForm1::ControlMouseMove(const MarqueeMouse& mouse) {
  FormMouseMove(mouse.keys);
}
