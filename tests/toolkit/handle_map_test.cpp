#include "toolkit/handle_map.h"

#include <gtest/gtest.h>

namespace {

int tag[4];
void* value(int i) {
    return &tag[i];
}

TEST(HandleMap, GrowthSizesFollowTheSquareRule) {
    struct Case {
        std::size_t from, to;
    } cases[] = {{997, 2021}, {2021, 4073}, {1, 43}};
    for (const Case& c : cases) EXPECT_EQ(HandleMap::grownSize(c.from), c.to) << c.from;
}

TEST(HandleMap, ProbePathStepsTwoSlotsAndWraps) {
    HandleMap map;
    ASSERT_EQ(map.slotCount(), 997u);
    EXPECT_EQ(map.homeSlot(5), 6u);
    EXPECT_EQ(map.homeSlot(997), 1u);
    EXPECT_EQ(map.nextSlot(1), 3u);
    EXPECT_EQ(map.nextSlot(996), 1u);
    EXPECT_EQ(map.nextSlot(997), 2u);
}

TEST(HandleMap, CollidingKeysTakeTheNextSlotsOnTheirPath) {
    HandleMap map;
    map.bind(5, value(0));
    map.bind(5 + 997, value(1));
    map.bind(5 + 2 * 997, value(2));
    EXPECT_EQ(map.slot(6).key, 5u);
    EXPECT_EQ(map.slot(8).key, 5u + 997);
    EXPECT_EQ(map.slot(10).key, 5u + 2 * 997);
    EXPECT_EQ(map.find(5 + 997), value(1));
    EXPECT_EQ(map.find(5 + 2 * 997), value(2));
    EXPECT_EQ(map.find(5 + 3 * 997), nullptr);
}

TEST(HandleMap, KeyZeroAndUnknownKeysFindNothing) {
    HandleMap map;
    map.bind(0, value(0));
    EXPECT_EQ(map.entryCount(), 0u);
    EXPECT_EQ(map.find(0), nullptr);
    EXPECT_EQ(map.find(12345), nullptr);
}

TEST(HandleMap, AReusedHandleFindsItsNewestBinding) {
    HandleMap map;
    map.bind(42, value(0));
    map.unbind(42);
    EXPECT_EQ(map.find(42), nullptr);
    map.bind(42, value(1));
    EXPECT_EQ(map.find(42), value(1));
    map.bind(42, value(2));
    EXPECT_EQ(map.find(42), value(2));
    EXPECT_EQ(map.entryCount(), 1u);
}

TEST(HandleMap, UnbindingAHomeSlotKeepsLaterCollidersReachable) {
    HandleMap map;
    map.bind(7, value(0));
    map.bind(7 + 997, value(1));
    map.unbind(7);
    EXPECT_EQ(map.find(7 + 997), value(1));
}

TEST(HandleMap, AFullTableGrowsAndKeepsEveryEntry) {
    HandleMap map;
    for (HandleMap::Key key = 1; key <= 997; ++key) map.bind(key * 4, value(key % 4));
    EXPECT_EQ(map.slotCount(), 997u);
    map.bind(998 * 4, value(3));
    EXPECT_EQ(map.slotCount(), 2021u);
    EXPECT_EQ(map.entryCount(), 998u);
    for (HandleMap::Key key = 1; key <= 998; ++key) {
        ASSERT_EQ(map.find(key * 4), key == 998 ? value(3) : value(key % 4)) << key;
    }
}

}  // namespace
