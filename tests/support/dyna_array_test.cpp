#include "support/dyna_array.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "support/block_memory.h"
#include "support/record_array.h"
#include "test_support.h"

namespace quillmere {
namespace {

struct Sample {
  std::uint32_t number;
  char tag[12];
};

// An array of Samples with the user's pointer variable beside it.
class DynaArrayTest : public ::testing::Test {
 protected:
  Sample* AddNumbered(std::uint32_t number) {
    auto* record = static_cast<Sample*>(array.Add());
    if (record != nullptr) record->number = number;
    return record;
  }
  void Fill(std::uint32_t records) {
    for (std::uint32_t k = 0; k < records; ++k) AddNumbered(k + 1);
  }
  std::uint32_t NumberAt(std::uint32_t index) const {
    return static_cast<const Sample*>(array.At(index))->number;
  }
  std::vector<std::uint32_t> Numbers() const {
    std::vector<std::uint32_t> numbers;
    for (std::uint32_t k = 0; k < array.count(); ++k) numbers.push_back(NumberAt(k));
    return numbers;
  }
  static bool IsZero(const void* record) {
    const Sample zero{};
    return std::memcmp(record, &zero, sizeof zero) == 0;
  }
  std::uint32_t BlockRecords() const { return array.amemsize() / sizeof(Sample); }

  void* user = nullptr;
  TDynaArray array{sizeof(Sample), &user};
};

TEST_F(DynaArrayTest, FirstAddTakesABlockOfHundredRecords) {
  EXPECT_EQ(array.amemsize(), 0u);
  EXPECT_EQ(array.aobjnr(), -1);
  void* const record = array.Add();
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(IsZero(record));
  EXPECT_EQ(array.count(), 1u);
  EXPECT_EQ(array.aobjnr(), 0);
  EXPECT_EQ(user, record);
  EXPECT_EQ(array.aobj(), record);
  EXPECT_EQ(BlockRecords(), 100u);
}

TEST_F(DynaArrayTest, HundredAndFirstAddReplacesTheBlockKeepingTheRecords) {
  Fill(100);
  EXPECT_EQ(BlockRecords(), 100u);
  const void* const old_block = array.At(0);

  void* const record = array.Add();
  ASSERT_NE(record, nullptr);
  EXPECT_NE(array.At(0), old_block);
  EXPECT_EQ(BlockRecords(), 200u);
  EXPECT_EQ(array.count(), 101u);
  EXPECT_EQ(array.aobjnr(), 100);
  EXPECT_EQ(user, record);
  EXPECT_TRUE(IsZero(record));
  for (std::uint32_t k = 0; k < 100; ++k) ASSERT_EQ(NumberAt(k), k + 1);
}

TEST_F(DynaArrayTest, DeleteShrinksTheBlockAtEveryStepAndClearsTheCursor) {
  Fill(101);
  array.Delete(100);
  EXPECT_EQ(array.count(), 100u);
  EXPECT_EQ(BlockRecords(), 100u);
  EXPECT_EQ(array.aobjnr(), -1);
  EXPECT_EQ(user, nullptr);
  EXPECT_EQ(array.aobj(), nullptr);
  for (std::uint32_t k = 0; k < 100; ++k) ASSERT_EQ(NumberAt(k), k + 1);

  // No hysteresis: across the boundary the block is replaced each time.
  AddNumbered(500);
  EXPECT_EQ(BlockRecords(), 200u);
  array.Delete(0);
  EXPECT_EQ(BlockRecords(), 100u);
  EXPECT_EQ(NumberAt(0), 2u);
  EXPECT_EQ(NumberAt(99), 500u);

  // Down to the only record, whose deletion gives the block back.
  while (array.count() > 1) array.Delete(0);
  array.Delete(0);
  EXPECT_EQ(array.amemsize(), 0u);
  EXPECT_EQ(user, nullptr);
}

TEST_F(DynaArrayTest, DeleteKeepsTheOrderBehindAndAddReusesTheSlotAsZeroes) {
  Fill(5);
  array.Delete(1);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 3, 4, 5}));
  EXPECT_TRUE(IsZero(array.Add()));  // the slot still held record 5's bytes
}

TEST_F(DynaArrayTest, DeleteOutOfRangeChangesNothing) {
  array.Delete(0);
  array.Delete(-1);
  EXPECT_EQ(array.count(), 0u);
  EXPECT_EQ(array.amemsize(), 0u);

  Fill(3);
  array.GetObject(1);
  for (const std::int32_t nr : {-1, 3, 4, -2147483647 - 1}) array.Delete(nr);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 2, 3}));
  EXPECT_EQ(array.aobjnr(), 1);
  EXPECT_EQ(user, array.At(1));
}

TEST_F(DynaArrayTest, InsertAtCountAppendsLikeAdd) {
  Fill(2);
  void* const record = array.Insert(2);
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(IsZero(record));
  EXPECT_EQ(array.count(), 3u);
  EXPECT_EQ(array.aobjnr(), 2);
  EXPECT_EQ(user, record);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 2, 0}));

  TDynaArray empty(sizeof(Sample), nullptr);
  EXPECT_NE(empty.Insert(0), nullptr);
  EXPECT_EQ(empty.count(), 1u);
}

