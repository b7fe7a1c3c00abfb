#include "host/render/AciPalette.h"

#include <array>
#include <cmath>

namespace uv::render {

namespace {

struct Rgb {
  int r, g, b;
};

// Colours 10-249: hue = 15 degrees per group of ten; members 0/1 at full
// brightness, then 204, 153, 127, 76; odd members are the pastel form, whose
// weakest channel is half the brightness. Channels are truncated, as the
// published table is.
Rgb hueColour(int index) {
  static constexpr int kBrightness[5] = {255, 204, 153, 127, 76};
  const int group = (index - 10) / 10, member = (index - 10) % 10;
  const double v = kBrightness[member / 2];
  const double low = member % 2 ? std::floor(v / 2) : 0;
  const double hue = group * 15.0;
  const int sector = int(hue / 60.0);
  const double f = (hue - sector * 60.0) / 60.0;
  const double rising = low + (v - low) * f, falling = low + (v - low) * (1 - f);
  double r = 0, g = 0, b = 0;
  switch (sector) {
    case 0: r = v, g = rising, b = low; break;
    case 1: r = falling, g = v, b = low; break;
    case 2: r = low, g = v, b = rising; break;
    case 3: r = low, g = falling, b = v; break;
    case 4: r = rising, g = low, b = v; break;
    default: r = v, g = low, b = falling; break;
  }
  return {int(r), int(g), int(b)};
}

std::array<Rgb, 256> buildTable() {
  std::array<Rgb, 256> t{};
  const Rgb first[10] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
                         {0, 0, 255},   {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
  for (int i = 0; i < 10; ++i) t[size_t(i)] = first[i];
  for (int i = 10; i < 250; ++i) t[size_t(i)] = hueColour(i);
  const int greys[6] = {51, 91, 132, 173, 214, 255};
  for (int i = 0; i < 6; ++i) t[size_t(250 + i)] = {greys[i], greys[i], greys[i]};
  return t;
}

}  // namespace

QColor AciPalette::rgb(int index) {
  static const std::array<Rgb, 256> table = buildTable();
  if (index < 1 || index > 255) return QColor(0, 0, 0);
  const Rgb& c = table[size_t(index)];
  return QColor(c.r, c.g, c.b);
}

QColor AciPalette::onBackground(int index, const QColor& background) {
  if (index == 7) return background.lightness() >= 128 ? QColor(0, 0, 0) : QColor(255, 255, 255);
  return rgb(index);
}

}  // namespace uv::render
