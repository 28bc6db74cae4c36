// CTransportControls: the main window's transport buttons, play-bar, speed
// and volume controls as the transport role of the playback flow. It finds
// the skinned controls by their ids in the window's control table.
#pragma once

#include "views/ITransportView.h"

#include <functional>

class CCtrlButton;
class CCtrlSliderEx;
class CCtrlStatic;
class CCtrlWnd;

namespace kestrel::mainwnd {

class CTransportControls final : public views::ITransportView {
public:
    using ControlLookup = std::function<CCtrlWnd*(int id)>;
    explicit CTransportControls(ControlLookup lookup) : m_lookup(std::move(lookup)) {}

    // The window's control id of a transport control.
    static int ControlIdOf(views::PlayControl control);

    void ShowPlayButton(bool showPlay) override;
    void EnableControl(views::PlayControl control, bool enabled) override;
    void SetPlayBarRange(int maxMs) override;
    void SetPlayBarPos(int ms) override;
    int PlayBarPos() const override;
    int PlayBarMax() const override;
    void SetPlayBarLabel(const QString& text) override;
    int SpeedSliderPos() const override;
    void SetSpeedSliderPos(int pos) override;
    void SetSpeedLabel(const QString& text) override;
    bool TimeLapseChecked() const override;
    int VolumeSliderPos() const override;
    void SetVolumeSliderPos(int volume) override;
    bool MuteChecked() const override;
    void SetMuteChecked(bool checked) override;

private:
    CCtrlButton* Button(int id) const;
    CCtrlSliderEx* Slider(int id) const;
    CCtrlStatic* Static(int id) const;

    ControlLookup m_lookup;
};

}  // namespace kestrel::mainwnd
