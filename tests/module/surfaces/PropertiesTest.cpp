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

TEST_F(PropertiesTest, OkStoresNameDescriptionAndTheLayerCellsThatPassTheRules) {
  ASSERT_EQ(edit({L"set IDC_NAME \"Teren 2\"", L"set IDC_DESCRIPTION \"Resurveyed\"",
                  L"edit-cell IDC_LAYERS 0 1 \"TIN LAYER\"", L"edit-cell IDC_LAYERS 0 2", L"color 5",
                  L"edit-cell IDC_LAYERS 1 1 \"GRID#\"", L"edit-cell IDC_LAYERS 5 1 \"CONTOURS\"",
                  L"edit-cell IDC_LAYERS 5 3 \"ByLayer\"", L"click IDOK"}),
            IDOK);
  // The space was refused as the name was pasted.
  EXPECT_EQ(desc->m_strName, CString(L"Teren2"));
  EXPECT_EQ(desc->m_strDescription, CString(L"Resurveyed"));
  ASSERT_EQ(manager()->GetSurfaceDescription(L"Teren2"), desc);
  // A layer name with a refused character is dropped without a word; the row's colour is still taken.
  EXPECT_EQ(layer(1).m_strName, CString(L"Teren_TIN"));
  EXPECT_EQ(layer(1).m_nColor, 5);
  EXPECT_EQ(layer(2).m_strName, CString(L"Teren_GRID"));
  EXPECT_EQ(layer(6).m_strName, CString(L"CONTOURS"));
  EXPECT_EQ(layer(6).m_strLinetype, CString(L"ByLayer"));
  // The boundary's linetype shown as Continuous is stored as shown.
  EXPECT_EQ(layer(3).m_strLinetype, CString(L"Continuous"));
  EXPECT_TRUE(surfacesUser.messages.empty());
}

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

std::vector<std::wstring> entries(const CComboBox& c) {
  std::vector<std::wstring> out;
  for (int i = 0; i < c.GetCount(); ++i) {
    CString text;
    c.GetLBText(i, text);
    out.push_back(text.str());
  }
  return out;
}

using LinetypePickerTest = SurfacesFixture;

TEST_F(LinetypePickerTest, ALinetypeLoadedThroughOnePickerShowsInTheOthers) {
  TwoPickers dlg;
  EXPECT_EQ(CKVLLinetypeComboBox::LivePickers().count(&dlg.major), 1u);
  std::vector<std::wstring> log, minorEntries;
  surfacesUser.onOpen = surfacesUser.afterAction = [&](CDialog&) {
    log.push_back(dlg.major.GetCurrentName().str() + L"/" + dlg.major.GetSelectedName().str() + L" " +
                  dlg.minor.GetCurrentName().str() + L"/" + dlg.minor.GetSelectedName().str() + L" " +
                  std::to_wstring(dlg.minor.GetCount()));
    minorEntries = entries(dlg.minor);
  };
  const std::wstring other = L"choose 209 \"" + CModuleConfiguration::GetMsg(3789).str() + L"\"";
  script({L"choose 212 \"Continuous\"", other.c_str(), L"linetype \"DASHED\"", other.c_str(), L"cancel",
          L"click IDCANCEL"});
  dlg.DoModal();
  // A new drawing has ByBlock, ByLayer and Continuous, and "Other..." comes last.
  EXPECT_EQ(log, (std::vector<std::wstring>{L"ByLayer/ByLayer ByLayer/ByLayer 4",
                                            L"ByLayer/ByLayer Continuous/Continuous 4",
                                            L"DASHED/DASHED Continuous/Continuous 5",
                                            L"DASHED/DASHED Continuous/Continuous 5"}));
  // The other picker lists the new linetype among the drawing's, "Other..." still last.
  EXPECT_EQ(minorEntries, (std::vector<std::wstring>{L"ByBlock", L"ByLayer", L"Continuous", L"DASHED",
                                                     CModuleConfiguration::GetMsg(3789).str()}));
}

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
