// The transport buttons, the play-bar and the speed and volume controls.
// User-interface thread only.
#pragma once

#include "views/PlayControl.h"

#include <QString>

namespace kestrel::views {

class ITransportView {
public:
    virtual ~ITransportView() = default;

    // true: the play button shows and pause hides; false: the other way.
    virtual void ShowPlayButton(bool showPlay) = 0;
    virtual void EnableControl(PlayControl control, bool enabled) = 0;

    virtual void SetPlayBarRange(int maxMs) = 0;
    // Ignored while the user drags the thumb.
    virtual void SetPlayBarPos(int ms) = 0;
    virtual int PlayBarPos() const = 0;
    virtual int PlayBarMax() const = 0;
    virtual void SetPlayBarLabel(const QString& text) = 0;

    virtual int SpeedSliderPos() const = 0;
    virtual void SetSpeedSliderPos(int pos) = 0;
    virtual void SetSpeedLabel(const QString& text) = 0;
    virtual bool TimeLapseChecked() const = 0;

    virtual int VolumeSliderPos() const = 0;
    virtual void SetVolumeSliderPos(int volume) = 0;
    virtual bool MuteChecked() const = 0;
    virtual void SetMuteChecked(bool checked) = 0;
};

}  // namespace kestrel::views
