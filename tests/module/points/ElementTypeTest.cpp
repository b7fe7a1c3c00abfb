// The entity type list: its rows by type mask and by the drawing's blocks,
// the selection filter its checked rows make (also applied to the survey
// drawing), the layer clause, and the answers point loading asks of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawingFixture.h"
#include "base/TextCase.h"
#include "db/AcDbAttributeDefinition.h"
#include "db/AcDbBlockTable.h"
#include "db/AcDbBlockTableRecord.h"
#include "db/AcDbObjectPointer.h"
#include "db/ResItem.h"
#include "db/ResbufChain.h"
#include "ed/EdSelection.h"
#include "module/points/CElementType.h"
#include "module/points/LayerList.h"
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
  // The filter as "code value" texts.
  static std::vector<std::string> items(resbuf* chain) {
    uv::ResbufChain owned(chain);
    uv::ResItems list;
    EXPECT_TRUE(uv::itemsFromChain(owned, list));
    std::vector<std::string> out;
    for (const uv::ResItem& item : list)
      out.push_back(std::to_string(item.code) + " " +
                    (item.kind == uv::ResvalKind::kString ? uv::toUtf8(item.text) : std::to_string(item.integer)));
    return out;
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

TEST_F(ElementTypeTest, RowsFollowTheTypeMaskAndTheAttributedBlocks) {
  struct Case {
    unsigned mask;
    std::vector<std::string> rows;
  } cases[] = {
      {CElementType::kAllTypes,
       {"POINT", "CIRCLE", "TEXT", "LINE", "ARC", "LWPOLYLINE", "POLYLINE", "3DFACE", "INSERT", "INSERT:KOTA",
        "INSERT:ZNAK"}},
      {0x1D, {"LINE", "LWPOLYLINE", "POLYLINE"}},  // the break-line dialog's
      {0x3FF,
       {"POINT", "CIRCLE", "TEXT", "LINE", "ARC", "LWPOLYLINE", "POLYLINE", "3DFACE", "INSERT", "INSERT:KOTA",
        "INSERT:ZNAK"}},
      {CElementType::k3dPolyline, {"POLYLINE"}},
      {CElementType::kBlockReference | CElementType::kText, {"TEXT", "INSERT", "INSERT:KOTA", "INSERT:ZNAK"}},
      {0, {}},
  };
  for (const Case& c : cases) {
    Owner parent;
    CElementType list;
    list.SetTypeMask(c.mask);
    ASSERT_TRUE(list.CreateTree(&parent, CRect(0, 0, 200, 200)));
    std::vector<std::string> got;
    for (int i = 0; i < list.GetItemCount(); ++i) {
      const CElementType::CRowData* d = list.RowData(i);
      got.push_back(uv::toUtf8(d->m_strType.str()) + (d->m_strBlock.IsEmpty() ? "" : ":" + uv::toUtf8(d->m_strBlock.str())));
      EXPECT_TRUE(list.GetCheck(i)) << "every row starts checked";
    }
    EXPECT_EQ(got, c.rows) << "mask " << std::hex << c.mask;
  }
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

TEST_F(ElementTypeTest, CheckedRowsMakeTheTypePartOfTheFilter) {
  create();
  EXPECT_EQ(items(types.BuildSelectionFilter()),
            (std::vector<std::string>{"-4 <OR", "0 POINT", "0 CIRCLE", "0 TEXT", "0 LINE", "0 ARC", "0 LWPOLYLINE",
                                      "0 POLYLINE", "0 3DFACE", "-4 <AND", "0 INSERT", "66 0", "-4 AND>", "-4 <AND",
                                      "0 INSERT", "2 KOTA", "-4 AND>", "-4 <AND", "0 INSERT", "2 ZNAK", "-4 AND>",
                                      "-4 OR>"}));
  types.UncheckAll();
  EXPECT_EQ(items(types.BuildSelectionFilter()), (std::vector<std::string>{"-4 <OR", "-4 OR>"}));
  EXPECT_EQ(selected(types.BuildSelectionFilter()), 0);

  // The general row takes references without attributes (STABLO), a
  // block's row the references of that block, attributes or not.
  types.SetCheck(rowOf(L"Blocks without attributes"));
  types.SetCheck(rowOf(L"Block KOTA"));
  EXPECT_EQ(items(types.BuildSelectionFilter()),
            (std::vector<std::string>{"-4 <OR", "-4 <AND", "0 INSERT", "66 0", "-4 AND>", "-4 <AND", "0 INSERT",
                                      "2 KOTA", "-4 AND>", "-4 OR>"}));
  EXPECT_EQ(selected(types.BuildSelectionFilter()), 3);
  types.CheckAll();
  EXPECT_EQ(selected(types.BuildSelectionFilter()), int(entities().size()));
}

TEST_F(ElementTypeTest, TheLayerClauseNarrowsTheTypes) {
  create();
  CStringArray layers;
  EXPECT_EQ(uv::BuildLayerClause(layers), nullptr);
  layers.Add(L"KOTE");
  layers.Add(L"teren");  // the host compares layer names ignoring case
  EXPECT_EQ(items(uv::BuildLayerClause(layers)), (std::vector<std::string>{"-4 <OR", "8 KOTE", "8 teren", "-4 OR>"}));

  types.UncheckAll();
  types.SetCheck(rowOf(L"Points"));
  uv::ResbufChain filter(types.BuildSelectionFilter());
  EXPECT_EQ(selected(uv::copyChain(filter)), 3);  // two on KOTE, one on OSTALO
  filter.append(uv::BuildLayerClause(layers));
  EXPECT_EQ(selected(filter.release()), 2);
}

TEST_F(ElementTypeTest, TextElevationIsTheTextRowsOptionCheckedOrNot) {
  create();
  EXPECT_FALSE(types.TakesTextElevation());
  types.userChooseOption(rowOf(L"Texts"), L"Elevation from text");
  EXPECT_TRUE(types.TakesTextElevation());
  types.SetCheck(rowOf(L"Texts"), FALSE);
  EXPECT_TRUE(types.TakesTextElevation());

  Owner parent;
  CElementType lines;
  lines.SetTypeMask(0x1D);
  lines.CreateTree(&parent, CRect(0, 0, 100, 100));
  EXPECT_FALSE(lines.TakesTextElevation());
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

TEST_F(ElementTypeTest, SamplesCheckRowsAndUncheckNone) {
  create();
  types.UncheckAll();
  types.CheckFromSample({L"POLYLINE"}, {});
  std::vector<int> checked;
  auto checkedRows = [&] {
    std::vector<std::string> out;
    for (int i = 0; i < types.GetItemCount(); ++i)
      if (types.GetCheck(i)) out.push_back(rows()[size_t(i)]);
    return out;
  };
  EXPECT_EQ(checkedRows(), (std::vector<std::string>{"POLYLINE"}));
  // A block name without the type checks nothing; with it, the general
  // row and that block's row.
  types.CheckFromSample({L"LINE"}, {L"KOTA"});
  EXPECT_EQ(checkedRows(), (std::vector<std::string>{"LINE", "POLYLINE"}));
  types.CheckFromSample({L"INSERT"}, {L"KOTA", L"STABLO"});
  EXPECT_EQ(checkedRows(), (std::vector<std::string>{"LINE", "POLYLINE", "INSERT", "INSERT:KOTA"}));
  types.CheckFromSample({}, {});
  EXPECT_EQ(checkedRows().size(), 4u);
}

}  // namespace
}  // namespace uvtest
