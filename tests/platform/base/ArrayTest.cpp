#include <gtest/gtest.h>

#include "base/AcArray.h"
#include "base/CStringArray.h"

TEST(CStringArrayTest, AddInsertRemoveAndBounds) {
  CStringArray a;
  a.Add(L"A");
  a.Add(CString(L"C"));
  a.InsertAt(1, L"B");
  ASSERT_EQ(a.GetSize(), 3);
  EXPECT_EQ(a[1], L"B");
  a.RemoveAt(0);
  EXPECT_EQ(a.GetAt(0), L"B");
  EXPECT_THROW(a.GetAt(2), CInvalidArgException);
  EXPECT_THROW(a.GetAt(-1), CInvalidArgException);
  EXPECT_THROW(a.RemoveAt(1, 2), CInvalidArgException);
  a.SetAtGrow(4, L"E");
  EXPECT_EQ(a.GetSize(), 5);
  EXPECT_TRUE(a[3].IsEmpty());
}

TEST(AcArrayTest, AppendFindRemoveAndBounds) {
  AcArray<int> a{3, 1, 4};
  EXPECT_EQ(a.append(1), 3);
  EXPECT_EQ(a.length(), 4);
  int at = -1;
  EXPECT_TRUE(a.find(1, at));
  EXPECT_EQ(at, 1);
  EXPECT_TRUE(a.find(1, at, 2));
  EXPECT_EQ(at, 3);
  EXPECT_FALSE(a.contains(9));
  a.removeAt(0);
  EXPECT_EQ(a.first(), 1);
  EXPECT_EQ(a.last(), 1);
  a.reverse();
  EXPECT_EQ(a[1], 4);
  EXPECT_THROW(a[3], std::out_of_range);
  EXPECT_THROW(a.insertAt(5, 0), std::out_of_range);
  a.setLogicalLength(0);
  EXPECT_TRUE(a.isEmpty());
}
