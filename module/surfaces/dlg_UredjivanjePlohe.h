// The surface properties dialog: edits, in place, the engine's description
// record of one surface: its name, its description and, for each of its
// layer records, the layer name, colour number and linetype.
#pragma once

#include "base/CString.h"
#include "base/CStringArray.h"
#include "module/components/CModuleDialog.h"
#include "module/controls/CAlphanumericEdit.h"
#include "module/controls/CListCtrlEx.h"
#include "product/engine/CKVLSurfaceManager.h"

class dlg_UredjivanjePlohe : public CModuleDialog {
 public:
  enum { IDD = 221 };

  dlg_UredjivanjePlohe();

  // Set by the caller before the dialog runs.
  void SetSurfaceManager(CKVLSurfaceManager* manager) { m_pManager = manager; }
  void SetSurfaceDescription(CKVLSurfaceManager::CSurfaceDesc* desc) { m_pDesc = desc; }

  CString m_strDescription;

  BOOL OnInitDialog() override;

  // The label of a layer type's row (empty for an unknown type).
  static CString LayerLabel(int type);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnOK() override;

 private:
  void FillLayers();
  void StoreLayers();

  CKVLSurfaceManager* m_pManager = nullptr;
  CKVLSurfaceManager::CSurfaceDesc* m_pDesc = nullptr;
  CStringArray m_linetypes;
  CAlphanumericEdit m_name;
  CListCtrlEx m_layers;
};
