// A small picture read from XPM text (the XPM 3 form, as C source with one
// string per line): the format of the product's icons, readable by eye, by
// a diff and by Qt.
//
// Read here: the values line "width height colours chars-per-pixel", colour
// lines with a "c" key whose value is #RGB, #RRGGBB or None (transparent),
// and the pixel rows. Anything else is refused with "file:line: what".
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace uv::giscore {

class XpmError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class XpmImage {
 public:
  // Throws XpmError naming the file and line of the first fault.
  static XpmImage parse(std::istream& in, const std::string& fileName);

  int width() const { return m_width; }
  int height() const { return m_height; }
  // 0xAARRGGBB; alpha is 0 for transparent pixels, 0xFF otherwise.
  std::uint32_t pixel(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)]; }
  const std::vector<std::uint32_t>& pixels() const { return m_pixels; }

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint32_t> m_pixels;
};

}  // namespace uv::giscore
