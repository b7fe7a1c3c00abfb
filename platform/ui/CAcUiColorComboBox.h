// The host's colour picker: a drop-down list of colour indices. It offers
// ByLayer (256), ByBlock (0), the seven standard colours, the colours used
// recently ("Colour 30") and, last, "Select colour...", which opens the
// host's colour dialog; the colour chosen there joins the list and becomes
// the current item, and a cancelled dialog puts the previous item back.
// Each item's data is its colour index.
#pragma once

#include "ui/CComboBox.h"

class CAcUiColorComboBox : public CComboBox {
 public:
  CAcUiColorComboBox() = default;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // The item of the colour, added before "Select colour..." when missing;
  // -1 for an index outside 0 to 256.
  int AddColorToMRU(int colorIndex);
  int FindItemByColorIndex(int colorIndex) const;
  // -1 when nothing (or "Select colour...") is selected.
  int GetCurrentItemColorIndex() const { return GetItemColorIndex(GetCurSel()); }
  int GetItemColorIndex(int item) const;
  // Selects the colour's item, adding it first when missing.
  void SetCurrentItemColorIndex(int colorIndex);
  int GetBlockColorIndex() const { return m_blockColor; }
  void SetBlockColorIndex(int colorIndex) { m_blockColor = colorIndex; }
  COLORREF GetColorFromIndex(int colorIndex) const;

  // The item data of "Select colour...".
  static constexpr int kOther = -1;

 protected:
  uv::WidgetKind kind() const override { return uv::WidgetKind::kColorComboBox; }
  void PreSubclassWindow() override { fill(); }
  BOOL OnSelectionChanged();

  DECLARE_MESSAGE_MAP()

 private:
  void fill();
  int m_blockColor = 7;
};
