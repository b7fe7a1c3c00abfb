// Vectors drawn with acedGrDraw: not entities, shown on top of the drawing
// until the next regeneration or redraw clears them.
#pragma once

#include <vector>

#include "ge/AcGePoint3d.h"

namespace uv {

struct TemporaryVector {
  AcGePoint3d from, to;
  int colour = 7;  // colour index; -1 draws in the inverse of what lies below
  bool highlight = false;
};

class TemporaryGraphics {
 public:
  void add(const TemporaryVector& v) { m_vectors.push_back(v); }
  void clear() { m_vectors.clear(); }
  const std::vector<TemporaryVector>& vectors() const { return m_vectors; }

 private:
  std::vector<TemporaryVector> m_vectors;
};

}  // namespace uv
