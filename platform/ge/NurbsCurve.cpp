#include "ge/NurbsCurve.h"

#include <algorithm>
#include <cmath>

namespace uv {

namespace {

// The p + 1 basis functions N(span - p .. span, p) at t (de Boor and Cox's
// triangle, without divisions by zero).
std::vector<double> basisAt(const std::vector<double>& knots, size_t span, int p, double t) {
  std::vector<double> n(size_t(p) + 1), left(size_t(p) + 1), right(size_t(p) + 1);
  n[0] = 1;
  for (size_t j = 1; j <= size_t(p); ++j) {
    left[j] = t - knots[span + 1 - j];
    right[j] = knots[span + j] - t;
    double saved = 0;
    for (size_t r = 0; r < j; ++r) {
      const double denominator = right[r + 1] + left[j - r];
      const double term = denominator != 0 ? n[r] / denominator : 0;
      n[r] = saved + right[r + 1] * term;
      saved = left[j - r] * term;
    }
    n[j] = saved;
  }
  return n;
}

}  // namespace

std::string NurbsCurve::whyInvalid(int degree, const std::vector<AcGePoint3d>& points, const std::vector<double>& knots,
                                   const std::vector<double>& weights) {
  if (degree < 1 || degree > kMostDegree) return "a degree outside 1 to 25";
  if (points.size() < size_t(degree) + 1) return "fewer control points than the degree needs";
  if (knots.size() != points.size() + size_t(degree) + 1) return "a knot count other than points + degree + 1";
  if (!std::all_of(knots.begin(), knots.end(), [](double k) { return std::isfinite(k); }) ||
      !std::is_sorted(knots.begin(), knots.end()))
    return "knots that decrease";
  if (!(knots[points.size()] > knots[size_t(degree)])) return "a domain of no length";
  if (!weights.empty() && (weights.size() != points.size() ||
                           !std::all_of(weights.begin(), weights.end(),
                                        [](double w) { return std::isfinite(w) && w > 0; })))
    return "weights that are not one per point above 0";
  if (!std::all_of(points.begin(), points.end(), isFinitePoint)) return "a control point that is not finite";
  return {};
}

NurbsCurve::NurbsCurve(int degree, std::vector<AcGePoint3d> points, std::vector<double> knots,
                       std::vector<double> weights)
    : m_degree(degree), m_points(std::move(points)), m_knots(std::move(knots)), m_weights(std::move(weights)) {}

size_t NurbsCurve::spanOf(double t) const {
  const size_t p = size_t(m_degree), n = m_points.size();
  if (t >= m_knots[n]) {
    size_t last = n - 1;
    while (last > p && !(m_knots[last + 1] > m_knots[last])) --last;
    return last;
  }
  const auto it = std::upper_bound(m_knots.begin() + std::ptrdiff_t(p), m_knots.begin() + std::ptrdiff_t(n), t);
  return std::max(p, size_t(it - m_knots.begin()) - 1);
}

AcGePoint3d NurbsCurve::pointAt(double t) const {
  t = std::clamp(t, startParam(), endParam());
  const size_t span = spanOf(t), p = size_t(m_degree);
  struct H {
    double x, y, z, w;
  };
  std::vector<H> d(p + 1);
  for (size_t j = 0; j <= p; ++j) {
    const size_t i = span - p + j;
    const double w = m_weights.empty() ? 1.0 : m_weights[i];
    d[j] = {m_points[i].x * w, m_points[i].y * w, m_points[i].z * w, w};
  }
  for (size_t r = 1; r <= p; ++r)
    for (size_t j = p; j >= r; --j) {
      const double lo = m_knots[span - p + j], hi = m_knots[span + 1 + j - r];
      const double a = hi > lo ? (t - lo) / (hi - lo) : 0;
      const H& prev = d[j - 1];
      H& cur = d[j];
      cur = {prev.x + a * (cur.x - prev.x), prev.y + a * (cur.y - prev.y), prev.z + a * (cur.z - prev.z),
             prev.w + a * (cur.w - prev.w)};
    }
  const H& r = d[p];
  return {r.x / r.w, r.y / r.w, r.z / r.w};
}

int NurbsCurve::spanCount() const {
  int n = 0;
  for (size_t span = size_t(m_degree); span < m_points.size(); ++span) n += m_knots[span + 1] > m_knots[span] ? 1 : 0;
  return n;
}

std::vector<AcGePoint3d> NurbsCurve::sample(int perSpan) const {
  std::vector<AcGePoint3d> out;
  if (empty()) return out;
  perSpan = std::max(1, perSpan);
  for (size_t span = size_t(m_degree); span < m_points.size(); ++span) {
    const double lo = m_knots[span], hi = m_knots[span + 1];
    if (!(hi > lo)) continue;
    for (int i = out.empty() ? 0 : 1; i <= perSpan; ++i) out.push_back(pointAt(lo + (hi - lo) * i / perSpan));
  }
  return out;
}

NurbsCurve NurbsCurve::interpolate(const std::vector<AcGePoint3d>& through, int degree) {
  std::vector<AcGePoint3d> q;
  for (const AcGePoint3d& pt : through)
    if (isFinitePoint(pt) && (q.empty() || !pt.isEqualTo(q.back()))) q.push_back(pt);
  if (q.size() < 2) return {};
  const size_t n = q.size() - 1;  // points q[0..n]
  const int p = std::clamp(std::min(degree, kMostDegree), 1, int(n));
  // Chord-length parameters in [0, 1].
  std::vector<double> u(n + 1, 0.0);
  double total = 0;
  for (size_t k = 1; k <= n; ++k) total += q[k].distanceTo(q[k - 1]);
  for (size_t k = 1; k < n; ++k) u[k] = u[k - 1] + q[k].distanceTo(q[k - 1]) / total;
  u[n] = 1;
  // Clamped knots, the inner ones averages of p parameters.
  std::vector<double> knots(n + size_t(p) + 2, 0.0);
  for (size_t j = 0; j <= size_t(p); ++j) knots[knots.size() - 1 - j] = 1;
  for (size_t j = 1; j + size_t(p) <= n; ++j) {
    double sum = 0;
    for (size_t i = j; i < j + size_t(p); ++i) sum += u[i];
    knots[j + size_t(p)] = sum / p;
  }
  NurbsCurve shape(p, std::vector<AcGePoint3d>(n + 1), knots, {});
  // The collocation matrix N(i,p)(u[k]) is banded: each row holds p + 1
  // neighbouring columns. Gaussian elimination without pivoting suits it
  // (the matrix is totally positive) and keeps to the band.
  std::vector<size_t> spans(n + 1);
  size_t below = 0, above = 0;
  for (size_t k = 0; k <= n; ++k) {
    spans[k] = shape.spanOf(u[k]);
    const size_t first = spans[k] - size_t(p);
    below = std::max(below, k > first ? k - first : 0);
    above = std::max(above, spans[k] > k ? spans[k] - k : 0);
  }
  const size_t width = below + above + 1;
  std::vector<double> band((n + 1) * width, 0.0);
  auto at = [&](size_t r, size_t c) -> double& { return band[r * width + (c + below - r)]; };
  for (size_t k = 0; k <= n; ++k) {
    const std::vector<double> basis = basisAt(knots, spans[k], p, u[k]);
    for (size_t j = 0; j <= size_t(p); ++j) at(k, spans[k] - size_t(p) + j) = basis[j];
  }
  std::vector<AcGePoint3d> rhs = q;
  for (size_t c = 0; c <= n; ++c) {
    const double pivot = at(c, c);
    if (!(std::fabs(pivot) > 1e-14)) return {};
    for (size_t r = c + 1; r <= std::min(n, c + below); ++r) {
      const double f = at(r, c) / pivot;
      if (f == 0) continue;
      for (size_t j = c; j <= std::min(n, c + above); ++j) at(r, j) -= f * at(c, j);
      rhs[r] = rhs[r] - (rhs[c] - AcGePoint3d()) * f;
    }
  }
  std::vector<AcGePoint3d> controls(n + 1);
  for (size_t r = n + 1; r-- > 0;) {
    AcGeVector3d sum = rhs[r] - AcGePoint3d();
    for (size_t j = r + 1; j <= std::min(n, r + above); ++j) sum -= (controls[j] - AcGePoint3d()) * at(r, j);
    controls[r] = AcGePoint3d() + sum / at(r, r);
  }
  return NurbsCurve(p, std::move(controls), std::move(knots), {});
}

}  // namespace uv
