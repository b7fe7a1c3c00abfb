// Base of the drawable objects: layer, colour, linetype, line weight and
// visibility, extents and intersections.
//
// An entity added to a database without a layer gets the database's
// current layer, without a linetype its current linetype. Layer and
// linetype names are looked up in the entity's database, or in the working
// database while the entity is not in one. The doSubents flag of the
// property setters passes the value on to vertices and attributes.
#pragma once

#include "ge/AcGePlane.h"
#include "ge/AcGePointArrays.h"
#include "AcCmColor.h"
#include "AcDbExtents.h"
#include "AcDbObject.h"
#include "CurvePath.h"

class AcDbEntity : public AcDbObject {
 public:
  ACRX_DECLARE_MEMBERS(AcDbEntity);
  UV_DECLARE_CLONE(AcDbEntity);

  // The block table record holding the entity (for vertices and attributes,
  // that of their owner).
  AcDbObjectId blockId() const;

  // A malloc'ed copy of the layer name (free it, or acutDelString); an empty
  // text for an entity without a layer yet.
  ACHAR* layer() const;
  AcDbObjectId layerId() const { return m_layer; }
  // eKeyNotFound when the layer is not in the table.
  Acad::ErrorStatus setLayer(const ACHAR* name, bool doSubents = true, bool allowHiddenLayer = false);
  Acad::ErrorStatus setLayer(AcDbObjectId layerId, bool doSubents = true, bool allowHiddenLayer = false);

  Adesk::UInt16 colorIndex() const { return m_color.colorIndex(); }
  // 0 ByBlock, 1-255, 256 ByLayer; eInvalidInput above 256.
  Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, bool doSubents = true);
  AcCmColor color() const { return m_color; }
  Acad::ErrorStatus setColor(const AcCmColor& color, bool doSubents = true);

  // A malloc'ed copy of the linetype name, as layer().
  ACHAR* linetype() const;
  AcDbObjectId linetypeId() const { return m_linetype; }
  // eUndefinedLineType when the linetype is not in the table.
  Acad::ErrorStatus setLinetype(const ACHAR* name, bool doSubents = true);
  Acad::ErrorStatus setLinetype(AcDbObjectId linetypeId, bool doSubents = true);
  double linetypeScale() const { return m_linetypeScale; }
  Acad::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);

  AcDb::LineWeight lineWeight() const { return static_cast<AcDb::LineWeight>(m_lineWeight); }
  // One of the standard weights or ByLayer/ByBlock/ByLwDefault; eInvalidInput otherwise.
  Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight, bool doSubents = true);
  static bool isValidLineWeight(int weight);

  AcDb::Visibility visibility() const { return static_cast<AcDb::Visibility>(m_visibility); }
  Acad::ErrorStatus setVisibility(AcDb::Visibility v, bool doSubents = true);

  // Current layer, linetype, colour ByLayer and line weight of db (the
  // entity's or the working database when null).
  Acad::ErrorStatus setDatabaseDefaults(AcDbDatabase* db = nullptr);
  Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, bool doSubents = true);

  // eInvalidExtents for an entity without geometry.
  virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;

  // Points where this entity meets another, both projected onto projPlane
  // along its normal. The points lie on this entity (its own z at the point).
  // Curve kinds only (line, arc, circle, lightweight, 2D and 3D polylines);
  // eNotApplicable for other kinds and for arcs not parallel to the plane.
  // kExtendThis/kExtendArg/kExtendBoth extend lines to infinite lines and
  // arcs to full circles; polylines are never extended. Overlapping pieces
  // give the ends of the overlap. The markers are not used.
  Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projPlane,
                                  AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                  Adesk::GsMarker otherGsMarker = 0) const;
  // As above, in the world XY plane, keeping only points where both
  // entities also agree in z.
  Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                  Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const;

  // The entity as straight and circular pieces; false for kinds that are not curves.
  virtual bool getCurvePath(uv::CurvePath& path) const { return false; }
  // Whether intersectWith may extend the entity (lines and arcs).
  virtual bool isExtendable() const { return false; }

  void getReferences(std::vector<uv::ObjectReference>& refs) const override;

 protected:
  Acad::ErrorStatus subPrepareAdd(AcDbDatabase* db) override;
  void subAdded() override;
  // Entities that take the properties set with doSubents.
  virtual void getSubentities(std::vector<AcDbEntity*>& subents) const {}
  // The database names are looked up in.
  AcDbDatabase* lookupDatabase() const;
  // Stores n, made unit length, in member; eInvalidInput for a zero vector.
  Acad::ErrorStatus setUnitNormal(AcGeVector3d& member, const AcGeVector3d& n) {
    if (n.isZeroLength()) return writeOk() ? Acad::eInvalidInput : Acad::eNotOpenForWrite;
    return setWritable(member, n.normal());
  }

 private:
  template <class F>
  void applyToSubents(bool doSubents, F f);

  // The small members first: they fill the last bytes of the object's
  // word of flags (an entity is one of millions).
  std::uint8_t m_visibility = AcDb::kVisible;
  AcCmColor m_color;
  AcDbObjectId m_layer;
  AcDbObjectId m_linetype;
  double m_linetypeScale = 1.0;
  std::int16_t m_lineWeight = AcDb::kLnWtByLayer;  // -3..211
};

// Opens id as an entity.
Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& ent, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false);
