// CKestrelDlg as the playback flow's host: the list, displays, transport
// controls and read-outs the flow reaches through IPlayHost.
#include "CKestrelDlg.h"

#include "CPlayFlow.h"
#include "PlayStats.h"
#include "ThreadPostQueue.h"
#include "ViewLabel.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlListbox.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CCtrlStatic.h"
#include "panels/display/CFullScreen.h"
#include "panels/display/CWndDisplay.h"
#include "panels/list/CWndList.h"
#include "popups/CPopupFailed.h"
#include "skin/SkinScale.h"
#include "startup/CKestrelApp.h"
#include "util/PostedMessage.h"

#include "kestrel/ViewerMessages.h"

using namespace kestrel::mainwnd;
using kestrel::playflow::PlayControl;

namespace {

// The list box's row states: 1 selected, 2 playing.
constexpr int kRowSelected = 1;
constexpr int kRowPlaying = 2;

int ControlIdOf(PlayControl control)
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

}  // namespace

// ---- Hand-offs (any thread) --------------------------------------------------

void CKestrelDlg::PostPlayerEvent(uintptr_t code)
{
    m_posts->Post(kestrel::msg::WM_PLAYER_EVENT, code);
}

void CKestrelDlg::PostPositionUpdate()
{
    m_posts->Post(kMsgPositionUpdate, 0);
}

// ---- Recording list ------------------------------------------------------------

int CKestrelDlg::ListPlayingIndex()
{
    CCtrlListbox* box = m_listWnd ? m_listWnd->ListBox() : nullptr;
    return box ? box->GetIndicatedItem() : -1;
}

int CKestrelDlg::ListSelectedIndex()
{
    CCtrlListbox* box = m_listWnd ? m_listWnd->ListBox() : nullptr;
    return box ? box->GetSelectedItem() : -1;
}

void CKestrelDlg::ListMarkPlaying(int row)
{
    if (CCtrlListbox* box = m_listWnd ? m_listWnd->ListBox() : nullptr) {
        box->SetItemState(row, kRowPlaying);
        box->EnsureVisible(row);
    }
}

void CKestrelDlg::ListClearPlaying()
{
    if (CCtrlListbox* box = m_listWnd ? m_listWnd->ListBox() : nullptr)
        box->SetItemState(-1, kRowPlaying);
}

void CKestrelDlg::ListSelectRow(int row)
{
    if (CCtrlListbox* box = m_listWnd ? m_listWnd->ListBox() : nullptr) {
        box->SetItemState(row, kRowSelected);
        box->EnsureVisible(row);
    }
}

void CKestrelDlg::ListSetPlayStatus(bool playing)
{
    if (CCtrlListbox* box = m_listWnd ? m_listWnd->ListBox() : nullptr)
        box->SetPlayStatus(playing ? 1 : 0);
}

int CKestrelDlg::ListCheckedCount()
{
    return m_listWnd ? m_listWnd->CountCheckedRows() : 0;
}

void CKestrelDlg::ListSetState(int state)
{
    // The flow stores every play state here: the measurement hook times it.
    if (m_stats)
        m_stats->OnPlayState(state);
    if (m_listWnd)
        m_listWnd->SetListState(state);
}

// ---- Displays -------------------------------------------------------------------

IDisplay* CKestrelDlg::ChannelDisplay(int channel)
{
    CWndDisplay* panel = ChannelPanel(channel);
    IDisplay* display = panel ? panel->Display() : nullptr;
    return m_stats ? m_stats->Wrap(channel, display) : display;
}

IDisplay* CKestrelDlg::FullScreenDisplay()
{
    IDisplay* display = m_fullScreenWnd ? m_fullScreenWnd->Display() : nullptr;
    return m_stats ? m_stats->Wrap(CPlayStats::kFullScreenSlot, display) : display;
}

void CKestrelDlg::PlaceChannelPanel(int channel, const QString& slotKey, QSize clientSize)
{
    // The flow's view channel decides the slots; the window's own layouts
    // keep to it.
    if (m_flow && m_flow->ViewChannel() != m_viewChannel) {
        // A view channel set back by a new recording names its channel in
        // the full-screen view as a switch does.
        m_viewChannel = m_flow->ViewChannel();
        SetFullScreenLabel(Text(QString::fromLatin1(ViewLabelKey(m_viewChannel))));
    }
    if (channel < 0 || channel >= kDisplayCount)
        return;
    const QRect rect = Scaled(slotKey, clientSize.width(), clientSize.height());
    m_displayRects[size_t(channel)] = rect;
    QWidget* panel = m_displayPanels[size_t(channel)];
    if (!panel)
        return;
    if (rect.isEmpty()) {
        panel->hide();
        return;
    }
    panel->setGeometry(rect);
    panel->show();
}

void CKestrelDlg::HideChannelPanel(int channel)
{
    if (channel >= 0 && channel < kDisplayCount && m_displayPanels[size_t(channel)])
        m_displayPanels[size_t(channel)]->hide();
}

