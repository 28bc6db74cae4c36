// The folder load job against a scripted plug-in side: which result each end
// gives, the progress it reports, and that a cancel breaks a running load
// once and ends it, also when the plug-in did not see the first break.
#include "jobs/CLoadJob.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using kestrel::jobs::CLoadJob;
using namespace std::chrono_literals;

// Loads `files` files, `perFileMs` each, reporting one progress per file and
// stopping between files once broken. Like the plug-in, a load clears the
// stop flag when it starts; with `holdLoadStart` it first waits for Release().
class ScriptedTarget : public kestrel::jobs::ILoadTarget {
public:
    int scanResult = 5;
    int loadResult = 0;
    int perFileMs = 0;
    bool holdLoadStart = false;
    bool holdScan = false;

    std::atomic<int> loadCalls{0};
    std::atomic<int> breakCalls{0};
    std::atomic<bool> inLoad{false};
    std::atomic<bool> inScan{false};
    std::atomic<bool> callbackSet{false};

    int SelectFileType(const std::wstring&) override
    {
        inScan = true;
        WaitRelease(holdScan);
        return scanResult;
    }
    void SetProgress(ProgressCallback fn, void* user) override
    {
        m_fn = fn;
        m_user = user;
        callbackSet = fn != nullptr;
    }
    int LoadFile(const std::wstring&) override
    {
        ++loadCalls;
        inLoad = true;
        WaitRelease(holdLoadStart);
        m_stop = false;
        for (int i = 0; i < scanResult && !m_stop; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(perFileMs));
            if (m_fn)
                m_fn(0, 0, nullptr, m_user);
            if (m_fn)
                m_fn(7, 0, nullptr, m_user);  // other codes count for nothing
        }
        return loadResult;
    }
    void BreakLoadFile() override
    {
        ++breakCalls;
        m_stop = true;
    }
    void Release()
    {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_cv.notify_all();
    }

private:
    void WaitRelease(bool hold)
    {
        if (!hold)
            return;
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return m_released; });
    }

    ProgressCallback m_fn = nullptr;
    void* m_user = nullptr;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_released = false;
};

struct Counters {
    std::atomic<int> scanned{0}, progressed{0}, finished{0};
    CLoadJob::Events Events()
    {
        return {[this] { ++scanned; }, [this] { ++progressed; }, [this] { ++finished; }};
    }
};

template <typename Pred>
bool WaitUntil(Pred pred, std::chrono::milliseconds limit = 2000ms)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(LoadJob, EachEndGivesItsResult)
{
    {
        CLoadJob job(nullptr, L"/card");
        job.Start();
        EXPECT_TRUE(job.Finished());
        EXPECT_EQ(job.Result(), CLoadJob::kNoTarget);
    }
    {
        ScriptedTarget t;
        t.scanResult = -1;
        Counters c;
        CLoadJob job(&t, L"/card", c.Events());
        job.Start();
        ASSERT_TRUE(job.WaitFinished(2000));
        EXPECT_EQ(job.Result(), CLoadJob::kScanFailed);
        EXPECT_EQ(t.loadCalls, 0);
        EXPECT_TRUE(WaitUntil([&] { return c.finished == 1; })) << "the news follows the end";
    }
    for (const auto& [loadResult, expected] : {std::pair{0, 0}, std::pair{-1, 0}, std::pair{3, 2}}) {
        ScriptedTarget t;
        t.loadResult = loadResult;
        Counters c;
        CLoadJob job(&t, L"/card", c.Events());
        job.Start();
        ASSERT_TRUE(job.WaitFinished(2000));
        EXPECT_EQ(job.Result(), expected) << loadResult;
        EXPECT_EQ(job.FileCount(), 5);
        EXPECT_EQ(job.Handled(), 5);
        EXPECT_EQ(c.progressed, 5);
        EXPECT_EQ(c.scanned, 1);
        EXPECT_TRUE(WaitUntil([&] { return c.finished == 1; }));
        EXPECT_FALSE(t.callbackSet) << "the progress callback is taken back";
        EXPECT_FALSE(job.Cancel()) << "an ended job has nothing to cancel";
        EXPECT_EQ(t.breakCalls, 0);
    }
}

