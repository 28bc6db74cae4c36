// Row texts of the recording list (the tests run with TZ=Europe/Berlin) and
// the viewer's recording equality.
#include "ListRowText.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrel::list;

TEST(ListRowText, StartTimeInLocalTime)
{
    // The epoch is one hour past midnight in Berlin (winter time).
    EXPECT_EQ(StartDateText(0), "1970-01-01");
    EXPECT_EQ(StartTimeText(0), "01:00:00");
    // 2024-06-11 06:15:30.999 UTC: summer time, milliseconds dropped.
    EXPECT_EQ(StartDateText(1718086530999), "2024-06-11");
    EXPECT_EQ(StartTimeText(1718086530999), "08:15:30");
    // Across midnight local time while still the day before in UTC.
    EXPECT_EQ(StartDateText(1718056800000), "2024-06-11");
    EXPECT_EQ(StartTimeText(1718056800000), "00:00:00");
    // Before 1970.
    EXPECT_EQ(StartTimeText(-1000), "00:59:59");
}

TEST(ListRowText, OverlongTextGivesEmptyText)
{
    // A text that would not fit the row buffer.
    EXPECT_EQ(FormatStartTime(0, std::string(200, 'x').c_str()), "");
}

TEST(ListRowText, ChannelsJoinedUpToTheFirstEmptyOne)
{
    EXPECT_EQ(JoinChannels({L"1", L"2"}), "1/2");
    EXPECT_EQ(JoinChannels({}), "");
    EXPECT_EQ(JoinChannels({L"3"}), "3");
    EXPECT_EQ(JoinChannels({L"1", L"", L"3"}), "1");
    EXPECT_EQ(JoinChannels({L"", L"2"}), "");
}

TEST(ListRowText, TypeNameOnlyForKnownTypes)
{
    const QStringList names = {"Normal", "Event", "Parking", "Park event", "Motion", "Manual", "Time-lapse", "Other"};
    EXPECT_EQ(TypeName(names, 0), "Normal");
    EXPECT_EQ(TypeName(names, 7), "Other");
    EXPECT_EQ(TypeName(names, 8), "");
    EXPECT_EQ(TypeName(names, -1), "");
    EXPECT_EQ(TypeName({}, 0), "");
}
}  // namespace
