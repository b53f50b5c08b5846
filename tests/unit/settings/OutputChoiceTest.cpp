// The choice of output kind across categories, tabs and the snapshot button.
#include "options/OutputChoice.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

TEST(OutputChoice, StartsAtPcVideoAviWithNoOtherKinds)
{
    const OutputChoice choice;
    EXPECT_TRUE(choice.Current().Is(PcKind::Avi));
    EXPECT_EQ(choice.Kind(OutputCategory::MobileVideo), -1);
    EXPECT_EQ(choice.Kind(OutputCategory::Audio), -1);
}

TEST(OutputChoice, ACategoryStartsAtItsFirstKindAndClearsTheOthers)
{
    OutputChoice choice;
    choice.SelectCategory(OutputCategory::MobileVideo);
    choice.SetCurrentKind(3);
    choice.SelectCategory(OutputCategory::Audio);
    EXPECT_TRUE(choice.Current().Is(AudioKind::Mp3));
    EXPECT_EQ(choice.Kind(OutputCategory::MobileVideo), -1);
    EXPECT_EQ(choice.Kind(OutputCategory::PcVideo), -1);
    choice.SelectCategory(OutputCategory::MobileVideo);
    EXPECT_TRUE(choice.Current().Is(MobileKind::Psp)) << "the kind chosen before is not remembered";
}

TEST(OutputChoice, SnapshotChoosesImageAndLeavesTheOtherCategoriesKinds)
{
    OutputChoice choice;
    choice.SelectCategory(OutputCategory::Audio);
    choice.SetCurrentKind(2);
    choice.SelectSnapshot();
    EXPECT_TRUE(choice.Current().Is(PcKind::Image));
    EXPECT_EQ(choice.Kind(OutputCategory::Audio), 2);
    EXPECT_EQ(choice.Kind(OutputCategory::MobileVideo), -1);
}

TEST(OutputChoice, ResetReturnsToAvi)
{
    OutputChoice choice;
    choice.SelectSnapshot();
    choice.Reset();
    EXPECT_TRUE(choice.Current().Is(PcKind::Avi));
}

} // namespace
} // namespace kelvara
