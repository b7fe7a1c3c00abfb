#include "AcDbBlockReference.h"

#include <cmath>
#include <map>

#include "AcDbAttributeDefinition.h"
#include "AcDbBlockTableRecord.h"
#include "DbAccess.h"

UV_DEFINE_RX_MEMBERS(AcDbBlockReference, AcDbEntity, L"INSERT")

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId block) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!uv::DbAccess::peekAs<AcDbBlockTableRecord>(block)) return Acad::eNotThatKindOfClass;
  if (database() && block.database() != database()) return Acad::eWrongDatabase;
  m_block = block;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& p) { return setWritable(m_position, p); }

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale) {
  return setChecked(m_scale, scale, scale.sx != 0 && scale.sy != 0 && scale.sz != 0);
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double r) { return setWritable(m_rotation, r); }

Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& n) { return setUnitNormal(m_normal, n); }

AcGePoint3d AcDbBlockReference::blockToWorld(const AcGePoint3d& p) const {
  AcGePoint3d origin;
  if (auto* block = uv::DbAccess::peekAs<AcDbBlockTableRecord>(m_block)) origin = block->origin();
  const AcGeVector3d d = p - origin;
  const double x = d.x * m_scale.sx, y = d.y * m_scale.sy, z = d.z * m_scale.sz;
  const double c = std::cos(m_rotation), s = std::sin(m_rotation);
  AcGeVector3d ax, ay;
  uv::ocsAxes(m_normal, ax, ay);
  return m_position + ax * (x * c - y * s) + ay * (x * s + y * c) + m_normal * z;
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* attribute) {
  AcDbObjectId id;
  return appendAttribute(id, attribute);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& id, AcDbAttribute* attribute) {
  return m_attributes.append(*this, attribute, &id);
}

namespace {

// Extents of blocks in their own coordinates, each block computed once per
// call (nested references share them), so that wide and deep nesting costs
// one pass over the blocks. A block that holds itself (which files must not
// have) is cut off where it comes back.
class BlockExtents {
 public:
  const AcDbExtents& of(AcDbObjectId blockId) {
    if (auto it = m_done.find(blockId); it != m_done.end()) return it->second;
    AcDbExtents out;
    m_done[blockId] = out;  // empty while being computed: ends a cycle
    auto* block = uv::DbAccess::peekAs<AcDbBlockTableRecord>(blockId);
    if (block && ++m_depth <= kMaxDepth) {
      for (AcDbObject* o : block->entities()) {
        auto* ent = AcDbEntity::cast(o);
        // Attribute definitions show in the definition only; references show attributes.
        if (!ent || ent->isKindOf(AcDbAttributeDefinition::desc())) continue;
        AcDbExtents e;
        if (auto* inner = AcDbBlockReference::cast(ent)) addThrough(*inner, e);
        else if (ent->getGeomExtents(e) != Acad::eOk) continue;
        if (!e.isEmpty()) out.addExt(e);
      }
    }
    if (block) --m_depth;
    return m_done[blockId] = out;
  }

  // The block's extents seen through the reference, in the reference's space.
  void addThrough(const AcDbBlockReference& ref, AcDbExtents& out) {
    const AcDbExtents e = of(ref.blockTableRecord());
    if (e.isEmpty()) return;
    const AcGePoint3d lo = e.minPoint(), hi = e.maxPoint();
    for (int k = 0; k < 8; ++k)
      out.addPoint(ref.blockToWorld(AcGePoint3d(k & 1 ? hi.x : lo.x, k & 2 ? hi.y : lo.y, k & 4 ? hi.z : lo.z)));
  }

 private:
  static constexpr int kMaxDepth = 256;  // beyond any nesting a reader accepts
  std::map<AcDbObjectId, AcDbExtents> m_done;
  int m_depth = 0;
};

}  // namespace

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  BlockExtents blocks;
  blocks.addThrough(*this, extents);
  for (AcDbEntity* a : m_attributes.entities()) {
    AcDbExtents e;
    if (a->getGeomExtents(e) == Acad::eOk) extents.addExt(e);
  }
  if (extents.isEmpty()) extents = AcDbExtents(m_position, m_position);
  return Acad::eOk;
}

void AcDbBlockReference::getReferences(std::vector<uv::ObjectReference>& refs) const {
  AcDbEntity::getReferences(refs);
  refs.push_back({m_block, "block", AcDbBlockTableRecord::desc()});
}

Acad::ErrorStatus AcDbBlockReference::subPrepareAdd(AcDbDatabase* db) {
  if (!m_block.isNull() && m_block.database() != db) return Acad::eWrongDatabase;
  return AcDbEntity::subPrepareAdd(db);
}

void AcDbBlockReference::subAdded() {
  AcDbEntity::subAdded();
  m_attributes.ownerAdded(*this);
}

void AcDbBlockReference::getSubentities(std::vector<AcDbEntity*>& subents) const {
  const auto e = m_attributes.entities();
  subents.insert(subents.end(), e.begin(), e.end());
}
