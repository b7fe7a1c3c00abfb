// Scale factors along x, y and z (of a block reference). Kept with the
// database as its only user.
#pragma once

class AcGeScale3d {
 public:
  double sx = 1, sy = 1, sz = 1;
  AcGeScale3d() = default;
  explicit AcGeScale3d(double s) : sx(s), sy(s), sz(s) {}
  AcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}
  friend bool operator==(const AcGeScale3d& a, const AcGeScale3d& b) { return a.sx == b.sx && a.sy == b.sy && a.sz == b.sz; }
};
