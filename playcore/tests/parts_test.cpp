// The engine's inner parts: seek window arithmetic, path kinds, packet queue
// limits, the decoded-frame pool, the sound filter and picture conversion.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "AudioFilter.h"
#include "DecodedFrameQueue.h"
#include "FFMpegPlayer.h"
#include "PacketQueue.h"
#include "PacketRefusals.h"
#include "PictureConverter.h"
#include "SeekWindow.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

using namespace playcore;

TEST(SeekWindow, StartsOneSecondEarlyWithinATenthEitherSide)
{
    const AVRational ms{1, 1000};
    SeekWindow w = ComputeSeekWindow(0.5, ms, 60000);
    EXPECT_EQ(w.lowest, 0);
    EXPECT_EQ(w.ts, 0);
    EXPECT_EQ(w.highest, 100);
    w = ComputeSeekWindow(10.0, ms, 60000);
    EXPECT_EQ(w.lowest, 8900);
    EXPECT_EQ(w.ts, 9000);
    EXPECT_EQ(w.highest, 9100);
    w = ComputeSeekWindow(1.05, ms, 60000);
    EXPECT_EQ(w.lowest, 0);
    EXPECT_EQ(w.ts, 50);
    EXPECT_EQ(w.highest, 150);
    // In the stream's own ticks, rounded to nearest.
    w = ComputeSeekWindow(10.0, AVRational{1, 90000}, AV_NOPTS_VALUE);
    EXPECT_EQ(w.ts, 810000);
    EXPECT_EQ(w.highest, 819000);
    w = ComputeSeekWindow(2.0, AVRational{1, 25}, 150);
    EXPECT_EQ(w.lowest, 23);  // 0.9 s = 22.5 ticks
    EXPECT_EQ(w.ts, 25);
}

TEST(SeekWindow, ClampsToTheStreamDuration)
{
    const AVRational ms{1, 1000};
    SeekWindow w = ComputeSeekWindow(30.0, ms, 6000);
    EXPECT_EQ(w.ts, 6000);
    EXPECT_EQ(w.lowest, 5999);
    EXPECT_EQ(w.highest, 6000);
    w = ComputeSeekWindow(6.95, ms, 6000);  // only the top of the window is beyond
    EXPECT_EQ(w.lowest, 5850);
    EXPECT_EQ(w.ts, 5950);
    EXPECT_EQ(w.highest, 6000);
}

TEST(SourcePath, Mp4IsRecognisedWhateverTheCase)
{
    EXPECT_TRUE(IsMp4Path(L"/card/REC_0001.MP4"));
    EXPECT_TRUE(IsMp4Path(L"/card/a.Mp4"));
    EXPECT_TRUE(IsMp4Path(L".mp4"));
    EXPECT_FALSE(IsMp4Path(L"/card/a.avi"));
    EXPECT_FALSE(IsMp4Path(L"/card/a.mp4.avi"));
    EXPECT_FALSE(IsMp4Path(L"mp4"));
    EXPECT_FALSE(IsMp4Path(L""));
}

namespace {

void AppendPacket(PacketQueue& queue, int64_t pts)
{
    AVPacket* packet = av_packet_alloc();
    av_new_packet(packet, 16);
    packet->pts = pts;
    packet->dts = pts;
    queue.Append(packet);
    av_packet_free(&packet);
}

}  // namespace

TEST(PacketQueue, DurationModeIsFullBeyondOneSecondOfTimeStamps)
{
    PacketQueue queue;
    queue.SetLimits(PacketQueue::ByDuration, 20, 1.0, 1.0 / 1000);
    EXPECT_EQ(queue.Fullness(), -1);
    for (int64_t pts = 0; pts <= 1000; pts += 40)
        AppendPacket(queue, pts);
    AppendPacket(queue, 1000);
    EXPECT_EQ(queue.Fullness(), 0);  // exactly one second is not beyond
    AppendPacket(queue, 1001);
    EXPECT_EQ(queue.Fullness(), 1);
    queue.Pop();
    EXPECT_EQ(queue.Peek()->pts, 40);
    EXPECT_EQ(queue.Fullness(), 0);
    queue.Flush();
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.Peek(), nullptr);
}

TEST(PacketQueue, CountModeIsFullAtTheCountLimit)
{
    PacketQueue queue;
    queue.SetLimits(PacketQueue::ByCount, 20, 1.0, 1.0 / 1000);
    for (int i = 0; i < 19; ++i)
        AppendPacket(queue, 0);
    EXPECT_EQ(queue.Fullness(), 0);
    AppendPacket(queue, 0);
    EXPECT_EQ(queue.Fullness(), 1);
}

