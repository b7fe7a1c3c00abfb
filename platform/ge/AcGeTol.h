// Tolerances for geometric equality.
#pragma once

class AcGeTol {
 public:
  AcGeTol() = default;
  AcGeTol(double point, double vector) : m_point(point), m_vector(vector) {}
  double equalPoint() const { return m_point; }
  double equalVector() const { return m_vector; }
  void setEqualPoint(double v) { m_point = v; }
  void setEqualVector(double v) { m_vector = v; }

 private:
  double m_point = 1e-10;
  double m_vector = 1e-12;
};

struct AcGeContext {
  static const AcGeTol gTol;
};
