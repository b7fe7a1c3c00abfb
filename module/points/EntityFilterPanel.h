// The entity type list and the layer list that the dialogs taking entities
// from the drawing show side by side, with their buttons, as their
// templates lay them out:
//
//   210 types from a sample   215 check all   216 uncheck all
//   227 the frame the type list is made over
//   206 the layer list        211 layers from a sample
//
// The dialog binds the controls in its data exchange, creates the panel
// when it opens, routes the four buttons to it (keeping itself out of the
// way while the user picks a sample) and asks it for the selection filter.
#pragma once

#include "module/points/CElementType.h"
#include "module/points/ElementSample.h"
#include "product/giscore/CKVLBitmapButton.h"
#include "ui/CListCtrl.h"

class CDataExchange;
class CWnd;

namespace uv {

class EntityFilterPanel {
 public:
  explicit EntityFilterPanel(SampleKinds sampleKinds) : m_sampleKinds(sampleKinds) {}

  // Before Create.
  void SetTypeMask(unsigned mask) { m_types.SetTypeMask(mask); }
  void Bind(CDataExchange* pDX);
  // The buttons' images and tool tips, the layer list filled from the
  // drawing and the type list made over the frame of `dialog`.
  void Create(CWnd* dialog);

  void CheckAll() { m_types.CheckAll(); }
  void UncheckAll() { m_types.UncheckAll(); }
  // Ask the user for a sample without a filter; a sample checks the rows
  // of its types, or selects the rows of its layers, and never unchecks or
  // unselects a row. A selection not confirmed changes nothing.
  void TypesFromSample();
  void LayersFromSample();

  // The checked types followed by the selected layers' clause. The host
  // takes both groups together, so an entity must be of a checked type
  // and, when layers are selected, on one of them. A new chain that the
  // caller releases with acutRelRb.
  resbuf* BuildSelectionFilter() const;

  CElementType& Types() { return m_types; }
  const CElementType& Types() const { return m_types; }
  CListCtrl& Layers() { return m_layers; }

 private:
  SampleKinds m_sampleKinds;
  CElementType m_types;
  CListCtrl m_layers;
  CKVLBitmapButton m_typesFromSample;
  CKVLBitmapButton m_checkAll;
  CKVLBitmapButton m_uncheckAll;
  CKVLBitmapButton m_layersFromSample;
};

}  // namespace uv
