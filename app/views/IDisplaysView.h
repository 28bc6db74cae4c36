// The channel displays and the full-screen view: the objects the engine
// draws into, where each channel panel sits, and the full-screen label.
#pragma once

#include <QSize>
#include <QString>

class IDisplay;

namespace kestrel::views {

class IDisplaysView {
public:
    virtual ~IDisplaysView() = default;

    // The display of channel 0..3 or the full-screen view, null when it
    // has no window. Asked on the user-interface thread; the objects live
    // as long as the flow, which hands them to the engine thread.
    virtual IDisplay* ChannelDisplay(int channel) = 0;
    virtual IDisplay* FullScreenDisplay() = 0;
    // 0 normal, 1 maximised, 2 and 3 full screen.
    virtual int WindowState() const = 0;
    virtual QSize ClientSize() const = 0;
    // Places channel panel `channel` at the skin record `slotKey`
    // ("display%d") scaled to `clientSize`, and shows it.
    virtual void PlaceChannelPanel(int channel, const QString& slotKey, QSize clientSize) = 0;
    virtual void HideChannelPanel(int channel) = 0;
    // Names the view channel in the full-screen view (font and text from
    // the channel's label key); the view repaints.
    virtual void ShowViewChannel(int channel) = 0;
    // Starts the one-shot timer after a re-layout; when it fires the
    // window resumes the flow's pictures.
    virtual void StartPictureResumeTimer(int ms) = 0;
};

}  // namespace kestrel::views
