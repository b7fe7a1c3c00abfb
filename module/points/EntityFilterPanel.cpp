#include "module/points/EntityFilterPanel.h"

#include "db/ResbufChain.h"
#include "module/points/LayerList.h"
#include "ui/CDataExchange.h"
#include "ui/CWnd.h"

namespace uv {

namespace {

constexpr UINT IDC_LAYERS = 206;
constexpr UINT IDC_TYPES_FROM_SAMPLE = 210;
constexpr UINT IDC_LAYERS_FROM_SAMPLE = 211;
constexpr UINT IDC_CHECK_ALL = 215;
constexpr UINT IDC_UNCHECK_ALL = 216;
constexpr UINT IDC_TYPES_FRAME = 227;

}  // namespace

void EntityFilterPanel::Bind(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_LAYERS, m_layers);
  DDX_Control(pDX, IDC_TYPES_FROM_SAMPLE, m_typesFromSample);
  DDX_Control(pDX, IDC_CHECK_ALL, m_checkAll);
  DDX_Control(pDX, IDC_UNCHECK_ALL, m_uncheckAll);
  DDX_Control(pDX, IDC_LAYERS_FROM_SAMPLE, m_layersFromSample);
}

void EntityFilterPanel::Create(CWnd* dialog) {
  m_typesFromSample.SetBitmapImage(204);
  m_typesFromSample.SetToolTipMessage(7759);
  m_checkAll.SetBitmapImage(203);
  m_uncheckAll.SetBitmapImage(202);
  m_layersFromSample.SetBitmapImage(204);
  m_layersFromSample.SetToolTipMessage(7760);

  FillLayerList(m_layers);

  CRect frame;
  dialog->GetDlgItem(IDC_TYPES_FRAME)->GetWindowRect(&frame);
  dialog->ScreenToClient(&frame);
  m_types.CreateTree(dialog, frame);
}

void EntityFilterPanel::TypesFromSample() {
  ElementSample sample;
  if (PickSample(m_sampleKinds, sample)) m_types.CheckFromSample(sample.types, sample.blocks);
}

void EntityFilterPanel::LayersFromSample() {
  ElementSample sample;
  if (PickSample(m_sampleKinds, sample)) SelectLayers(m_layers, sample.layers);
}

resbuf* EntityFilterPanel::BuildSelectionFilter() const {
  ResbufChain filter(m_types.BuildSelectionFilter());
  CStringArray names;
  SelectedLayers(m_layers, names);
  filter.append(BuildLayerClause(names));
  return filter.release();
}

}  // namespace uv
