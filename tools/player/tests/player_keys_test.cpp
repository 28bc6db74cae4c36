// The player's window driven in process with key presses: pause, speed,
// seek and quit, with pictures arriving from the engine.
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include <QApplication>
#include <QKeyEvent>

#include "PlayerRunFixture.h"
#include "PlayerWindow.h"
#include "kestrel/WideText.h"

// Font look-up keeps a cache for the life of the process that the leak
// checker would otherwise report when the labels are drawn.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

class PlayerKeysTest : public PlayerRunTest {
protected:
    void SetUp() override
    {
        PlayerRunTest::SetUp();
        if (!QApplication::instance()) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            static int argc = 1;
            static char name[] = "player_keys_test";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }
    // The channel files of the card's first recording, channel 0 first.
    static std::unique_ptr<CRecFileInfo> FirstRecording()
    {
        std::vector<const kestrel::cardgen::GeneratedFile*> files;
        for (const auto& f : s_card.files)
            if (f.recordingIndex == 0 && f.role == kestrel::cardgen::FileRole::Recording)
                files.push_back(&f);
        std::sort(files.begin(), files.end(), [](auto* a, auto* b) { return a->channel < b->channel; });
        auto rec = std::make_unique<CRecFileInfo>();
        for (const auto* f : files) {
            rec->AddFilePath(kestrel::FromUtf8(f->path));
            rec->AddFileName(kestrel::FromUtf8(fs::path(f->path).filename().string()));
            rec->AddChannel(std::to_wstring(f->channel));
        }
        return rec;
    }
    static bool WaitUntil(const std::function<bool()>& done, double seconds = 30.0)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }
    static void Press(QWidget* w, int key, const QString& text = QString())
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(w, &e);
    }
};

}  // namespace

TEST_F(PlayerKeysTest, PauseSpeedSeekAndEscape)
{
    const std::unique_ptr<CRecFileInfo> rec = FirstRecording();
    ASSERT_EQ(rec->m_arrFilePath.size(), 2u);
    PlayerOptions options;
    options.folder = s_folder.string();
    PlayerWindow window(options);
    std::string error;
    ASSERT_TRUE(window.Play(rec.get(), &error)) << error;
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return window.PicturesShown() >= 4; }));
    auto title = [&] { return window.windowTitle().toStdString(); };
    EXPECT_NE(title().find("/ 0:03"), std::string::npos) << title();

    Press(&window, Qt::Key_Space, " ");
    EXPECT_NE(title().find("paused"), std::string::npos) << title();
    Press(&window, Qt::Key_Period, ".");  // a step while paused is accepted
    Press(&window, Qt::Key_Space, " ");
    EXPECT_EQ(title().find("paused"), std::string::npos) << title();

    Press(&window, Qt::Key_Plus, "+");
    EXPECT_NE(title().find("x2"), std::string::npos) << title();
    for (int i = 0; i < 3; ++i)
        Press(&window, Qt::Key_Plus, "+");
    EXPECT_NE(title().find("x4"), std::string::npos) << title();
    for (int i = 0; i < 6; ++i)
        Press(&window, Qt::Key_Minus, "-");
    EXPECT_NE(title().find("x0.25"), std::string::npos) << title();

    // Seeking forward stops a second before the end of the 3 s recording,
    // back at 0.
    Press(&window, Qt::Key_Right);
    EXPECT_NE(title().find("0:02 / 0:03"), std::string::npos) << title();
    Press(&window, Qt::Key_Left);
    EXPECT_NE(title().find("0:00 / 0:03"), std::string::npos) << title();
    const int before = window.PicturesShown();
    EXPECT_TRUE(WaitUntil([&] { return window.PicturesShown() > before; }));  // playing on after the seek

    Press(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    const int afterClose = window.PicturesShown();
    QApplication::processEvents();
    EXPECT_EQ(window.PicturesShown(), afterClose);  // the engine has stopped
}
