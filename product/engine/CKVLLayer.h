// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/CString.h"
#include "product/engine/CKVLSurfaceManager.h"

// How the entities of one kind of drawing of a surface go into the drawing: the layer, its
// colour (colour index 1-255) and its linetype. The layer is made with these when it is
// missing; an existing layer keeps what the user gave it.
class CKVLSurfaceManager::CKVLLayer {
 public:
  CKVLLayer() = default;
  CKVLLayer(int type, const CString& name, int color, const CString& linetype)
      : m_nType(type), m_strName(name), m_nColor(color), m_strLinetype(linetype) {}

  int m_nType = 0;  // CKVLLayerManager::LayerType, 1-6
  CString m_strName;
  int m_nColor = 7;
  CString m_strLinetype;
};
