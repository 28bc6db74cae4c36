#include "NameRules.h"
#include "TimeHelpers.h"

#include <gtest/gtest.h>

using namespace recplugin;
using rptest::LocalMs;
using rptest::LocalTime;

namespace {

const time_t kNow = LocalTime(2025, 6, 15, 12, 0, 0);

std::optional<NameIdentity> Avi(const std::wstring& fileName, time_t now = kNow)
{
    return ParseNameStem(NameStem(fileName, fileName.rfind(L"ch", 0) == 0), NameKind::Avi, now);
}

std::optional<NameIdentity> Mp4(const std::wstring& fileName, time_t now = kNow)
{
    return ParseNameStem(NameStem(fileName, false), NameKind::Mp4, now);
}

}  // namespace

TEST(NameRules, AviNameGivesLocalStartAndSecondLetterType)
{
    const auto id = Avi(L"20180916_123456_NE.avi");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->startMs, LocalMs(2018, 9, 16, 12, 34, 56));
    EXPECT_EQ(id->recType, 1);
    // Lower-case letters are upper-cased before the lookup.
    const auto lower = Avi(L"20180916_123456_ne.avi");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->recType, 1);
    // Channel files drop their "ch0_" prefix first.
    const auto ch = Avi(L"ch2_20180916_123456_NE.avi");
    ASSERT_TRUE(ch);
    EXPECT_EQ(ch->startMs, id->startMs);
}

TEST(NameRules, AviTypeTable)
{
    const std::pair<const wchar_t*, int> cases[] = {
        {L"20180916_123456_NE.avi", 1}, {L"20180916_123456_NS.avi", 3}, {L"20180916_123456_NP.avi", 4},
        {L"20180916_123456_NM.avi", 5}, {L"20180916_123456_NL.avi", 6}, {L"20180916_123456_NZ.avi", 0},
        {L"20180916_123456_EN.avi", 0},
    };
    for (const auto& [name, type] : cases) {
        const auto id = Avi(name);
        ASSERT_TRUE(id) << name;
        EXPECT_EQ(id->recType, type) << name;
    }
}

TEST(NameRules, AviNeedsExactly14DigitsAndTwoLetters)
{
    EXPECT_FALSE(Avi(L"20180916_123456.avi"));         // no letters
    EXPECT_FALSE(Avi(L"20180916_123456_NEF.avi"));     // three letters
    EXPECT_FALSE(Avi(L"20180916_1234567_NE.avi"));     // 15 digits
    EXPECT_FALSE(Avi(L"180916_123456_NE.avi"));        // 12 digits
    // The same three-letter name is a type-1 MP4 recording.
    const auto mp4 = Mp4(L"20180916_123456_NEF.mp4");
    ASSERT_TRUE(mp4);
    EXPECT_EQ(mp4->recType, 1);
}

TEST(NameRules, Mp4TypeCodesAndSingleLetters)
{
    const std::pair<const wchar_t*, int> cases[] = {
        {L"20180916-123456-EVT.mp4", 1}, {L"20180916-123456-EMER.mp4", 1}, {L"20180916-123456-PRK.mp4", 2},
        {L"20180916-123456-PEV.mp4", 3}, {L"20180916-123456-IMP.mp4", 3},  {L"20180916-123456-MOT.mp4", 4},
        {L"20180916-123456-MAN.mp4", 5}, {L"20180916-123456-usr.mp4", 5},  {L"20180916-123456-XYZ.mp4", 0},
        // First code in search order wins, not first in the name.
        {L"20180916-123456-MOTEVT.mp4", 1}, {L"20180916-123456-MANPRK.mp4", 2},
        // Fewer than two letters: the single-letter column.
        {L"20180916-123456-E.mp4", 1}, {L"20180916-123456-P.mp4", 3}, {L"20180916-123456-M.mp4", 4},
        {L"20180916-123456-B.mp4", 5}, {L"20180916-123456-L.mp4", 0}, {L"20180916-123456.mp4", 0},
    };
    for (const auto& [name, type] : cases) {
        const auto id = Mp4(name);
        ASSERT_TRUE(id) << name;
        EXPECT_EQ(id->recType, type) << name;
    }
}

