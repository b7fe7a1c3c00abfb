// Dictionaries, xrecords and groups.
#include <gtest/gtest.h>

#include "db/AcDbDictionaryIterator.h"
#include "db/AcDbGroup.h"
#include "db/AcDbLine.h"
#include "db/AcDbObjectPointer.h"
#include "db/AcDbXrecord.h"
#include "db/ResbufChain.h"
#include "TestDrawing.h"

namespace {

// Opens db's named object dictionary for write and files a new dictionary under key.
AcDbObjectId addDictionary(AcDbDatabase& db, AcDbObjectId parent, const wchar_t* key) {
  AcDbDictionaryPointer dict(parent, AcDb::kForWrite);
  EXPECT_EQ(dict.openStatus(), Acad::eOk);
  auto* child = new AcDbDictionary;
  AcDbObjectId id;
  EXPECT_EQ(dict->setAt(key, child, id), Acad::eOk);
  child->close();
  return id;
}

AcDbObjectId addXrecord(AcDbObjectId dictId, const wchar_t* key, resbuf* chain) {
  uv::ResbufChain owned(chain);
  AcDbDictionaryPointer dict(dictId, AcDb::kForWrite);
  auto* xrec = new AcDbXrecord;
  EXPECT_EQ(xrec->setFromRbChain(*owned), Acad::eOk);
  AcDbObjectId id;
  EXPECT_EQ(dict->setAt(key, xrec, id), Acad::eOk);
  xrec->close();
  return id;
}

std::vector<std::wstring> keys(AcDbObjectId dictId) {
  AcDbDictionaryPointer dict(dictId);
  std::vector<std::wstring> out;
  std::unique_ptr<AcDbDictionaryIterator> it(dict->newIterator());
  for (; !it->done(); it->next()) out.push_back(it->name());
  return out;
}

TEST(Dictionary, NestedDictionariesAndKeyOrder) {
  AcDbDatabase db;
  const AcDbObjectId kvx = addDictionary(db, db.namedObjectsDictionaryId(), L"KVX_SURFACE");
  const AcDbObjectId teren = addDictionary(db, kvx, L"KVX_SURFACE.Teren");
  addXrecord(kvx, L"PLOHE", acutBuildList(1, L"Teren", 1, L"Brdo", 0));
  addXrecord(kvx, L"aktivna", acutBuildList(1, L"Teren", 0));
  EXPECT_EQ(keys(kvx), (std::vector<std::wstring>{L"aktivna", L"KVX_SURFACE.Teren", L"PLOHE"}));

  AcDbDictionaryPointer nod(db.namedObjectsDictionaryId());
  AcDbObjectId found;
  EXPECT_EQ(nod->getAt(L"kvx_surface", found), Acad::eOk);  // keys ignore letter case
  EXPECT_EQ(found, kvx);
  AcDbDictionaryPointer k(kvx);
  EXPECT_EQ(k->numEntries(), 3u);
  EXPECT_TRUE(k->has(teren));
  AcDbObject* wrong = nullptr;
  EXPECT_EQ(k->getAt(L"NONE", wrong, AcDb::kForRead), Acad::eKeyNotFound);
  nod.close();
  k.close();
  EXPECT_SOUND(db);
}

// What a saved file lists: the live keys in the order they were added.
std::vector<std::wstring> keysAsAdded(AcDbObjectId dictId) {
  AcDbDictionaryPointer dict(dictId);
  std::vector<std::wstring> out;
  for (const auto& [key, id] : dict->entriesInOrderAdded()) out.push_back(key);
  return out;
}

TEST(Dictionary, EntriesKeepTheOrderTheyWereAddedInThroughRenamesAndReplacements) {
  AcDbDatabase db;
  const AcDbObjectId kvx = addDictionary(db, db.namedObjectsDictionaryId(), L"KVX");
  for (const wchar_t* key : {L"ZETA", L"alpha", L"Mid", L"OMEGA"}) addXrecord(kvx, key, acutBuildList(70, 1, 0));
  EXPECT_EQ(keysAsAdded(kvx), (std::vector<std::wstring>{L"ZETA", L"alpha", L"Mid", L"OMEGA"}));
  addXrecord(kvx, L"MID", acutBuildList(70, 2, 0));  // replaces Mid in its place
  {
    AcDbDictionaryPointer dict(kvx, AcDb::kForWrite);
    ASSERT_EQ(dict->setName(L"ZETA", L"BETA"), Acad::eOk);
    ASSERT_EQ(dict->remove(L"OMEGA"), Acad::eOk);
  }
  addXrecord(kvx, L"AAA", acutBuildList(70, 3, 0));
  EXPECT_EQ(keysAsAdded(kvx), (std::vector<std::wstring>{L"BETA", L"alpha", L"Mid", L"AAA"}));
  // The iterator still walks the keys in order.
  EXPECT_EQ(keys(kvx), (std::vector<std::wstring>{L"AAA", L"alpha", L"BETA", L"Mid"}));
  {
    AcDbDictionaryPointer dict(kvx, AcDb::kForWrite);
    AcDbObjectId alpha;
    ASSERT_EQ(dict->getAt(L"alpha", alpha), Acad::eOk);
    AcDbObjectPointer<AcDbXrecord> x(alpha, AcDb::kForWrite);
    ASSERT_EQ(x->erase(), Acad::eOk);
  }
  EXPECT_EQ(keysAsAdded(kvx), (std::vector<std::wstring>{L"BETA", L"Mid", L"AAA"}));
}

TEST(Dictionary, ErasingADictionaryErasesWhatItOwnsAndItsKeyCanBeReused) {
  AcDbDatabase db;
  const AcDbObjectId kvx = addDictionary(db, db.namedObjectsDictionaryId(), L"KVX_SURFACE");
  const AcDbObjectId plohe = addXrecord(kvx, L"PLOHE", acutBuildList(1, L"A", 0));
  {
    AcDbDictionaryPointer dict(kvx, AcDb::kForWrite);
    ASSERT_EQ(dict->erase(), Acad::eOk);
  }
  EXPECT_TRUE(plohe.isErased());
  AcDbDictionaryPointer nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
  EXPECT_FALSE(nod->has(L"KVX_SURFACE"));
  auto* fresh = new AcDbDictionary;
  AcDbObjectId freshId;
  ASSERT_EQ(nod->setAt(L"KVX_SURFACE", fresh, freshId), Acad::eOk);
  fresh->close();
  AcDbObjectId found;
  EXPECT_EQ(nod->getAt(L"KVX_SURFACE", found), Acad::eOk);
  EXPECT_EQ(found, freshId);
  nod.close();
  EXPECT_SOUND(db);
}

TEST(Dictionary, SetAtOnAKeyInUseErasesTheOldObject) {
  AcDbDatabase db;
  const AcDbObjectId nodId = db.namedObjectsDictionaryId();
  const AcDbObjectId first = addXrecord(nodId, L"K", acutBuildList(70, 1, 0));
  const AcDbObjectId second = addXrecord(nodId, L"K", acutBuildList(70, 2, 0));
  EXPECT_TRUE(first.isErased());
  AcDbDictionaryPointer nod(nodId);
  AcDbObjectId found;
  nod->getAt(L"K", found);
  EXPECT_EQ(found, second);
  nod.close();
  EXPECT_SOUND(db);
}

TEST(Dictionary, RemoveLeavesTheObjectWithoutOwner) {
  AcDbDatabase db;
  const AcDbObjectId x = addXrecord(db.namedObjectsDictionaryId(), L"K", acutBuildList(70, 1, 0));
  {
    AcDbDictionaryPointer nod(db.namedObjectsDictionaryId(), AcDb::kForWrite);
    EXPECT_EQ(nod->remove(L"K"), Acad::eOk);
    EXPECT_EQ(nod->remove(L"K"), Acad::eKeyNotFound);
  }
  EXPECT_FALSE(uv::checkDatabase(db).empty());  // an orphan until erased or filed again
  AcDbObjectPointer<AcDbXrecord> xrec(x, AcDb::kForWrite);
  EXPECT_TRUE(xrec->ownerId().isNull());
  ASSERT_EQ(xrec->erase(), Acad::eOk);
  xrec.close();
  EXPECT_SOUND(db);
}

TEST(Xrecord, KeepsEveryValueKindAndRefusesCodesItCannotHold) {
  AcDbDatabase db;
  const AcDbObjectId line = uvtest::addToModelSpace(db, new AcDbLine);
  ads_name lineName;
  acdbGetAdsName(lineName, line);
  ads_point p = {1, 2, 3};
  char bytes[] = {9, 8, 7};
  ads_binary bin{3, bytes};
  const AcDbObjectId x = addXrecord(db.namedObjectsDictionaryId(), L"TOCKE",
                                    acutBuildList(1, L"tekst", 10, p, 11, p, 40, 2.5, 70, -2, 90, 100000, 160,
                                                  std::int64_t(5), 310, &bin, 340, lineName, 0));
  AcDbObjectPointer<AcDbXrecord> xrec(x, AcDb::kForWrite);
  uv::ResbufChain chain;
  ASSERT_EQ(xrec->rbChain(chain.out()), Acad::eOk);
  ASSERT_EQ(chain.length(), 9);
  uv::ResItems items;
  ASSERT_TRUE(uv::itemsFromChain(chain, items));
  EXPECT_EQ(items[0].text, L"tekst");
  EXPECT_EQ(items[2].point, AcGePoint3d(1, 2, 3));
  EXPECT_EQ(items[5].integer, 100000);
  EXPECT_EQ(items[7].bytes, (std::vector<unsigned char>{9, 8, 7}));
  EXPECT_EQ(items[8].id, line);

  for (int code : {5, 105, 1000, RTSTR, 0}) {
    uv::ResbufChain bad(acutBuildList(code == 0 ? RTDXF0 : code, L"x", 0));
    EXPECT_EQ(xrec->setFromRbChain(*bad), Acad::eInvalidResBuf) << code;
  }
  EXPECT_EQ(xrec->items().size(), 9u);
  xrec.close();
  EXPECT_SOUND(db);
}

// Items set directly are kept exactly as their chain would keep them, and refused where the
// chain would be refused or could not carry them.
TEST(Xrecord, ItemsSetDirectlyAreKeptAsTheirChainKeepsThem) {
  AcDbDatabase db;
  const AcDbObjectId line = uvtest::addToModelSpace(db, new AcDbLine);
  using uv::ResItem;
  const std::wstring withNull(L"ab\0cd", 5);
  const uv::ResItems accepted = {
      ResItem::ofString(1, L"tekst"),
      ResItem::ofString(3, withNull),
      ResItem::ofPoint(10, AcGePoint3d(1, 2, 3)),
      ResItem::ofReal(40, -2.5),
      ResItem::ofInt(70, 70000),            // wider than a short
      ResItem::ofInt(90, 5000000000LL),     // wider than a long
      ResItem::ofInt(160, -5000000000LL),
      ResItem::ofBytes(310, std::vector<unsigned char>(127, 0xAB)),
      ResItem::ofBytes(310, {}),
      ResItem::ofId(340, line),
  };
  auto viaChain = [&](const uv::ResItems& items) {
    AcDbXrecord x;
    uv::ResbufChain chain(uv::chainFromItems(items));
    EXPECT_EQ(x.setFromRbChain(*chain), Acad::eOk);
    return x.items();
  };
  AcDbXrecord direct;
  ASSERT_EQ(direct.setItems(accepted), Acad::eOk);
  EXPECT_EQ(direct.items(), viaChain(accepted));
  EXPECT_EQ(direct.items()[1].text, L"ab");
  EXPECT_EQ(direct.items()[4].integer, short(70000));

  struct Refused {
    const char* what;
    ResItem item;
  };
  ResItem wrongKind = ResItem::ofReal(1, 2.0);
  const Refused refused[] = {
      {"the handle's code", ResItem::ofString(5, L"1F")},
      {"an extended-data code", ResItem::ofString(1000, L"x")},
      {"a code without a kind", ResItem::ofString(0, L"x")},
      {"a real under a text's code", wrongKind},
      {"more bytes than a buffer counts", ResItem::ofBytes(310, std::vector<unsigned char>(40000, 1))},
  };
  for (const Refused& r : refused) {
    SCOPED_TRACE(r.what);
    uv::ResItems items = accepted;
    items.insert(items.begin() + 2, r.item);
    EXPECT_EQ(direct.setItems(items), Acad::eInvalidResBuf);
    EXPECT_EQ(direct.items(), viaChain(accepted));
  }
}

TEST(Group, CreatedAppendedThenFiledUnderItsName) {
  AcDbDatabase db;
  const AcDbObjectId a = uvtest::addToModelSpace(db, new AcDbLine);
  const AcDbObjectId b = uvtest::addToModelSpace(db, new AcDbLine);
  // The module's order: a new group, its entities, then the dictionary entry.
  auto* group = new AcDbGroup(L"contours");
  EXPECT_EQ(group->append(a), Acad::eOk);
  EXPECT_EQ(group->append(b), Acad::eOk);
  EXPECT_EQ(group->append(a), Acad::eDuplicateKey);
  EXPECT_EQ(group->append(db.layerZero()), Acad::eNotThatKindOfClass);
  AcDbObjectId groupId;
  {
    AcDbDictionary* groups = nullptr;
    ASSERT_EQ(db.getGroupDictionary(groups, AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(groups->setAt(L"{0A1B}", group, groupId), Acad::eOk);
    groups->close();
  }
  EXPECT_STREQ(group->name(), L"{0A1B}");
  group->close();

  // Erasing a member leaves it out of the group's answers.
  {
    AcDbEntityPointer ent(a, AcDb::kForWrite);
    ent->erase();
  }
  AcDbObjectPointer<AcDbGroup> g(groupId, AcDb::kForWrite);
  AcDbObjectIdArray ids;
  EXPECT_EQ(g->allEntityIds(ids), 1u);
  EXPECT_EQ(ids[0], b);
  EXPECT_FALSE(g->has(a));
  EXPECT_EQ(g->setName(L"Renamed"), Acad::eOk);
  EXPECT_STREQ(g->name(), L"Renamed");
  g.close();
  AcDbDictionary* groups = nullptr;
  db.getGroupDictionary(groups);
  EXPECT_TRUE(groups->has(L"Renamed"));
  EXPECT_FALSE(groups->has(L"{0A1B}"));
  groups->close();
  EXPECT_SOUND(db);
}

TEST(Group, RefusesEntitiesOfAnotherDrawing) {
  AcDbDatabase db, other;
  const AcDbObjectId mine = uvtest::addToModelSpace(db, new AcDbLine);
  const AcDbObjectId theirs = uvtest::addToModelSpace(other, new AcDbLine);
  AcDbGroup group;
  EXPECT_EQ(group.append(mine), Acad::eOk);
  EXPECT_EQ(group.append(theirs), Acad::eWrongDatabase);
}

}  // namespace
