#include "AdsUtilities.h"

#include <cmath>

#include "db/adscodes.h"
#include "Wildcard.h"

ads_real acutAngle(const ads_point p1, const ads_point p2) {
  constexpr double kTwoPi = 6.28318530717958647692;
  double a = std::atan2(p2[1] - p1[1], p2[0] - p1[0]);
  if (a < 0) a += kTwoPi;
  return a >= kTwoPi ? 0.0 : a;
}

ads_real acutDistance(const ads_point p1, const ads_point p2) {
  return std::sqrt((p2[0] - p1[0]) * (p2[0] - p1[0]) + (p2[1] - p1[1]) * (p2[1] - p1[1]) +
                   (p2[2] - p1[2]) * (p2[2] - p1[2]));
}

void acutPolar(const ads_point p, ads_real angle, ads_real distance, ads_point result) {
  double z = p[2];  // p and result may be the same array
  result[0] = p[0] + distance * std::cos(angle);
  result[1] = p[1] + distance * std::sin(angle);
  result[2] = z;
}

int acutWcMatch(const wchar_t* text, const wchar_t* pattern) {
  if (!text || !pattern) return RTERROR;
  return uv::matchWildcard(text, pattern, false) ? RTNORM : RTERROR;
}
