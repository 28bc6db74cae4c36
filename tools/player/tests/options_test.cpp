#include <gtest/gtest.h>

#include "PlayerOptions.h"
#include "SpeedSteps.h"

namespace {

bool Parse(std::initializer_list<const char*> args, PlayerOptions* o, std::string* error)
{
    std::vector<const char*> v(args);
    return ParsePlayerOptions(int(v.size()), v.data(), o, error);
}

}  // namespace

TEST(PlayerOptions, FolderIndexAndGrab)
{
    PlayerOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"/card", "3", "--frames", "20", "--grab", "/tmp/x.png"}, &o, &error)) << error;
    EXPECT_EQ(o.folder, "/card");
    EXPECT_EQ(o.index, 3);
    EXPECT_EQ(o.frames, 20);
    EXPECT_EQ(o.grabFile, "/tmp/x.png");
    PlayerOptions d;
    ASSERT_TRUE(Parse({"/card"}, &d, &error));
    EXPECT_EQ(d.index, 0);
    EXPECT_EQ(d.frames, 0);
    EXPECT_FALSE(d.help);
    // Help needs no folder and wins over anything after it.
    PlayerOptions h;
    ASSERT_TRUE(Parse({"--help", "--loud"}, &h, &error)) << error;
    EXPECT_TRUE(h.help);
}

TEST(PlayerOptions, BadCommandLines)
{
    for (auto args : std::vector<std::vector<const char*>>{{},
                                                           {"/card", "x"},
                                                           {"/card", "-1"},
                                                           {"/card", "1", "2"},
                                                           {"/card", "--frames"},
                                                           {"/card", "--frames", "0"},
                                                           {"/card", "--frames", "5x"},
                                                           {"/card", "--grab", "a.png"},
                                                           {"/card", "--loud"}}) {
        PlayerOptions o;
        std::string error;
        EXPECT_FALSE(ParsePlayerOptions(int(args.size()), args.data(), &o, &error)) << args.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(SpeedSteps, StepsStayWithinQuarterAndFour)
{
    EXPECT_EQ(NextSpeed(1.0, +1), 2.0);
    EXPECT_EQ(NextSpeed(2.0, +1), 4.0);
    EXPECT_EQ(NextSpeed(4.0, +1), 4.0);
    EXPECT_EQ(NextSpeed(1.0, -1), 0.5);
    EXPECT_EQ(NextSpeed(0.5, -1), 0.25);
    EXPECT_EQ(NextSpeed(0.25, -1), 0.25);
    EXPECT_EQ(NextSpeed(1.5, -1), 1.0);  // an odd speed snaps to the nearest step
}