TEST_F(DynaArrayTest, InsertOutOfRangeReturnsNothingAndChangesNothing) {
  Fill(2);
  array.GetObject(0);
  EXPECT_EQ(array.Insert(3), nullptr);
  EXPECT_EQ(array.Insert(-1), nullptr);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 2}));
  EXPECT_EQ(array.aobjnr(), 0);
  EXPECT_EQ(user, array.At(0));
  EXPECT_EQ(BlockRecords(), 100u);
}

TEST_F(DynaArrayTest, InsertAtTheFrontMovesTheRecordsUp) {
  Fill(2);
  void* const record = array.Insert(0);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(array.aobjnr(), 0);
  EXPECT_EQ(user, record);
  EXPECT_TRUE(IsZero(record));
}

TEST_F(DynaArrayTest, InsertThatGrowsTheBlockKeepsEveryRecord) {
  Fill(100);
  ASSERT_NE(array.Insert(50), nullptr);
  EXPECT_EQ(BlockRecords(), 200u);
  EXPECT_EQ(array.count(), 101u);
  EXPECT_EQ(NumberAt(49), 50u);
  EXPECT_EQ(NumberAt(50), 0u);
  EXPECT_EQ(NumberAt(51), 51u);
  EXPECT_EQ(NumberAt(100), 100u);
}

TEST_F(DynaArrayTest, FirstAndWhileNextVisitEveryRecordWithTheCursorOneBeyond) {
  Fill(3);
  std::vector<std::int32_t> cursors;
  std::vector<std::uint32_t> visited;
  array.First();
  while (array.WhileNext()) {
    cursors.push_back(array.aobjnr());
    visited.push_back(static_cast<Sample*>(user)->number);
    EXPECT_EQ(user, array.At(static_cast<std::uint32_t>(array.aobjnr() - 1)));
  }
  EXPECT_EQ(cursors, (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(visited, (std::vector<std::uint32_t>{1, 2, 3}));
  EXPECT_EQ(array.aobjnr(), 3);
  EXPECT_EQ(user, array.At(2));
  EXPECT_FALSE(array.WhileNext());
  EXPECT_EQ(array.aobjnr(), 3);
}

TEST_F(DynaArrayTest, WhileNextNeedsAFirst) {
  EXPECT_FALSE(array.WhileNext());
  array.First();  // nothing on an empty array
  EXPECT_EQ(array.aobjnr(), -1);
  EXPECT_FALSE(array.WhileNext());

  Fill(2);
  array.Delete(0);
  EXPECT_FALSE(array.WhileNext());
  EXPECT_EQ(array.aobjnr(), -1);
}

TEST_F(DynaArrayTest, NextStopsAtTheLastRecordAndStartsAfterDelete) {
  EXPECT_FALSE(array.Next());
  Fill(3);
  array.Delete(2);  // cursor -1
  EXPECT_TRUE(array.Next());
  EXPECT_EQ(array.aobjnr(), 0);
  EXPECT_EQ(user, array.At(0));
  EXPECT_TRUE(array.Next());
  EXPECT_EQ(array.aobjnr(), 1);
  EXPECT_FALSE(array.Next());
  EXPECT_EQ(array.aobjnr(), 1);
  EXPECT_EQ(user, array.At(1));

  // After a walk the cursor is beyond the last record: Next stays put.
  array.First();
  while (array.WhileNext()) {
  }
  EXPECT_FALSE(array.Next());
  EXPECT_EQ(array.aobjnr(), 2);
}

TEST_F(DynaArrayTest, ChangeSwapsTwoRecordsAndEndsOnTheSecondAndItemsMovesTheCursor) {
  Fill(5);
  std::strcpy(static_cast<Sample*>(array.GetObject(3))->tag, "fourth");
  array.Change(1, 3);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 4, 3, 2, 5}));
  EXPECT_STREQ(static_cast<const Sample*>(array.At(1))->tag, "fourth");
  EXPECT_EQ(array.aobjnr(), 3);
  EXPECT_EQ(user, array.At(3));

  array.Change(2, 2);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 4, 3, 2, 5}));
  EXPECT_EQ(array.aobjnr(), 2);

  array.Change(0, 5);
  array.Change(-1, 0);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1, 4, 3, 2, 5}));
  EXPECT_EQ(array.aobjnr(), 2);

  // items[] moves the cursor like GetObject.
  EXPECT_EQ(static_cast<Sample*>(array.items(4))->number, 5u);
  EXPECT_EQ(array.aobjnr(), 4);
  EXPECT_EQ(user, array.At(4));
}

TEST_F(DynaArrayTest, ClearGivesEverythingBackAndTheArrayStaysUsable) {
  Fill(150);
  array.Clear();
  EXPECT_EQ(array.count(), 0u);
  EXPECT_EQ(array.amemsize(), 0u);
  EXPECT_EQ(array.aobjnr(), -1);
  EXPECT_EQ(user, nullptr);
  ASSERT_NE(AddNumbered(7), nullptr);
  EXPECT_EQ(BlockRecords(), 100u);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{7}));
}

