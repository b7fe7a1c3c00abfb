// Files give angles in degrees; the database holds radians.
#pragma once

#include <numbers>

namespace uv::dxf {

inline constexpr double kDegree = std::numbers::pi / 180.0;

}  // namespace uv::dxf
