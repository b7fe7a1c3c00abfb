// The host's line-weight picker: ByLayer (-1), ByBlock (-2), optionally
// Default (-3), then the standard weights in hundredths of a millimetre,
// shown as "0.25 mm". Each item's data is its weight.
#pragma once

#include "ui/CComboBox.h"

class CAcUiLineWeightComboBox : public CComboBox {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  int FindItemByLineWeight(int lineWeight) const;
  // The current item's weight; -1 (ByLayer) when nothing is selected.
  int GetCurrentItemLineWeight() const { return GetItemLineWeight(GetCurSel()); }
  int GetItemLineWeight(int item) const;
  void SetCurrentItemLineWeight(int lineWeight) { SetCurSel(FindItemByLineWeight(lineWeight)); }
  // Whether the Default item is offered; refills the list.
  void SetUseDefault(BOOL useDefault);
  double GetLineWeightScale() const { return m_scale; }
  void SetLineWeightScale(double scale) { m_scale = scale; }

  static constexpr int kByLayer = -1;
  static constexpr int kByBlock = -2;
  static constexpr int kDefault = -3;

 protected:
  uv::WidgetKind kind() const override { return uv::WidgetKind::kLineWeightComboBox; }
  void PreSubclassWindow() override { fill(); }

 private:
  void fill();
  bool m_useDefault = true;
  double m_scale = 1.0;
};
