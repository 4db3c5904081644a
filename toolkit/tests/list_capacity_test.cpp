#include <string>

#include "rig.h"

static View* addLabel(int n) {
  const std::string text = "view " + std::to_string(n);
  return insertView(VIEW_LABEL, 10, 10, n, n, 0, text.c_str(), 1, 2, 3, n, STATUS_SHOWN);
}

class ListCapacity : public ScreenTest {};

// The list counts at most its slot count minus one; a further view is built
// and returned in the last slot without being counted.
TEST_F(ListCapacity, LastSlotHoldsAnUncountedRecord) {
  const int most = viewListSlots - 1;  // 119 in the designer, 79 elsewhere
  for (int i = 0; i < most; ++i) addLabel(i);
  EXPECT_EQ(noOfViews(), most);

  View* extra = addLabel(500);
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(noOfViews(), most);
  EXPECT_EQ(viewList[most], extra);
  EXPECT_STREQ(extra->text, "view 500");
  EXPECT_EQ(extra->xpos, 500);
  EXPECT_EQ(extra->status, STATUS_SHOWN);
  EXPECT_EQ(findView(505, 505), nullptr) << "the uncounted record is never hit";

  View* next = addLabel(600);
  EXPECT_EQ(viewList[most], next) << "the next call reuses the same slot";
  EXPECT_EQ(noOfViews(), most);
  EXPECT_EQ(viewList[most - 1]->xpos, most - 1) << "registered views stay intact";
  delete extra;  // dropped from the list by the call that took its slot
}

TEST_F(ListCapacity, SlotCountIsBoundByTheProgram) {
  EXPECT_TRUE(viewListSlots == 120 || viewListSlots == 80);
  EXPECT_EQ(screenWidth == 710, viewListSlots == 120);
}

// Removing views frees their slots, the uncounted record of a full list
// included (the leak checker sees it), and new views fill them again.
TEST_F(ListCapacity, RemovedViewsFreeTheirSlots) {
  const int most = viewListSlots - 1;
  for (int round = 0; round < 3; ++round) {
    for (int i = noOfViews(); i < most + 1; ++i) addLabel(i);
    ASSERT_EQ(noOfViews(), most);
    View* kept = getView(4);
    removeViewsFrom(5);
    EXPECT_EQ(noOfViews(), 5);
    EXPECT_EQ(getView(4), kept);
    EXPECT_EQ(kept->xpos, 4) << "views below the cut stay intact";
    for (int i = 5; i < viewListSlots; ++i) EXPECT_EQ(viewList[i], nullptr) << i;
    EXPECT_EQ(findView(50, 50), nullptr) << "removed views are not hit";
  }
  removeViewsFrom(noOfViews() + 1);
  removeViewsFrom(-1);
  EXPECT_EQ(noOfViews(), 5) << "a cut outside the list changes nothing";
  removeViewsFrom(0);
  EXPECT_EQ(noOfViews(), 0);
}
