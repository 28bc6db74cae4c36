#include "kestrel/KestrelTypes.h"
#include "kestrel/RecordRules.h"
#include "kestrel/WideText.h"

#include <gtest/gtest.h>

TEST(SharedTypes, RecordResetKeepsSamplesAndType)
{
    CRecFileInfo rec;
    rec.SetRecType(3);
    rec.SetStartTime(1000);
    rec.SetEndTime(5000);
    rec.AddFilePath(L"/a/b.avi");
    rec.AddDataPathB(L"/a/b.avi");
    rec.m_arrGps.push_back(new CUserDataInfo);
    rec.Reset();
    EXPECT_EQ(rec.GetStartTime(), 0);
    EXPECT_EQ(rec.GetEndTime(), 0);
    EXPECT_TRUE(rec.m_arrFilePath.empty());
    EXPECT_EQ(rec.GetDataPathB(), L"");
    EXPECT_EQ(rec.m_arrGps.size(), 1u);
    EXPECT_EQ(rec.GetRecType(), 3);
}

TEST(SharedTypes, NewSampleIsValidAndZero)
{
    CUserDataInfo s;
    EXPECT_EQ(s.m_cStatus, u'A');
    EXPECT_EQ(s.m_dLat, 0.0);
    s.SetTimeMs(1234567);
    EXPECT_EQ(s.m_tTime, 1234);
    EXPECT_EQ(s.m_nMilli, 567);
}

TEST(WideText, RoundTripsAndReplacesInvalidBytes)
{
    const std::wstring w = L"Fahrt_\u00e4\u00f6\u00fc_\u4e2d\U0001F697.avi";
    EXPECT_EQ(kestrel::FromUtf8(kestrel::ToUtf8(w)), w);
    // A cut multi-byte sequence and a stray continuation byte.
    EXPECT_EQ(kestrel::FromUtf8("a\xE4\x62\x80"), L"a\uFFFD" L"b\uFFFD");
    // Over-long encoding of '/' must not turn into a separator.
    EXPECT_EQ(kestrel::FromUtf8("\xC0\xAF"), L"\uFFFD\uFFFD");
}

TEST(WideText, U16SlotsTruncateAndKeepSurrogatePairsWhole)
{
    char16_t slot[4];
    kestrel::CopyToU16(slot, 4, L"ab\U0001F697");
    EXPECT_EQ(kestrel::FromU16(slot, 4), L"ab");
    kestrel::CopyToU16(slot, 4, L"a\U0001F697");
    EXPECT_EQ(kestrel::FromU16(slot, 4), L"a\U0001F697");
}

TEST(RecordRules, SameRecordingComparesChannelPathsInOrder)
{
    CRecFileInfo a, b, c, d;
    for (CRecFileInfo* r : {&a, &b}) {
        r->AddFilePath(L"/card/ch0_x.avi");
        r->AddFilePath(L"/card/ch1_x.avi");
    }
    c.AddFilePath(L"/card/ch1_x.avi");
    c.AddFilePath(L"/card/ch0_x.avi");
    d.AddFilePath(L"/card/ch0_x.avi");
    b.SetStartTime(5);  // other fields do not matter
    EXPECT_TRUE(kestrel::SameRecording(&a, &b));
    EXPECT_FALSE(kestrel::SameRecording(&a, &c));
    EXPECT_FALSE(kestrel::SameRecording(&a, &d));
    EXPECT_FALSE(kestrel::SameRecording(&a, nullptr));
    EXPECT_FALSE(kestrel::SameRecording(nullptr, nullptr));
}

TEST(RecordRules, ChannelLabelKeyNamesEachChannelAndFrontOtherwise)
{
    EXPECT_STREQ(kestrel::ChannelLabelKey(0), "display_text_front");
    EXPECT_STREQ(kestrel::ChannelLabelKey(1), "display_text_rear");
    EXPECT_STREQ(kestrel::ChannelLabelKey(2), "display_text_left");
    EXPECT_STREQ(kestrel::ChannelLabelKey(3), "display_text_right");
    EXPECT_STREQ(kestrel::ChannelLabelKey(4), "display_text_front");
    EXPECT_STREQ(kestrel::ChannelLabelKey(-1), "display_text_front");
}

TEST(SharedTypes, SoundBytesAreTheFilledPartOfAReusedBuffer)
{
    _TAG_DEC_INFO sound;
    sound.nBufferSize = 1068;  // the buffer of a longer frame, reused
    sound.linesize[0] = 1066;
    EXPECT_EQ(sound.SoundBytes(), 1066);
    sound.linesize[0] = 2000;  // never past the buffer
    EXPECT_EQ(sound.SoundBytes(), 1068);
    sound.linesize[0] = -4;
    EXPECT_EQ(sound.SoundBytes(), 0);
}
