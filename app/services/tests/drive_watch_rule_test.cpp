// The main window's reading of each drive scan: what opens, what stops, and
// what waits for playback to end.
#include "services/CDriveWatchRule.h"

#include <gtest/gtest.h>

namespace {

using kestrel::services::CDriveWatchRule;

const QString kA = QStringLiteral("/media/a/");
const QString kB = QStringLiteral("/media/b/");
const QString kC = QStringLiteral("/media/c/");

struct Probe {
    QStringList withRecordings;
    QStringList asked;
    bool operator()(const QString& root)
    {
        asked.append(root);
        return withRecordings.contains(root);
    }
};

TEST(DriveWatchRule, TheFirstScanOpensTheFirstDriveWithRecordingsOnce)
{
    CDriveWatchRule rule;
    Probe probe{{kB, kC}, {}};
    auto out = rule.Step({kA, kB, kC}, false, QString(), std::ref(probe));
    EXPECT_EQ(out.openFolder, kB);
    EXPECT_FALSE(out.sourceRemoved);
    EXPECT_EQ(probe.asked, (QStringList{kA, kB})) << "the search ends at the first drive found";
    EXPECT_EQ(rule.Previous(), (QStringList{kA, kB, kC}));

    probe.asked.clear();
    out = rule.Step({kA, kB, kC}, false, QString(), std::ref(probe));
    EXPECT_TRUE(out.openFolder.isEmpty());
    EXPECT_TRUE(probe.asked.isEmpty());
}

TEST(DriveWatchRule, ADriveWithoutRecordingsIsNotOffered)
{
    CDriveWatchRule rule;
    Probe probe{};
    EXPECT_TRUE(rule.Step({kA}, false, QString(), std::ref(probe)).openFolder.isEmpty());
    EXPECT_EQ(rule.Previous(), QStringList{kA});
}

TEST(DriveWatchRule, RemovingTheSourceStopsRemovingAnotherOnlyForgetsIt)
{
    CDriveWatchRule rule;
    Probe probe{};
    rule.Step({kA, kB}, false, QString(), std::ref(probe));
    auto out = rule.Step({kB}, true, kB + QStringLiteral("DCIM/Normal"), std::ref(probe));
    EXPECT_FALSE(out.sourceRemoved);
    EXPECT_EQ(rule.Previous(), QStringList{kB});
    out = rule.Step({}, true, kB + QStringLiteral("DCIM/Normal"), std::ref(probe));
    EXPECT_TRUE(out.sourceRemoved);
    EXPECT_TRUE(rule.Previous().isEmpty());

    // The drive root itself as the source, and a name that merely begins
    // like the root, which is another drive.
    EXPECT_TRUE(CDriveWatchRule::OnDrive(QStringLiteral("/media/b"), kB));
    EXPECT_TRUE(CDriveWatchRule::OnDrive(kB, kB));
    EXPECT_FALSE(CDriveWatchRule::OnDrive(QStringLiteral("/media/bb/x"), kB));
    EXPECT_FALSE(CDriveWatchRule::OnDrive(QString(), kB));
}

TEST(DriveWatchRule, AnInsertionWhilePlayingWaitsUntilPlaybackStops)
{
    CDriveWatchRule rule;
    Probe probe{{kB}, {}};
    rule.Step({kA}, false, QString(), std::ref(probe));
    auto out = rule.Step({kA, kB}, true, kA, std::ref(probe));
    EXPECT_TRUE(out.openFolder.isEmpty());
    EXPECT_EQ(rule.Previous(), QStringList{kA});
    out = rule.Step({kA, kB}, true, kA, std::ref(probe));
    EXPECT_TRUE(out.openFolder.isEmpty());
    out = rule.Step({kA, kB}, false, kA, std::ref(probe));
    EXPECT_EQ(out.openFolder, kB);
}

TEST(DriveWatchRule, ACardSwappedBetweenTwoScansIsSeen)
{
    CDriveWatchRule rule;
    Probe probe{{kA, kB}, {}};
    rule.Step({kA}, false, QString(), std::ref(probe));
    // The loaded card A is pulled and card B pushed in before the next scan,
    // while A's recordings play: A's removal stops playback and B is offered
    // in the same scan.
    const auto out = rule.Step({kB}, true, kA, std::ref(probe));
    EXPECT_TRUE(out.sourceRemoved);
    EXPECT_EQ(out.openFolder, kB);
    EXPECT_EQ(rule.Previous(), QStringList{kB});
}

}  // namespace
