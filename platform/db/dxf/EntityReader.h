// Turns the record of one DXF entity into a database entity, not yet added
// anywhere: geometry (object-coordinate points taken to world points where
// the drawing keeps world points) and the common properties. Names of
// layers, linetypes, text styles and blocks are resolved through the
// loader's SymbolLookup. Kinds the drawing does not model give null.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "db/AcDbEntity.h"
#include "db/dxf/DxfRecord.h"
#include "db/dxf/TextCodec.h"

class AcDbAttribute;
class AcDb2dVertex;
class AcDb3dPolylineVertex;

namespace uv::dxf {

// Ids of named records; a missing layer, linetype or style is created (a
// drawing from elsewhere may use names it never defined), a missing block
// throws a DxfError naming the line.
struct SymbolLookup {
  std::function<AcDbObjectId(const std::wstring& name, int line)> layer, linetype, textStyle, block;
};

class EntityReader {
 public:
  EntityReader(const TextCodec& codec, SymbolLookup lookup) : m_codec(codec), m_lookup(std::move(lookup)) {}

  // LINE, POINT, CIRCLE, ARC, ELLIPSE, SPLINE, TEXT, MTEXT, ATTDEF,
  // LWPOLYLINE, POLYLINE, 3DFACE, INSERT, WIPEOUT, HATCH; null for other
  // kinds (and for an ellipse or spline whose shape the database refuses:
  // kept whole).
  std::unique_ptr<AcDbEntity> read(const DxfRecord& rec) const;
  std::unique_ptr<AcDbEntity> vertex(const DxfRecord& rec, bool is3d) const;
  std::unique_ptr<AcDbAttribute> attribute(const DxfRecord& rec) const;
  // POLYLINE flags that the drawing does not model (meshes, polyface meshes).
  static bool isMesh(const DxfRecord& polyline);

 private:
  void common(AcDbEntity& e, const DxfRecord& rec) const;
  // Null for a record that does not make a sound entity (kept whole).
  std::unique_ptr<AcDbEntity> readEllipse(const DxfRecord& rec) const;
  std::unique_ptr<AcDbEntity> readSpline(const DxfRecord& rec) const;
  std::unique_ptr<AcDbEntity> readMText(const DxfRecord& rec) const;
  // HatchReader.cpp: the loops of the body, the record kept whole.
  std::unique_ptr<AcDbEntity> readHatch(const DxfRecord& full, const DxfRecord& body) const;
  std::wstring text(const DxfRecord& rec, int code) const { return m_codec.decode(rec.text(code)); }
  const TextCodec& m_codec;
  SymbolLookup m_lookup;
};

}  // namespace uv::dxf
