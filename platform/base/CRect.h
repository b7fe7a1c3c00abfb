// Points, sizes and rectangles in integer units (dialog units or pixels).
#pragma once

#include "WinTypes.h"

struct CPoint {
  LONG x = 0, y = 0;
  CPoint() = default;
  CPoint(LONG ax, LONG ay) : x(ax), y(ay) {}
  friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
};

struct CSize {
  LONG cx = 0, cy = 0;
  CSize() = default;
  CSize(LONG w, LONG h) : cx(w), cy(h) {}
  friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};

struct CRect {
  LONG left = 0, top = 0, right = 0, bottom = 0;
  CRect() = default;
  CRect(LONG l, LONG t, LONG r, LONG b) : left(l), top(t), right(r), bottom(b) {}
  LONG Width() const { return right - left; }
  LONG Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  bool IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
  bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  void OffsetRect(LONG dx, LONG dy) { left += dx; right += dx; top += dy; bottom += dy; }
  void DeflateRect(LONG dx, LONG dy) { left += dx; right -= dx; top += dy; bottom -= dy; }
  void InflateRect(LONG dx, LONG dy) { DeflateRect(-dx, -dy); }
  friend bool operator==(const CRect& a, const CRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  }
};
