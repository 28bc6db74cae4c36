// Draw runs on the engine's thread while the UI thread paints; neither may
// wait for the other for long, and nothing may be torn or freed under the
// painter.
#include <atomic>
#include <chrono>
#include <thread>

#include <QCoreApplication>

#include "DisplayFixture.h"

TEST_F(DisplayTest, DrawFromAnotherThreadWhileTheUiThreadPaints)
{
    const YuvPicture small = YuvPicture::Solid(96, 64, kRed);
    const YuvPicture large = YuvPicture::Solid(200, 120, kBlue);
    std::atomic<bool> done{false};
    std::atomic<int> drawn{0};
    std::thread engine([&] {
        for (int i = 0; i < 300; ++i) {
            // Changing sizes make the scaler and the buffers change under the paint.
            const YuvPicture& p = (i / 7) % 2 ? large : small;
            if (display->Draw(0, p.data, p.width, p.height, 5, p.linesize) == 0)
                ++drawn;
        }
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int paints = 0;
    while (!done && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        display->Widget()->repaint();
        ++paints;
    }
    engine.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(drawn.load(), 300);
    EXPECT_GT(paints, 0);
    // The queued repaint requests arrive and the last picture drawn (the
    // 300th: the small red one) is the one shown, not an older one.
    QCoreApplication::processEvents();
    const QImage img = Grab();
    EXPECT_TRUE(Near(img.pixelColor(160, 120), 255, 0, 0, 20)) << "shows " << img.pixelColor(160, 120).name().toStdString();
}

TEST_F(DisplayTest, DeletingTheDisplayWithARepaintQueuedIsSafe)
{
    const YuvPicture p = YuvPicture::Solid(64, 48, kGreen);
    ASSERT_EQ(Draw(p), 0);
    display.reset();  // the queued repaint must not reach the freed object
    QCoreApplication::processEvents();
    SUCCEED();
}
