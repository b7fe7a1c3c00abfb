// The colour, linetype and line weight an entity is drawn with, and whether
// it is drawn at all, as the drawing's layers and the block references
// around it decide:
//
//   ByLayer   the layer's value; inside a block, an entity on layer "0"
//             takes the layer of the reference that shows it
//   ByBlock   the value of the reference that shows it; in model space
//             colour 7, Continuous and the default weight
//   hidden    erased or invisible entities, entities on a layer that is off
//             or frozen (a reference on a frozen layer hides its whole block)
#pragma once

#include <map>
#include <vector>

#include "db/AcDbObjectId.h"

class AcDbDatabase;
class AcDbEntity;

namespace uv::render {

// What a block reference hands down to the entities of its block.
struct Inherited {
  int colour = 7;              // an ACI colour 1-255
  AcDbObjectId linetype;       // null: Continuous
  double linetypeScale = 1;
  int lineWeight = 25;         // hundredths of a millimetre
  AcDbObjectId layer;          // null in model space
};

// One entity's properties, resolved.
struct Resolved {
  bool visible = true;
  int colour = 7;
  AcDbObjectId linetype;  // null: Continuous
  double linetypeScale = 1;
  int lineWeight = 25;
  AcDbObjectId layer;     // the layer whose properties apply

  // What a block reference resolved so passes to its contents.
  Inherited handedDown() const { return {colour, linetype, linetypeScale, lineWeight, layer}; }
};

class StyleResolver {
 public:
  static constexpr int kDefaultLineWeight = 25;  // 0.25 mm, the host's default

  explicit StyleResolver(const AcDbDatabase& db);

  Resolved resolve(const AcDbEntity& entity, const Inherited& from) const;
  bool isLayerFrozen(AcDbObjectId layer) const { return info(layer).frozen; }
  // Dashes of a linetype in drawing units at scale 1: positive dashes,
  // negative gaps, 0 dots; empty for a continuous line.
  const std::vector<double>& dashes(AcDbObjectId linetype) const;

  // Line weight (hundredths of a millimetre) in pixels of a 96 dpi screen,
  // at least one pixel so that thin lines stay visible.
  static double pixelWidth(int lineWeight);

 private:
  struct LayerInfo {
    bool off = false, frozen = false, zero = false;
    int colour = 7;
    AcDbObjectId linetype;
    int lineWeight = kDefaultLineWeight;
  };
  const LayerInfo& info(AcDbObjectId layer) const;
  AcDbObjectId continuousOrNull(AcDbObjectId linetype) const;

  const AcDbDatabase& m_db;
  mutable std::map<AcDbObjectId, LayerInfo> m_layers;
  // The layer asked last: entities of one layer mostly come together.
  mutable AcDbObjectId m_lastLayer;
  mutable const LayerInfo* m_lastInfo = nullptr;
  mutable std::map<AcDbObjectId, std::vector<double>> m_dashes;
};

}  // namespace uv::render
