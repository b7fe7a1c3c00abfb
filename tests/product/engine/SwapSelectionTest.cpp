// SPDX-License-Identifier: GPL-3.0-or-later
// The swap selection asks the user for two points through the editor.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "product/engine/CKVLXsurface_Vantor2.h"
#include "product/engine/CSwapTringleSelection.h"
#include "user/CurrentUser.h"
#include "user/ScriptedUser.h"

namespace uv::engine::test {
namespace {

TEST(SwapSelection, PicksPairsUntilTheUserEndsAndTheSwapFollows) {
  TestDrawing drawing;
  CKVLXsurface_Vantor2 surface(nullptr);
  CUniquePointSet set = pointSet({{0, 0, 0}, {10, 0, 0}, {10, 10, 10}, {0, 10, 0}});
  surface.SetPoints(set);
  ScriptedUser user;
  // (1, 5) and (9, 5) lie in different triangles whichever diagonal the square has.
  user.appendLines({L"point 1,5", L"point 9,5", L"point 1,5", L"point 50,50", L"point 1,1", L"enter", L"cancel"});
  UserScope scope(user);

  Vantor2_UserSelection::CSwapTringleSelection selection;
  CKVLTriangle *t1 = nullptr, *t2 = nullptr;
  EXPECT_NE(selection.Select(t1, t2), 1);  // no surface given yet: nothing is asked
  EXPECT_EQ(user.pending(), 7u);
  selection.Surface(&surface);

  ASSERT_EQ(selection.Select(t1, t2), 1);
  ASSERT_TRUE(t1 && t2);
  EXPECT_NE(t1, t2);
  EXPECT_EQ(surface.SwapTringles(t1, t2), 1);

  ASSERT_EQ(selection.Select(t1, t2), 1);  // the second point lies off the surface
  EXPECT_NE(t1, nullptr);
  EXPECT_EQ(t2, nullptr);

  EXPECT_NE(selection.Select(t1, t2), 1);  // first point given, then Enter
  EXPECT_EQ(t1, nullptr);
  EXPECT_NE(selection.Select(t1, t2), 1);  // Escape at once
  EXPECT_TRUE(user.empty());
}

}  // namespace
}  // namespace uv::engine::test