TEST(DecodedFrameQueue, FillsSlotsInRingOrderAndNeverOverwritesListedOnes)
{
    DecodedFrameQueue queue(0);
    queue.Create(10);
    EXPECT_EQ(queue.PoolSize(), 10);
    std::vector<_TAG_DEC_INFO*> slots;
    for (int i = 0; i < 10; ++i) {
        _TAG_DEC_INFO* slot = queue.NextSlot();
        ASSERT_NE(slot, nullptr);
        EXPECT_EQ(slot->nType, 0);
        ASSERT_TRUE(DecodedFrameQueue::Reserve(slot, 64));
        slot->dTime = i;
        queue.Append(slot);
        slots.push_back(slot);
    }
    EXPECT_EQ(queue.NextSlot(), nullptr);  // all ten listed
    double t = -1;
    ASSERT_TRUE(queue.PeekTime(&t));
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(queue.PeekSecond(), slots[1]);
    queue.Remove(slots[3]);  // not the oldest: nothing happens
    EXPECT_EQ(queue.Count(), 10);
    queue.Remove(slots[0]);
    EXPECT_EQ(queue.NextSlot(), slots[0]);  // the freed slot comes round again
    uint8_t* buffer = slots[0]->pBuffer;
    ASSERT_TRUE(DecodedFrameQueue::Reserve(slots[0], 32));
    EXPECT_EQ(slots[0]->pBuffer, buffer);  // never shrinks
    queue.Clear();
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.NextSlot(), slots[0]);
    EXPECT_EQ(queue.Peek(), nullptr);
}

TEST(AudioFilter, VolumeIsWrittenWithThreeDecimals)
{
    EXPECT_EQ(AudioFilter::VolumeText(12.0), "12.000");
    EXPECT_EQ(AudioFilter::VolumeText(1.0), "1.000");
    EXPECT_EQ(AudioFilter::VolumeText(0.0), "0.000");
    EXPECT_EQ(AudioFilter::VolumeText(0.5), "0.500");
}

namespace {

// Runs `samples` stereo float samples of a constant through the filter.
std::vector<uint8_t> FilterStereo(double level, int samples, float left, float right)
{
    AVCodecContext* decoder = avcodec_alloc_context3(nullptr);
    decoder->sample_fmt = AV_SAMPLE_FMT_FLTP;
    decoder->sample_rate = 44100;
    av_channel_layout_default(&decoder->ch_layout, 2);
    AudioFilter filter;
    std::vector<uint8_t> out;
    EXPECT_EQ(filter.Build(decoder, level), 0);
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_SAMPLE_FMT_FLTP;
    frame->sample_rate = 44100;
    av_channel_layout_copy(&frame->ch_layout, &decoder->ch_layout);
    frame->nb_samples = samples;
    EXPECT_EQ(av_frame_get_buffer(frame, 0), 0);
    for (int i = 0; i < samples; ++i) {
        reinterpret_cast<float*>(frame->data[0])[i] = left;
        reinterpret_cast<float*>(frame->data[1])[i] = right;
    }
    EXPECT_TRUE(filter.Process(frame, &out));
    av_frame_free(&frame);
    avcodec_free_context(&decoder);
    return out;
}

}  // namespace

TEST(AudioFilter, StereoBecomesMono16BitTwoBytesPerSample)
{
    const std::vector<uint8_t> out = FilterStereo(1.0, 1024, 0.25f, 0.25f);
    ASSERT_EQ(out.size(), 2048u);
    const int16_t first = static_cast<int16_t>(out[0] | (out[1] << 8));
    EXPECT_GT(first, 4000);  // a quarter of full scale, mixed down
    const std::vector<uint8_t> silent = FilterStereo(0.0, 1024, 0.25f, 0.25f);
    ASSERT_EQ(silent.size(), 2048u);
    for (uint8_t b : silent)
        ASSERT_EQ(b, 0);
}