TEST(NameRules, FutureAndPre1970DatesGiveNoRecord)
{
    EXPECT_FALSE(Avi(L"20300101_000000_NE.avi"));
    EXPECT_FALSE(Mp4(L"20300101000000.mp4"));
    EXPECT_FALSE(Mp4(L"19650101000000.mp4"));
    // The same name is fine once "now" has reached its year.
    EXPECT_TRUE(Avi(L"20300101_000000_NE.avi", LocalTime(2030, 1, 2)));
}

TEST(NameRules, FieldRangesAreChecked)
{
    EXPECT_FALSE(Avi(L"20181316_123456_NE.avi"));  // month 13
    EXPECT_FALSE(Avi(L"20180900_123456_NE.avi"));  // day 0
    EXPECT_FALSE(Avi(L"20180932_123456_NE.avi"));  // day 32
    EXPECT_FALSE(Avi(L"20180916_243456_NE.avi"));  // hour 24
    EXPECT_FALSE(Avi(L"20180916_126056_NE.avi"));  // minute 60
    EXPECT_FALSE(Avi(L"20180916_123460_NE.avi"));  // second 60
}

TEST(NameRules, DayPastMonthEndRollsOver)
{
    const auto id = Avi(L"20180231_120000_NE.avi");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->startMs, LocalMs(2018, 3, 3, 12, 0, 0));
}

TEST(NameRules, Mp4WindowsChooseTheLatestValidCandidate)
{
    // Windows at 0 (2020-10-05 06:07:08) and 2 (2010-05-06 07:08:09) are
    // valid, window 1 (year 0201) is not.
    const std::wstring name = L"2020100506070809.mp4";
    const auto id = Mp4(name);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->startMs, LocalMs(2020, 10, 5, 6, 7, 8));
    // Before 2020 the first window is in the future; the third remains.
    const auto earlier = Mp4(name, LocalTime(2015, 1, 1));
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->startMs, LocalMs(2010, 5, 6, 7, 8, 9));
}

TEST(NameRules, Mp4TwoDigitYearTakesTheCurrentCentury)
{
    const auto id = Mp4(L"180916_123456.mp4");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->startMs, LocalMs(2018, 9, 16, 12, 34, 56));
    EXPECT_EQ(id->recType, 0);
    // 13 digits: two windows; only the first is a valid date here.
    const auto thirteen = Mp4(L"180916_1234569.mp4");
    ASSERT_TRUE(thirteen);
    EXPECT_EQ(thirteen->startMs, LocalMs(2018, 9, 16, 12, 34, 56));
    // In 1999 the century is 1900.
    const auto old = Mp4(L"990101_000000.mp4", LocalTime(1999, 6, 1));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->startMs, LocalMs(1999, 1, 1));
    // A two-digit year after the current one is in the future.
    EXPECT_FALSE(Mp4(L"990101_000000.mp4"));
    EXPECT_FALSE(Mp4(L"18091612345.mp4"));  // 11 digits
}

TEST(NameRules, ClassifyNameChar)
{
    EXPECT_EQ(ClassifyNameChar(u'-'), 1);
    EXPECT_EQ(ClassifyNameChar(u'_'), 1);
    EXPECT_EQ(ClassifyNameChar(u'0'), 0);
    EXPECT_EQ(ClassifyNameChar(u'9'), 0);
    EXPECT_EQ(ClassifyNameChar(u'A'), -1);
    EXPECT_EQ(ClassifyNameChar(u' '), -1);
    EXPECT_EQ(NameStem(L"ab.avi", true), L"");
    EXPECT_FALSE(Avi(L".avi"));
}