TEST(LoadJob, AnEmptyFolderStillRunsTheLoad)
{
    ScriptedTarget t;
    t.scanResult = 0;
    CLoadJob job(&t, L"/card");
    job.Start();
    ASSERT_TRUE(job.WaitFinished(2000));
    EXPECT_EQ(t.loadCalls, 1);
    EXPECT_EQ(job.FileCount(), 0);
    EXPECT_EQ(job.Result(), CLoadJob::kLoadEnded);
}

TEST(LoadJob, CancelBreaksARunningLoadOnceAndEndsIt)
{
    ScriptedTarget t;
    t.scanResult = 1000;
    t.perFileMs = 2;
    Counters c;
    CLoadJob job(&t, L"/card", c.Events());
    job.Start();
    ASSERT_TRUE(WaitUntil([&] { return job.Handled() >= 10; }));
    EXPECT_TRUE(job.Cancel());
    EXPECT_FALSE(job.Cancel());
    ASSERT_TRUE(job.WaitFinished(1000));
    EXPECT_EQ(t.breakCalls, 1);
    EXPECT_EQ(job.BreakCalls(), 1);
    EXPECT_LT(job.Handled(), 1000);
    EXPECT_EQ(job.Result(), CLoadJob::kLoadEnded);
    EXPECT_EQ(c.finished, 0) << "the canceller owns the ending";
    EXPECT_TRUE(job.Cancelled());
}

TEST(LoadJob, CancelDuringTheScanStartsNoLoad)
{
    ScriptedTarget t;
    t.holdScan = true;
    Counters c;
    CLoadJob job(&t, L"/card", c.Events());
    job.Start();
    ASSERT_TRUE(WaitUntil([&] { return t.inScan.load(); }));
    EXPECT_TRUE(job.Cancel());
    t.Release();
    ASSERT_TRUE(job.WaitFinished(2000));
    EXPECT_EQ(t.loadCalls, 0);
    EXPECT_EQ(t.breakCalls, 0) << "no load ran that a break could stop";
    EXPECT_EQ(job.Result(), CLoadJob::kLoadEnded);
    EXPECT_EQ(c.finished, 0);
}

TEST(LoadJob, ABreakThePluginDidNotSeeIsAskedAgain)
{
    // The cancel lands after the job started the load call but before the
    // plug-in cleared its stop flag, so the first break is lost.
    ScriptedTarget t;
    t.scanResult = 1000;
    t.perFileMs = 1;
    t.holdLoadStart = true;
    CLoadJob job(&t, L"/card");
    job.Start();
    ASSERT_TRUE(WaitUntil([&] { return t.inLoad.load(); }));
    EXPECT_TRUE(job.Cancel());
    t.Release();
    ASSERT_TRUE(job.WaitFinished(2000));
    EXPECT_EQ(t.breakCalls, 2);
    EXPECT_LE(job.Handled(), 3);
}

TEST(LoadJob, DetachedEventsAreNotCalledAndTheDestructorWaits)
{
    ScriptedTarget t;
    t.scanResult = 50;
    t.perFileMs = 2;
    Counters c;
    {
        CLoadJob job(&t, L"/card", c.Events());
        job.Start();
        ASSERT_TRUE(WaitUntil([&] { return job.Handled() >= 2; }));
        job.ClearEvents();
        const int seen = c.progressed;
        EXPECT_LE(seen, job.Handled());
        std::this_thread::sleep_for(20ms);
        EXPECT_EQ(c.progressed, seen);
    }
    EXPECT_EQ(t.loadCalls, 1);
    EXPECT_FALSE(t.callbackSet) << "the load ran to its end before the job went";
    EXPECT_EQ(c.finished, 0);
}

}  // namespace
