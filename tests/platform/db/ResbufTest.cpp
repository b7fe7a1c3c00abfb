#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "db/AcDbDatabase.h"
#include "db/AcDbLine.h"
#include "db/ResItem.h"
#include "db/ResbufChain.h"
#include "TestDrawing.h"

using uv::ResvalKind;

TEST(Resbuf, ValueKindOfEachCodeRange) {
  struct Case {
    int code;
    ResvalKind kind;
  };
  const Case cases[] = {
      {0, ResvalKind::kString},    {1, ResvalKind::kString},    {8, ResvalKind::kString},
      {10, ResvalKind::kPoint},    {38, ResvalKind::kReal},     {40, ResvalKind::kReal},
      {50, ResvalKind::kReal},     {62, ResvalKind::kShort},    {66, ResvalKind::kShort},
      {70, ResvalKind::kShort},    {80, ResvalKind::kInvalid},  {90, ResvalKind::kLong},
      {100, ResvalKind::kString},  {105, ResvalKind::kString},  {110, ResvalKind::kPoint},
      {140, ResvalKind::kReal},    {160, ResvalKind::kInt64},   {170, ResvalKind::kShort},
      {210, ResvalKind::kPoint},   {280, ResvalKind::kShort},   {290, ResvalKind::kShort},
      {300, ResvalKind::kString},  {310, ResvalKind::kBinary},  {330, ResvalKind::kName},
      {340, ResvalKind::kName},    {370, ResvalKind::kShort},   {420, ResvalKind::kLong},
      {999, ResvalKind::kString},  {1000, ResvalKind::kString}, {1001, ResvalKind::kString},
      {1004, ResvalKind::kBinary}, {1005, ResvalKind::kString}, {1010, ResvalKind::kPoint},
      {1040, ResvalKind::kReal},   {1070, ResvalKind::kShort},  {1071, ResvalKind::kLong},
      {1072, ResvalKind::kInvalid}, {-1, ResvalKind::kName},    {-3, ResvalKind::kNone},
      {-4, ResvalKind::kString},   {RTNONE, ResvalKind::kNone}, {RTREAL, ResvalKind::kReal},
      {RTPOINT, ResvalKind::kPoint}, {RTSHORT, ResvalKind::kShort}, {RTANG, ResvalKind::kReal},
      {RTSTR, ResvalKind::kString}, {RTENAME, ResvalKind::kName}, {RTPICKS, ResvalKind::kName},
      {RTORINT, ResvalKind::kReal}, {RT3DPOINT, ResvalKind::kPoint}, {RTLONG, ResvalKind::kLong},
      {RTVOID, ResvalKind::kNone}, {RTLB, ResvalKind::kNone},  {RTLE, ResvalKind::kNone},
      {RTDOTE, ResvalKind::kNone}, {RTNIL, ResvalKind::kNone}, {RTDXF0, ResvalKind::kString},
      {RTT, ResvalKind::kNone},    {RTINT64, ResvalKind::kInt64}, {5011, ResvalKind::kInvalid},
  };
  for (const Case& c : cases) EXPECT_EQ(uv::resvalKind(c.code), c.kind) << "code " << c.code;
}

TEST(Resbuf, BuildListTakesEachValueKind) {
  ads_point p = {1.5, 2.5, 3.5};
  ads_point p2 = {7, 8, 9};
  char bytes[] = {1, 0, 2, 3};
  ads_binary bin{4, bytes};
  ads_name name = {0x1F, 0};
  uv::ResbufChain chain(acutBuildList(RTDXF0, L"LINE", 8, L"Teren", 10, p, 40, 2.25, 62, 7, 90, 123456,
                                      160, std::int64_t(1) << 40, 310, &bin, 330, name, RTPOINT, p2, -3,
                                      1001, L"APP", 1070, 40000, RTLB, RTLE, 0));
  ASSERT_TRUE(chain);
  EXPECT_EQ(chain.length(), 15);
  const resbuf* rb = chain.get();
  auto next = [&] { const resbuf* r = rb; rb = rb->rbnext; return r; };
  const resbuf* r = next();
  EXPECT_EQ(r->restype, RTDXF0);
  EXPECT_STREQ(r->resval.rstring, L"LINE");
  EXPECT_STREQ(next()->resval.rstring, L"Teren");
  r = next();
  EXPECT_EQ(r->resval.rpoint[0], 1.5);
  EXPECT_EQ(r->resval.rpoint[2], 3.5);
  EXPECT_EQ(next()->resval.rreal, 2.25);
  EXPECT_EQ(next()->resval.rint, 7);
  EXPECT_EQ(next()->resval.rlong, 123456);
  EXPECT_EQ(next()->resval.rlong64, std::int64_t(1) << 40);
  r = next();
  ASSERT_EQ(r->resval.rbinary.clen, 4);
  EXPECT_EQ(std::memcmp(r->resval.rbinary.buf, bytes, 4), 0);
  EXPECT_NE(r->resval.rbinary.buf, bytes);  // a copy
  r = next();
  EXPECT_EQ(r->resval.rlname[0], 0x1F);
  r = next();
  EXPECT_EQ(r->resval.rpoint[1], 8);
  EXPECT_EQ(r->resval.rpoint[2], 0);  // a 2D point has no z
  EXPECT_EQ(next()->restype, -3);
  EXPECT_STREQ(next()->resval.rstring, L"APP");
  EXPECT_EQ(next()->resval.rint, -25536);  // 40000 kept in 16 bits
  EXPECT_EQ(next()->restype, RTLB);
  EXPECT_EQ(next()->restype, RTLE);
  EXPECT_EQ(rb, nullptr);
}

