#include "TransportControls.h"

#include "MainWndIds.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CCtrlStatic.h"

namespace kestrel::mainwnd {

using views::PlayControl;

int CTransportControls::ControlIdOf(PlayControl control)
{
    switch (control) {
    case PlayControl::Play: return kBtnPlayForward;
    case PlayControl::Pause: return kBtnPause;
    case PlayControl::Stop: return kBtnStop;
    case PlayControl::StepBackward: return kBtnStepBackward;
    case PlayControl::StepForward: return kBtnStepForward;
    case PlayControl::PrevFile: return kBtnFilePrev;
    case PlayControl::NextFile: return kBtnFileNext;
    case PlayControl::TimeLapse: return kBtnTimelapse;
    case PlayControl::PlayBar: return kSldPlaybar;
    case PlayControl::SpeedSlider: return kSldPbSpeed;
    case PlayControl::SpeedReset: return kBtnPbSpeed;
    case PlayControl::Snapshot: return kBtnSnapshot;
    case PlayControl::Report: return kBtnReport;
    case PlayControl::Backup: return kBtnBackup;
    case PlayControl::Delete: return kBtnDelete;
    }
    return 0;
}

CCtrlButton* CTransportControls::Button(int id) const { return qobject_cast<CCtrlButton*>(m_lookup(id)); }
CCtrlSliderEx* CTransportControls::Slider(int id) const { return qobject_cast<CCtrlSliderEx*>(m_lookup(id)); }
CCtrlStatic* CTransportControls::Static(int id) const { return qobject_cast<CCtrlStatic*>(m_lookup(id)); }

void CTransportControls::ShowPlayButton(bool showPlay)
{
    if (CCtrlWnd* play = m_lookup(kBtnPlayForward))
        play->setVisible(showPlay);
    if (CCtrlWnd* pause = m_lookup(kBtnPause))
        pause->setVisible(!showPlay);
}

void CTransportControls::EnableControl(PlayControl control, bool enabled)
{
    if (CCtrlWnd* c = m_lookup(ControlIdOf(control)))
        c->setEnabled(enabled);
}

void CTransportControls::SetPlayBarRange(int maxMs)
{
    if (CCtrlSliderEx* bar = Slider(kSldPlaybar))
        bar->SetRange(0, maxMs);
}

void CTransportControls::SetPlayBarPos(int ms)
{
    // A drag in progress owns the thumb; the engine's position waits.
    CCtrlSliderEx* bar = Slider(kSldPlaybar);
    if (bar && !bar->IsDragging())
        bar->SetPos(ms);
}

int CTransportControls::PlayBarPos() const
{
    CCtrlSliderEx* bar = Slider(kSldPlaybar);
    return bar ? bar->GetPos() : 0;
}

int CTransportControls::PlayBarMax() const
{
    CCtrlSliderEx* bar = Slider(kSldPlaybar);
    return bar ? bar->GetRangeMax() : 0;
}

void CTransportControls::SetPlayBarLabel(const QString& text)
{
    if (CCtrlStatic* label = Static(kStcPlaybar))
        label->SetWindowText(text);
}

int CTransportControls::SpeedSliderPos() const
{
    CCtrlSliderEx* speed = Slider(kSldPbSpeed);
    return speed ? speed->GetPos() : 2;
}

void CTransportControls::SetSpeedSliderPos(int pos)
{
    if (CCtrlSliderEx* speed = Slider(kSldPbSpeed))
        speed->SetPos(pos);
}

void CTransportControls::SetSpeedLabel(const QString& text)
{
    if (CCtrlStatic* label = Static(kStcPbSpeed))
        label->SetWindowText(text);
}

bool CTransportControls::TimeLapseChecked() const
{
    CCtrlButton* button = Button(kBtnTimelapse);
    return button && button->GetCheck() == 1;
}

int CTransportControls::VolumeSliderPos() const
{
    CCtrlSliderEx* volume = Slider(kSldVolume);
    return volume ? volume->GetPos() : 0;
}

void CTransportControls::SetVolumeSliderPos(int volume)
{
    if (CCtrlSliderEx* slider = Slider(kSldVolume))
        slider->SetPos(volume);
}

bool CTransportControls::MuteChecked() const
{
    CCtrlButton* button = Button(kBtnVolume);
    return button && button->GetCheck() == 1;
}

void CTransportControls::SetMuteChecked(bool checked)
{
    if (CCtrlButton* button = Button(kBtnVolume))
        button->SetCheck(checked ? 1 : 0);
}

}  // namespace kestrel::mainwnd
