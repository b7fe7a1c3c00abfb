#include "module/surfaces/CKVLLinetypeComboBox.h"

#include "db/AcDbDatabase.h"
#include "db/AcDbHostApplicationServices.h"
#include "db/resbuf.h"
#include "ed/EdDialogs.h"
#include "product/cadwrapper/CKVLCLinetypeTablePtr.h"
#include "product/giscore/CModuleConfiguration.h"

namespace {

constexpr UINT kMsgOther = 3789;

std::set<CKVLLinetypeComboBox*>& registry() {
  static std::set<CKVLLinetypeComboBox*> pickers;
  return pickers;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKVLLinetypeComboBox, CComboBox)
  ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, &CKVLLinetypeComboBox::OnSelectionChanged)
  ON_MESSAGE(WM_KVL_REFILL_LINETYPES, &CKVLLinetypeComboBox::OnRefill)
END_MESSAGE_MAP()

CKVLLinetypeComboBox::CKVLLinetypeComboBox() { registry().insert(this); }

CKVLLinetypeComboBox::~CKVLLinetypeComboBox() { registry().erase(this); }

const std::set<CKVLLinetypeComboBox*>& CKVLLinetypeComboBox::LivePickers() { return registry(); }

void CKVLLinetypeComboBox::Initialize() { Fill(L"ByLayer"); }

void CKVLLinetypeComboBox::Fill(const CString& name) {
  ResetContent();
  CStringArray names;
  CKVLCLinetypeTablePtr table(AcDb::kForRead);
  table.getNames(names);
  for (int i = 0; i < names.GetSize(); ++i) AddString(names[i]);
  AddString(CModuleConfiguration::GetMsg(kMsgOther));
  if (!name.IsEmpty()) {
    Select(name);
  } else if (GetCount() > 0) {
    SetCurSel(0);
    GetLBText(0, m_strCurrent);
  }
}

void CKVLLinetypeComboBox::Select(const CString& name) {
  int found = FindStringExact(-1, name);
  if (found != CB_ERR && found == GetCount() - 1) found = 0;
  SetCurSel(found);
  if (found != CB_ERR) GetLBText(found, m_strCurrent);
}

void CKVLLinetypeComboBox::SelectIndex(int index) {
  if (SetCurSel(index) != CB_ERR && index >= 0) GetLBText(index, m_strCurrent);
}

CString CKVLLinetypeComboBox::GetSelectedName() const {
  const int selected = GetCurSel();
  if (selected == CB_ERR) return L"ByLayer";
  CString text;
  GetLBText(selected, text);
  return text;
}

BOOL CKVLLinetypeComboBox::OnSelectionChanged() {
  const int selected = GetCurSel();
  if (selected == GetCount() - 1) LoadOtherLinetype();
  else SelectIndex(selected);
  return FALSE;  // the dialog hears of the choice as well
}

void CKVLLinetypeComboBox::LoadOtherLinetype() {
  AcDbDatabase* db = acdbCurDwg();
  wchar_t* chosen = nullptr;
  AcDbObjectId id;
  if (acedLinetypeDialog(db ? db->celtype() : AcDbObjectId(), true, chosen, id) && chosen) {
    Fill(chosen);
    acutDelString(chosen);
    // Copied first: a picker may be destroyed while the others refill.
    const std::set<CKVLLinetypeComboBox*> others = registry();
    for (CKVLLinetypeComboBox* picker : others)
      if (picker != this && registry().count(picker)) picker->SendMessage(WM_KVL_REFILL_LINETYPES);
    return;
  }
  Select(m_strCurrent);
}

LRESULT CKVLLinetypeComboBox::OnRefill(WPARAM, LPARAM) {
  Fill(m_strCurrent);
  return 0;
}
