#include "module/display/GridWalk.h"

#include <climits>
#include <cmath>

namespace uv::display {

namespace {
int Truncated(double total) {
  if (!(total > 0)) return 0;
  return total >= double(INT_MAX) ? INT_MAX : int(total);
}
}  // namespace

int GridFrame::cellTotal() const { return Truncated((width() / dx) * (height() / dy)); }

int GridFrame::segmentTotal() const { return Truncated((width() / dx) * (height() / dy) * 2.0); }

double GridFrame::cellEstimate() const {
  if (!(dx > 0) || !(dy > 0)) return INFINITY;
  return (std::floor(width() / dx) + 1) * (std::floor(height() / dy) + 1);
}

}  // namespace uv::display
