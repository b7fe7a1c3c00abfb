// SPDX-License-Identifier: GPL-3.0-or-later
// The layers of one surface: one record per kind of drawing.
//
//   type  drawn by                         default layer     colour        linetype
//   1     triangle edges and faces         <name>_TIN        8 dark grey   Continuous
//   2     grid lines and cells             <name>_GRID       9 light grey  Continuous
//   3     boundary polylines               <name>_BOUNDARY   1 red         DASHED
//   4     elevation markers                <name>_ELEV       2 yellow      Continuous
//   5     draped 3D polylines              <name>_DRAPE      5 blue        Continuous
//   6     contour lines                    <name>_CONTOURS   32 brown      Continuous
#pragma once

#include <vector>

#include "db/AcDbObjectId.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/KvbFormat.h"

class CKVLLayerManager {
 public:
  using LayerType = int;
  enum : int { kTriangles = 1, kGrid = 2, kBoundary = 3, kElevationMarkers = 4, kDrape = 5, kContours = 6 };

  CKVLLayerManager() = default;

  // The default records above for a surface of that name.
  void SetDefaults(const CString& surfaceName);

  // The record of that type; null when the surface has none.
  CKVLSurfaceManager::CKVLLayer* GetLayer(LayerType type);
  const CKVLSurfaceManager::CKVLLayer* GetLayer(LayerType type) const;

  // Puts the entities on the layer of that type, making the layer (with the record's colour and
  // linetype, the linetype loaded from the host's library when the drawing lacks it) when the
  // drawing has none of that name. Null ids and ids that do not open as entities are skipped.
  // False when there is no record of that type, the layer cannot be made, or an entity could
  // not be moved; the other entities are moved all the same.
  bool SetOnLayer(LayerType type, const AcDbObjectIdArray& ids);

  std::vector<uv::engine::LayerData> Records() const;
  void SetRecords(const std::vector<uv::engine::LayerData>& records);

 private:
  std::vector<CKVLSurfaceManager::CKVLLayer> m_layers;
};
