#include <gtest/gtest.h>

#include "DecimationControls.h"

using namespace trend;

namespace {

TEST(DecimationControls, PresetSetsStepAndValue) {
    DecimationControls c;
    c.RadioButton1Click(1200);
    EXPECT_EQ(c.Edit2Text(), "1200");
    EXPECT_EQ(c.Increment(), 1200);
    EXPECT_EQ(c.CheckedIndex(), 4);
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        c.arrowClick(true);
        seen.push_back(c.Edit2Text());
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"2400", "3600", "3600", "3600"}));
    c.RadioButton1Click(0);
    EXPECT_EQ(c.Increment(), 1) << "the step of the 0 preset is 1";
    EXPECT_EQ(c.Edit2Text(), "0");
}

TEST(DecimationControls, TypedTextSelectsTheMatchingPreset) {
    DecimationControls c;
    c.setEdit2Text("60");
    EXPECT_EQ(c.CheckedIndex(), 2);
    EXPECT_EQ(c.Increment(), 60);
    c.setEdit2Text("30");
    EXPECT_EQ(c.CheckedIndex(), -1);
    EXPECT_EQ(c.Increment(), 60) << "the last preset's step stays";
    c.arrowClick(true);
    EXPECT_EQ(c.Edit2Text(), "90");
    c.arrowClick(false);
    c.arrowClick(false);
    EXPECT_EQ(c.Edit2Text(), "0");
    EXPECT_EQ(c.CheckedIndex(), 0) << "reaching 0 selects its preset";
    EXPECT_EQ(c.Increment(), 1);
}

TEST(DecimationControls, TextThatIsNoWholeNumberCountsAsZero) {
    DecimationControls c;
    c.RadioButton1Click(600);
    c.setEdit2Text("");
    EXPECT_EQ(c.CheckedIndex(), 0);
    EXPECT_EQ(c.Edit2Text(), "0") << "the click on 0 writes its value";
    c.setEdit2Text("abc");
    EXPECT_EQ(c.Edit2Text(), "abc") << "0 was selected already: nothing is clicked";
}

TEST(DecimationControls, TypedValuesAboveTheMaximumStayButArrowsHoldTheRange) {
    DecimationControls c;
    c.setEdit2Text("5000");
    EXPECT_EQ(c.Edit2Text(), "5000");
    c.arrowClick(false);
    EXPECT_EQ(c.Edit2Text(), "3599");
    c.setEdit2Text("0");
    c.arrowClick(false);
    EXPECT_EQ(c.Edit2Text(), "0");
}

}  // namespace