TEST_F(DynaArrayTest, ManyAddsAndDeletesKeepTheStepRule) {
  for (std::uint32_t k = 0; k < 1000; ++k) {
    AddNumbered(k);
    ASSERT_EQ(BlockRecords(), (array.count() + 99) / 100 * 100);
  }
  while (array.count() > 0) {
    array.Delete(static_cast<std::int32_t>(array.count() / 2));
    ASSERT_EQ(BlockRecords(), (array.count() + 99) / 100 * 100);
  }
  EXPECT_EQ(array.amemsize(), 0u);
}

TEST(RecordArrayTest, TypedWrapperFollowsTheCursor) {
  RecordArray<Sample> samples;
  EXPECT_EQ(samples.current(), nullptr);
  Sample* const first = samples.Add();
  first->number = 10;
  samples.Add()->number = 20;
  samples.First();
  std::vector<std::uint32_t> visited;
  while (samples.WhileNext()) visited.push_back(samples.current()->number);
  EXPECT_EQ(visited, (std::vector<std::uint32_t>{10, 20}));
  EXPECT_EQ(samples.aobjnr(), 2);
  samples.Delete(0);
  EXPECT_EQ(samples.current(), nullptr);
  EXPECT_EQ(samples.At(0).number, 20u);
}

// Memory exhaustion: a block source that refuses blocks above a limit.
std::size_t refuse_above = 0;
void* LimitedBlocks(std::size_t bytes) {
  if (bytes > refuse_above) {
    errno = ENOMEM;
    return nullptr;
  }
  return std::calloc(bytes, 1);
}

class OutOfMemoryTest : public DynaArrayTest {
 protected:
  OutOfMemoryTest() {
    previous_source = SetZeroedBlockSource(&LimitedBlocks);
    refuse_above = SIZE_MAX;
  }
  ~OutOfMemoryTest() override {
    SetZeroedBlockSource(previous_source);
  }

  ZeroedBlockSource previous_source = nullptr;
};

TEST_F(OutOfMemoryTest, FirstBlockFailureLeavesTheArrayEmpty) {
  refuse_above = 0;
  EXPECT_EQ(array.Add(), nullptr);
  EXPECT_EQ(array.Insert(0), nullptr);
  EXPECT_EQ(array.count(), 0u);
  EXPECT_EQ(array.amemsize(), 0u);
  EXPECT_EQ(array.aobjnr(), -1);
  EXPECT_EQ(array.LastShortage(), (MemoryShortage{1, 1600, ENOMEM}));

  refuse_above = SIZE_MAX;
  ASSERT_NE(AddNumbered(1), nullptr);
  EXPECT_EQ(Numbers(), (std::vector<std::uint32_t>{1}));
}

TEST_F(OutOfMemoryTest, GrowthFailureKeepsRecordsAndCursorWithTheErrorCode) {
  Fill(100);
  array.GetObject(40);
  refuse_above = 100 * sizeof(Sample);
  EXPECT_EQ(array.Add(), nullptr);
  EXPECT_EQ(array.Insert(5), nullptr);
  EXPECT_EQ(array.count(), 100u);
  EXPECT_EQ(BlockRecords(), 100u);
  EXPECT_EQ(array.aobjnr(), 40);
  EXPECT_EQ(user, array.At(40));
  for (std::uint32_t k = 0; k < 100; ++k) ASSERT_EQ(NumberAt(k), k + 1);
  EXPECT_EQ(array.LastShortage(), (MemoryShortage{2, 3200, ENOMEM}));
}

TEST_F(OutOfMemoryTest, ShrinkFailureKeepsTheLargerBlockInUse) {
  Fill(101);
  refuse_above = 0;
  array.Delete(0);
  EXPECT_EQ(array.LastShortage(), (MemoryShortage{3, 1600, ENOMEM}));
  EXPECT_EQ(array.count(), 100u);
  EXPECT_EQ(BlockRecords(), 200u);
  EXPECT_EQ(NumberAt(0), 2u);
  EXPECT_EQ(NumberAt(99), 101u);

  // The larger block serves further records without a new one, and a later
  // successful shrink brings the step rule back.
  ASSERT_NE(AddNumbered(900), nullptr);
  ASSERT_NE(AddNumbered(901), nullptr);
  EXPECT_EQ(BlockRecords(), 200u);
  refuse_above = SIZE_MAX;
  array.Delete(0);
  array.Delete(0);
  EXPECT_EQ(BlockRecords(), 100u);
  EXPECT_EQ(NumberAt(99), 901u);
  EXPECT_EQ(array.LastShortage(), (MemoryShortage{3, 1600, ENOMEM}));  // no further failure
}

TEST_F(OutOfMemoryTest, BlockBeyondThirtyTwoBitsIsRefusedNotWrapped) {
  TDynaArray huge(50'000'000, nullptr);
  EXPECT_EQ(huge.Add(), nullptr);
  EXPECT_EQ(huge.count(), 0u);
  EXPECT_EQ(huge.LastShortage(), (MemoryShortage{1, 5'000'000'000, ENOMEM}));
}

}  // namespace
}  // namespace quillmere
