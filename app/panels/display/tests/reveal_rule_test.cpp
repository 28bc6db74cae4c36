// The reveal rule of the full-screen view on a 1920 x 1080 layout with thin
// hot zones along three edges and reveal regions that leave the strip free.
#include "CRevealRule.h"

#include <gtest/gtest.h>

namespace {

CRevealRule::Zones EdgeZones()
{
    CRevealRule::Zones z;
    z.hot[CRevealRule::kTop] = QRect(0, 0, 1920, 8);
    z.back[CRevealRule::kTop] = QRect(0, 100, 1920, 980);
    z.hot[CRevealRule::kRight] = QRect(1912, 0, 8, 1080);
    z.back[CRevealRule::kRight] = QRect(0, 0, 1700, 1080);
    z.hot[CRevealRule::kBottom] = QRect(0, 1072, 1920, 8);
    z.back[CRevealRule::kBottom] = QRect(0, 0, 1920, 900);
    return z;
}

class RevealRuleTest : public ::testing::Test {
protected:
    void SetUp() override { rule.SetZones(EdgeZones()); }
    CRevealRule rule;
};

TEST_F(RevealRuleTest, EachEdgeRevealsItsStripAndTheWayBackCoversAgain)
{
    const struct {
        QPoint hot;
        CRevealRule::Strip strip;
        QPoint inStrip;  // still in the strip, outside the reveal region
    } cases[] = {
        {{960, 3}, CRevealRule::kTop, {960, 60}},
        {{1916, 540}, CRevealRule::kRight, {1800, 540}},
        {{960, 1076}, CRevealRule::kBottom, {960, 1000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strip);
        EXPECT_EQ(rule.OnPointer({960, 540}), CRevealRule::kNoChange);
        EXPECT_EQ(rule.OnPointer(c.hot), CRevealRule::kRevealed);
        EXPECT_EQ(rule.Revealed(), c.strip);
        EXPECT_EQ(rule.RevealRegion(), EdgeZones().back[size_t(c.strip)]);
        EXPECT_EQ(rule.OnPointer(c.inStrip), CRevealRule::kNoChange);
        EXPECT_EQ(rule.OnPointer(c.hot), CRevealRule::kNoChange);
        EXPECT_EQ(rule.Revealed(), c.strip);
        EXPECT_EQ(rule.OnPointer({960, 540}), CRevealRule::kCovered);
        EXPECT_EQ(rule.Revealed(), CRevealRule::kNone);
        EXPECT_TRUE(rule.RevealRegion().isEmpty());
    }
}

TEST_F(RevealRuleTest, AnotherHotZoneChangesNothingUntilThePointerIsBackOnThePicture)
{
    ASSERT_EQ(rule.OnPointer({1000, 2}), CRevealRule::kRevealed);
    // Along the top strip into the right hot zone: the top strip stays.
    EXPECT_EQ(rule.OnPointer({1916, 40}), CRevealRule::kNoChange);
    EXPECT_TRUE(rule.IsRevealed(CRevealRule::kTop));
    EXPECT_FALSE(rule.IsRevealed(CRevealRule::kRight));
    // Down the right edge into the top reveal region: full cover first...
    EXPECT_EQ(rule.OnPointer({1916, 300}), CRevealRule::kCovered);
    // ...and only the next move may reveal the right strip.
    EXPECT_EQ(rule.OnPointer({1916, 310}), CRevealRule::kRevealed);
    EXPECT_TRUE(rule.IsRevealed(CRevealRule::kRight));
}

TEST_F(RevealRuleTest, CornersGoToTheFirstStripInTheOrderTopRightBottom)
{
    EXPECT_EQ(rule.OnPointer({1916, 2}), CRevealRule::kRevealed);
    EXPECT_EQ(rule.Revealed(), CRevealRule::kTop);
    rule.Reset();
    EXPECT_EQ(rule.OnPointer({1916, 1076}), CRevealRule::kRevealed);
    EXPECT_EQ(rule.Revealed(), CRevealRule::kRight);
}

TEST_F(RevealRuleTest, ZoneEdgesAreExclusiveOnTheRightAndBottom)
{
    EXPECT_EQ(rule.OnPointer({960, 8}), CRevealRule::kNoChange);
    EXPECT_EQ(rule.OnPointer({960, 7}), CRevealRule::kRevealed);
    EXPECT_EQ(rule.OnPointer({960, 99}), CRevealRule::kNoChange);
    EXPECT_EQ(rule.OnPointer({960, 100}), CRevealRule::kCovered);
}

TEST(RevealRule, MissingZonesNeverReveal)
{
    CRevealRule rule;
    for (QPoint p : {QPoint(0, 0), QPoint(1919, 1079), QPoint(-1, -1)})
        EXPECT_EQ(rule.OnPointer(p), CRevealRule::kNoChange);
    EXPECT_EQ(rule.Revealed(), CRevealRule::kNone);
}

}  // namespace
