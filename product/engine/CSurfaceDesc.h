// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "base/CString.h"
#include "product/engine/CKVLSurfaceManager.h"

class CKVLLayerManager;

// The record by which the surface manager lists a surface, changed in place by the dialogs:
//   m_strName         the surface's name, unique in the drawing (letter case counts)
//   m_strDescription  free text
//   m_strStorage      "dict" for a surface kept in the drawing, "file" for one in a .kvb file
//   m_strInfo         the further text a list shows: for a drawing surface its counts
//                     ("1250 points, 2410 triangles"), for a file surface its path, followed by
//                     " (not found)" or " (unreadable: why)" while the file cannot be used
// Renaming is writing m_strName; the manager finds the surface by the new name at once and
// writes it under that name at the next Save().
class CKVLSurfaceManager::CSurfaceDesc {
 public:
  CSurfaceDesc();
  ~CSurfaceDesc();
  CSurfaceDesc(const CSurfaceDesc&) = delete;
  CSurfaceDesc& operator=(const CSurfaceDesc&) = delete;

  CString m_strName;
  CString m_strDescription;
  CString m_strStorage;
  CString m_strInfo;
  // The surface file for storage "file"; empty otherwise.
  CString m_strPath;

  const CString& Name() const { return m_strName; }
  const CString& Description() const { return m_strDescription; }
  const CString& Storage() const { return m_strStorage; }
  const CString& Info() const { return m_strInfo; }
  bool IsInDrawing() const { return m_strStorage == kStorageDrawing; }

  CKVLLayerManager* GetLayerManager() { return m_layers.get(); }
  const CKVLLayerManager* GetLayerManager() const { return m_layers.get(); }

  static constexpr const wchar_t* kStorageDrawing = L"dict";
  static constexpr const wchar_t* kStorageFile = L"file";

 private:
  std::unique_ptr<CKVLLayerManager> m_layers;
};
