#include "IFileMan.h"
#include "MergeSort.h"
#include "SampleStamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace recplugin;

namespace {

// A store whose records the test files directly.
class TestStore : public IFileMan {
public:
    CRecFileInfo* Add(int type, int64_t startMs, const std::wstring& path)
    {
        auto* r = new CRecFileInfo();
        r->m_nRecType = type;
        r->m_tStart = startMs;
        r->m_tEnd = startMs + 60000;
        if (!path.empty()) {
            r->AddFilePath(path);
            r->AddFileName(path);
            r->AddChannel(L"1");
        }
        m_arrType[type].push_back(r);
        return r;
    }
    const CRecFileArray& Merged() const { return m_arrMerged; }
};

std::vector<int64_t> MergedStarts(TestStore& s)
{
    std::vector<int64_t> out;
    for (int i = 0; i < s.GetMergedDataCount(); ++i)
        out.push_back(s.GetRecFileInfo(i)->m_tStart);
    return out;
}

const int32_t kAll[8] = {1, 1, 1, 1, 1, 1, 1, 1};

}  // namespace

TEST(SampleStamp, SpreadsSamplesEvenlyWithoutReachingTheEnd)
{
    CUserDataArray samples;
    for (int i = 0; i < 10; ++i)
        samples.push_back(new CUserDataInfo());
    const int64_t start = 1537094096000;
    StampSamples(samples, start, start + 60000);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(samples[i]->m_tTimeMs, start + i * 6000);
        EXPECT_EQ(samples[i]->m_tTime, (start + i * 6000) / 1000);
        EXPECT_EQ(samples[i]->m_nMilli, 0);
    }
    // Three samples over 1000 ms: truncating division, milliseconds kept.
    for (size_t i = 3; i < samples.size(); ++i)
        delete samples[i];
    samples.resize(3);
    StampSamples(samples, start, start + 1000);
    EXPECT_EQ(samples[1]->m_tTimeMs, start + 333);
    EXPECT_EQ(samples[1]->m_nMilli, 333);
    EXPECT_EQ(samples[2]->m_tTimeMs, start + 666);
    for (auto* s : samples)
        delete s;
}

TEST(SampleStamp, UnknownOrReversedEndGivesEverySampleTheStart)
{
    CUserDataArray samples{new CUserDataInfo(), new CUserDataInfo(), new CUserDataInfo()};
    const int64_t start = 1537094096000;
    StampSamples(samples, start, 0);  // the file could not be probed
    for (auto* s : samples)
        EXPECT_EQ(s->m_tTimeMs, start);
    StampSamples(samples, start, start);
    EXPECT_EQ(samples[2]->m_tTimeMs, start);
    for (auto* s : samples)
        delete s;
}

TEST(RecordStore, MergeTakesFlaggedTypesOldestFirst)
{
    TestStore s;
    s.Add(0, 5000, L"/a");
    s.Add(1, 3000, L"/b");
    s.Add(1, 1000, L"/c");
    s.Add(0, 2000, L"/d");
    const int32_t onlyOne[8] = {0, 1, 0, 0, 0, 0, 0, 0};
    s.MergeData(onlyOne);
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{1000, 3000}));
    s.MergeData(kAll);
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{1000, 2000, 3000, 5000}));
    EXPECT_EQ(s.GetRecFileInfo(4), nullptr);
    EXPECT_EQ(s.GetRecFileInfo(-1), nullptr);
    s.MergeData(nullptr);
    EXPECT_EQ(s.GetMergedDataCount(), 0);
}

TEST(RecordStore, DirectionChangeReversesInPlaceAndLaterMergesFollowIt)
{
    TestStore s;
    s.Add(1, 3000, L"/b");
    s.Add(1, 1000, L"/c");
    s.Add(1, 2000, L"/d");
    s.MergeData(kAll);
    s.SortMergedData(0);
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{3000, 2000, 1000}));
    s.SortMergedData(0);  // unchanged direction: nothing happens
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{3000, 2000, 1000}));
    s.MergeData(kAll);  // sorted newest first now
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{3000, 2000, 1000}));
    s.SortMergedData(1);
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{1000, 2000, 3000}));
}

TEST(RecordStore, EqualStartsKeepOrderAscendingAndComeLaterHalfFirstDescending)
{
    TestStore s;
    CRecFileInfo* a = s.Add(0, 1000, L"/a");
    CRecFileInfo* b = s.Add(0, 1000, L"/b");
    CRecFileInfo* c = s.Add(0, 1000, L"/c");
    s.MergeData(kAll);
    EXPECT_EQ(s.Merged(), (CRecFileArray{a, b, c}));
    s.SortMergedData(0);  // plain reversal
    s.MergeData(kAll);    // descending sort: [a b][c] -> [b a] then c first
    EXPECT_EQ(s.Merged(), (CRecFileArray{c, b, a}));
}