TEST(Resbuf, BuildListStopsAtRtNoneAndRefusesUnknownCodes) {
  uv::ResbufChain a(acutBuildList(RTSHORT, 1, RTNONE, RTSHORT, 2, 0));
  EXPECT_EQ(a.length(), 1);
  EXPECT_EQ(acutBuildList(RTSHORT, 1, 81, 5, 0), nullptr);
  EXPECT_EQ(acutBuildList(0), nullptr);
}

TEST(Resbuf, FilterChainAsTheEntityTypeListBuildsIt) {
  uv::ResbufChain f(acutBuildList(-4, L"<OR", -4, L"<AND", RTDXF0, L"INSERT", 66, 0, -4, L"AND>", RTDXF0, L"LINE",
                                  -4, L"OR>", -4, L"<OR", 8, L"Teren", -4, L"OR>", 0));
  std::wstring text;
  for (const resbuf* rb = f.get(); rb; rb = rb->rbnext) {
    text += std::to_wstring(rb->restype) + L":";
    if (uv::resvalKind(rb->restype) == ResvalKind::kString) text += rb->resval.rstring;
    else text += std::to_wstring(rb->resval.rint);
    text += L" ";
  }
  EXPECT_EQ(text, L"-4:<OR -4:<AND 5020:INSERT 66:0 -4:AND> 5020:LINE -4:OR> -4:<OR 8:Teren -4:OR> ");
}

TEST(Resbuf, ScopeChainReleasesAndCopiesDeeply) {
  uv::ResbufChain chain(acutBuildList(RTSTR, L"a", RTSTR, L"b", 0));
  uv::ResbufChain copy(uv::copyChain(chain));
  ASSERT_EQ(copy.length(), 2);
  EXPECT_NE(copy->resval.rstring, chain->resval.rstring);
  EXPECT_STREQ(copy->rbnext->resval.rstring, L"b");
  chain.append(acutBuildList(RTSHORT, 3, 0));
  EXPECT_EQ(chain.length(), 3);
  resbuf* raw = chain.release();
  EXPECT_FALSE(chain);
  EXPECT_EQ(acutRelRb(raw), RTNORM);
  EXPECT_EQ(acutRelRb(nullptr), RTERROR);
  // A chain owned by the scope object is released when an exception passes
  // (checked for leaks by the sanitizer build).
  try {
    uv::ResbufChain scoped(acutBuildList(RTSTR, L"lost?", 0));
    throw 1;
  } catch (int) {
  }
}

TEST(Resbuf, ItemsRoundTripThroughChains) {
  AcDbDatabase db;
  const AcDbObjectId line = uvtest::addToModelSpace(db, new AcDbLine);
  uv::ResItems items = {uv::ResItem::ofString(1, L"Tocke"), uv::ResItem::ofInt(70, -3), uv::ResItem::ofInt(90, 1 << 20),
                        uv::ResItem::ofReal(40, 0.125), uv::ResItem::ofPoint(10, AcGePoint3d(1, 2, 3)),
                        uv::ResItem::ofBytes(310, {0, 255, 7}), uv::ResItem::ofId(340, line)};
  uv::ResbufChain chain(uv::chainFromItems(items));
  uv::ResItems back;
  ASSERT_TRUE(uv::itemsFromChain(chain, back));
  EXPECT_EQ(back, items);
  int bad = -1;
  uv::ResbufChain broken(acutBuildList(RTSHORT, 1, 0));
  broken->restype = 81;
  EXPECT_FALSE(uv::itemsFromChain(broken, back, &bad));
  EXPECT_EQ(bad, 0);
}
