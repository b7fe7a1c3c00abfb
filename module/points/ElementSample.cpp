#include "module/points/ElementSample.h"

#include "db/AcDbObjectId.h"
#include "db/resbuf.h"
#include "ed/EdSelection.h"
#include "module/points/EntityKind.h"
#include "product/cadwrapper/CKVLCBlockReferencePtr.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"

namespace uv {

namespace {

bool counts(EntityKind kind, SampleKinds kinds) {
  if (kind == EntityKind::kNone) return false;
  if (kinds == SampleKinds::kAll) return true;
  return kind == EntityKind::kLine || kind == EntityKind::kLwPolyline || kind == EntityKind::k2dPolyline ||
         kind == EntityKind::k3dPolyline;
}

}  // namespace

ElementSample SampleSelection(const ads_name set, SampleKinds kinds) {
  ElementSample sample;
  Adesk::Int32 length = 0;
  if (acedSSLength(set, &length) != RTNORM) return sample;
  for (Adesk::Int32 i = 0; i < length; ++i) {
    ads_name name;
    AcDbObjectId id;
    if (acedSSName(set, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk) continue;
    EntityKind kind = EntityKind::kNone;
    {
      CKVLCEntityPtr entity(id);
      if (!entity.isOpen()) continue;
      ACHAR* layer = entity->layer();
      sample.layers.insert(CString(layer));
      acutDelString(layer);
      kind = EntityKindOf(entity);
    }
    if (!counts(kind, kinds)) continue;
    sample.types.insert(FilterTypeName(kind));
    if (kind == EntityKind::kBlockReference) {
      CKVLCBlockReferencePtr reference(id);
      CString block;
      if (reference.getBlockName(block) == Acad::eOk) sample.blocks.insert(block);
    }
  }
  return sample;
}

bool PickSample(SampleKinds kinds, ElementSample& sample) {
  SelectionSetScope set;
  if (acedSSGet(nullptr, nullptr, nullptr, nullptr, set.name()) != RTNORM) return false;
  sample = SampleSelection(set.name(), kinds);
  return true;
}

}  // namespace uv
