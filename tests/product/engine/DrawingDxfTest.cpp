// SPDX-License-Identifier: GPL-3.0-or-later
// A surface kept in the drawing travels with the drawing's DXF: written by the DXF saver, read
// into a fresh database, the manager there finds it whole.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "db/AcDbDatabase.h"
#include "db/dxf/DxfFile.h"
#include "product/engine/CKVLSurfaceManager.h"
#include "product/engine/CKVLXsurface_Vantor2.h"

namespace uv::engine::test {
namespace {

double hill(double x, double y) { return 310.0 + 4.0 * std::sin(x / 9.0) - 0.05 * y; }

// Makes the first swap the surface accepts, so that a swapped diagonal is part of what travels.
bool swapSomewhere(CKVLXsurface_Vantor2& s) {
  const auto& mesh = s.Triangulation().Surface().mesh();
  for (std::size_t t = 0; t < mesh.triangles.size(); ++t)
    for (int i = 0; i < 3; ++i) {
      const std::int32_t n = mesh.neighbours[t][i];
      if (n < 0) continue;
      CKVLPointerArray<CKVLTriangle>* all = s.GetAllTriangles();
      if (s.SwapTringles((*all)[static_cast<int>(t)], (*all)[n]) == 1) return true;
    }
  return false;
}

void expectSameSurface(CKVLXsurface_Vantor2& a, CKVLXsurface_Vantor2& b) {
  EXPECT_TRUE(a.Triangulation().Surface().definition() == b.Triangulation().Surface().definition());
  ASSERT_EQ(a.PointCount(), b.PointCount());
  for (int i = 0; i < a.PointCount(); ++i) {
    AcGePoint3d pa, pb;
    ASSERT_EQ(a.GetPointAtIndex(i, pa), 1);
    ASSERT_EQ(b.GetPointAtIndex(i, pb), 1);
    EXPECT_EQ(pa.x, pb.x);
    EXPECT_EQ(pa.y, pb.y);
    EXPECT_EQ(pa.z, pb.z);
  }
  CKVLPointerArray<CKVLTriangle>* ta = a.GetAllTriangles();
  CKVLPointerArray<CKVLTriangle>* tb = b.GetAllTriangles();
  ASSERT_EQ(ta->length(), tb->length());
  for (int i = 0; i < ta->length(); ++i)
    for (int k = 0; k < 3; ++k) ASSERT_EQ((*ta)[i]->m_nPoint[k], (*tb)[i]->m_nPoint[k]) << "triangle " << i;
}

TEST(DrawingDxf, SurfacesInTheDrawingSurviveASaveAndALoad) {
  TestDrawing drawing;
  ScratchFolder folder;
  CKVLSurfaceManager& m = *CKVLSurfaceManager::ForDatabase(drawing.db());
  // One surface of points alone, one with break lines and a swap: the two ways a surface is kept.
  CKVLXsurface_Vantor2* plain = m.CreateSurface(L"Plain", 0, nullptr, false);
  CKVLXsurface_Vantor2* shaped = m.CreateSurface(L"Shaped", 0, nullptr, false);
  ASSERT_TRUE(plain && shaped);
  CUniquePointSet points = pointSet(randomPoints(400, 11, 500000, 5000000, 80, hill));
  plain->SetPoints(points);
  shaped->SetPoints(points);
  ASSERT_EQ(shaped->SetBreakLine(AcGePoint3d(500010, 5000010, 300), AcGePoint3d(500070, 5000060, 305)), 1);
  ASSERT_EQ(shaped->SetBreakLine(AcGePoint3d(500010, 5000060, 301), AcGePoint3d(500075, 5000012, 302)), 1);
  ASSERT_TRUE(swapSomewhere(*shaped));
  auto* desc = m.GetSurfaceDescription(L"Shaped");
  desc->m_strDescription = L"road corridor, survey of March";
  desc->GetLayerManager()->GetLayer(2)->m_nColor = 5;
  desc->GetLayerManager()->GetLayer(3)->m_strLinetype = L"DASHED";
  ASSERT_EQ(m.SetCurrentSurface(L"Shaped"), 1);
  ASSERT_TRUE(m.Save()) << m.LastError();

  const std::wstring path = folder.wpath("site.dxf");
  const uv::dxf::Result saved = uv::dxf::save(*drawing.db(), path);
  ASSERT_TRUE(saved.ok) << saved.error;
  AcDbDatabase fresh;
  const uv::dxf::Result loaded = uv::dxf::load(path, fresh);
  ASSERT_TRUE(loaded.ok) << loaded.error;

  CKVLSurfaceManager& other = *CKVLSurfaceManager::ForDatabase(&fresh);
  CStringArray names;
  other.GetAllSurfaceNames(names);
  ASSERT_EQ(names.GetSize(), 2);
  EXPECT_EQ(names[0], L"Plain");
  EXPECT_EQ(names[1], L"Shaped");
  EXPECT_EQ(other.IsCurrent(L"Shaped"), 1);
  for (const wchar_t* name : {L"Plain", L"Shaped"}) {
    SCOPED_TRACE(CString(name).str());
    auto* before = m.GetSurfaceDescription(name);
    auto* after = other.GetSurfaceDescription(name);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->m_strDescription, before->m_strDescription);
    EXPECT_EQ(after->m_strStorage, L"dict");
    for (int type = 1; type <= 6; ++type) {
      const auto* lb = before->GetLayerManager()->GetLayer(type);
      const auto* la = after->GetLayerManager()->GetLayer(type);
      ASSERT_NE(la, nullptr);
      EXPECT_EQ(la->m_strName, lb->m_strName);
      EXPECT_EQ(la->m_nColor, lb->m_nColor);
      EXPECT_EQ(la->m_strLinetype, lb->m_strLinetype);
    }
    CKVLXsurface_Vantor2* a = m.OpenSurface(name);
    CKVLXsurface_Vantor2* b = other.OpenSurface(name);
    ASSERT_TRUE(a && b);
    expectSameSurface(*a, *b);
  }
  EXPECT_EQ(other.GetSurfaceDescription(L"Shaped")->GetLayerManager()->GetLayer(3)->m_strLinetype, L"DASHED");
  EXPECT_EQ(other.OpenSurface(L"Shaped")->Triangulation().Surface().definition().swaps.size(), 1u);
  CKVLSurfaceManager::Release(&fresh);
}

}  // namespace
}  // namespace uv::engine::test
