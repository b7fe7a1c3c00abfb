// Geometry helpers on ads points, and wildcard matching of texts.
#pragma once

#include "db/adsdef.h"

// Angle of the line from p1 to p2 in the XY plane, in radians from the X
// axis counter-clockwise, from 0 up to (not including) 2 pi.
ads_real acutAngle(const ads_point p1, const ads_point p2);
// 3D distance.
ads_real acutDistance(const ads_point p1, const ads_point p2);
// The point at distance and angle (in the XY plane) from p; z is kept.
void acutPolar(const ads_point p, ads_real angle, ads_real distance, ads_point result);
// RTNORM when the text matches the wildcard pattern (letter case counts), RTERROR otherwise.
int acutWcMatch(const wchar_t* text, const wchar_t* pattern);
