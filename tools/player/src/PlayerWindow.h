// The player's window: one display per channel side by side, sound through
// the sound output, keys for pause, seek, step and speed, and the time,
// duration and speed in the title. The engine's callback draws straight
// into the displays and hands sound to the sound output; everything else it
// posts to the UI thread.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include <QTimer>
#include <QWidget>

#include "PlayerOptions.h"
#include "kestrel/KestrelTypes.h"
#include "playcore/IPlayback.h"
#include "vidout/IDisplay.h"
#include "vidout/ISound.h"

class DisplayPanel;

class PlayerWindow : public QWidget {
    Q_OBJECT
public:
    explicit PlayerWindow(const PlayerOptions& options);
    ~PlayerWindow() override;

    // Opens the recording and starts playing; false with `error` set.
    bool Play(CRecFileInfo* rec, std::string* error);
    // The exit code once the event loop ended.
    int ExitCode() const { return m_exitCode; }
    // Pictures drawn so far, every channel together.
    int PicturesShown() const { return m_pictures.load(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static void OnPlayback(uint32_t code, uint32_t param, void* info, void* user);
    void OnEngineThread(uint32_t code, const _TAG_DEC_INFO* info);
    void OnEnd();
    void OnOpenFailed();
    void GrabAndQuit();
    void Quit(int exitCode);
    void Seek(double delta);
    void UpdateTitle();
    void Shutdown();

    PlayerOptions m_options;
    std::unique_ptr<IPlayback> m_player;
    std::unique_ptr<ISound> m_sound;
    std::vector<DisplayPanel*> m_panels;
    std::vector<IDisplay*> m_displays;  // fixed before Start; read by the engine's thread
    std::atomic<double> m_time{0.0};
    std::atomic<int> m_pictures{0};
    std::atomic<bool> m_grabPosted{false};
    double m_duration = 0.0;
    double m_speed = 1.0;
    bool m_paused = false;
    bool m_ended = false;
    bool m_stopped = false;
    int m_exitCode = 0;
    QTimer m_titleTimer;
    QTimer m_timeout;
};
