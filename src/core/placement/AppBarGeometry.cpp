#include "core/placement/AppBarGeometry.h"

namespace core {

Point BarReferencePoint(Rect barBounds, Point cursor) {
  if (barBounds.Contains(cursor)) return cursor;
  return {barBounds.left, barBounds.top};
}

Rect ProposedBarRect(TEdge edge, Rect monitor, BarSize size, std::int32_t primaryScreenWidth) {
  Rect rc{.right = monitor.right, .bottom = monitor.bottom};
  switch (edge) {
    case TEdge::abeLeft: break;
    case TEdge::abeTop:
      rc.left = monitor.left;
      rc.top = monitor.top;
      break;
    case TEdge::abeRight: rc.left = primaryScreenWidth - size.width; break;
    case TEdge::abeBottom:
    case TEdge::abeFloat:
      rc.left = monitor.left;
      rc.top = rc.bottom - size.height;
      break;
  }
  return rc;
}

Rect AdjustedBarRect(TEdge edge, Rect answer, BarSize size, Rect floatRect) {
  switch (edge) {
    case TEdge::abeLeft: answer.right = answer.left + size.width; break;
    case TEdge::abeTop: answer.bottom = answer.top + size.height; break;
    case TEdge::abeRight: answer.left = answer.right - size.width; break;
    case TEdge::abeBottom: answer.top = answer.bottom - size.height; break;
    case TEdge::abeFloat: return floatRect;
  }
  return answer;
}

Rect ReleasedStrip(TEdge edge, Rect reserved) {
  switch (edge) {
    case TEdge::abeLeft: reserved.right = reserved.left; break;
    case TEdge::abeTop: reserved.bottom = reserved.top; break;
    case TEdge::abeRight: reserved.left = reserved.right; break;
    case TEdge::abeBottom: reserved.top = reserved.bottom; break;
    case TEdge::abeFloat: break;
  }
  return reserved;
}

}  // namespace core
