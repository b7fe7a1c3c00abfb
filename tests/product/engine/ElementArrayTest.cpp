// SPDX-License-Identifier: GPL-3.0-or-later
// Element arrays: owning, and their text, XML and binary forms.
#include <gtest/gtest.h>

#include <sstream>

#include "product/engine/CKVLEdge.h"
#include "product/engine/CKVLPointerArray.h"
#include "product/engine/CKVLTriangle.h"

namespace {

int g_alive = 0;

struct CountedEdge : CKVLEdge {
  CountedEdge() { ++g_alive; }
  CountedEdge(int a, int b) : CKVLEdge(-1, a, b) { ++g_alive; }
  ~CountedEdge() override { --g_alive; }
};

TEST(ElementArray, DeletesItsElementsOnlyWhenOwning) {
  CountedEdge kept(1, 2);
  {
    CKVLPointerArray<CountedEdge> borrowed;
    borrowed.append(&kept);
    borrowed.append(nullptr);
    EXPECT_EQ(borrowed.m_bOwner, 0);
    EXPECT_EQ(borrowed.m_strName, L"CKVLPointerArray");
  }
  EXPECT_EQ(g_alive, 1);
  {
    CKVLPointerArray<CountedEdge> owning;
    owning.m_bOwner = 1;
    owning.append(new CountedEdge(3, 4));
    owning.append(nullptr);
    owning.append(new CountedEdge(5, 6));
    EXPECT_EQ(g_alive, 3);
    owning.Clear();
    EXPECT_EQ(owning.length(), 0);
    EXPECT_EQ(g_alive, 1);
    owning.append(new CountedEdge(7, 8));
  }
  EXPECT_EQ(g_alive, 1);
}

CKVLPointerArray<CKVLTriangle>* sample() {
  auto* a = new CKVLPointerArray<CKVLTriangle>();
  a->m_bOwner = 1;
  a->append(new CKVLTriangle(0, 0, 1, 2));
  a->append(nullptr);
  a->append(new CKVLTriangle(2, 1, 3, -7));
  return a;
}

TEST(ElementArray, TextXmlAndBinaryFormsReadBack) {
  std::unique_ptr<CKVLPointerArray<CKVLTriangle>> a(sample());
  EXPECT_EQ(a->WriteText(), L"0,1,2@1,3,-7");
  EXPECT_EQ(a->WriteXml(), L"<CKVLPointerArray count=\"3\"><CKVLTriangle no=\"0\" a=\"0\" b=\"1\" c=\"2\"/>"
                           L"<CKVLTriangle no=\"2\" a=\"1\" b=\"3\" c=\"-7\"/></CKVLPointerArray>");

  CKVLPointerArray<CKVLTriangle> fromText, fromXml, fromBin;
  ASSERT_TRUE(fromText.ReadText(a->WriteText()));
  EXPECT_EQ(fromText.length(), 2);
  EXPECT_EQ(fromText.m_bOwner, 1);
  ASSERT_TRUE(fromXml.ReadXml(a->WriteXml()));
  ASSERT_EQ(fromXml.length(), 3);  // the null entry keeps its place
  EXPECT_EQ(fromXml[1], nullptr);
  EXPECT_EQ(fromXml[2]->Point(2), -7);
  std::stringbuf bytes;
  ASSERT_TRUE(a->WriteBin(bytes));
  EXPECT_EQ(bytes.str().size(), 4u + 2 * 12);
  ASSERT_TRUE(fromBin.ReadBin(bytes));
  ASSERT_EQ(fromBin.length(), 2);
  EXPECT_EQ(fromBin[1]->WriteText(), L"1,3,-7");
}

TEST(ElementArray, MalformedInputLeavesTheArrayAsItWas) {
  const wchar_t* badTexts[] = {L"0,1", L"0,1,2@x,1,2", L"0,1,2,3", L"1,,2"};
  const wchar_t* badXml[] = {L"<CKVLPointerArray count=\"1\"><CKVLTriangle no=\"1\" a=\"0\" b=\"1\" c=\"2\"/></CKVLPointerArray>",
                             L"<Other count=\"0\"></Other>", L"<CKVLPointerArray count=\"1\"><CKVLTriangle no=\"0\" a=\"0\"/>",
                             L"<CKVLPointerArray count=\"1\"><CKVLEdge no=\"0\" a=\"0\" b=\"1\"/></CKVLPointerArray>"};
  std::unique_ptr<CKVLPointerArray<CKVLTriangle>> a(sample());
  for (const wchar_t* t : badTexts) EXPECT_FALSE(a->ReadText(t)) << t;
  for (const wchar_t* x : badXml) EXPECT_FALSE(a->ReadXml(x)) << x;
  std::stringbuf shortBytes(std::string("\x02\x00\x00\x00\x01\x00\x00\x00", 8));
  EXPECT_FALSE(a->ReadBin(shortBytes));
  EXPECT_EQ(a->WriteText(), L"0,1,2@1,3,-7");
}

}  // namespace
