// SPDX-License-Identifier: GPL-3.0-or-later
#include "product/engine/CSurfaceDesc.h"

#include "product/engine/CKVLLayerManager.h"

CKVLSurfaceManager::CSurfaceDesc::CSurfaceDesc() : m_layers(std::make_unique<CKVLLayerManager>()) {}
CKVLSurfaceManager::CSurfaceDesc::~CSurfaceDesc() = default;
