// The dictionary pointer over the old-format surface records of a real
// drawing: "KVX_SURFACE" with the list and the active name, and one
// "KVX_SURFACE.<name>" per surface, flat under the named object dictionary.
#include "WrapperFixture.h"
#include "base/TextCase.h"
#include "db/AcDbDictionary.h"
#include "db/AcDbXrecord.h"
#include "db/ResbufChain.h"
#include "db/adscodes.h"
#include "product/cadwrapper/CKVLCDictionaryPtr.h"

namespace uvtest {
namespace {

using DictionaryTest = WrapperFixture;

std::vector<std::wstring> strings(const resbuf* chain) {
  std::vector<std::wstring> out;
  for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
    EXPECT_EQ(rb->restype, RTSTR);
    out.push_back(rb->resval.rstring);
  }
  return out;
}

// The chain of names built the way the conversion builds it: each new item in front.
uv::ResbufChain nameChain(std::initializer_list<const wchar_t*> names) {
  uv::ResbufChain chain;
  for (const wchar_t* n : names) {
    resbuf* rb = acutBuildList(RTSTR, n, 0);
    rb->rbnext = chain.release();
    chain.reset(rb);
  }
  return chain;
}

// Asked through the pointer, which holds the named object dictionary open.
bool nodHas(const CKVLCDictionaryPtr& dict, const wchar_t* key) { return dict->has(key); }

TEST_F(DictionaryTest, ReadsTheOldRecordsAsTheyStand) {
  CKVLCDictionaryPtr dict(AcDb::kForRead);
  ASSERT_TRUE(dict.isOpen());
  EXPECT_EQ(dict.objectId(), db->namedObjectsDictionaryId());

  uv::ResbufChain names;
  ASSERT_TRUE(dict.dctRead(L"KVX_SURFACE", L"PLOHE", names.out(), false));
  EXPECT_EQ(strings(names), (std::vector<std::wstring>{L"Teren", L"Cesta"}));

  CString active;
  ASSERT_TRUE(dict.dctRead(L"KVX_SURFACE", L"AKTIVNA", active, false));
  EXPECT_EQ(active, L"Teren");

  CString surface;
  surface.Format(L"KVX_SURFACE.%s", L"Teren");
  uv::ResbufChain points;
  ASSERT_TRUE(dict.dctRead(surface, L"TOCKE", points.out(), false));
  std::vector<AcGePoint3d> read;
  for (const resbuf* rb = points; rb; rb = rb->rbnext) {
    EXPECT_EQ(rb->restype, RT3DPOINT);
    read.emplace_back(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
  }
  EXPECT_EQ(read, (std::vector<AcGePoint3d>{{0, 0, 100}, {10, 0, 101.5}, {0, 10, 102.25}}));

  int colour = -1;
  ASSERT_TRUE(dict.dctRead(surface, L"C_MNT", colour, false));
  EXPECT_EQ(colour, 3);
  CString text;
  ASSERT_TRUE(dict.dctRead(surface, L"L_MNT", text, false));
  EXPECT_EQ(text, L"MNT");
  ASSERT_TRUE(dict.dctRead(surface, L"DESCRIPTION", text, false));
  EXPECT_EQ(text, L"Old terrain");
}

TEST_F(DictionaryTest, WhatIsMissingOrOfAnotherKindIsNotRead) {
  CKVLCDictionaryPtr dict;
  int number = 42;
  CString text = L"kept";
  struct Case {
    const wchar_t* dictionary;
    const wchar_t* key;
    bool nested;
    Acad::ErrorStatus status;
  };
  for (const Case& c : std::vector<Case>{
           {L"KVX_SURFACE.Teren", L"C_MREZA", false, Acad::eKeyNotFound},  // no such key
           {L"KVX_SURFACE.Nista", L"TOCKE", false, Acad::eKeyNotFound},    // no such dictionary
           {L"KVX_SURFACE.Teren", L"TOCKE", true, Acad::eKeyNotFound},     // nested: KVX_SURFACE has no "Teren"
           {L"", L"TOCKE", false, Acad::eInvalidKey},
           {L"KVX_SURFACE", L"AKTIVNA", false, Acad::eInvalidResBuf},  // a text, asked as a number
       }) {
    EXPECT_FALSE(dict.dctRead(c.dictionary, c.key, number, c.nested)) << uv::toUtf8(c.dictionary);
    EXPECT_EQ(dict.lastStatus(), c.status) << uv::toUtf8(c.dictionary) << " " << uv::toUtf8(c.key);
  }
  EXPECT_EQ(number, 42);
  EXPECT_FALSE(dict.dctRead(L"KVX_SURFACE.Teren", L"C_MNT", text, false));  // a number, asked as text
  EXPECT_EQ(text, L"kept");
}

TEST_F(DictionaryTest, WritingAndErasingNeedWriteAccess) {
  CKVLCDictionaryPtr dict(AcDb::kForRead);
  EXPECT_FALSE(dict.dctWrite(L"KVX_SURFACE", L"AKTIVNA", L"Cesta", false, true, 1));
  EXPECT_EQ(dict.lastStatus(), Acad::eNotOpenForWrite);
  EXPECT_FALSE(dict.dctErase(L"KVX_SURFACE.Teren"));
  EXPECT_EQ(dict.lastStatus(), Acad::eNotOpenForWrite);
  CString active;
  ASSERT_TRUE(dict.dctRead(L"KVX_SURFACE", L"AKTIVNA", active));
  EXPECT_EQ(active, L"Teren");

  ASSERT_EQ(dict.upgradeOpen(), Acad::eOk);
  ASSERT_TRUE(dict.dctWrite(L"KVX_SURFACE", L"AKTIVNA", L"Cesta", false, true, 1));
  ASSERT_TRUE(dict.dctRead(L"KVX_SURFACE", L"AKTIVNA", active));
  EXPECT_EQ(active, L"Cesta");
}

TEST_F(DictionaryTest, TheOldRecordIsRewrittenAndErasedAndTheDrawingKeepsIt) {
  {
    CKVLCDictionaryPtr dict(AcDb::kForRead);
    ASSERT_EQ(dict.upgradeOpen(), Acad::eOk);
    ASSERT_TRUE(dict.dctErase(L"KVX_SURFACE.Teren", false));
    uv::ResbufChain remaining = nameChain({L"Cesta"});
    ASSERT_TRUE(dict.dctWrite(L"KVX_SURFACE", L"PLOHE", remaining.get(), false, true));
    ASSERT_TRUE(dict.dctWrite(L"KVX_SURFACE", L"AKTIVNA", remaining->resval.rstring, false, true, 1));
    // Erasing what is gone already fails and changes nothing.
    EXPECT_FALSE(dict.dctErase(L"KVX_SURFACE.Teren", false));
    EXPECT_EQ(dict.lastStatus(), Acad::eKeyNotFound);
  }
  saveAndReload();
  CKVLCDictionaryPtr dict;
  EXPECT_FALSE(nodHas(dict, L"KVX_SURFACE.Teren"));
  EXPECT_TRUE(nodHas(dict, L"KVX_SURFACE.Cesta"));
  uv::ResbufChain names;
  ASSERT_TRUE(dict.dctRead(L"KVX_SURFACE", L"PLOHE", names.out()));
  EXPECT_EQ(strings(names), (std::vector<std::wstring>{L"Cesta"}));
  CString active;
  ASSERT_TRUE(dict.dctRead(L"KVX_SURFACE", L"AKTIVNA", active));
  EXPECT_EQ(active, L"Cesta");
  uv::ResbufChain points;
  EXPECT_TRUE(dict.dctRead(L"KVX_SURFACE.Cesta", L"TOCKE", points.out()));
  EXPECT_EQ(points.length(), 1);
}

TEST_F(DictionaryTest, ErasingTheListDictionaryLeavesThePerSurfaceOnes) {
  CKVLCDictionaryPtr dict(AcDb::kForWrite);
  ASSERT_TRUE(dict.dctErase(L"KVX_SURFACE"));
  EXPECT_FALSE(nodHas(dict, L"KVX_SURFACE"));
  EXPECT_TRUE(nodHas(dict, L"KVX_SURFACE.Teren"));
  uv::ResbufChain names;
  EXPECT_FALSE(dict.dctRead(L"KVX_SURFACE", L"PLOHE", names.out()));
}

TEST_F(DictionaryTest, CreateFlagAndNestedNames) {
  CKVLCDictionaryPtr dict(AcDb::kForWrite);
  // Without the create flag a missing dictionary stays missing.
  EXPECT_FALSE(dict.dctWrite(L"NEW.ONE", L"K", 5, false, false));
  EXPECT_EQ(dict.lastStatus(), Acad::eKeyNotFound);
  EXPECT_FALSE(nodHas(dict, L"NEW.ONE"));

  ASSERT_TRUE(dict.dctWrite(L"NEW.ONE", L"K", 5, false, true));  // flat: one key with a point
  EXPECT_TRUE(nodHas(dict, L"NEW.ONE"));
  EXPECT_FALSE(nodHas(dict, L"NEW"));

  ASSERT_TRUE(dict.dctWrite(L"OUTER.INNER", L"K", 6, true, true));  // nested: two dictionaries
  EXPECT_TRUE(nodHas(dict, L"OUTER"));
  EXPECT_FALSE(nodHas(dict, L"OUTER.INNER"));
  int value = 0;
  ASSERT_TRUE(dict.dctRead(L"OUTER.INNER", L"K", value, true));
  EXPECT_EQ(value, 6);
  EXPECT_FALSE(dict.dctRead(L"OUTER.INNER", L"K", value, false));
  // A key holding a dictionary is no value: neither read nor replaced.
  EXPECT_FALSE(dict.dctRead(L"OUTER", L"INNER", value, false));
  EXPECT_EQ(dict.lastStatus(), Acad::eNotThatKindOfClass);
  EXPECT_FALSE(dict.dctWrite(L"OUTER", L"INNER", 1, false, true));
  ASSERT_TRUE(dict.dctRead(L"OUTER.INNER", L"K", value, true));

  EXPECT_FALSE(dict.dctWrite(L"OUTER..INNER", L"K", 1, true, true));  // an empty part names nothing
  ASSERT_TRUE(dict.dctErase(L"OUTER.INNER", true));
  EXPECT_TRUE(nodHas(dict, L"OUTER"));
  EXPECT_FALSE(dict.dctRead(L"OUTER.INNER", L"K", value, true));
}

TEST_F(DictionaryTest, ValuesKeepTheirKindAndGroupCode) {
  {
    CKVLCDictionaryPtr dict(AcDb::kForWrite);
    ASSERT_TRUE(dict.dctWrite(L"T", L"SHORT", 300, false, true, 70));
    ASSERT_TRUE(dict.dctWrite(L"T", L"LONG", -100000, false, true));
    EXPECT_FALSE(dict.dctWrite(L"T", L"TOO_BIG", 70000, false, true, 70));
    EXPECT_EQ(dict.lastStatus(), Acad::eInvalidDxfCode);
    EXPECT_FALSE(dict.dctWrite(L"T", L"TEXT_AS_REAL", L"x", false, true, 40));
    ASSERT_TRUE(dict.dctWrite(L"T", L"TEXT", L"Zagreb", false, true, 3));

    // A mixed chain, in ADS result types; a 2D point loses nothing but z.
    uv::ResbufChain chain(acutBuildList(RTSTR, L"a", RTREAL, 2.5, RTSHORT, 7, RTLONG, 70000, 0));
    resbuf* point = acutNewRb(RTPOINT);
    point->resval.rpoint[0] = 1;
    point->resval.rpoint[1] = 2;
    point->resval.rpoint[2] = 99;
    chain.append(point);
    ASSERT_TRUE(dict.dctWrite(L"T", L"MIXED", chain.get(), false, true));
    // A restype an xrecord cannot hold refuses the whole chain.
    uv::ResbufChain bad(acutBuildList(RTSTR, L"a", RTLB, 0));
    EXPECT_FALSE(dict.dctWrite(L"T", L"BAD", bad.get(), false, true));
  }
  saveAndReload();
  CKVLCDictionaryPtr read;
  int value = 0;
  ASSERT_TRUE(read.dctRead(L"T", L"SHORT", value));
  EXPECT_EQ(value, 300);
  ASSERT_TRUE(read.dctRead(L"T", L"LONG", value));
  EXPECT_EQ(value, -100000);
  CString text;
  ASSERT_TRUE(read.dctRead(L"T", L"TEXT", text));
  EXPECT_EQ(text, L"Zagreb");
  EXPECT_FALSE(read.dctRead(L"T", L"BAD", text));

  uv::ResbufChain mixed;
  ASSERT_TRUE(read.dctRead(L"T", L"MIXED", mixed.out()));
  std::vector<int> types;
  for (const resbuf* rb = mixed; rb; rb = rb->rbnext) types.push_back(rb->restype);
  EXPECT_EQ(types, (std::vector<int>{RTSTR, RTREAL, RTSHORT, RTLONG, RT3DPOINT}));
  const resbuf* last = mixed;
  while (last->rbnext) last = last->rbnext;
  EXPECT_DOUBLE_EQ(last->resval.rpoint[2], 0.0);

  // The record itself holds group codes.
  AcDbDictionary* nod = nullptr;
  ASSERT_EQ(db->getNamedObjectsDictionary(nod), Acad::eOk);
  AcDbObject* t = nullptr;
  ASSERT_EQ(nod->getAt(L"T", t, AcDb::kForRead), Acad::eOk);
  nod->close();
  AcDbObject* record = nullptr;
  ASSERT_EQ(AcDbDictionary::cast(t)->getAt(L"MIXED", record, AcDb::kForRead), Acad::eOk);
  t->close();
  std::vector<int> codes;
  for (const uv::ResItem& item : AcDbXrecord::cast(record)->items()) codes.push_back(item.code);
  record->close();
  EXPECT_EQ(codes, (std::vector<int>{1, 40, 70, 90, 10}));
}

TEST_F(DictionaryTest, ANullChainLeavesAnEmptyRecord) {
  CKVLCDictionaryPtr dict(AcDb::kForWrite);
  ASSERT_TRUE(dict.dctWrite(L"KVX_SURFACE", L"PLOHE", static_cast<const resbuf*>(nullptr), false, true));
  resbuf* chain = reinterpret_cast<resbuf*>(1);
  ASSERT_TRUE(dict.dctRead(L"KVX_SURFACE", L"PLOHE", chain));
  EXPECT_EQ(chain, nullptr);
}

}  // namespace
}  // namespace uvtest
