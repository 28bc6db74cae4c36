#include "PlayerWindow.h"

#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>

#include "DisplayPanel.h"
#include "SpeedSteps.h"

namespace {

constexpr double kSeekStep = 10.0;
constexpr double kEndMargin = 1.0;
constexpr int kDrawSetting = 5;

QString Clock(double seconds)
{
    const int s = std::max(0, int(seconds));
    return QString::asprintf("%d:%02d", s / 60, s % 60);
}

}  // namespace

PlayerWindow::PlayerWindow(const PlayerOptions& options) : m_options(options)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    connect(&m_titleTimer, &QTimer::timeout, this, &PlayerWindow::UpdateTitle);
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        std::fprintf(stderr, "kestrel-player: only %d of %d pictures shown in %d s\n", m_pictures.load(),
                     m_options.frames, m_options.timeoutSeconds);
        Quit(1);
    });
}

PlayerWindow::~PlayerWindow()
{
    Shutdown();
}

bool PlayerWindow::Play(CRecFileInfo* rec, std::string* error)
{
    m_sound.reset(ISound::Create());
    if (m_sound)
        m_sound->Initialise(this);
    m_player.reset(IPlayback::Create());
    if (!m_player) {
        *error = "the playback engine could not be created";
        return false;
    }
    m_player->SetCallback(&PlayerWindow::OnPlayback, this);
    if (m_player->OpenFile(rec) != 0) {
        *error = "the recording could not be opened";
        return false;
    }
    _TAG_STREAM_INFO info;
    if (m_player->GetStreamInfo(0, &info) == 0)
        m_duration = info.dDuration;

    const int channels = std::max<int>(1, int(rec->m_arrFilePath.size()));
    for (int i = 0; i < channels; ++i) {
        auto* panel = new DisplayPanel(QString("CH%1").arg(i + 1), this);
        layout()->addWidget(panel);
        m_panels.push_back(panel);
        m_displays.push_back(panel->Display());
        if (panel->Display())
            panel->Display()->Clear(1);
    }
    resize(480 * channels, 270);
    UpdateTitle();
    m_titleTimer.start(250);
    if (m_options.frames > 0)
        m_timeout.start(m_options.timeoutSeconds * 1000);
    if (m_player->Start() != 0) {
        *error = "playback could not be started";
        return false;
    }
    return true;
}

void PlayerWindow::OnPlayback(uint32_t code, uint32_t, void* info, void* user)
{
    static_cast<PlayerWindow*>(user)->OnEngineThread(code, static_cast<const _TAG_DEC_INFO*>(info));
}

void PlayerWindow::OnEngineThread(uint32_t code, const _TAG_DEC_INFO* info)
{
    switch (code) {
    case PB_CB_VIDEO_FRAME: {
        if (!info || info->nChannel < 0 || size_t(info->nChannel) >= m_displays.size())
            return;
        IDisplay* display = m_displays[size_t(info->nChannel)];
        if (!display || display->Draw(0, info->data, info->nWidth, info->nHeight, kDrawSetting, info->linesize) != 0)
            return;
        if (info->nChannel == 0)
            m_time = info->dTime;
        const int shown = ++m_pictures;
        if (m_options.frames > 0 && shown >= m_options.frames && !m_grabPosted.exchange(true))
            QMetaObject::invokeMethod(this, &PlayerWindow::GrabAndQuit, Qt::QueuedConnection);
        return;
    }
    case PB_CB_AUDIO_FRAME:
        if (info && m_sound)
            m_sound->PlayBuffer(info->pBuffer, info->SoundBytes(), info->nAudioChannels, info->nBitsPerSample,
                                info->nSampleRate);
        return;
    case PB_CB_AUDIO_RESET:
        if (m_sound)
            m_sound->Reset();
        return;
    case PB_CB_AUDIO_STOP:
        if (m_sound)
            m_sound->Stop();
        return;
    case PB_CB_END:
        QMetaObject::invokeMethod(this, &PlayerWindow::OnEnd, Qt::QueuedConnection);
        return;
    case PB_CB_OPEN_FAILED:
        QMetaObject::invokeMethod(this, &PlayerWindow::OnOpenFailed, Qt::QueuedConnection);
        return;
    default:
        return;
    }
}

void PlayerWindow::OnEnd()
{
    m_ended = true;
    UpdateTitle();
    if (m_options.frames > 0 && !m_grabPosted) {
        std::fprintf(stderr, "kestrel-player: the recording ended after %d of %d pictures\n", m_pictures.load(),
                     m_options.frames);
        Quit(1);
    }
}

void PlayerWindow::OnOpenFailed()
{
    std::fprintf(stderr, "kestrel-player: a channel of the recording could not be opened\n");
    if (m_options.frames > 0)
        Quit(1);
}

void PlayerWindow::GrabAndQuit()
{
    int rc = 0;
    if (!m_options.grabFile.empty()) {
        const QImage image = grab().toImage();
        if (!image.save(QString::fromStdString(m_options.grabFile))) {
            std::fprintf(stderr, "kestrel-player: cannot write %s\n", m_options.grabFile.c_str());
            rc = 1;
        }
    }
    Quit(rc);
}

void PlayerWindow::Quit(int exitCode)
{
    m_exitCode = exitCode;
    m_timeout.stop();
    Shutdown();
    QApplication::exit(exitCode);
}

void PlayerWindow::Seek(double delta)
{
    if (!m_player)
        return;
    // A seek to the very end would end playback; stop a second short so
    // the last second still plays and seeking back keeps working.
    double target = m_time + delta;
    if (m_duration > 0.0)
        target = std::min(target, m_duration - kEndMargin);
    target = std::max(0.0, target);
    m_ended = false;
    m_time = target;
    m_player->SetPos(target);
}

void PlayerWindow::keyPressEvent(QKeyEvent* event)
{
    if (!m_player || m_stopped)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Space:
        if (m_paused)
            m_player->Resume();
        else
            m_player->Pause(0);
        m_paused = !m_paused;
        break;
    case Qt::Key_Right:
        Seek(kSeekStep);
        break;
    case Qt::Key_Left:
        Seek(-kSeekStep);
        break;
    case Qt::Key_Period:
        if (m_paused)
            m_player->StepNext();
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        m_speed = NextSpeed(m_speed, +1);
        m_player->SetPBSpeed(m_speed);
        break;
    case Qt::Key_Minus:
        m_speed = NextSpeed(m_speed, -1);
        m_player->SetPBSpeed(m_speed);
        break;
    case Qt::Key_Escape:
        close();
        return;
    default:
        return QWidget::keyPressEvent(event);
    }
    UpdateTitle();
}

void PlayerWindow::closeEvent(QCloseEvent* event)
{
    Shutdown();
    event->accept();
}

void PlayerWindow::UpdateTitle()
{
    QString title = QString("kestrel-player  %1 / %2  x%3").arg(Clock(m_time), Clock(m_duration)).arg(m_speed);
    if (m_paused)
        title += "  paused";
    if (m_ended)
        title += "  ended";
    setWindowTitle(title);
}

void PlayerWindow::Shutdown()
{
    // The engine stops before the displays and the sound output it draws
    // into go away.
    if (m_stopped)
        return;
    m_stopped = true;
    m_titleTimer.stop();
    if (m_player) {
        m_player->Stop();
        m_player->CloseFile();
        m_player->SetCallback(nullptr, nullptr);
    }
    for (IDisplay* d : m_displays)
        if (d)
            d->Clear(0);
    if (m_sound) {
        m_sound->Stop();
        m_sound->Close();
    }
}
