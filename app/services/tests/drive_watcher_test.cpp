// The watcher reports a card folder made and removed at once, not only at
// the owner's next timer tick.
#include "services/CDriveWatcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace kestrel::services;

bool WaitForSignal(int& count, int atLeast, int ms)
{
    QElapsedTimer t;
    t.start();
    while (count < atLeast && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return count >= atLeast;
}

TEST(DriveWatcher, ACardFolderMadeAndRemovedIsReportedAtOnce)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    DriveSources s;
    s.mountInfo = tmp.filePath(QStringLiteral("no table"));
    const QString card = tmp.filePath(QStringLiteral("slot/CARD"));
    s.extraRoots = {card};
    CDriveWatcher watcher(s);
    int changes = 0;
    QObject::connect(&watcher, &CDriveWatcher::DrivesChanged, [&] { ++changes; });
    EXPECT_TRUE(watcher.Drives().isEmpty());

    // The slot folder itself appears first, then the card inside it.
    ASSERT_TRUE(QDir().mkpath(tmp.filePath(QStringLiteral("slot"))));
    ASSERT_TRUE(WaitForSignal(changes, 1, 500));
    ASSERT_TRUE(QDir().mkpath(card));
    const int before = changes;
    ASSERT_TRUE(WaitForSignal(changes, before + 1, 500));
    ASSERT_EQ(watcher.Drives().size(), 1);
    EXPECT_EQ(watcher.Drives()[0].name, QStringLiteral("CARD"));

    const int beforeRemoval = changes;
    ASSERT_TRUE(QDir(card).removeRecursively());
    ASSERT_TRUE(WaitForSignal(changes, beforeRemoval + 1, 500));
    EXPECT_TRUE(watcher.Drives().isEmpty());
}

TEST(DriveWatcher, OnThisSystemSomeNotificationIsChosen)
{
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    CDriveWatcher watcher;
    // Where the system bus is absent the mount table's notification serves.
    EXPECT_TRUE(watcher.NotificationKind() == QLatin1String("udisks2") ||
                watcher.NotificationKind() == QLatin1String("mountinfo"));
}

}  // namespace