TEST(RecordStore, MergeSortAscendingMatchesStableSort)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::pair<uint64_t, int>> v(rng() % 40);
        for (size_t i = 0; i < v.size(); ++i)
            v[i] = {rng() % 8, int(i)};
        auto expected = v;
        std::stable_sort(expected.begin(), expected.end(), [](auto& x, auto& y) { return x.first < y.first; });
        MergeSortByKey(v, true, [](const auto& p) { return p.first; });
        EXPECT_EQ(v, expected);
        MergeSortByKey(v, false, [](const auto& p) { return p.first; });
        EXPECT_TRUE(std::is_sorted(v.begin(), v.end(), [](auto& x, auto& y) { return x.first > y.first; }));
    }
}

TEST(RecordStore, RemoveItemDropsTheRecordFromEveryList)
{
    TestStore s;
    s.Add(0, 1000, L"/a");
    CRecFileInfo* b = s.Add(1, 2000, L"/b");
    s.Add(1, 3000, L"/c");
    s.BuildAllData(0);
    s.MergeData(kAll);
    ASSERT_EQ(s.GetAllDataCount(), 3);
    s.RemoveItem(b);
    EXPECT_EQ(s.GetAllDataCount(), 2);
    EXPECT_EQ(s.TypeList(1).size(), 1u);
    // The merged list no longer names the deleted record either.
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{1000, 3000}));
    s.MergeData(kAll);
    EXPECT_EQ(MergedStarts(s), (std::vector<int64_t>{1000, 3000}));

    // A record that is not in the store but has the same paths names the
    // stored one.
    CRecFileInfo copy;
    copy.AddFilePath(L"/c");
    s.RemoveItem(&copy);
    EXPECT_EQ(s.GetAllDataCount(), 1);
    CRecFileInfo stranger;
    stranger.AddFilePath(L"/zzz");
    s.RemoveItem(&stranger);
    s.RemoveItem(nullptr);
    EXPECT_EQ(s.GetAllDataCount(), 1);
}

TEST(RecordStore, RemovingOneOfSeveralZeroChannelRecordsRemovesThatOne)
{
    // Records without channels all have equal (empty) path lists; the
    // record named must be the one that goes, from every list.
    TestStore s;
    CRecFileInfo* early = s.Add(1, 1000, L"");
    CRecFileInfo* late = s.Add(0, 2000, L"");
    s.BuildAllData(0);
    s.RemoveItem(late);
    ASSERT_EQ(s.GetAllDataCount(), 1);
    EXPECT_EQ(s.GetAllDataInfo(0), early);
    EXPECT_TRUE(s.TypeList(0).empty());
}

TEST(RecordStore, GpsLookupBisectsOnWholeSeconds)
{
    TestStore s;
    CRecFileInfo* r = s.Add(0, 100000, L"/a");
    // 60 samples over 30 s: two per second.
    for (int i = 0; i < 60; ++i)
        r->m_arrGps.push_back(new CUserDataInfo());
    r->m_tEnd = r->m_tStart + 30000;
    StampSamples(r->m_arrGps, r->m_tStart, r->m_tEnd);
    for (int64_t sec = 100; sec < 130; ++sec) {
        CUserDataInfo* hit = s.GetGPSData(r, sec);
        ASSERT_NE(hit, nullptr) << sec;
        EXPECT_EQ(hit->m_tTime, sec);
    }
    EXPECT_EQ(s.GetGPSData(r, 99), nullptr);
    EXPECT_EQ(s.GetGPSData(r, 130), nullptr);
    EXPECT_EQ(s.GetGPSData(nullptr, 100), nullptr);

    // Small lists go through the final linear pass only.
    CRecFileInfo* small = s.Add(0, 5000, L"/b");
    small->m_arrGps.push_back(new CUserDataInfo());
    small->m_arrGps.push_back(new CUserDataInfo());
    small->m_arrGps[0]->SetTimeMs(5000);
    small->m_arrGps[1]->SetTimeMs(6000);
    EXPECT_EQ(s.GetGPSData(small, 6), small->m_arrGps[1]);
    EXPECT_EQ(s.GetGPSData(small, 7), nullptr);
}

TEST(RecordStore, SampleAccessorsAndReset)
{
    TestStore s;
    CRecFileInfo* r = s.Add(2, 1000, L"/a");
    r->m_arrGSensor.push_back(new CUserDataInfo());
    EXPECT_EQ(s.GetGSensorCount(r), 1);
    EXPECT_EQ(s.GetGSensorCount(nullptr), 0);
    EXPECT_EQ(s.GetGSensorData(r, 0), r->m_arrGSensor[0]);
    EXPECT_EQ(s.GetGSensorData(r, 1), nullptr);
    EXPECT_EQ(s.GetGSensorData(r, -1), nullptr);
    EXPECT_EQ(s.ParseGSensor(r), -1);  // the plain store reads no files
    s.BuildAllData(0);
    s.MergeData(kAll);
    s.ResetRecData();
    EXPECT_EQ(s.GetAllDataCount(), 0);
    EXPECT_EQ(s.GetMergedDataCount(), 0);
    EXPECT_TRUE(s.TypeList(2).empty());
}
