// Channel keys and the recovery poll shared by both display windows.
#include "DisplaySetup.h"
#include "FakeDisplay.h"

#include <gtest/gtest.h>

using namespace kestrel::display;

namespace {

TEST(DisplaySetup, LabelKeysOnlyForTheNamedChannels)
{
    EXPECT_EQ(LabelKeyForChannel(0), "display_text_front");
    EXPECT_EQ(LabelKeyForChannel(1), "display_text_rear");
    EXPECT_EQ(LabelKeyForChannel(2), "display_text_left");
    EXPECT_EQ(LabelKeyForChannel(3), "display_text_right");
    EXPECT_EQ(LabelKeyForChannel(16), "map_dlg_text");
    for (int channel : {-1, 4, 15, 17, 1000})
        EXPECT_TRUE(LabelKeyForChannel(channel).isEmpty()) << channel;
}

TEST(DisplaySetup, RearLogosForChannelsOneToThreeFrontForTheRest)
{
    const QStringList front{"logo_main_front", "logo_sub_front", "logo_full_front"};
    const QStringList rear{"logo_main_rear", "logo_sub_rear", "logo_full_rear"};
    for (int channel : {1, 2, 3})
        EXPECT_EQ(LogoKeysForChannel(channel), rear) << channel;
    for (int channel : {0, 4, 15, 16, 17, -1})
        EXPECT_EQ(LogoKeysForChannel(channel), front) << channel;
}

TEST(DisplaySetup, HealthyDisplayIsLeftAlone)
{
    FakeDisplay display;
    PollRecovery(display);
    EXPECT_EQ(display.recoverAttempts, 0);
    EXPECT_TRUE(display.calls.isEmpty());
}

TEST(DisplaySetup, FailedRecoveryStaysMarkedAndIsTriedAgain)
{
    FakeDisplay display;
    display.needsRecovery = 1;
    PollRecovery(display);
    PollRecovery(display);
    EXPECT_EQ(display.recoverAttempts, 2);
    EXPECT_EQ(display.marked, 1);
    EXPECT_EQ(display.clears, 0);

    display.recoverSucceeds = true;
    PollRecovery(display);
    EXPECT_EQ(display.recoverAttempts, 3);
    EXPECT_EQ(display.marked, 0);
    EXPECT_EQ(display.calls.mid(display.calls.size() - 3),
              QStringList({"MarkRecovery(1)", "MarkRecovery(0)", "Clear(1)"}));
    // Recovered: later rounds do nothing.
    PollRecovery(display);
    EXPECT_EQ(display.recoverAttempts, 3);
}

}  // namespace
