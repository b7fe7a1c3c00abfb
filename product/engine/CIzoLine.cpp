// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CIzoLine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbDatabase.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbText.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/AcDbLayerTable.h"
#include "db/AcDbTextStyleTable.h"
#include "db/AcDbWipeout.h"
#include "db/AcDbWipeoutVariables.h"
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
    const double ex = v[i].x + t * dx - px, ey = v[i].y + t * dy - py;
    const double d2 = ex * ex + ey * ey;  // squared: the root only for the nearest
    if (d2 < best.distance) best = {i, t, d2};
  }
  best.distance = std::sqrt(best.distance);
  return best;
}

double levelOf(const AcDbPolyline& p) {
  const auto tag = uv::engine::contourTagOf(p);
  return tag ? tag->level : p.elevation();
}

}  // namespace

int CIzoLine::LoadWipeout() {
  AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
  if (!db || AcDbWipeoutVariables::ensureIn(db).isNull()) return 0;
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

int CIzoLine::DrawLabel(const AcGePoint3d& point,
                        boost::shared_ptr<Vantor2_Configurations::CIzoLineLabelDefinition> definition,
                        AcDbObjectIdArray& ids) {
  AcDbPolyline* contour = AcDbPolyline::cast(m_pEntity);
  if (!contour) return 0;
  const Vantor2_Configurations::CIzoLineLabelDefinition defaults;
  const auto& def = definition ? *definition : defaults;

  const std::vector<Vertex2> v = verticesOf(*contour);
  double angle = 0.0;
  if (v.size() >= 2) {
    const Nearest n = nearestOn(v, point.x, point.y);
    angle = std::atan2(v[n.segment + 1].y - v[n.segment].y, v[n.segment + 1].x - v[n.segment].x);
  }
  // Upright: text reads from left to right or from bottom to top, never upside down.
  if (angle > kPi / 2.0 + 1e-12) angle -= kPi;
  else if (angle <= -kPi / 2.0 + 1e-12) angle += kPi;

  const CString text = def.FormatLevel(levelOf(*contour));
  const double height = def.m_dTextHeight > 0.0 ? def.m_dTextHeight : 2.5;
  const double widthFactor = def.m_dWidthFactor > 0.0 ? def.m_dWidthFactor : 1.0;
  const AcGePoint3d centre(point.x, point.y, contour->elevation());
  const AcGeVector3d along(std::cos(angle), std::sin(angle), 0.0), up(-std::sin(angle), std::cos(angle), 0.0);
  AcDbDatabase* db = contour->database();

  AcDbObjectId layer;
  if (!def.m_strLayer.IsEmpty()) {
    AcDbObjectPointer<AcDbLayerTable> layers(db->layerTableId(), AcDb::kForRead);
    if (layers.openStatus() != Acad::eOk || layers->getAt(def.m_strLayer, layer) != Acad::eOk) layer = AcDbObjectId();
  }
  if (layer.isNull()) layer = contour->layerId();

  AcDbObjectPointer<AcDbBlockTableRecord> owner(contour->ownerId(), AcDb::kForWrite);
  if (owner.openStatus() != Acad::eOk) return 0;
  auto add = [&](AcDbEntity* entity) {
    AcDbObjectId id;
    if (owner->appendAcDbEntity(id, entity) != Acad::eOk) {
      delete entity;
      return false;
    }
    entity->close();
    ids.append(id);
    return true;
  };

  // The wipeout goes in first, so that the text drawn after it lies on top.
  if (def.m_bMask && MaskingLoaded()) {
    const double margin = std::max(0.0, def.m_dMaskMargin) * height;
    const double halfLength = LabelLength(text, height, widthFactor) / 2.0 + margin;
    const double halfHeight = height / 2.0 + margin;
    AcGePoint3dArray box;
    for (const auto& [s, t] : {std::pair{-1.0, -1.0}, {1.0, -1.0}, {1.0, 1.0}, {-1.0, 1.0}})
      box.append(centre + along * (s * halfLength) + up * (t * halfHeight));
    auto* mask = new AcDbWipeout();
    mask->setDatabaseDefaults(db);
    mask->setLayer(layer);
    if (mask->setFrom(box) != Acad::eOk) delete mask;
    else add(mask);
  }

  auto* label = new AcDbText();
  label->setDatabaseDefaults(db);
  label->setTextString(text);
  label->setHeight(height);
  label->setWidthFactor(widthFactor);
  label->setRotation(angle);
  // Left baseline for readers that place by position, middle alignment for those that align.
  label->setPosition(centre - along * (LabelLength(text, height, widthFactor) / 2.0) - up * (height / 2.0));
  label->setHorizontalMode(AcDb::kTextMid);
  label->setAlignmentPoint(centre);
  if (!def.m_strTextStyle.IsEmpty()) {
    AcDbObjectPointer<AcDbTextStyleTable> styles(db->textStyleTableId(), AcDb::kForRead);
    AcDbObjectId style;
    if (styles.openStatus() == Acad::eOk && styles->getAt(def.m_strTextStyle, style) == Acad::eOk)
      label->setTextStyle(style);
  }
  label->setLayer(layer);
  label->setColorIndex(static_cast<Adesk::UInt16>(def.m_nColor >= 0 && def.m_nColor <= 256 ? def.m_nColor : 256));
  return add(label) ? 1 : 0;
}

double CIzoLine::LabelLength(const CString& text, double height, double widthFactor) {
  // Generous for the sans-serif and CAD fonts a drawing is shown in: a digit is at most
  // about 0.9 of the height wide, a point or a minus about half that.
  double length = 0.0;
  for (int i = 0; i < text.GetLength(); ++i) {
    const wchar_t c = text[i];
    length += (c == L'.' || c == L',' ? 0.45 : c == L'-' ? 0.55 : 0.9) * height;
  }
  return length * widthFactor;
}
