// The database's storage helpers: the pool of small blocks and the short
// list that gathers extended-data groups.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

#include "db/ShortList.h"
#include "db/SmallObjectPool.h"

namespace {

// Blocks of every size class, far more than one 2 MiB region holds: each
// block is its own (writing one never changes another), also across the
// regions' ends, and a released block is handed out again for its size.
TEST(SmallObjectPool, BlocksAcrossManyRegionsAreSeparateAndReused) {
  struct Block {
    unsigned char* p;
    std::size_t size;
  };
  std::vector<Block> blocks;
  std::size_t total = 0;
  for (std::size_t i = 0; total < (std::size_t(7) << 20); ++i) {
    const std::size_t size = 1 + (i * 37) % uv::SmallObjectPool::kMaxPooled;
    auto* p = static_cast<unsigned char*>(uv::SmallObjectPool::allocate(size));
    ASSERT_NE(p, nullptr);
    std::memset(p, int(i & 0xFF), size);
    blocks.push_back({p, size});
    total += size;
  }
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const Block& b = blocks[i];
    for (std::size_t k = 0; k < b.size; ++k)
      ASSERT_EQ(b.p[k], (unsigned char)(i & 0xFF)) << "block " << i << " of " << b.size << " bytes, byte " << k;
  }
#if !defined(__SANITIZE_ADDRESS__)
  // Pooled builds only: sanitizer builds hand every block to the general heap.
  std::set<void*> freed;
  std::vector<void*> sixtyFour;
  for (int i = 0; i < 100; ++i) sixtyFour.push_back(uv::SmallObjectPool::allocate(64));
  for (void* p : sixtyFour) {
    uv::SmallObjectPool::release(p, 64);
    freed.insert(p);
  }
  for (int i = 0; i < 100; ++i) {
    sixtyFour[i] = uv::SmallObjectPool::allocate(60);  // the same class of 8 bytes
    EXPECT_EQ(freed.erase(sixtyFour[i]), 1u) << "allocation " << i << " did not reuse a released block";
  }
  for (void* p : sixtyFour) uv::SmallObjectPool::release(p, 60);
#endif
  for (const Block& b : blocks) uv::SmallObjectPool::release(b.p, b.size);
}

// Pushing and erasing around the number of items the list holds in itself:
// the items and their order are the same as a vector's after the same steps.
TEST(ShortList, KeepsItemsInOrderAcrossItsOwnRoom) {
  struct Step {
    int pushes;
    std::vector<int> eraseAt;  // positions erased in turn after the pushes
  };
  const Step steps[] = {
      {0, {}},        {1, {0}},          {3, {1}},       {4, {}},          {4, {3, 0}},
      {5, {}},        {5, {4}},          {5, {0}},       {6, {2, 2}},      {9, {0, 0, 0, 0, 0}},
      {9, {8, 3, 0}}, {12, {5, 5, 5, 5}}, {5, {0, 0, 0, 0, 0}},
  };
  for (const Step& step : steps) {
    uv::ShortList<int, 4> list;
    std::vector<int> expected;
    for (int i = 0; i < step.pushes; ++i) {
      list.push_back(100 + i);
      expected.push_back(100 + i);
    }
    for (int at : step.eraseAt) {
      list.erase(list.begin() + at);
      expected.erase(expected.begin() + at);
      ASSERT_EQ(std::vector<int>(list.begin(), list.end()), expected) << step.pushes << " pushes, erased at " << at;
    }
    EXPECT_EQ(list.empty(), expected.empty());
    // A push after the erases lands after the items left.
    list.push_back(7);
    expected.push_back(7);
    EXPECT_EQ(std::vector<int>(list.begin(), list.end()), expected) << step.pushes << " pushes";
    EXPECT_EQ(list.back(), 7);
  }
}

}  // namespace