TEST(PictureConverter, CopiesYuv420PlanesWithoutPaddingAtOddSizes)
{
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = 33;
    frame->height = 17;
    ASSERT_EQ(av_frame_get_buffer(frame, 64), 0);  // padded source rows
    for (int p = 0; p < 3; ++p) {
        const int rows = p == 0 ? 17 : 9;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < frame->linesize[p]; ++x)
                frame->data[p][y * frame->linesize[p] + x] = static_cast<uint8_t>(p * 70 + y * 3 + x);
    }
    _TAG_DEC_INFO slot{};
    PictureConverter converter;
    ASSERT_TRUE(converter.Convert(frame, &slot));
    EXPECT_EQ(slot.nWidth, 33);
    EXPECT_EQ(slot.nHeight, 17);
    EXPECT_EQ(slot.nPixelFormat, 0);
    EXPECT_EQ(slot.linesize[0], 33);
    EXPECT_EQ(slot.linesize[1], 17);
    EXPECT_EQ(slot.linesize[2], 17);
    EXPECT_EQ(slot.data[3], nullptr);
    EXPECT_GE(slot.nBufferSize, 33 * 17 * 4);
    for (int p = 0; p < 3; ++p) {
        const int rows = p == 0 ? 17 : 9;
        const int cols = p == 0 ? 33 : 17;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x)
                ASSERT_EQ(slot.data[p][y * slot.linesize[p] + x], frame->data[p][y * frame->linesize[p] + x]);
    }
    // Another format goes through the scaler into the same layout.
    AVFrame* gray = av_frame_alloc();
    gray->format = AV_PIX_FMT_GRAY8;
    gray->width = 33;
    gray->height = 17;
    ASSERT_EQ(av_frame_get_buffer(gray, 0), 0);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < gray->linesize[0]; ++x)
            gray->data[0][y * gray->linesize[0] + x] = 200;
    ASSERT_TRUE(converter.Convert(gray, &slot));
    EXPECT_NEAR(slot.data[0][5 * 33 + 7], 188, 3);  // full-range 200 in video range
    EXPECT_NEAR(slot.data[1][3 * 17 + 4], 128, 1);  // no colour
    std::free(slot.pBuffer);
    av_frame_free(&frame);
    av_frame_free(&gray);
}

TEST(PictureConverter, KeepsUnpaddedYuv420FramesWithoutCopyingUntilTheSlotIsRefilled)
{
    // 64 pixels wide: rows of 64 and 32 bytes, as the decoder gives 1080p.
    auto make = [](uint8_t value) {
        AVFrame* frame = av_frame_alloc();
        frame->format = AV_PIX_FMT_YUV420P;
        frame->width = 64;
        frame->height = 16;
        EXPECT_EQ(av_frame_get_buffer(frame, 32), 0);
        EXPECT_EQ(frame->linesize[0], 64);
        EXPECT_EQ(frame->linesize[1], 32);
        for (int p = 0; p < 3; ++p)
            std::memset(frame->data[p], value + p, static_cast<size_t>(frame->linesize[p] * (p ? 8 : 16)));
        return frame;
    };
    _TAG_DEC_INFO slot{};
    PictureConverter converter;
    AVFrame* first = make(10);
    AVBufferRef* firstPlanes = av_buffer_ref(first->buf[0]);
    ASSERT_TRUE(converter.Convert(first, &slot));
    av_frame_free(&first);  // the decoder lets go of its frame
    EXPECT_EQ(slot.pBuffer, nullptr) << "not copied";
    EXPECT_EQ(slot.linesize[0], 64);
    EXPECT_EQ(slot.linesize[1], 32);
    EXPECT_EQ(slot.linesize[2], 32);
    EXPECT_EQ(slot.data[3], nullptr);
    EXPECT_EQ(slot.data[0][63 + 15 * 64], 10);  // still readable: the slot holds the frame
    EXPECT_EQ(slot.data[2][31 + 7 * 32], 12);
    EXPECT_EQ(av_buffer_get_ref_count(firstPlanes), 2);

    // Filling the slot again lets the first picture go.
    AVFrame* second = make(50);
    ASSERT_TRUE(converter.Convert(second, &slot));
    EXPECT_EQ(av_buffer_get_ref_count(firstPlanes), 1);
    EXPECT_EQ(slot.data[1][0], 51);
    AVBufferRef* secondPlanes = av_buffer_ref(second->buf[0]);
    av_frame_free(&second);
    converter.Reset();
    EXPECT_EQ(av_buffer_get_ref_count(secondPlanes), 1);
    av_buffer_unref(&firstPlanes);
    av_buffer_unref(&secondPlanes);
}

TEST(PacketRefusals, DropsAPacketOnlyAfterManyRefusalsInARow)
{
    PacketRefusals refusals;
    for (int i = 1; i < PacketRefusals::kLimit; ++i)
        ASSERT_EQ(refusals.Refused(), PacketRefusals::Keep) << i;
    refusals.Taken();  // a packet that goes through starts the count again
    for (int i = 1; i < PacketRefusals::kLimit; ++i)
        ASSERT_EQ(refusals.Refused(), PacketRefusals::Keep) << i;
    EXPECT_EQ(refusals.Refused(), PacketRefusals::Drop);
    EXPECT_EQ(refusals.Refused(), PacketRefusals::Keep);  // the next packet gets its own chances
}
