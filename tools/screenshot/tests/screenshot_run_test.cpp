// kestrel-screenshot against the built viewer.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct RunResult {
    int exitCode = -1;
    QString stderrText;
};

RunResult RunTool(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(SCREENSHOT_PROGRAM), args);
    RunResult r;
    if (!p.waitForStarted() || !p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        r.stderrText = QStringLiteral("did not run or did not end");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.stderrText = QString::fromUtf8(p.readAllStandardError());
    return r;
}

TEST(ScreenshotRunTest, TakesAPictureOfTheMainWindowAt1280x720)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("main.png"));
    const RunResult r = RunTool({"--app", KESTREL_APP_DIR, "--size", "1280x720", "--lang", "en", "--wait", "300",
                                 "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    const QImage shot(out);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(1280, 720));
}

TEST(ScreenshotRunTest, FullScreenCoversExactlyTheSizeAndTheViewerKeepsQuiet)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("full.png"));
    qunsetenv("KESTREL_TRACE");
    const RunResult r = RunTool({"--app", KESTREL_APP_DIR, "--size", "1280x720", "--full", "--wait", "300",
                                 "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.stderrText.toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(1280, 720));
    // What the offscreen platform says about masks and raising is not the user's business.
    EXPECT_TRUE(r.stderrText.isEmpty()) << r.stderrText.toStdString();
}

TEST(ScreenshotRunTest, AFolderWithoutTheViewerFailsWithAMessage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const RunResult r = RunTool({"--app", dir.path(), "-o", dir.filePath(QStringLiteral("x.png"))});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.stderrText.contains(QStringLiteral("no viewer program"))) << r.stderrText.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.png"))));
}

TEST(ScreenshotRunTest, BadArgumentsPrintTheUsage)
{
    const RunResult r = RunTool({"--size", "800x600", "-o", "x.png"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.stderrText.contains(QStringLiteral("usage:"))) << r.stderrText.toStdString();
}

}  // namespace
