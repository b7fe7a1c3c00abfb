#include "db/dxf/EntityWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "base/TextCase.h"
#include "db/AcDb2dPolyline.h"
#include "db/AcDb3dPolyline.h"
#include "db/AcDbArc.h"
#include "db/AcDbAttribute.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockReference.h"
#include "db/AcDbCircle.h"
#include "db/AcDbEllipse.h"
#include "db/AcDbFace.h"
#include "db/AcDbLine.h"
#include "db/AcDbMText.h"
#include "db/AcDbObjectIterator.h"
#include "db/AcDbPoint.h"
#include "db/AcDbPolyline.h"
#include "db/AcDbSpline.h"
#include "db/AcDbRawEntity.h"
#include "db/AcDbSymbolTableRecord.h"
#include "db/AcDbText.h"
#include "db/CurvePath.h"
#include "db/DbAccess.h"
#include "db/dxf/Degrees.h"
#include "db/dxf/DxfError.h"
#include "db/dxf/Ocs.h"
#include "db/dxf/ResItemCodec.h"
#include "db/dxf/TextCodec.h"
#include "db/dxf/WipeoutCodec.h"

namespace uv::dxf {

namespace {

// The live children of an owner, in order (vertices, attributes).
template <class Owner>
std::vector<AcDbObjectId> childrenOf(const Owner& owner, AcDbObjectIterator* (Owner::*make)() const) {
  std::vector<AcDbObjectId> ids;
  AcDbObjectIterator* it = (owner.*make)();
  for (it->start(); !it->done(); it->step())
    if (!it->objectId().isErased()) ids.push_back(it->objectId());
  delete it;
  return ids;
}

template <class Owner>
AcDbObjectId sequenceEndOf(const Owner& owner) {
  AcDbSequenceEnd* end = nullptr;
  AcDbObjectId id;
  if (owner.openSequenceEnd(end, AcDb::kForNotify) == Acad::eOk) {
    id = end->objectId();
    end->close();
  }
  return id;
}

// The standard style goes unstated, as readers take it when a text names
// none, unless the file stated it; any other style is named.
void writeStyle(GroupWriter& out, AcDbObjectId style) {
  const std::wstring name = recordName(style);
  const bool standard = name.empty() || equalsNoCase(name, L"Standard");
  if (standard && out.keptHere(7)) return;
  out.dropKept(7);
  if (!standard) out.text(7, name);
}

// TEXT, ATTDEF and ATTRIB share this part (the AcDbText subclass).
void textBody(GroupWriter& out, const AcDbText& t, bool withAlignment) {
  const Ocs ocs(t.normal());
  out.text(100, std::string("AcDbText"));
  if (t.thickness() != 0) out.real(39, t.thickness());
  out.point(10, ocs.toOcs(t.position()));
  out.real(40, t.height());
  out.text(1, std::wstring(t.textStringConst()));
  if (t.rotation() != 0) out.degrees(50, t.rotation());
  if (t.widthFactor() != 1) out.real(41, t.widthFactor());
  if (t.oblique() != 0) out.degrees(51, t.oblique());
  writeStyle(out, t.textStyle());
  if (t.horizontalMode() != AcDb::kTextLeft) out.integer(72, t.horizontalMode());
  if (withAlignment && !t.isDefaultAlignment()) out.point(11, ocs.toOcs(t.alignmentPoint()));
  out.normal(210, t.normal());
}

//   100 AcDbSpline, 210 normal, 70 flags, 71 degree, 72-74 counts,
//   42-44 tolerances, 12/13 end tangents, 40 knots, 41 weights,
//   10 control points, 11 fit points
void splineBody(GroupWriter& out, const AcDbSpline& s) {
  out.text(100, std::string("AcDbSpline"));
  out.normal(210, s.normal());
  out.integer(70, s.flags());
  out.integer(71, s.degree());
  out.integer(72, static_cast<long long>(s.knots().size()));
  out.integer(73, s.numControlPoints());
  out.integer(74, s.numFitPoints());
  if (s.knotTolerance()) out.real(42, *s.knotTolerance());
  if (s.controlPointTolerance()) out.real(43, *s.controlPointTolerance());
  if (s.fitTolerance()) out.real(44, *s.fitTolerance());
  if (s.startTangent()) out.vector(12, *s.startTangent());
  if (s.endTangent()) out.vector(13, *s.endTangent());
  for (double k : s.knots()) out.real(40, k);
  for (double w : s.weights()) out.real(41, w);
  AcGePoint3d p;
  for (int i = 0; s.getControlPointAt(i, p) == Acad::eOk; ++i) out.point(10, p);
  for (int i = 0; s.getFitPointAt(i, p) == Acad::eOk; ++i) out.point(11, p);
}

// The rotation (degrees, group 50) a file gave a paragraph text, which
// the text keeps with the groups it does not model.
std::optional<double> keptRotation(const AcDbMText& t) {
  bool inText = false;
  for (const RawGroup& g : t.keptGroups()) {
    if (g.code == 100) inText = g.value == "AcDbMText";
    else if (inText && g.code == 50) return std::strtod(g.value.c_str(), nullptr);
  }
  return std::nullopt;
}

void mtextBody(GroupWriter& out, const AcDbMText& t) {
  out.text(100, std::string("AcDbMText"));
  out.point(10, t.location());
  out.real(40, t.textHeight());
  if (t.width() != 0) out.real(41, t.width());
  out.integer(71, t.attachment());
  // Long texts go in pieces of 250 bytes (3 groups), the rest last (1); a
  // piece never ends inside a character.
  const std::string contents = TextCodec::encode(t.contents());
  size_t at = 0;
  while (contents.size() - at > 250) {
    size_t cut = at + 250;
    while (cut > at && (static_cast<unsigned char>(contents[cut]) & 0xC0) == 0x80) --cut;
    out.text(3, contents.substr(at, cut - at));
    at = cut;
  }
  out.text(1, contents.substr(at));
  writeStyle(out, t.textStyle());
  out.normal(210, t.normal());
  // The direction is written unless a kept rotation (or, without one, the
  // x axis of the normal) says the same: readers take 11 over 50.
  const AcGeVector3d implied = [&] {
    AcGeVector3d x, y;
    ocsAxes(t.normal(), x, y);
    const double a = keptRotation(t).value_or(0) * kDegree;
    return x * std::cos(a) + y * std::sin(a);
  }();
  if (!t.direction().isEqualTo(implied, AcGeTol(1e-12, 1e-12))) out.vector(11, t.direction());
  if (t.lineSpacingFactor() != 1) out.real(44, t.lineSpacingFactor());
}

}  // namespace

std::uint64_t handleOf(AcDbObjectId id) { return id.isNull() ? 0 : id.handle().value(); }

std::wstring recordName(AcDbObjectId id) {
  auto* rec = DbAccess::peekAs<AcDbSymbolTableRecord>(id);
  return rec ? rec->nameText() : std::wstring();
}

void writeXData(GroupWriter& out, const AcDbObject& obj) {
  for (const XDataGroup& g : obj.xDataGroups()) {
    out.text(1001, g.appName);
    writeItems(out, g.items);
  }
}

void writeRaw(GroupWriter& out, const std::string& type, const uv::RawGroups& groups, AcDbObjectId id,
              const std::wstring* layer) {
  out.setContext(type + " " + toUtf8(id.handle().text()));
  out.start(type.c_str());
  const int handleCode = type == "DIMSTYLE" ? 105 : 5;
  bool handleDone = false, layerDone = layer == nullptr;
  // A record without a handle (DXF R12) gets the one the database gave it.
  if (std::none_of(groups.begin(), groups.end(), [&](const uv::RawGroup& g) { return g.code == handleCode; })) {
    out.handle(handleCode, handleOf(id));
    handleDone = true;
  }
  uv::RawGroups one(1);
  for (const uv::RawGroup& g : groups) {
    if (!handleDone && g.code == handleCode) {
      out.handle(handleCode, handleOf(id));
      handleDone = true;
    } else if (!layerDone && g.code == 8) {
      out.text(8, *layer);
      layerDone = true;
    } else {
      one[0] = g;
      out.raw(one);
    }
  }
}

void EntityWriter::common(const AcDbEntity& e, const char* type, bool paperSpace) {
  const std::uint64_t h = handleOf(e.objectId());
  m_out.setContext(type, h);
  m_out.start(type, &e.keptGroups());
  m_out.handle(5, h);
  AcDbObjectId owner = e.ownerId();
  // A sub-entity whose file named its polyline's block names the block the
  // polyline is in now.
  if (m_out.takeKeptHeadGroup(330))
    if (auto* parent = DbAccess::peek(owner)) owner = parent->ownerId();
  m_out.handle(330, handleOf(owner));
  m_out.text(100, std::string("AcDbEntity"));
  if (paperSpace) m_out.integer(67, 1);
  const std::wstring layer = recordName(e.layerId());
  m_out.text(8, layer.empty() ? std::wstring(L"0") : layer);
  writeLinetype(recordName(e.linetypeId()));
  if (e.colorIndex() != 256) m_out.integer(62, e.colorIndex());
  if (e.lineWeight() != AcDb::kLnWtByLayer) m_out.integer(370, e.lineWeight());
  if (e.linetypeScale() != 1) m_out.real(48, e.linetypeScale());
  if (e.visibility() == AcDb::kInvisible) m_out.integer(60, 1);
}

// ByLayer goes unstated unless the file stated it; ByLayer and ByBlock
// keep the file's spelling while the entity keeps the linetype.
void EntityWriter::writeLinetype(const std::wstring& linetype) {
  const bool byLayer = linetype.empty() || equalsNoCase(linetype, L"ByLayer");
  const bool byBlock = !byLayer && equalsNoCase(linetype, L"ByBlock");
  if (const std::string* stated = m_out.keptValue(6)) {
    if ((byLayer || byBlock) && equalsNoCase(fromUtf8(*stated), byLayer ? L"ByLayer" : L"ByBlock")) {
      m_out.keptHere(6);
      return;
    }
    m_out.dropKept(6);
  }
  if (!byLayer) m_out.text(6, linetype);
}

void EntityWriter::sequence(const AcDbEntity& owner, const std::vector<AcDbObjectId>& children, AcDbObjectId end,
                            bool paperSpace) {
  for (const AcDbObjectId& id : children)
    if (auto* child = DbAccess::peekAs<AcDbEntity>(id)) write(*child, paperSpace);
  if (auto* seqend = DbAccess::peekAs<AcDbEntity>(end)) {
    common(*seqend, "SEQEND", paperSpace);
    writeXData(m_out, *seqend);
  } else if (!children.empty()) {
    throw DxfError(0, "the entity " + toUtf8(owner.objectId().handle().text()) + " has sub-entities but no SEQEND");
  }
}

void EntityWriter::write(const AcDbEntity& e, bool paperSpace) {
  GroupWriter& o = m_out;
  if (auto* raw = AcDbRawEntity::cast(&e)) {
    const std::wstring layer = recordName(e.layerId());
    writeRaw(o, raw->dxfName(), raw->groups(), e.objectId(), layer.empty() ? nullptr : &layer);
    return;
  }
  if (auto* line = AcDbLine::cast(&e)) {
    common(e, "LINE", paperSpace);
    o.text(100, std::string("AcDbLine"));
    if (line->thickness() != 0) o.real(39, line->thickness());
    o.point(10, line->startPoint());
    o.point(11, line->endPoint());
    o.normal(210, line->normal());
  } else if (auto* pt = AcDbPoint::cast(&e)) {
    common(e, "POINT", paperSpace);
    o.text(100, std::string("AcDbPoint"));
    o.point(10, pt->position());
    if (pt->thickness() != 0) o.real(39, pt->thickness());
    o.normal(210, pt->normal());
  } else if (auto* arc = AcDbArc::cast(&e)) {
    common(e, "ARC", paperSpace);
    o.text(100, std::string("AcDbCircle"));
    if (arc->thickness() != 0) o.real(39, arc->thickness());
    o.point(10, Ocs(arc->normal()).toOcs(arc->center()));
    o.real(40, arc->radius());
    o.normal(210, arc->normal());
    o.text(100, std::string("AcDbArc"));
    o.degrees(50, arc->startAngle());
    o.degrees(51, arc->endAngle());
  } else if (auto* circle = AcDbCircle::cast(&e)) {
    common(e, "CIRCLE", paperSpace);
    o.text(100, std::string("AcDbCircle"));
    if (circle->thickness() != 0) o.real(39, circle->thickness());
    o.point(10, Ocs(circle->normal()).toOcs(circle->center()));
    o.real(40, circle->radius());
    o.normal(210, circle->normal());
  } else if (auto* def = AcDbAttributeDefinition::cast(&e)) {
    common(e, "ATTDEF", paperSpace);
    textBody(o, *def, true);
    o.text(100, std::string("AcDbAttributeDefinition"));
    o.text(3, std::wstring(def->promptConst()));
    o.text(2, std::wstring(def->tagConst()));
    o.integer(70, (def->isInvisible() ? 1 : 0) | (def->isConstant() ? 2 : 0) | (def->isVerifiable() ? 4 : 0) |
                      (def->isPreset() ? 8 : 0));
    if (def->verticalMode() != AcDb::kTextBase) o.integer(74, def->verticalMode());
  } else if (auto* att = AcDbAttribute::cast(&e)) {
    common(e, "ATTRIB", paperSpace);
    textBody(o, *att, true);
    o.text(100, std::string("AcDbAttribute"));
    o.text(2, std::wstring(att->tagConst()));
    o.integer(70, (att->isInvisible() ? 1 : 0) | (att->isConstant() ? 2 : 0));
    if (att->verticalMode() != AcDb::kTextBase) o.integer(74, att->verticalMode());
  } else if (auto* text = AcDbText::cast(&e)) {
    common(e, "TEXT", paperSpace);
    textBody(o, *text, true);
    o.text(100, std::string("AcDbText"));
    if (text->verticalMode() != AcDb::kTextBase) o.integer(73, text->verticalMode());
  } else if (auto* lw = AcDbPolyline::cast(&e)) {
    common(e, "LWPOLYLINE", paperSpace);
    o.text(100, std::string("AcDbPolyline"));
    o.integer(90, lw->numVerts());
    o.integer(70, lw->isClosed() ? 1 : 0);
    double width = 0;
    const bool constant = lw->getConstantWidth(width) == Acad::eOk;
    // A constant width of zero is stated only where the file stated it.
    if (!(constant && width == 0 && o.keptHere(43))) {
      o.dropKept(43);
      if (constant && width != 0) o.real(43, width);
    }
    if (lw->elevation() != 0) o.real(38, lw->elevation());
    if (lw->thickness() != 0) o.real(39, lw->thickness());
    for (unsigned i = 0; i < lw->numVerts(); ++i) {
      AcGePoint2d p;
      double bulge = 0, sw = 0, ew = 0;
      lw->getPointAt(i, p);
      lw->getBulgeAt(i, bulge);
      lw->getWidthsAt(i, sw, ew);
      o.point2d(10, p.x, p.y);
      if (!constant && (sw != 0 || ew != 0)) {
        o.real(40, sw);
        o.real(41, ew);
      }
      if (bulge != 0) o.real(42, bulge);
    }
    o.normal(210, lw->normal());
  } else if (auto* p2 = AcDb2dPolyline::cast(&e)) {
    common(e, "POLYLINE", paperSpace);
    o.text(100, std::string("AcDb2dPolyline"));
    o.integer(66, 1);
    o.point(10, AcGePoint3d(0, 0, p2->elevation()));
    if (p2->thickness() != 0) o.real(39, p2->thickness());
    int flags = p2->isClosed() ? 1 : 0;
    if (p2->polyType() == AcDb::k2dFitCurvePoly) flags |= 2;
    if (p2->polyType() == AcDb::k2dQuadSplinePoly || p2->polyType() == AcDb::k2dCubicSplinePoly) flags |= 4;
    o.integer(70, flags);
    if (p2->defaultStartWidth() != 0) o.real(40, p2->defaultStartWidth());
    if (p2->defaultEndWidth() != 0) o.real(41, p2->defaultEndWidth());
    if (p2->polyType() == AcDb::k2dQuadSplinePoly) o.integer(75, 5);
    if (p2->polyType() == AcDb::k2dCubicSplinePoly) o.integer(75, 6);
    o.normal(210, p2->normal());
    writeXData(o, e);
    sequence(e, childrenOf(*p2, &AcDb2dPolyline::vertexIterator), sequenceEndOf(*p2), paperSpace);
    return;
  } else if (auto* v2 = AcDb2dVertex::cast(&e)) {
    common(e, "VERTEX", paperSpace);
    o.text(100, std::string("AcDbVertex"));
    o.text(100, std::string("AcDb2dVertex"));
    o.point(10, v2->position());
    if (v2->startWidth() != 0) o.real(40, v2->startWidth());
    if (v2->endWidth() != 0) o.real(41, v2->endWidth());
    if (v2->bulge() != 0) o.real(42, v2->bulge());
    const int type = v2->vertexType();
    o.integer(70, type == AcDb::k2dCurveFitVertex ? 1 : type == AcDb::k2dSplineFitVertex ? 8
                                                   : type == AcDb::k2dSplineCtlVertex  ? 16 : 0);
    if (v2->tangent() != 0) o.real(50, v2->tangent());
  } else if (auto* p3 = AcDb3dPolyline::cast(&e)) {
    common(e, "POLYLINE", paperSpace);
    o.text(100, std::string("AcDb3dPolyline"));
    o.integer(66, 1);
    o.point(10, AcGePoint3d());
    int flags = 8 | (p3->isClosed() ? 1 : 0);
    if (p3->polyType() != AcDb::k3dSimplePoly) flags |= 4;
    o.integer(70, flags);
    if (p3->polyType() == AcDb::k3dQuadSplinePoly) o.integer(75, 5);
    if (p3->polyType() == AcDb::k3dCubicSplinePoly) o.integer(75, 6);
    writeXData(o, e);
    sequence(e, childrenOf(*p3, &AcDb3dPolyline::vertexIterator), sequenceEndOf(*p3), paperSpace);
    return;
  } else if (auto* v3 = AcDb3dPolylineVertex::cast(&e)) {
    common(e, "VERTEX", paperSpace);
    o.text(100, std::string("AcDbVertex"));
    o.text(100, std::string("AcDb3dPolylineVertex"));
    o.point(10, v3->position());
    const int type = v3->vertexType();
    o.integer(70, 32 | (type == AcDb::k3dControlVertex ? 16 : type == AcDb::k3dFitVertex ? 8 : 0));
  } else if (auto* ellipse = AcDbEllipse::cast(&e)) {
    common(e, "ELLIPSE", paperSpace);
    o.text(100, std::string("AcDbEllipse"));
    o.point(10, ellipse->center());
    o.vector(11, ellipse->majorAxis());
    o.normal(210, ellipse->normal());
    o.real(40, ellipse->radiusRatio());
    o.real(41, ellipse->startParam());
    o.real(42, ellipse->endParam());
  } else if (auto* spline = AcDbSpline::cast(&e)) {
    common(e, "SPLINE", paperSpace);
    splineBody(o, *spline);
  } else if (auto* mtext = AcDbMText::cast(&e)) {
    common(e, "MTEXT", paperSpace);
    mtextBody(o, *mtext);
  } else if (auto* face = AcDbFace::cast(&e)) {
    common(e, "3DFACE", paperSpace);
    o.text(100, std::string("AcDbFace"));
    for (Adesk::UInt16 i = 0; i < 4; ++i) {
      AcGePoint3d p;
      face->getVertexAt(i, p);
      o.point(10 + i, p);
    }
    if (face->invisibleEdgeFlags() != 0) o.integer(70, face->invisibleEdgeFlags());
  } else if (auto* wipeout = AcDbWipeout::cast(&e)) {
    common(e, "WIPEOUT", paperSpace);
    writeWipeoutBody(o, *wipeout);
  } else if (auto* ref = AcDbBlockReference::cast(&e)) {
    const std::vector<AcDbObjectId> attributes = childrenOf(*ref, &AcDbBlockReference::attributeIterator);
    common(e, "INSERT", paperSpace);
    o.text(100, std::string("AcDbBlockReference"));
    if (!attributes.empty()) o.integer(66, 1);
    o.text(2, recordName(ref->blockTableRecord()));
    o.point(10, Ocs(ref->normal()).toOcs(ref->position()));
    const AcGeScale3d s = ref->scaleFactors();
    if (s.sx != 1) o.real(41, s.sx);
    if (s.sy != 1) o.real(42, s.sy);
    if (s.sz != 1) o.real(43, s.sz);
    if (ref->rotation() != 0) o.degrees(50, ref->rotation());
    o.normal(210, ref->normal());
    writeXData(o, e);
    if (attributes.empty()) return;
    sequence(e, attributes, sequenceEndOf(*ref), paperSpace);
    return;
  } else {
    // Never leave an entity out of a file silently.
    throw DxfError(0, "the drawing holds a " + toUtf8(e.isA()->name()) + " (" + toUtf8(e.objectId().handle().text()) +
                          "), which has no DXF form here");
  }
  writeXData(o, e);
}

}  // namespace uv::dxf