void CKestrelDlg::SetFullScreenLabel(const QString& text)
{
    if (m_fullScreenWnd) {
        m_fullScreenWnd->SetLabelText(text);
        m_fullScreenWnd->update();
    }
}

void CKestrelDlg::StartPictureResumeTimer(int ms)
{
    m_pictureSuppressed = true;
    m_pictureTimer.start(ms, this);
}

// ---- Transport controls -------------------------------------------------------------

void CKestrelDlg::ShowPlayButton(bool showPlay)
{
    ShowButton(kBtnPlayForward, showPlay);
    ShowButton(kBtnPause, !showPlay);
}

void CKestrelDlg::EnableControl(PlayControl control, bool enabled)
{
    if (CCtrlWnd* c = Control(ControlIdOf(control)))
        c->setEnabled(enabled);
}

void CKestrelDlg::SetPlayBarRange(int maxMs)
{
    if (CCtrlSliderEx* bar = Slider(kSldPlaybar))
        bar->SetRange(0, maxMs);
}

void CKestrelDlg::SetPlayBarPos(int ms)
{
    // A drag in progress owns the thumb; the engine's position waits.
    CCtrlSliderEx* bar = Slider(kSldPlaybar);
    if (bar && !bar->IsDragging())
        bar->SetPos(ms);
}

int CKestrelDlg::PlayBarPos()
{
    CCtrlSliderEx* bar = Slider(kSldPlaybar);
    return bar ? bar->GetPos() : 0;
}

int CKestrelDlg::PlayBarMax()
{
    CCtrlSliderEx* bar = Slider(kSldPlaybar);
    return bar ? bar->GetRangeMax() : 0;
}

void CKestrelDlg::SetPlayBarLabel(const QString& text)
{
    if (CCtrlStatic* label = Static(kStcPlaybar))
        label->SetWindowText(text);
}

int CKestrelDlg::SpeedSliderPos()
{
    CCtrlSliderEx* speed = Slider(kSldPbSpeed);
    return speed ? speed->GetPos() : 2;
}

void CKestrelDlg::SetSpeedSliderPos(int pos)
{
    if (CCtrlSliderEx* speed = Slider(kSldPbSpeed))
        speed->SetPos(pos);
}

void CKestrelDlg::SetSpeedLabel(const QString& text)
{
    if (CCtrlStatic* label = Static(kStcPbSpeed))
        label->SetWindowText(text);
}

bool CKestrelDlg::TimeLapseChecked()
{
    CCtrlButton* button = Button(kBtnTimelapse);
    return button && button->GetCheck() == 1;
}

int CKestrelDlg::VolumeSliderPos()
{
    CCtrlSliderEx* volume = Slider(kSldVolume);
    return volume ? volume->GetPos() : 0;
}

void CKestrelDlg::SetVolumeSliderPos(int volume)
{
    if (CCtrlSliderEx* slider = Slider(kSldVolume))
        slider->SetPos(volume);
}

bool CKestrelDlg::MuteChecked()
{
    CCtrlButton* button = Button(kBtnVolume);
    return button && button->GetCheck() == 1;
}

void CKestrelDlg::SetMuteChecked(bool checked)
{
    if (CCtrlButton* button = Button(kBtnVolume))
        button->SetCheck(checked ? 1 : 0);
}

void CKestrelDlg::SetAcceleratorsEnabled(bool enabled)
{
    if (m_app)
        m_app->SetAcceleratorsEnabled(enabled);
}

int CKestrelDlg::AskOpenFailed()
{
    CPopupFailed popup(this);
    return popup.exec() == 1 ? 1 : 2;
}

QString CKestrelDlg::Text(const QString& key)
{
    return m_app ? m_app->GetUIText(key) : QString();
}

// ---- G-sensor panel and read-outs ----------------------------------------------------
// The G-sensor graph and the GPS read-out texts are separate panels that
// attach later; until then the window keeps only the axis read-outs.

void CKestrelDlg::GSensorSetRecord(CRecFileInfo*, const _TAG_STREAM_INFO&, int) {}

void CKestrelDlg::GSensorSetCursor(int) {}

void CKestrelDlg::GSensorReset()
{
    if (m_gsensorPanel)
        m_gsensorPanel->update();
}

void CKestrelDlg::UpdateReadouts(int, const CUserDataInfo*) {}

void CKestrelDlg::ResetReadouts()
{
    static const std::pair<int, const char*> kAxes[] = {
        {kStcGsenX, "stc_gsen_x"}, {kStcGsenY, "stc_gsen_y"}, {kStcGsenZ, "stc_gsen_z"}};
    for (const auto& [id, key] : kAxes)
        if (CCtrlStatic* axis = Static(id))
            axis->SetWindowText(QStringLiteral("%1 0.000").arg(Text(QString::fromLatin1(key))));
    if (CCtrlButton* status = Button(kBtnGpsStatus))
        status->SetCheck(0);
}

int CKestrelDlg::MapType()
{
    return m_app ? m_app->Option().nMapType : 0;
}
