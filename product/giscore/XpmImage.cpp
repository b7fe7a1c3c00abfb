#include "product/giscore/XpmImage.h"

#include <map>
#include <sstream>

namespace uv::giscore {

namespace {

struct Literal {
  std::string text;
  int line;
};

// The string literals of the C source in order, with the line each starts
// on; comments are skipped so that a quote inside one is no literal.
std::vector<Literal> literals(std::istream& in, const std::string& fileName) {
  std::vector<Literal> out;
  std::string src((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int line = 1;
  for (size_t i = 0; i < src.size(); ++i) {
    const char c = src[i];
    if (c == '\n') { ++line; continue; }
    if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
      const size_t end = src.find("*/", i + 2);
      if (end == std::string::npos) throw XpmError(fileName + ":" + std::to_string(line) + ": comment not closed");
      for (size_t k = i; k < end; ++k) line += src[k] == '\n';
      i = end + 1;
      continue;
    }
    if (c != '"') continue;
    Literal lit{{}, line};
    size_t k = i + 1;
    while (k < src.size() && src[k] != '"' && src[k] != '\n') {
      if (src[k] == '\\' && k + 1 < src.size()) ++k;
      lit.text += src[k++];
    }
    if (k >= src.size() || src[k] != '"') throw XpmError(fileName + ":" + std::to_string(line) + ": string not closed");
    out.push_back(std::move(lit));
    i = k;
  }
  return out;
}

bool parseColour(const std::string& value, std::uint32_t& argb) {
  if (value == "None" || value == "none") { argb = 0; return true; }
  if (value.empty() || value[0] != '#') return false;
  const std::string hex = value.substr(1);
  if ((hex.size() != 3 && hex.size() != 6) || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return false;
  std::uint32_t rgb = std::uint32_t(std::stoul(hex, nullptr, 16));
  if (hex.size() == 3) {  // #RGB stands for #RRGGBB
    const std::uint32_t r = (rgb >> 8) & 0xF, g = (rgb >> 4) & 0xF, b = rgb & 0xF;
    rgb = (r * 0x11) << 16 | (g * 0x11) << 8 | (b * 0x11);
  }
  argb = 0xFF000000u | rgb;
  return true;
}

}  // namespace

XpmImage XpmImage::parse(std::istream& in, const std::string& fileName) {
  const std::vector<Literal> lits = literals(in, fileName);
  auto fail = [&](int line, const std::string& what) -> XpmError {
    return XpmError(fileName + ":" + std::to_string(line) + ": " + what);
  };
  if (lits.empty()) throw XpmError(fileName + ": no XPM data (no strings found)");

  std::istringstream values(lits[0].text);
  int w = 0, h = 0, ncolours = 0, cpp = 0;
  if (!(values >> w >> h >> ncolours >> cpp) || w <= 0 || h <= 0 || ncolours <= 0 || cpp <= 0 || w > 4096 ||
      h > 4096 || cpp > 4)
    throw fail(lits[0].line, "bad values line \"" + lits[0].text + "\" (expected width height colours chars-per-pixel)");
  if (lits.size() < size_t(1 + ncolours + h))
    throw fail(lits.back().line, "file ends early: expected " + std::to_string(ncolours) + " colours and " +
                                     std::to_string(h) + " pixel rows");

  std::map<std::string, std::uint32_t> colours;
  for (int i = 1; i <= ncolours; ++i) {
    const Literal& l = lits[size_t(i)];
    if (l.text.size() < size_t(cpp)) throw fail(l.line, "colour line shorter than its pixel code");
    const std::string code = l.text.substr(0, size_t(cpp));
    std::istringstream rest(l.text.substr(size_t(cpp)));
    std::string key, value;
    bool found = false;
    std::uint32_t argb = 0;
    while (rest >> key >> value) {
      if (key != "c") continue;
      if (!parseColour(value, argb)) throw fail(l.line, "colour \"" + value + "\" not understood (use #RRGGBB or None)");
      found = true;
    }
    if (!found) throw fail(l.line, "colour line without a \"c\" colour");
    if (!colours.emplace(code, argb).second) throw fail(l.line, "pixel code \"" + code + "\" defined twice");
  }

  XpmImage img;
  img.m_width = w;
  img.m_height = h;
  img.m_pixels.reserve(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    const Literal& l = lits[size_t(1 + ncolours + y)];
    if (l.text.size() != size_t(w) * size_t(cpp))
      throw fail(l.line, "pixel row " + std::to_string(y + 1) + " has " + std::to_string(l.text.size()) +
                             " characters, expected " + std::to_string(w * cpp));
    for (int x = 0; x < w; ++x) {
      const auto it = colours.find(l.text.substr(size_t(x) * size_t(cpp), size_t(cpp)));
      if (it == colours.end())
        throw fail(l.line, "pixel code \"" + l.text.substr(size_t(x) * size_t(cpp), size_t(cpp)) + "\" in row " +
                               std::to_string(y + 1) + " has no colour");
      img.m_pixels.push_back(it->second);
    }
  }
  return img;
}

}  // namespace uv::giscore
