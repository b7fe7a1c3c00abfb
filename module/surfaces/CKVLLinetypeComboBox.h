// The linetype picker: a drop-down list of the drawing's linetypes and, as
// its last entry, "Other..." (message 3789), which opens the host's
// linetype dialog. A linetype that the dialog loads into the drawing is
// offered at once by every live picker: the picker that loaded it sends
// WM_KVL_REFILL_LINETYPES to the others, and each refills keeping its own
// current name.
#pragma once

#include <set>

#include "base/CString.h"
#include "ui/CComboBox.h"

// The private message that makes a picker read the linetypes again.
constexpr UINT WM_KVL_REFILL_LINETYPES = 5349;

class CKVLLinetypeComboBox : public CComboBox {
 public:
  CKVLLinetypeComboBox();
  ~CKVLLinetypeComboBox() override;

  // Fill("ByLayer").
  void Initialize();
  // Lists the drawing's linetypes in table order and "Other..." last, then
  // selects `name` (an empty name selects the first entry and makes it the
  // current name).
  void Fill(const CString& name);
  // Selects the entry of that name (ignoring letter case, as the list
  // does); "Other..." selects the first entry instead; a name not listed
  // selects nothing and leaves the current name.
  void Select(const CString& name);
  void SelectIndex(int index);
  // The selected entry's text, "ByLayer" when nothing is selected.
  CString GetSelectedName() const;
  const CString& GetCurrentName() const { return m_strCurrent; }

  // Every picker alive now, for the refill message.
  static const std::set<CKVLLinetypeComboBox*>& LivePickers();

 protected:
  void PreSubclassWindow() override { Initialize(); }
  BOOL OnSelectionChanged();
  afx_msg LRESULT OnRefill(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  void LoadOtherLinetype();

  CString m_strCurrent;
};
