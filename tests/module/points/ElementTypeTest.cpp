// The entity type list: its rows by the drawing's blocks,
// the selection filter its checked rows make (applied to the survey
// drawing), and the answers point loading asks of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawingFixture.h"
#include "base/TextCase.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbObjectPointer.h"
#include "db/ResbufChain.h"
#include "ed/EdSelection.h"
#include "module/points/CElementType.h"
#include "ui/CWnd.h"

namespace uvtest {
namespace {

class Owner : public CWnd {
 public:
  Owner() { Create(nullptr, L"owner", WS_VISIBLE, CRect(0, 0, 600, 400), nullptr, 0); }
};

class ElementTypeTest : public DrawingFixture {
 protected:
  Owner owner;
  CElementType types;

  void create(unsigned mask = CElementType::kAllTypes) {
    types.SetTypeMask(mask);
    ASSERT_TRUE(types.CreateTree(&owner, CRect(10, 10, 210, 210)));
  }
  // "TYPE" or "TYPE:BLOCK" per row.
  std::vector<std::string> rows() const {
    std::vector<std::string> out;
    for (int i = 0; i < types.GetItemCount(); ++i) {
      const CElementType::CRowData* d = types.RowData(i);
      out.push_back(uv::toUtf8(d->m_strType.str()) + (d->m_strBlock.IsEmpty() ? "" : ":" + uv::toUtf8(d->m_strBlock.str())));
    }
    return out;
  }
  int rowOf(const wchar_t* label) const {
    for (int i = 0; i < types.GetItemCount(); ++i)
      if (types.GetItemText(i, 0) == label) return i;
    ADD_FAILURE() << "no row " << uv::toUtf8(label);
    return -1;
  }
  // How many model-space entities the filter selects.
  int selected(resbuf* chain) {
    uv::ResbufChain filter(chain);
    uv::SelectionSetScope set;
    if (acedSSGet(L"X", nullptr, nullptr, filter, set.name()) != RTNORM) return 0;
    Adesk::Int32 n = 0;
    acedSSLength(set.name(), &n);
    return n;
  }
};

// (The rows of every type and of the attributed blocks, all ticked, and of
// the break-line dialog's linear types: e2e_points_drawing_add and
// e2e_breaklines_filters.)
TEST_F(ElementTypeTest, The3dPolylineBitAloneGivesThePolylineRow) {
  create(CElementType::k3dPolyline);
  EXPECT_EQ(rows(), std::vector<std::string>{"POLYLINE"});
}

// Block rows come in code-unit order of their names ("B" before "a"); a
// tag holding "@" cannot be told from the block name and is left out.
TEST_F(ElementTypeTest, BlockRowsInCodeUnitOrderWithoutRecordsCutWrongly) {
  openDrawing("");
  auto addBlock = [&](const wchar_t* name, std::vector<const wchar_t*> tags) {
    AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId(), AcDb::kForWrite);
    auto* block = new AcDbBlockTableRecord();
    block->setName(name);
    AcDbObjectId id;
    ASSERT_EQ(table->add(id, block), Acad::eOk);
    for (const wchar_t* tag : tags) {
      auto* definition = new AcDbAttributeDefinition(AcGePoint3d(), L"", tag, L"", AcDbObjectId());
      ASSERT_EQ(block->appendAcDbEntity(definition), Acad::eOk);
      definition->close();
    }
    block->close();
  };
  addBlock(L"b", {L"Z"});
  addBlock(L"Beta", {L"T@G", L"H"});
  addBlock(L"Alpha", {L"X", L"Y"});
  addBlock(L"Plain", {});
  create(CElementType::kBlockReference);
  EXPECT_EQ(rows(), (std::vector<std::string>{"INSERT", "INSERT:Alpha", "INSERT:Beta", "INSERT:b"}));
  EXPECT_EQ(types.GetRowChoices(2), (std::vector<CString>{L"<<-->>", L"H"}));
}

// (The layer clause and text elevations: the points_drawing, projection and
// break-line jobs.)
TEST_F(ElementTypeTest, CheckedRowsMakeTheFilter) {
  create();
  types.UncheckAll();
  EXPECT_EQ(selected(types.BuildSelectionFilter()), 0);
  // The general row takes references without attributes (STABLO), a
  // block's row the references of that block, attributes or not.
  types.SetCheck(rowOf(L"Blocks without attributes"));
  types.SetCheck(rowOf(L"Block KOTA"));
  EXPECT_EQ(selected(types.BuildSelectionFilter()), 3);
  types.CheckAll();
  EXPECT_EQ(selected(types.BuildSelectionFilter()), int(entities().size()));
}

TEST_F(ElementTypeTest, TheAttributeMapHoldsTheCheckedBlockRows) {
  create();
  std::map<CString, CString> map{{L"old", L"entry"}};
  EXPECT_EQ(types.GetBlockAttributeMap(map), 2);
  EXPECT_EQ(map, (std::map<CString, CString>{{L"KOTA", L""}, {L"ZNAK", L""}}));
  types.userChooseOption(rowOf(L"Block KOTA"), L"VISINA");
  types.SetCheck(rowOf(L"Block ZNAK"), FALSE);
  EXPECT_EQ(types.GetBlockAttributeMap(map), 1);
  EXPECT_EQ(map, (std::map<CString, CString>{{L"KOTA", L"VISINA"}}));
}

}  // namespace
}  // namespace uvtest
