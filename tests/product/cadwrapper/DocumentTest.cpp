// Document locks, zooming the view, and the table name lists over a real
// drawing.
#include <stdexcept>

#include "WrapperFixture.h"
#include "ed/SystemVariables.h"
#include "product/cadwrapper/CKVLCDocLock.h"
#include "product/cadwrapper/CKVLCEdit.h"
#include "product/cadwrapper/CKVLCLayerTablePtr.h"
#include "product/cadwrapper/CKVLCLinetypeTablePtr.h"

namespace uvtest {
namespace {

using DocumentTest = WrapperFixture;

std::vector<std::wstring> list(const CStringArray& names) {
  std::vector<std::wstring> out;
  for (const CString& n : names) out.push_back(n.str());
  return out;
}

TEST_F(DocumentTest, LayerAndLinetypeNamesInTableOrder) {
  CKVLCLayerTablePtr layers;
  ASSERT_TRUE(layers.isOpen());
  CStringArray names;
  names.Add(L"stale");
  EXPECT_EQ(layers.allLayerNames(names), 13);
  EXPECT_EQ(list(names), (std::vector<std::wstring>{L"0", L"Defpoints", L"LINE", L"ARC", L"CIRCLE", L"POINT", L"TEXT",
                                                    L"LWPOLYLINE", L"POLYLINE2D", L"POLYLINE3D", L"FACE",
                                                    L"INSERT", L"DRAW"}));

  CKVLCLinetypeTablePtr linetypes(AcDb::kForRead);
  ASSERT_TRUE(linetypes.isOpen());
  EXPECT_EQ(linetypes.getNames(names), 4);
  EXPECT_EQ(list(names), (std::vector<std::wstring>{L"ByBlock", L"ByLayer", L"Continuous", L"DASHED"}));
}

TEST_F(DocumentTest, TablePointersWithoutADrawingListNothing) {
  ASSERT_EQ(acDocManager->closeDocument(doc), Acad::eOk);
  doc = nullptr;
  CKVLCLayerTablePtr layers;
  EXPECT_FALSE(layers.isOpen());
  EXPECT_EQ(layers.status(), Acad::eNotInDatabase);
  CStringArray names;
  names.Add(L"stale");
  EXPECT_EQ(layers.allLayerNames(names), 0);
  EXPECT_EQ(names.GetSize(), 0);
}

TEST_F(DocumentTest, TheLockHoldsForItsScopeAlsoWhenAnExceptionPasses) {
  EXPECT_EQ(doc->lockCount(), 0);
  {
    CKVLCDocLock outer;
    ASSERT_TRUE(outer.isLocked());
    EXPECT_EQ(outer.document(), doc);
    EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);
    {
      CKVLCDocLock inner;
      EXPECT_EQ(doc->lockCount(), 2);
    }
    EXPECT_EQ(doc->lockCount(), 1);
  }
  EXPECT_EQ(doc->lockCount(), 0);
  try {
    CKVLCDocLock lock;
    EXPECT_EQ(doc->lockCount(), 1);
    throw std::runtime_error("a dialog failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(doc->lockCount(), 0);
  // A locked document cannot be closed under the lock.
  {
    CKVLCDocLock lock;
    EXPECT_EQ(acDocManager->closeDocument(doc), Acad::eLockViolation);
  }
}

TEST_F(DocumentTest, ZoomShowsTheExtentsAsTheViewVariablesReport) {
  doc->view().setScreenSize(1000, 500);
  ASSERT_TRUE(CKVLCEdit::zoom(AcDbExtents(AcGePoint3d(10, 20, 0), AcGePoint3d(110, 60, 5))));
  resbuf centre{}, size{};
  ASSERT_EQ(acedGetVar(L"VIEWCTR", &centre), RTNORM);
  ASSERT_EQ(acedGetVar(L"VIEWSIZE", &size), RTNORM);
  EXPECT_DOUBLE_EQ(centre.resval.rpoint[0], 60);
  EXPECT_DOUBLE_EQ(centre.resval.rpoint[1], 40);
  // 100 wide on a 2:1 screen needs a height of 50; the height shows all of
  // it with the host's margin, and the width all of 100.
  EXPECT_GE(size.resval.rreal, 50.0);
  EXPECT_LE(size.resval.rreal, 50.0 * 1.1);

  EXPECT_FALSE(CKVLCEdit::zoom(AcDbExtents()));  // empty: the view stays
  ASSERT_EQ(acedGetVar(L"VIEWCTR", &centre), RTNORM);
  EXPECT_DOUBLE_EQ(centre.resval.rpoint[0], 60);
}

}  // namespace
}  // namespace uvtest
