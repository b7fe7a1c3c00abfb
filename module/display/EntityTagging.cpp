#include "module/display/EntityTagging.h"

#include <cstdint>

#include "db/AcDbRegAppTable.h"
#include "db/resbuf.h"
#include "product/cadwrapper/CKVLCEntityPtr.h"

namespace uv::display {

short IndexTagValue(long index) { return static_cast<short>(static_cast<std::uint16_t>(index & 0xFFFF)); }

namespace {

resbuf* StringItem(const CString& text) {
  resbuf* item = acutNewRb(AcDb::kDxfXdAsciiString);
  item->resval.rstring = uv::newResString(text);
  return item;
}

resbuf* IndexItem(long index) {
  resbuf* item = acutNewRb(AcDb::kDxfXdInteger16);
  item->resval.rint = IndexTagValue(index);
  return item;
}

// Both tags in one chain, so that the entity's data is rebuilt once rather
// than twice (SHOW tags millions of faces); the chain lives on the stack and
// only points at the names, as setXData copies what it keeps. Should the
// pair be refused, each tag goes on alone: the name first, then the index,
// whatever became of the name.
void TagBoth(AcDbEntity* entity, const CString& surfaceName, const wchar_t* indexApp, long index) {
  resbuf chain[4] = {};
  chain[0].restype = AcDb::kDxfRegAppName;
  chain[0].resval.rstring = const_cast<wchar_t*>(kSurfaceNameApp);
  chain[1].restype = AcDb::kDxfXdAsciiString;
  chain[1].resval.rstring = const_cast<wchar_t*>(surfaceName.GetString());
  chain[2].restype = AcDb::kDxfRegAppName;
  chain[2].resval.rstring = const_cast<wchar_t*>(indexApp);
  chain[3].restype = AcDb::kDxfXdInteger16;
  chain[3].resval.rint = IndexTagValue(index);
  for (int i = 0; i < 3; ++i) chain[i].rbnext = &chain[i + 1];
  // Both applications are registered after the first face: only a refusal
  // registers them (setXData looks them up anyway) and tries again.
  if (entity->setXData(chain) == Acad::eOk) return;
  acdbRegApp(kSurfaceNameApp);
  acdbRegApp(indexApp);
  if (entity->setXData(chain) == Acad::eOk) return;
  TagEntity(entity, kSurfaceNameApp, StringItem(surfaceName));
  TagEntity(entity, indexApp, IndexItem(index));
}

}  // namespace
}  // namespace uv::display

void TagEntity(AcDbEntity* entity, const wchar_t* appName, resbuf* value) {
  if (!entity) {
    acutRelRb(value);
    return;
  }
  resbuf* head = entity->xData(appName);
  if (!head) {
    acdbRegApp(appName);
    head = acutNewRb(AcDb::kDxfRegAppName);
    head->resval.rstring = uv::newResString(appName);
  } else if (head->rbnext) {
    acutRelRb(head->rbnext);
  }
  head->rbnext = value;
  entity->setXData(head);
  acutRelRb(head);
}

void TagTriangleEdge(AcDbObjectId line, const CString& surfaceName, long index) {
  CKVLCLinePtr entity(line, AcDb::kForWrite);
  if (entity.isOpen()) uv::display::TagBoth(entity.object(), surfaceName, uv::display::kEdgeIndexApp, index);
}

void TagTriangleFace(AcDbObjectId face, const CString& surfaceName, long index) {
  CKVLCFacePtr entity(face, AcDb::kForWrite);
  if (entity.isOpen()) uv::display::TagBoth(entity.object(), surfaceName, uv::display::kTriangleIndexApp, index);
}
