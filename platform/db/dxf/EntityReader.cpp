#include "db/dxf/EntityReader.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbEllipse.h"
#include "db/AcDbFace.h"
#include "db/AcDbHatch.h"
#include "db/AcDbLine.h"
#include "db/AcDbMText.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbSpline.h"
#include "db/AcDbText.h"
#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/Ocs.h"
#include "db/dxf/WipeoutCodec.h"

namespace uv::dxf {

namespace {

AcGePoint3d pointOf(const DxfRecord& rec, int code) {
  return {rec.real(code), rec.real(code + 10), rec.real(code + 20)};
}

AcGeVector3d normalOf(const DxfRecord& rec) {
  AcGeVector3d n(rec.real(210, 0), rec.real(220, 0), rec.real(230, 1));
  return n.isZeroLength() ? AcGeVector3d(0, 0, 1) : n.normal();
}

// The record with its body only (see DxfRecord::body).
DxfRecord body(const DxfRecord& rec) {
  DxfRecord own;
  own.type = rec.type;
  own.line = rec.line;
  own.setGroups(rec.body());
  return own;
}

void check(Acad::ErrorStatus es, const DxfRecord& rec, const char* what) {
  if (es != Acad::eOk)
    throw DxfError(rec.line, rec.type + " has an invalid " + what + " (" + Acad::statusText(es) + ")");
}

// The TEXT part that texts, attribute definitions and attributes share.
// vCode: the group of the vertical alignment (73 for TEXT, 74 for the others).
void readText(AcDbText& t, const DxfRecord& rec, const TextCodec& codec, const SymbolLookup& lookup, int vCode) {
  const AcGeVector3d n = normalOf(rec);
  const Ocs ocs(n);
  check(t.setNormal(n), rec, "normal");
  check(t.setPosition(ocs.toWorld(pointOf(rec, 10))), rec, "position");
  if (rec.has(11)) check(t.setAlignmentPoint(ocs.toWorld(pointOf(rec, 11))), rec, "alignment point");
  const double h = rec.real(40, 1);
  if (h > 0) check(t.setHeight(h), rec, "height");
  check(t.setTextString(codec.decode(rec.text(1)).c_str()), rec, "text");
  check(t.setRotation(rec.real(50) * kDegree), rec, "rotation");
  if (rec.has(41)) check(t.setWidthFactor(rec.real(41)), rec, "width factor");
  check(t.setOblique(rec.real(51) * kDegree), rec, "oblique angle");
  check(t.setThickness(rec.real(39)), rec, "thickness");
  const long long hm = rec.integer(72), vm = rec.integer(vCode);
  if (hm >= 0 && hm <= 5) check(t.setHorizontalMode(AcDb::TextHorzMode(hm)), rec, "horizontal alignment");
  if (vm >= 0 && vm <= 3) check(t.setVerticalMode(AcDb::TextVertMode(vm)), rec, "vertical alignment");
  if (rec.has(7)) t.setTextStyle(lookup.textStyle(codec.decode(rec.text(7)), rec.line));
}

}  // namespace

bool EntityReader::isMesh(const DxfRecord& polyline) { return (polyline.integer(70) & (16 | 64)) != 0; }

void EntityReader::common(AcDbEntity& e, const DxfRecord& rec) const {
  e.setLayer(m_lookup.layer(rec.has(8) ? text(rec, 8) : L"0", rec.line), false);
  if (rec.has(6)) e.setLinetype(m_lookup.linetype(text(rec, 6), rec.line), false);
  else e.setLinetype(m_lookup.linetype(L"ByLayer", rec.line), false);
  const long long color = rec.integer(62, 256);
  if (color >= 0 && color <= 256) e.setColorIndex(Adesk::UInt16(color), false);
  const long long weight = rec.integer(370, AcDb::kLnWtByLayer);
  if (AcDbEntity::isValidLineWeight(int(weight))) e.setLineWeight(AcDb::LineWeight(weight), false);
  if (rec.has(48) && rec.real(48) > 0) e.setLinetypeScale(rec.real(48), false);
  if (rec.integer(60) == 1) e.setVisibility(AcDb::kInvisible, false);
}

std::unique_ptr<AcDbEntity> EntityReader::read(const DxfRecord& full) const {
  const DxfRecord rec = body(full);
  std::unique_ptr<AcDbEntity> out;
  const std::string& type = rec.type;
  if (type == "LINE") {
    auto e = std::make_unique<AcDbLine>(pointOf(rec, 10), pointOf(rec, 11));
    check(e->setThickness(rec.real(39)), rec, "thickness");
    check(e->setNormal(normalOf(rec)), rec, "normal");
    out = std::move(e);
  } else if (type == "POINT") {
    auto e = std::make_unique<AcDbPoint>(pointOf(rec, 10));
    check(e->setThickness(rec.real(39)), rec, "thickness");
    check(e->setNormal(normalOf(rec)), rec, "normal");
    out = std::move(e);
  } else if (type == "CIRCLE" || type == "ARC") {
    const AcGeVector3d n = normalOf(rec);
    const AcGePoint3d centre = Ocs(n).toWorld(pointOf(rec, 10));
    if (type == "CIRCLE") {
      auto e = std::make_unique<AcDbCircle>();
      check(e->setNormal(n), rec, "normal");
      check(e->setCenter(centre), rec, "centre");
      check(e->setRadius(rec.real(40)), rec, "radius");
      check(e->setThickness(rec.real(39)), rec, "thickness");
      out = std::move(e);
    } else {
      auto e = std::make_unique<AcDbArc>();
      check(e->setNormal(n), rec, "normal");
      check(e->setCenter(centre), rec, "centre");
      check(e->setRadius(rec.real(40)), rec, "radius");
      check(e->setStartAngle(rec.real(50) * kDegree), rec, "start angle");
      check(e->setEndAngle(rec.real(51) * kDegree), rec, "end angle");
      check(e->setThickness(rec.real(39)), rec, "thickness");
      out = std::move(e);
    }
  } else if (type == "TEXT") {
    auto e = std::make_unique<AcDbText>();
    readText(*e, rec, m_codec, m_lookup, 73);
    out = std::move(e);
  } else if (type == "ATTDEF") {
    auto e = std::make_unique<AcDbAttributeDefinition>();
    readText(*e, rec, m_codec, m_lookup, 74);
    check(e->setTag(text(rec, 2).c_str()), rec, "tag");
    check(e->setPrompt(text(rec, 3).c_str()), rec, "prompt");
    const long long flags = rec.integer(70);
    e->setInvisible(flags & 1);
    e->setConstant(flags & 2);
    e->setVerifiable(flags & 4);
    e->setPreset(flags & 8);
    out = std::move(e);
  } else if (type == "LWPOLYLINE") {
    auto e = std::make_unique<AcDbPolyline>();
    struct V {
      double x = 0, y = 0, bulge = 0, sw = 0, ew = 0;
    };
    std::vector<V> verts;
    for (const Group& g : rec.groups) {
      if (g.code == 10) verts.push_back({parseReal(g)});
      else if (verts.empty()) continue;
      else if (g.code == 20) verts.back().y = parseReal(g);
      else if (g.code == 40) verts.back().sw = parseReal(g);
      else if (g.code == 41) verts.back().ew = parseReal(g);
      else if (g.code == 42) verts.back().bulge = parseReal(g);
    }
    for (unsigned i = 0; i < verts.size(); ++i)
      check(e->addVertexAt(i, AcGePoint2d(verts[i].x, verts[i].y), verts[i].bulge, verts[i].sw, verts[i].ew), rec,
            "vertex");
    if (rec.has(43) && rec.real(43) != 0) check(e->setConstantWidth(rec.real(43)), rec, "constant width");
    e->setElevation(rec.real(38));
    e->setClosed(rec.integer(70) & 1);
    check(e->setNormal(normalOf(rec)), rec, "normal");
    check(e->setThickness(rec.real(39)), rec, "thickness");
    out = std::move(e);
  } else if (type == "POLYLINE") {
    const long long flags = rec.integer(70);
    const long long smooth = rec.integer(75);
    if (flags & 8) {
      auto e = std::make_unique<AcDb3dPolyline>();
      if (flags & 4) check(e->setPolyType(smooth == 5 ? AcDb::k3dQuadSplinePoly : AcDb::k3dCubicSplinePoly), rec, "type");
      if (flags & 1) check(e->makeClosed(), rec, "closed flag");
      out = std::move(e);
    } else {
      auto e = std::make_unique<AcDb2dPolyline>();
      AcDb::Poly2dType t = AcDb::k2dSimplePoly;
      if (flags & 4) t = smooth == 5 ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly;
      else if (flags & 2) t = AcDb::k2dFitCurvePoly;
      check(e->setPolyType(t), rec, "type");
      if (flags & 1) check(e->makeClosed(), rec, "closed flag");
      check(e->setNormal(normalOf(rec)), rec, "normal");
      check(e->setElevation(rec.real(30)), rec, "elevation");
      check(e->setThickness(rec.real(39)), rec, "thickness");
      check(e->setDefaultStartWidth(rec.real(40)), rec, "start width");
      check(e->setDefaultEndWidth(rec.real(41)), rec, "end width");
      out = std::move(e);
    }
  } else if (type == "3DFACE") {
    const AcGePoint3d p2 = pointOf(rec, 12);
    auto e = std::make_unique<AcDbFace>(pointOf(rec, 10), pointOf(rec, 11), p2, rec.has(13) ? pointOf(rec, 13) : p2);
    const long long flags = rec.integer(70);
    for (Adesk::UInt16 i = 0; i < 4; ++i)
      if (flags & (1 << i)) e->makeEdgeInvisibleAt(i);
    out = std::move(e);
  } else if (type == "INSERT") {
    auto e = std::make_unique<AcDbBlockReference>();
    const AcGeVector3d n = normalOf(rec);
    check(e->setBlockTableRecord(m_lookup.block(text(rec, 2), rec.line)), rec, "block");
    check(e->setNormal(n), rec, "normal");
    check(e->setPosition(Ocs(n).toWorld(pointOf(rec, 10))), rec, "position");
    check(e->setScaleFactors(AcGeScale3d(rec.real(41, 1), rec.real(42, 1), rec.real(43, 1))), rec, "scale");
    check(e->setRotation(rec.real(50) * kDegree), rec, "rotation");
    out = std::move(e);
  } else if (type == "WIPEOUT") {
    out = readWipeout(rec);
  } else if (type == "ELLIPSE" || type == "SPLINE" || type == "MTEXT" || type == "HATCH") {
    // Kinds that were kept whole before the database modelled them: a
    // record that does not make a sound entity still is.
    try {
      out = type == "ELLIPSE" ? readEllipse(rec) : type == "SPLINE" ? readSpline(rec)
            : type == "MTEXT" ? readMText(rec) : readHatch(full, rec);
      if (out) common(*out, rec);
    } catch (const DxfError&) {
      return nullptr;
    }
    return out;
  } else {
    return nullptr;
  }
  common(*out, rec);
  return out;
}

std::unique_ptr<AcDbEntity> EntityReader::readEllipse(const DxfRecord& rec) const {
  auto e = std::make_unique<AcDbEllipse>();
  // A shape the ellipse refuses (a ratio above 1, an axis off its plane) is
  // kept whole instead.
  if (e->set(pointOf(rec, 10), normalOf(rec), pointOf(rec, 11) - AcGePoint3d(), rec.real(40, 1), rec.real(41),
             rec.real(42, 2 * std::numbers::pi)) != Acad::eOk)
    return nullptr;
  return e;
}

std::unique_ptr<AcDbEntity> EntityReader::readSpline(const DxfRecord& rec) const {
  std::vector<AcGePoint3d> controls, fits;
  std::vector<double> knots, weights;
  for (const Group& g : rec.groups) {
    if (g.code == 40) knots.push_back(parseReal(g));
    else if (g.code == 41) weights.push_back(parseReal(g));
    else if (g.code == 10) controls.emplace_back(parseReal(g), 0, 0);
    else if (g.code == 20 && !controls.empty()) controls.back().y = parseReal(g);
    else if (g.code == 30 && !controls.empty()) controls.back().z = parseReal(g);
    else if (g.code == 11) fits.emplace_back(parseReal(g), 0, 0);
    else if (g.code == 21 && !fits.empty()) fits.back().y = parseReal(g);
    else if (g.code == 31 && !fits.empty()) fits.back().z = parseReal(g);
  }
  auto optionalReal = [&](int code) { return rec.has(code) ? std::optional<double>(rec.real(code)) : std::nullopt; };
  auto optionalVector = [&](int code) {
    return rec.has(code) ? std::optional<AcGeVector3d>(pointOf(rec, code) - AcGePoint3d()) : std::nullopt;
  };
  const long long flags = rec.integer(70);
  const long long degree = rec.integer(71, 3);
  auto e = std::make_unique<AcDbSpline>();
  // Data the spline refuses (knots that do not fit the points, too few
  // points to draw) leave the record kept whole.
  if (degree < 1 || degree > NurbsCurve::kMostDegree || (controls.empty() && fits.size() < 2)) return nullptr;
  if (!controls.empty() &&
      e->setNurbsData(int(degree), controls, knots, weights, flags & AcDbSpline::kClosed,
                      flags & AcDbSpline::kPeriodic) != Acad::eOk)
    return nullptr;
  if (e->setFitData(fits, int(degree), optionalVector(12), optionalVector(13)) != Acad::eOk) return nullptr;
  check(e->setFileData(int(flags), optionalReal(42), optionalReal(43), optionalReal(44)), rec, "flags");
  check(e->setNormal(normalOf(rec)), rec, "normal");
  return e;
}

std::unique_ptr<AcDbEntity> EntityReader::readMText(const DxfRecord& rec) const {
  auto e = std::make_unique<AcDbMText>();
  check(e->setNormal(normalOf(rec)), rec, "normal");
  check(e->setLocation(pointOf(rec, 10)), rec, "location");
  if (rec.real(40, 1) > 0) check(e->setTextHeight(rec.real(40, 1)), rec, "height");
  if (rec.real(41) >= 0) check(e->setWidth(rec.real(41)), rec, "width");
  const long long attachment = rec.integer(71, 1);
  if (attachment >= 1 && attachment <= 9) check(e->setAttachment(AcDbMText::AttachmentPoint(attachment)), rec, "attachment");
  if (rec.real(44, 1) > 0) check(e->setLineSpacingFactor(rec.real(44, 1)), rec, "line spacing");
  // The direction (world coordinates) wins over a rotation (degrees) when
  // a file gives both.
  const AcGeVector3d direction = pointOf(rec, 11) - AcGePoint3d();
  if (rec.has(11) && !direction.isZeroLength()) check(e->setDirection(direction), rec, "direction");
  else if (rec.has(50)) check(e->setRotation(rec.real(50) * kDegree), rec, "rotation");
  std::string contents;  // 3 holds the first pieces of a long text, 1 the last
  for (const Group& g : rec.groups)
    if (g.code == 3) contents += g.value();
  contents += rec.text(1);
  check(e->setContents(m_codec.decode(contents)), rec, "text");
  if (rec.has(7)) check(e->setTextStyle(m_lookup.textStyle(text(rec, 7), rec.line)), rec, "text style");
  return e;
}

std::unique_ptr<AcDbEntity> EntityReader::vertex(const DxfRecord& full, bool is3d) const {
  const DxfRecord rec = body(full);
  const long long flags = rec.integer(70);
  std::unique_ptr<AcDbEntity> out;
  if (is3d) {
    auto v = std::make_unique<AcDb3dPolylineVertex>(pointOf(rec, 10));
    if (flags & 16) check(v->setVertexType(AcDb::k3dControlVertex), rec, "vertex type");
    else if (flags & 8) check(v->setVertexType(AcDb::k3dFitVertex), rec, "vertex type");
    out = std::move(v);
  } else {
    auto v = std::make_unique<AcDb2dVertex>(pointOf(rec, 10), rec.real(42), rec.real(40), rec.real(41), rec.real(50));
    if (flags & 16) check(v->setVertexType(AcDb::k2dSplineCtlVertex), rec, "vertex type");
    else if (flags & 8) check(v->setVertexType(AcDb::k2dSplineFitVertex), rec, "vertex type");
    else if (flags & 1) check(v->setVertexType(AcDb::k2dCurveFitVertex), rec, "vertex type");
    out = std::move(v);
  }
  common(*out, rec);
  return out;
}

std::unique_ptr<AcDbAttribute> EntityReader::attribute(const DxfRecord& full) const {
  const DxfRecord rec = body(full);
  auto a = std::make_unique<AcDbAttribute>();
  readText(*a, rec, m_codec, m_lookup, 74);
  check(a->setTag(text(rec, 2).c_str()), rec, "tag");
  const long long flags = rec.integer(70);
  a->setInvisible(flags & 1);
  a->setConstant(flags & 2);
  common(*a, rec);
  return a;
}

}  // namespace uv::dxf
