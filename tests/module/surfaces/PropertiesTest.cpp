// The surface properties dialog and the linetype picker.
#include <gtest/gtest.h>

#include "SurfacesFixture.h"
#include "module/surfaces/CKVLLinetypeComboBox.h"
#include "module/surfaces/dlg_UredjivanjePlohe.h"
#include "db/AcDbLinetypeTableRecord.h"
#include "db/AcDbObjectPointer.h"
#include "product/cadwrapper/CKVLCLinetypeTablePtr.h"
#include "product/giscore/CModuleConfiguration.h"
#include "ui/CAcUiDialog.h"
#include "ui/CListCtrl.h"

namespace uvtest {
namespace {

class PropertiesTest : public SurfacesFixture {
 protected:
  CKVLSurfaceManager::CSurfaceDesc* desc = nullptr;
  std::vector<std::vector<std::wstring>> rows;  // as the dialog opened

  void SetUp() override {
    SurfacesFixture::SetUp();
    makeSurface(L"Teren");
    makeSurface(L"Bager");
    desc = manager()->GetSurfaceDescription(L"Teren");
    desc->m_strDescription = L"Survey";
  }

  INT_PTR edit(std::initializer_list<const wchar_t*> lines) {
    rows.clear();
    surfacesUser.onOpen = surfacesUser.afterAction = [this](CDialog& d) {
      auto* list = dynamic_cast<CListCtrl*>(d.GetDlgItem(206));
      if (!list || !rows.empty()) return;
      for (int r = 0; r < list->GetItemCount(); ++r) {
        rows.emplace_back();
        for (int c = 0; c < 4; ++c) rows.back().push_back(list->GetItemText(r, c).str());
      }
    };
    script(lines);
    dlg_UredjivanjePlohe dlg;
    dlg.SetSurfaceManager(manager());
    dlg.SetSurfaceDescription(desc);
    return dlg.DoModal();
  }

  const CKVLSurfaceManager::CKVLLayer& layer(int type) { return *desc->GetLayerManager()->GetLayer(type); }
};

// (Name, description and the layer cells that pass the rules, stored at OK:
// e2e_surfaces_manager.)
TEST_F(PropertiesTest, ASurfaceWithoutABoundaryRecordShowsFiveRows) {
  auto records = desc->GetLayerManager()->Records();
  std::erase_if(records, [](const uv::engine::LayerData& l) { return l.type == 3; });
  desc->GetLayerManager()->SetRecords(records);
  ASSERT_EQ(edit({L"edit-cell IDC_LAYERS 2 1 \"MARKERS\"", L"click IDOK"}), IDOK);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[2][0], CModuleConfiguration::GetMsg(5021).str());
  EXPECT_EQ(layer(4).m_strName, CString(L"MARKERS"));
}

// Two pickers in the contour dialog's template, as the contour dialog has them.
class TwoPickers : public CAcUiDialog {
 public:
  TwoPickers() : CAcUiDialog(226) {}
  CKVLLinetypeComboBox major, minor;
  std::function<void(TwoPickers&)> check;

  BOOL OnInitDialog() override {
    CAcUiDialog::OnInitDialog();
    minor.EnableWindow(TRUE);
    return TRUE;
  }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, 209, major);
    DDX_Control(dx, 212, minor);
  }
};

using LinetypePickerTest = SurfacesFixture;

// (A linetype loaded through one picker showing in the other, "Other..."
// last: e2e_contours_dialog.)
TEST_F(LinetypePickerTest, ANameMissingAfterARefillIsKeptWithNothingSelected) {
  TwoPickers dlg;
  std::vector<std::wstring> seen;
  surfacesUser.onOpen = surfacesUser.afterAction = [&](CDialog&) {
    if (dlg.major.GetCurrentName() != L"DASHED" || !seen.empty()) return;
    // The linetype the picker loaded leaves the drawing again.
    AcDbObjectId id;
    ASSERT_EQ(CKVLCLinetypeTablePtr()->getAt(L"DASHED", id), Acad::eOk);
    AcDbObjectPointer<AcDbLinetypeTableRecord> record(id, AcDb::kForWrite);
    ASSERT_EQ(record->erase(), Acad::eOk);
    record.close();
    dlg.major.SendMessage(WM_KVL_REFILL_LINETYPES);
    seen.push_back(dlg.major.GetCurrentName().str() + L"/" + dlg.major.GetSelectedName().str() + L"/" +
                   std::to_wstring(dlg.major.GetCurSel()));
    // "Other..." named is the first entry.
    dlg.minor.Select(CModuleConfiguration::GetMsg(3789));
    seen.push_back(dlg.minor.GetCurrentName().str() + L"/" + std::to_wstring(dlg.minor.GetCurSel()));
  };
  const std::wstring other = L"choose 209 \"" + CModuleConfiguration::GetMsg(3789).str() + L"\"";
  script({other.c_str(), L"linetype \"DASHED\"", L"click IDCANCEL"});
  dlg.DoModal();
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"DASHED/ByLayer/-1", L"ByBlock/0"}));
}

TEST(LinetypePickerRegistry, PickersLeaveTheRegistryWhenDestroyed) {
  const size_t before = CKVLLinetypeComboBox::LivePickers().size();
  {
    CKVLLinetypeComboBox a, b;
    EXPECT_EQ(CKVLLinetypeComboBox::LivePickers().size(), before + 2);
  }
  EXPECT_EQ(CKVLLinetypeComboBox::LivePickers().size(), before);
}

}  // namespace
}  // namespace uvtest
