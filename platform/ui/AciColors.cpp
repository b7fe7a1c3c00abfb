#include "ui/AciColors.h"

#include <cmath>

namespace uv {

namespace {

// Hue in degrees, saturation and value in 0..1, to RGB.
COLORREF hsv(double hue, double saturation, double value) {
  const double c = value * saturation;
  const double h = std::fmod(hue, 360.0) / 60.0;
  const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
  double r = 0, g = 0, b = 0;
  if (h < 1) r = c, g = x;
  else if (h < 2) r = x, g = c;
  else if (h < 3) g = c, b = x;
  else if (h < 4) g = x, b = c;
  else if (h < 5) r = x, b = c;
  else r = c, b = x;
  const double m = value - c;
  auto byte = [](double v) { return BYTE(std::lround(v * 255.0)); };
  return RGB(byte(r + m), byte(g + m), byte(b + m));
}

}  // namespace

COLORREF aciToRgb(int index) {
  switch (index) {
    case 1: return RGB(255, 0, 0);
    case 2: return RGB(255, 255, 0);
    case 3: return RGB(0, 255, 0);
    case 4: return RGB(0, 255, 255);
    case 5: return RGB(0, 0, 255);
    case 6: return RGB(255, 0, 255);
    case 7: return RGB(255, 255, 255);
    case 8: return RGB(128, 128, 128);
    case 9: return RGB(192, 192, 192);
    default: break;
  }
  if (index >= 10 && index <= 249) {
    // 24 hues 15 degrees apart, each in five shades, full and half saturated.
    static const double kValues[] = {1.0, 0.65, 0.5, 0.3, 0.15};
    const int hue = (index - 10) / 10;
    const int shade = (index - 10) % 10;
    return hsv(hue * 15.0, shade % 2 ? 0.5 : 1.0, kValues[shade / 2]);
  }
  if (index >= 250 && index <= 255) {
    static const BYTE kGreys[] = {51, 91, 132, 173, 214, 255};
    const BYTE g = kGreys[index - 250];
    return RGB(g, g, g);
  }
  return RGB(0, 0, 0);
}

CString aciName(int index) {
  static const wchar_t* kNames[] = {L"Red", L"Yellow", L"Green", L"Cyan", L"Blue", L"Magenta", L"White"};
  if (index == 0) return L"ByBlock";
  if (index == 256) return L"ByLayer";
  if (index >= 1 && index <= 7) return kNames[index - 1];
  CString name;
  name.Format(L"Colour %d", index);
  return name;
}

}  // namespace uv
