// How the engine's threads wait and what a channel reads: the wakeup that
// replaces polling, the rings of both queue kinds, the presentation clock,
// and the streams a channel's reader leaves to the demultiplexer to skip.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "DecodedFrameQueue.h"
#include "FFMpegPlayer.h"
#include "PacketQueue.h"
#include "PresentationClock.h"
#include "TestMedia.h"
#include "Wakeup.h"

using namespace playcore;
using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

namespace {

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

TEST(Wakeup, ARingAfterTheTicketEndsTheWaitEvenWhenItCameBeforeIt)
{
    Wakeup wakeup;
    // Rung between taking the ticket and going to sleep: not lost.
    uint64_t ticket = wakeup.Ticket();
    wakeup.Ring();
    auto start = Clock::now();
    wakeup.WaitFor(ticket, milliseconds(5000));
    EXPECT_LT(MsSince(start), 1000.0);

    // Rung from another thread while asleep.
    ticket = wakeup.Ticket();
    std::thread ringer([&] {
        std::this_thread::sleep_for(milliseconds(30));
        wakeup.Ring();
    });
    start = Clock::now();
    wakeup.WaitFor(ticket, milliseconds(5000));
    EXPECT_LT(MsSince(start), 1000.0);
    ringer.join();
}

TEST(Wakeup, RingsBeforeTheTicketDoNotCount)
{
    Wakeup wakeup;
    wakeup.Ring();
    const uint64_t ticket = wakeup.Ticket();
    const auto start = Clock::now();
    wakeup.WaitFor(ticket, milliseconds(60));
    EXPECT_GE(MsSince(start), 55.0);
}

TEST(Wakeup, PacketQueueRingsItsConsumerOnAppendAndItsProducerOnPop)
{
    Wakeup consumer;
    Wakeup producer;
    PacketQueue queue;
    queue.SetWakeups(&consumer, &producer);
    uint64_t c = consumer.Ticket();
    uint64_t p = producer.Ticket();
    AVPacket* packet = av_packet_alloc();
    av_new_packet(packet, 8);
    queue.Append(packet);
    av_packet_free(&packet);
    EXPECT_NE(consumer.Ticket(), c);
    EXPECT_EQ(producer.Ticket(), p);
    c = consumer.Ticket();
    queue.Pop();
    EXPECT_NE(producer.Ticket(), p);
    EXPECT_EQ(consumer.Ticket(), c);
}

TEST(Wakeup, FrameQueueRingsItsConsumerOnAppendAndItsProducerOnRemoval)
{
    Wakeup consumer;
    Wakeup producer;
    DecodedFrameQueue queue(0);
    queue.SetConsumer(&consumer);
    queue.SetProducer(&producer);
    queue.Create(2);
    uint64_t c = consumer.Ticket();
    uint64_t p = producer.Ticket();
    queue.Append(queue.NextSlot());
    queue.Append(queue.NextSlot());
    EXPECT_EQ(consumer.Ticket(), c + 2);
    EXPECT_EQ(producer.Ticket(), p);
    queue.Remove(queue.Peek());
    queue.RemoveOldest();
    EXPECT_EQ(producer.Ticket(), p + 2);
    queue.RemoveOldest();  // nothing left: nothing freed, no ring
    queue.Remove(nullptr);
    EXPECT_EQ(producer.Ticket(), p + 2);
    EXPECT_EQ(consumer.Ticket(), c + 2);
}

TEST(PresentationClock, CountsFromItsStartAtTheSpeedAndStandsWhileHeld)
{
    const Clock::time_point t0{};
    PresentationClock clock;
    clock.Advance(t0, 1.0);
    // Waiting for the first pictures for half a second does not count.
    clock.Start(2.0, t0 + milliseconds(500));
    EXPECT_DOUBLE_EQ(clock.Seconds(), 2.0);
    clock.Advance(t0 + milliseconds(600), 1.0);
    EXPECT_NEAR(clock.Seconds(), 2.1, 1e-9);
    clock.Advance(t0 + milliseconds(700), 4.0);
    EXPECT_NEAR(clock.Seconds(), 2.5, 1e-9);
    clock.Hold(t0 + milliseconds(5000));  // paused for 4.3 s
    clock.Advance(t0 + milliseconds(5100), 1.0);
    EXPECT_NEAR(clock.Seconds(), 2.6, 1e-9);
    clock.MoveTo(3.0);
    EXPECT_DOUBLE_EQ(clock.Seconds(), 3.0);
}

TEST(PresentationClock, TellsWhenATimeFallsDue)
{
    const Clock::time_point t0{};
    PresentationClock clock;
    clock.Start(1.0, t0);
    EXPECT_EQ(clock.When(1.5, 1.0), t0 + milliseconds(500));
    EXPECT_EQ(clock.When(1.5, 2.0), t0 + milliseconds(250));
    EXPECT_EQ(clock.When(0.5, 1.0), t0);  // already due
    EXPECT_EQ(clock.When(1.5, 0.0), Clock::time_point::max());
}

TEST(ChannelReader, ReadsOnlyTheStreamsItsChannelPlays)
{
    // Two video streams and sound: channel 0 reads its picture and the
    // sound, channel 1 only its own picture stream.
    auto rec = testmedia::MakeRecord({testmedia::TwoStreamAvi(), testmedia::TwoStreamAvi()});
    for (int channel = 0; channel < 2; ++channel) {
        CFFMpegPlayer player;
        ASSERT_EQ(player.SetSource(channel, rec.get()), 0);
        ASSERT_EQ(player.OpenStreams(), 0);
        EXPECT_EQ(player.VideoStreamIndex(), channel);
        EXPECT_EQ(player.ReadsStream(0), channel == 0);
        EXPECT_EQ(player.ReadsStream(1), channel == 1);
        EXPECT_EQ(player.ReadsStream(2), channel == 0) << "sound";
        player.CloseStreams();
    }
    // A data track is never read.
    rec = testmedia::MakeRecord({testmedia::DataTrackPastEndMp4()});
    CFFMpegPlayer player;
    ASSERT_EQ(player.SetSource(0, rec.get()), 0);
    ASSERT_EQ(player.OpenStreams(), 0);
    EXPECT_TRUE(player.ReadsStream(0));
    EXPECT_FALSE(player.ReadsStream(1));
}
