// A combo box: a drop-down list (CBS_DROPDOWNLIST) or a drop-down with an
// edit field (CBS_DROPDOWN), optionally sorted (CBS_SORT). Searches ignore
// letter case, as Windows does. A program's SetCurSel sends nothing; a
// person's choice sends CBN_SELCHANGE.
#pragma once

#include "ui/CWnd.h"
#include "ui/StringItems.h"

class CComboBox : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Sorted lists insert in order; returns the index, or CB_ERR.
  int AddString(LPCTSTR text);
  int InsertString(int index, LPCTSTR text);
  // Returns the number of items left, or CB_ERR.
  int DeleteString(UINT index);
  void ResetContent();
  int GetCount() const { return m_items.count(); }

  int GetCurSel() const { return m_current; }
  // -1 clears the selection; returns the index, or CB_ERR for a bad index.
  int SetCurSel(int index);
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const;
  int FindString(int startAfter, LPCTSTR prefix) const;
  int FindStringExact(int startAfter, LPCTSTR text) const;
  // Selects the first item starting with the prefix; returns it or CB_ERR.
  int SelectString(int startAfter, LPCTSTR prefix);
  int SetItemData(int index, DWORD_PTR data);
  DWORD_PTR GetItemData(int index) const;
  int SetItemDataPtr(int index, void* data) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(data)); }
  void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
  void ShowDropDown(BOOL show = TRUE) {}
  BOOL GetDroppedState() const { return FALSE; }

  // A person picks item `index` from the list.
  void userChoose(int index);
  // A person types into the edit field of a CBS_DROPDOWN box.
  void userSetText(const CString& text);
  // The item a script names: exact text, else the only one equal ignoring case.
  int findForScript(const CString& text) const { return m_items.findForScript(text); }
  bool isDropDownList() const { return (GetStyle() & 0x3) == CBS_DROPDOWNLIST; }
  // The selection before the person's latest choice, for pickers that put
  // it back when a choice is cancelled.
  int selectionBeforeChoice() const { return m_beforeChoice; }

  void applyUserAction(const uv::DialogAction& action) override;
  const wchar_t* windowClassName() const override { return L"ComboBox"; }

 protected:
  uv::WidgetKind kind() const override { return uv::WidgetKind::kComboBox; }
  // A destroyed control forgets its content, as its window would.
  void OnDestroy() override;

 private:
  void showCurrentText();

  uv::StringItems m_items;
  int m_current = -1;
  int m_beforeChoice = -1;
};
