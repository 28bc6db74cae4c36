// CDisplayDeck: the main window's channel panels and full-screen view as the
// displays role of the playback flow. It keeps the four panels with their
// displays and slot rectangles, places a panel at a skin slot, names the
// view channel in the full-screen view and hands the flow the displays to
// draw into (wrapped by the picture counters when they run).
#pragma once

#include "views/IDisplaysView.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>

class CFullScreen;

namespace kestrel::mainwnd {

class CPlayStats;

class CDisplayDeck final : public views::IDisplaysView {
public:
    static constexpr int kChannels = 4;

    struct Hooks {
        // The scaled rectangle of a skin record for a client size.
        std::function<QRect(const QString& key, QSize clientSize)> slotRect;
        std::function<int()> windowState;
        std::function<QSize()> clientSize;
        // Starts the window's one-shot picture-resume timer.
        std::function<void(int ms)> startResumeTimer;
        // Text of a language key.
        std::function<QString(const QString& key)> text;
    };

    explicit CDisplayDeck(Hooks hooks) : m_hooks(std::move(hooks)) {}

    // Panels built elsewhere; `display` is the panel's display (may be null).
    void AttachChannel(int channel, QWidget* panel, IDisplay* display);
    void AttachFullScreen(QWidget* view, IDisplay* display, CFullScreen* labelled);
    void SetStats(CPlayStats* stats) { m_stats = stats; }

    QWidget* Panel(int channel) const;
    QWidget* FullScreenView() const { return m_fullScreen; }
    QRect SlotRect(int channel) const;
    // Every display shows its whole picture again (entering full screen).
    void ResetAreas();

    // views::IDisplaysView
    IDisplay* ChannelDisplay(int channel) override;
    IDisplay* FullScreenDisplay() override;
    int WindowState() const override { return m_hooks.windowState ? m_hooks.windowState() : 0; }
    QSize ClientSize() const override { return m_hooks.clientSize ? m_hooks.clientSize() : QSize(); }
    void PlaceChannelPanel(int channel, const QString& slotKey, QSize clientSize) override;
    void HideChannelPanel(int channel) override;
    void ShowViewChannel(int channel) override;
    void StartPictureResumeTimer(int ms) override;

private:
    static bool Valid(int channel) { return channel >= 0 && channel < kChannels; }

    Hooks m_hooks;
    std::array<QPointer<QWidget>, kChannels> m_panels{};
    std::array<IDisplay*, kChannels> m_displays{};
    std::array<QRect, kChannels> m_rects{};
    QPointer<QWidget> m_fullScreen;
    IDisplay* m_fullScreenDisplay = nullptr;
    CFullScreen* m_labelled = nullptr;  // the full-screen view's label, when it has one
    CPlayStats* m_stats = nullptr;
};

}  // namespace kestrel::mainwnd
