#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "rx/AcRxDictionary.h"
#include "rx/OdRxObject.h"
#include "rx/SystemRegistry.h"

namespace {

struct Counted : OdRxObject {
  explicit Counted(int& deletions) : m_deletions(deletions) {}
  ~Counted() override { ++m_deletions; }
  int& m_deletions;
};

TEST(RxObject, StartsWithTheCreatorsReferenceAndDiesAtZero) {
  int deletions = 0;
  auto* o = new Counted(deletions);
  EXPECT_EQ(o->numRefs(), 1);
  o->addRef();
  EXPECT_EQ(o->numRefs(), 2);
  o->release();
  EXPECT_EQ(deletions, 0);
  o->release();
  EXPECT_EQ(deletions, 1);
}

TEST(RxObject, CountSurvivesConcurrentAddRefAndRelease) {
  int deletions = 0;
  auto* o = new Counted(deletions);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([o] {
      for (int i = 0; i < 50000; ++i) o->addRef();
      for (int i = 0; i < 50000; ++i) o->release();
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(o->numRefs(), 1);
  EXPECT_EQ(deletions, 0);
  o->release();
  EXPECT_EQ(deletions, 1);
}

TEST(RxDictionary, HoldsAReferenceAndHandsItBack) {
  int deletions = 0;
  {
    AcRxDictionary d;
    d.atPut(L"a", new Counted(deletions));
    OdRxObject* replaced = d.atPut(L"a", new Counted(deletions));
    ASSERT_NE(replaced, nullptr);
    replaced->release();
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(d.at(L"b"), nullptr);
    EXPECT_EQ(d.numEntries(), 1);
  }
  EXPECT_EQ(deletions, 2);  // the dictionary released what it held
}

TEST(SystemRegistry, OffersTheLinkerAndTheCommandStack) {
  EXPECT_NE(AcRxDynamicLinker::cast(acrxSysRegistry()->at(L"DynamicLinker")), nullptr);
  EXPECT_NE(AcEdCommandStack::cast(acrxSysRegistry()->at(L"ACAD_REGISTERED_COMMANDS")), nullptr);
  EXPECT_EQ(acrxDynamicLinker, acrxSysRegistry()->at(L"DynamicLinker"));
  EXPECT_EQ(acedRegCmds, acrxSysRegistry()->at(L"ACAD_REGISTERED_COMMANDS"));
  // Each service answers only its own cast.
  EXPECT_EQ(AcEdCommandStack::cast(acrxSysRegistry()->at(L"DynamicLinker")), nullptr);
}

}  // namespace
