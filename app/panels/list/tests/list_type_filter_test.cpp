// The type filter rules on their own: which flags MergeData gets and which
// buttons show checked after each press.
#include "CListTypeFilter.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace {

using Flags = std::array<int32_t, CListTypeFilter::kTypeCount>;

CListTypeFilter OfferOnly(std::initializer_list<int> types)
{
    CListTypeFilter f;
    for (int i = 0; i < CListTypeFilter::kTypeCount; ++i)
        f.SetAvailable(i, false);
    for (int t : types)
        f.SetAvailable(t, true);
    return f;
}

bool AnyTypeChecked(const CListTypeFilter& f)
{
    for (int i = 0; i < CListTypeFilter::kTypeCount; ++i)
        if (f.TypeChecked(i))
            return true;
    return false;
}

TEST(ListTypeFilter, StartsAndResetsToEverything)
{
    CListTypeFilter f = OfferOnly({0, 1});
    EXPECT_TRUE(f.AllChecked());
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 1, 1, 1, 1, 1, 1}));
    f.ToggleType(0, true);
    f.Reset();
    // All eight, offered or not, so a load shows every recording.
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(f.AllChecked());
    EXPECT_FALSE(AnyTypeChecked(f));
    EXPECT_EQ(f.State(), 1);
}

TEST(ListTypeFilter, SkinWithTypesZeroAndOneOnly)
{
    CListTypeFilter f = OfferOnly({0, 1});
    EXPECT_TRUE(f.ToggleType(0, true));  // narrows to type 0
    EXPECT_EQ(f.FlagArray(), (Flags{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(f.PressAll());
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 0, 0, 0, 0, 0, 0}));

    // Ticking both offered types one by one turns All back on.
    EXPECT_TRUE(f.ToggleType(0, true));
    EXPECT_FALSE(f.AllChecked());
    EXPECT_TRUE(f.TypeChecked(0));
    EXPECT_TRUE(f.ToggleType(1, true));
    EXPECT_TRUE(f.AllChecked());
    EXPECT_FALSE(AnyTypeChecked(f));
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(ListTypeFilter, AllThenTypeShowsOnlyThatType)
{
    CListTypeFilter f;
    EXPECT_TRUE(f.ToggleType(3, true));
    EXPECT_EQ(f.FlagArray(), (Flags{0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(f.AllChecked());
    EXPECT_TRUE(f.TypeChecked(3));
    EXPECT_EQ(f.State(), 0);

    EXPECT_TRUE(f.ToggleType(5, true));
    EXPECT_EQ(f.FlagArray(), (Flags{0, 0, 0, 1, 0, 1, 0, 0}));
    EXPECT_TRUE(f.TypeChecked(3));
    EXPECT_TRUE(f.TypeChecked(5));
}

TEST(ListTypeFilter, UncheckingTheLastTypeSelectsAllAgain)
{
    CListTypeFilter f = OfferOnly({0, 1, 2});
    f.ToggleType(2, true);
    f.ToggleType(0, true);
    EXPECT_TRUE(f.ToggleType(2, false));
    EXPECT_EQ(f.FlagArray(), (Flags{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(f.AllChecked());

    EXPECT_TRUE(f.ToggleType(0, false));
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(f.AllChecked());
    EXPECT_FALSE(AnyTypeChecked(f));
}

TEST(ListTypeFilter, AllAgainChangesNothing)
{
    CListTypeFilter f = OfferOnly({0, 1});
    EXPECT_FALSE(f.PressAll());  // after a reset: everything already shown
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 1, 1, 1, 1, 1, 1}));

    f.ToggleType(1, true);
    EXPECT_TRUE(f.PressAll());
    EXPECT_FALSE(f.PressAll());
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(f.AllChecked());
}

TEST(ListTypeFilter, AllNeverStaysCheckedBesideAType)
{
    // With a single offered type, ticking it already shows "everything".
    CListTypeFilter f = OfferOnly({2});
    f.ToggleType(2, true);
    EXPECT_FALSE(f.AllChecked());
    EXPECT_FALSE(f.PressAll());
    EXPECT_TRUE(f.AllChecked());
    EXPECT_FALSE(f.TypeChecked(2));
    EXPECT_EQ(f.FlagArray(), (Flags{0, 0, 1, 0, 0, 0, 0, 0}));
}

TEST(ListTypeFilter, SkinOfferingNoTypeStillShowsEverything)
{
    CListTypeFilter f = OfferOnly({});
    f.ToggleType(4, true);
    EXPECT_TRUE(f.ToggleType(4, false));
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(f.AllChecked());
}

TEST(ListTypeFilter, TypesOutsideTheEightAreIgnored)
{
    CListTypeFilter f;
    EXPECT_FALSE(f.ToggleType(8, true));
    EXPECT_FALSE(f.ToggleType(-1, true));
    f.SetAvailable(9, false);
    EXPECT_FALSE(f.IsAvailable(9));
    EXPECT_FALSE(f.TypeChecked(8));
    EXPECT_EQ(f.FlagArray(), (Flags{1, 1, 1, 1, 1, 1, 1, 1}));
}

// Whatever the user presses, the list never gets an empty filter and All
// never shows checked beside a type button; checked type buttons are
// exactly the shown types while All is off.
TEST(ListTypeFilter, RandomPressesKeepTheButtonsConsistent)
{
    std::mt19937 rng(7);
    for (int offered = 0; offered < 256; offered += 17) {
        CListTypeFilter f;
        for (int i = 0; i < 8; ++i)
            f.SetAvailable(i, (offered >> i) & 1);
        for (int step = 0; step < 300; ++step) {
            const int action = int(rng() % 9);
            if (action == 8) {
                f.PressAll();
            } else {
                // A button toggles its own check state before the panel reacts.
                f.ToggleType(action, !f.TypeChecked(action));
            }
            ASSERT_NE(f.State(), -1) << "offered " << offered << " step " << step;
            ASSERT_FALSE(f.AllChecked() && AnyTypeChecked(f));
            ASSERT_TRUE(f.AllChecked() || AnyTypeChecked(f));
            if (!f.AllChecked()) {
                for (int i = 0; i < 8; ++i)
                    ASSERT_EQ(f.TypeChecked(i), f.FlagArray()[i] != 0);
            }
        }
    }
}

}  // namespace
