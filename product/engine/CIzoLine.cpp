// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CIzoLine.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "db/AcDbTextStyleTable.h"
#include "db/ResbufChain.h"
#include "product/engine/ContourTag.h"

namespace {

bool g_maskingLoaded = false;
constexpr double kPi = 3.14159265358979323846;

struct Vertex2 {
  double x, y;
};

std::vector<Vertex2> verticesOf(const AcDbPolyline& p) {
  std::vector<Vertex2> v;
  for (unsigned i = 0; i < p.numVerts(); ++i) {
    AcGePoint2d q;
    p.getPointAt(i, q);
    v.push_back({q.x, q.y});
  }
  if (p.isClosed() && !v.empty()) v.push_back(v.front());
  return v;
}

// Where on the chain the point is nearest: segment index, parameter along it, plan distance.
struct Nearest {
  std::size_t segment = 0;
  double t = 0.0;
  double distance = std::numeric_limits<double>::infinity();
};

Nearest nearestOn(const std::vector<Vertex2>& v, double px, double py) {
  Nearest best;
  for (std::size_t i = 0; i + 1 < v.size(); ++i) {
    const double dx = v[i + 1].x - v[i].x, dy = v[i + 1].y - v[i].y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((px - v[i].x) * dx + (py - v[i].y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double d = std::hypot(v[i].x + t * dx - px, v[i].y + t * dy - py);
    if (d < best.distance) best = {i, t, d};
  }
  return best;
}

std::vector<double> runningLengths(const std::vector<Vertex2>& v) {
  std::vector<double> s(v.size(), 0.0);
  for (std::size_t i = 1; i < v.size(); ++i) s[i] = s[i - 1] + std::hypot(v[i].x - v[i - 1].x, v[i].y - v[i - 1].y);
  return s;
}

Vertex2 pointAt(const std::vector<Vertex2>& v, const std::vector<double>& s, double at) {
  for (std::size_t i = 1; i < v.size(); ++i) {
    if (at <= s[i] || i + 1 == v.size()) {
      const double len = s[i] - s[i - 1];
      const double t = len > 0.0 ? std::clamp((at - s[i - 1]) / len, 0.0, 1.0) : 0.0;
      return {v[i - 1].x + t * (v[i].x - v[i - 1].x), v[i - 1].y + t * (v[i].y - v[i - 1].y)};
    }
  }
  return v.back();
}

// The stretch of the chain between running lengths from and to (from < to).
std::vector<Vertex2> stretch(const std::vector<Vertex2>& v, const std::vector<double>& s, double from, double to) {
  std::vector<Vertex2> out{pointAt(v, s, from)};
  for (std::size_t i = 0; i < v.size(); ++i)
    if (s[i] > from && s[i] < to) out.push_back(v[i]);
  out.push_back(pointAt(v, s, to));
  return out;
}

void setVertices(AcDbPolyline& p, const std::vector<Vertex2>& v, bool closed) {
  while (p.numVerts() > 0) p.removeVertexAt(p.numVerts() - 1);
  for (const auto& q : v) p.addVertexAt(p.numVerts(), AcGePoint2d(q.x, q.y));
  p.setClosed(closed);
}

double levelOf(const AcDbPolyline& p) {
  const auto tag = uv::engine::contourTagOf(p);
  return tag ? tag->level : p.elevation();
}

}  // namespace

int CIzoLine::LoadWipeout() {
  g_maskingLoaded = true;
  return 1;
}

bool CIzoLine::MaskingLoaded() { return g_maskingLoaded; }

Acad::ErrorStatus CIzoLine::Open(AcDbObjectId id, AcDb::OpenMode mode) {
  Close();
  return acdbOpenAcDbEntity(m_pEntity, id, mode);
}

void CIzoLine::Close() {
  if (m_pEntity) m_pEntity->close();
  m_pEntity = nullptr;
}

AcDbPolyline* CIzoLine::PieceNear(const AcGePoint3d& point, AcDbPolyline*& opened) {
  AcDbPolyline* best = AcDbPolyline::cast(m_pEntity);
  if (!best) return nullptr;
  double bestDistance = nearestOn(verticesOf(*best), point.x, point.y).distance;
  for (const AcDbObjectId& id : m_pieces) {
    AcDbPolyline* piece = nullptr;
    if (acdbOpenObject(piece, id, AcDb::kForWrite) != Acad::eOk) continue;
    const double d = nearestOn(verticesOf(*piece), point.x, point.y).distance;
    if (d < bestDistance) {
      if (opened) opened->close();
      opened = piece;
      best = piece;
      bestDistance = d;
    } else {
      piece->close();
    }
  }
  return best;
}

void CIzoLine::CutGap(AcDbPolyline& piece, const AcGePoint3d& point, double half) {
  if (piece.hasBulges() || !piece.isWriteEnabled()) return;
  const std::vector<Vertex2> v = verticesOf(piece);
  if (v.size() < 2) return;
  const std::vector<double> s = runningLengths(v);
  const double total = s.back();
  const Nearest n = nearestOn(v, point.x, point.y);
  const double at = s[n.segment] + n.t * (s[n.segment + 1] - s[n.segment]);
  const double tiny = 1e-9 * std::max(1.0, total);

  if (piece.isClosed()) {
    if (total <= 2.0 * half) return;  // the label is longer than the whole ring
    // Unroll the ring twice so the part from the gap's end round to its start is one stretch.
    std::vector<Vertex2> twice(v);
    twice.insert(twice.end(), v.begin() + 1, v.end());
    const std::vector<double> s2 = runningLengths(twice);
    double from = at + half, to = at - half + total;
    if (from > total) {
      from -= total;
      to -= total;
    }
    setVertices(piece, stretch(twice, s2, from, to), false);
    return;
  }
  const bool keepHead = at - half > tiny;
  const bool keepTail = total - (at + half) > tiny;
  if (!keepHead && !keepTail) return;  // the label covers the whole line: leave it whole
  std::vector<Vertex2> head = keepHead ? stretch(v, s, 0.0, at - half) : std::vector<Vertex2>();
  std::vector<Vertex2> tail = keepTail ? stretch(v, s, at + half, total) : std::vector<Vertex2>();
  setVertices(piece, keepHead ? head : tail, false);
  if (!keepHead || !keepTail) return;
  auto* rest = new AcDbPolyline();
  rest->setPropertiesFrom(&piece);
  rest->setElevation(piece.elevation());
  rest->setNormal(piece.normal());
  setVertices(*rest, tail, false);
  AcDbObjectPointer<AcDbBlockTableRecord> owner(piece.ownerId(), AcDb::kForWrite);
  AcDbObjectId id;
  if (owner.openStatus() != Acad::eOk || owner->appendAcDbEntity(id, rest) != Acad::eOk) {
    delete rest;
    return;
  }
  if (uv::ResbufChain xdata(piece.xData()); xdata) rest->setXData(xdata);
  rest->close();
  m_pieces.push_back(id);
}

int CIzoLine::DrawLabel(const AcGePoint3d& point,
                        boost::shared_ptr<Vantor2_Configurations::CIzoLineLabelDefinition> definition,
                        AcDbObjectIdArray& ids) {
  AcDbPolyline* opened = nullptr;
  AcDbPolyline* piece = PieceNear(point, opened);
  if (!piece) return 0;
  const Vantor2_Configurations::CIzoLineLabelDefinition defaults;
  const auto& def = definition ? *definition : defaults;

  const std::vector<Vertex2> v = verticesOf(*piece);
  double angle = 0.0;
  if (v.size() >= 2) {
    const Nearest n = nearestOn(v, point.x, point.y);
    angle = std::atan2(v[n.segment + 1].y - v[n.segment].y, v[n.segment + 1].x - v[n.segment].x);
  }
  // Upright: text reads from left to right or from bottom to top, never upside down.
  if (angle > kPi / 2.0 + 1e-12) angle -= kPi;
  else if (angle <= -kPi / 2.0 + 1e-12) angle += kPi;

  const CString text = def.FormatLevel(levelOf(*piece));
  const double height = def.m_dTextHeight > 0.0 ? def.m_dTextHeight : 2.5;
  // The host measures a character as 0.6 of the height; the gap uses the same measure.
  const double width = 0.6 * height * (def.m_dWidthFactor > 0.0 ? def.m_dWidthFactor : 1.0) * text.GetLength();
  const AcGePoint3d centre(point.x, point.y, piece->elevation());
  const AcGeVector3d along(std::cos(angle), std::sin(angle), 0.0), up(-std::sin(angle), std::cos(angle), 0.0);

  auto* label = new AcDbText();
  label->setDatabaseDefaults(piece->database());
  label->setTextString(text);
  label->setHeight(height);
  label->setWidthFactor(def.m_dWidthFactor > 0.0 ? def.m_dWidthFactor : 1.0);
  label->setRotation(angle);
  // Left baseline for readers that place by position, middle alignment for those that align.
  label->setPosition(centre - along * (width / 2.0) - up * (height / 2.0));
  label->setHorizontalMode(AcDb::kTextMid);
  label->setAlignmentPoint(centre);
  if (!def.m_strTextStyle.IsEmpty()) {
    AcDbObjectPointer<AcDbTextStyleTable> styles(piece->database()->textStyleTableId(), AcDb::kForRead);
    AcDbObjectId style;
    if (styles.openStatus() == Acad::eOk && styles->getAt(def.m_strTextStyle, style) == Acad::eOk)
      label->setTextStyle(style);
  }
  if (def.m_strLayer.IsEmpty() || label->setLayer(def.m_strLayer) != Acad::eOk) label->setLayer(piece->layerId());
  label->setColorIndex(static_cast<Adesk::UInt16>(def.m_nColor >= 0 && def.m_nColor <= 256 ? def.m_nColor : 256));

  AcDbObjectPointer<AcDbBlockTableRecord> owner(piece->ownerId(), AcDb::kForWrite);
  AcDbObjectId id;
  const bool added = owner.openStatus() == Acad::eOk && owner->appendAcDbEntity(id, label) == Acad::eOk;
  if (!added) delete label;
  else label->close();
  owner.close();
  if (added) {
    ids.append(id);
    if (def.m_bMask && MaskingLoaded())
      CutGap(*piece, point, width / 2.0 + std::max(0.0, def.m_dMaskMargin) * height);
  }
  if (opened) opened->close();
  return added ? 1 : 0;
}
